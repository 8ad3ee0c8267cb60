#include "zonectl/CQZState.h"

#include <gtest/gtest.h>

namespace {

TEST(ScheduleBarProperties, StartWithTheirDefaults)
{
    const CQZState state;
    const struct
    {
        std::int32_t dispid;
        QVariant expected;
    } cases[] = {
        {QZ::DISPID_ShowTimeScale, false},       {QZ::DISPID_lTimeZone1End, 0},   {QZ::DISPID_lTimeZone2End, 0},
        {QZ::DISPID_lTimeZone3End, 0},           {QZ::DISPID_lTimeZone4End, 0},   {QZ::DISPID_lTimeZone1Begin, 0},
        {QZ::DISPID_lTimeZone2Begin, 0},         {QZ::DISPID_lTimeZone3Begin, 0}, {QZ::DISPID_lTimeZone4Begin, 0},
        {QZ::DISPID_ShowToolTip, true},          {QZ::DISPID_TimeZoneNumber, QString()},
        {QZ::DISPID_Active, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dispid);
        QVariant value;
        ASSERT_EQ(state.GetProperty(c.dispid, &value), ZC_S_OK);
        EXPECT_EQ(value, c.expected);
    }
}

TEST(ScheduleBarProperties, EachPeriodPropertyReachesItsOwnEdge)
{
    CQZState state;
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        ASSERT_EQ(state.SetProperty(QZ::BeginDispid(p), 100 + p), ZC_S_OK);
        ASSERT_EQ(state.SetProperty(QZ::EndDispid(p), 200 + p), ZC_S_OK);
    }
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(state.PeriodAt(p).begin, 100 + p);
        EXPECT_EQ(state.PeriodAt(p).end, 200 + p);
    }
}

TEST(ScheduleBarProperties, PeriodValuesAreClampedToWhatTheBarDraws)
{
    const struct
    {
        long long set;
        int stored;
    } cases[] = {{-5, 0}, {0, 0}, {1439, 1439}, {1440, 1440}, {1441, 1440}, {5000000000LL, 1440}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        CQZState state;
        ASSERT_EQ(state.SetProperty(QZ::DISPID_lTimeZone3Begin, QVariant(c.set)), ZC_S_OK);
        QVariant value;
        state.GetProperty(QZ::DISPID_lTimeZone3Begin, &value);
        EXPECT_EQ(value.toInt(), c.stored);
    }
}

TEST(ScheduleBarProperties, WrongTypesAndUnknownIdentifiersAreRefused)
{
    CQZState state;
    EXPECT_EQ(state.SetProperty(QZ::DISPID_lTimeZone1End, QStringLiteral("noon")), ZC_DISP_E_TYPEMISMATCH);
    EXPECT_EQ(state.SetProperty(QZ::DISPID_BACKCOLOR, 5), ZC_DISP_E_TYPEMISMATCH);
    EXPECT_EQ(state.SetProperty(QZ::DISPID_FONT, QStringLiteral("Arial")), ZC_DISP_E_TYPEMISMATCH);
    EXPECT_EQ(state.SetProperty(13, 1), ZC_DISP_E_MEMBERNOTFOUND);
    QVariant value;
    EXPECT_EQ(state.GetProperty(0, &value), ZC_DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(state.PeriodAt(0).end, 0);
}

TEST(ScheduleBarProperties, PersistedInOrderUnderTheirStoredNames)
{
    CQZState state;
    state.SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("7"));
    state.SetProperty(QZ::DISPID_ShowToolTip, false);
    state.SetProperty(QZ::DISPID_BACKCOLOR, QColor(192, 192, 192));
    state.SetProperty(QZ::DISPID_lTimeZone1End, 300);
    QStringList names;
    QList<QVariant> values;
    ASSERT_TRUE(state.Save([&](const QString& name, const QVariant& value) {
        names << name;
        values << value;
        return true;
    }));
    EXPECT_EQ(names, (QStringList{"_Version", "BackColor", "ForeColor", "Font", "ShowToolTip", "Time Zone Numer"}));
    EXPECT_EQ(values[0].toInt(), 0x10000);

    CQZState loaded;
    ASSERT_TRUE(loaded.Load([&](const QString& name, QVariant* value) {
        const qsizetype at = names.indexOf(name);
        if (at < 0)
            return false;
        *value = values[at];
        return true;
    }));
    EXPECT_EQ(loaded.TimeZoneNumber(), QStringLiteral("7"));
    EXPECT_FALSE(loaded.ShowToolTip());
    QVariant back;
    loaded.GetProperty(QZ::DISPID_BACKCOLOR, &back);
    EXPECT_EQ(back.value<QColor>(), QColor(192, 192, 192));
    EXPECT_EQ(loaded.PeriodAt(0).end, 0) << "periods are never persisted";
}

TEST(ScheduleBarProperties, MissingOrDamagedPersistedValuesTakeDefaults)
{
    CQZState state;
    state.SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("3"));
    state.SetProperty(QZ::DISPID_ShowToolTip, false);
    const bool loaded = state.Load([](const QString& name, QVariant* value) {
        if (name != QLatin1String("ShowToolTip"))
            return false;
        *value = QColor(Qt::red);
        return true;
    });
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(state.ShowToolTip());
    EXPECT_TRUE(state.TimeZoneNumber().isEmpty());
}

TEST(ScheduleBarProperties, ToolTipTexts)
{
    CQZState state;
    state.SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("12"));
    state.SetPeriod(1, 1320, 120);
    EXPECT_EQ(state.ToolTipText(0), QStringLiteral("Time Zone 12, Right-click to add time period"));
    EXPECT_EQ(state.ToolTipText(2), QStringLiteral("Time period 2: 22:00 to 02:00"));
    EXPECT_EQ(state.ToolTipText(4), QStringLiteral("Time period 4: 00:00 to 00:00"));

    state.SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("0"));
    EXPECT_TRUE(state.IsMirror());
    EXPECT_FALSE(state.EditingAllowed());
    EXPECT_TRUE(state.ToolTipText(0).isEmpty());
    EXPECT_EQ(state.ToolTipText(2), QStringLiteral("Time period 2: 22:00 to 02:00"));
}

TEST(ScheduleBarProperties, FirstFreePeriodSkipsUsedOnes)
{
    CQZState state;
    EXPECT_EQ(state.FirstFreePeriod(), 0);
    state.SetPeriod(0, 0, 60);
    state.SetPeriod(2, 60, 0);
    EXPECT_EQ(state.FirstFreePeriod(), 1);
    state.SetPeriod(1, 600, 600);
    state.SetPeriod(3, 1439, 0);
    EXPECT_EQ(state.FirstFreePeriod(), -1);
}

} // namespace
