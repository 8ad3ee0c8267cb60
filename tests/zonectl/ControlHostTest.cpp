#include "platform/ControlHost.h"
#include "platform/ControlRegistry.h"
#include "tests/support/TestEnvironment.h"
#include "tests/zonectl/ScheduleBarProperties.h"
#include "zonectl/QZIdentifiers.h"

#include <QColor>
#include <QFont>

#include <gtest/gtest.h>

namespace {

const QString kBar = QString::fromLatin1(QZ::kClsidQZCtrl);

// Creates controls through the registry the build registered the fresh
// library in.
class ScheduleBarHost : public ::testing::Test
{
protected:
    void SetUp() override { ControlRegistry::SetLocation(QString::fromUtf8(TEST_CONTROL_REGISTRY)); }
    void TearDown() override { ControlRegistry::SetLocation({}); }

    std::unique_ptr<ControlHost> CreateBar()
    {
        QString message;
        auto bar = ControlHost::Create(kBar, &message);
        EXPECT_TRUE(bar) << message.toStdString();
        return bar;
    }
};

TEST_F(ScheduleBarHost, CreatedByClassIdentifierAndByProgId)
{
    QString message;
    EXPECT_TRUE(ControlHost::Create(kBar, &message)) << message.toStdString();
    EXPECT_TRUE(ControlHost::CreateFromProgId(QString::fromLatin1(QZ::kProgIdQZCtrl), &message))
        << message.toStdString();
}

TEST_F(ScheduleBarHost, EightPeriodPropertiesRoundTripAsLongs)
{
    auto bar = CreateBar();
    ASSERT_TRUE(bar);
    const std::int32_t dispids[] = {6, 2, 7, 3, 8, 4, 9, 5};
    for (std::int32_t i = 0; i < 8; ++i) {
        std::int32_t value = -1;
        ASSERT_TRUE(bar->GetLong(dispids[i], &value));
        EXPECT_EQ(value, 0);
        ASSERT_TRUE(bar->SetLong(dispids[i], 60 * (i + 1) + i));
    }
    for (std::int32_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(dispids[i]);
        std::int32_t value = -1;
        ASSERT_TRUE(bar->GetLong(dispids[i], &value));
        EXPECT_EQ(value, 60 * (i + 1) + i);
    }
}

TEST_F(ScheduleBarHost, PropertiesCrossTheBoundaryWithTheirTypes)
{
    auto bar = CreateBar();
    ASSERT_TRUE(bar);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    const struct
    {
        int dispid;
        QVariant defaultValue;
        QVariant newValue;
    } cases[] = {
        {QZ::DISPID_ShowTimeScale, false, true},
        {QZ::DISPID_ShowToolTip, true, false},
        {QZ::DISPID_TimeZoneNumber, QString(""), QStringLiteral("17")},
        {QZ::DISPID_Active, true, false},
        {QZ::DISPID_lTimeZone2Begin, 0, 1440},
        {QZ::DISPID_BACKCOLOR, QColor(Qt::white), QColor(192, 192, 192)},
        {QZ::DISPID_FORECOLOR, QColor(Qt::black), QColor(0, 0, 128)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dispid);
        QVariant value;
        ASSERT_TRUE(bar->GetProperty(c.dispid, &value));
        EXPECT_EQ(value, c.defaultValue);
        ASSERT_TRUE(bar->SetProperty(c.dispid, c.newValue));
        ASSERT_TRUE(bar->GetProperty(c.dispid, &value));
        EXPECT_EQ(value, c.newValue);
    }
    ASSERT_TRUE(bar->SetProperty(QZ::DISPID_FONT, font));
    QVariant value;
    ASSERT_TRUE(bar->GetProperty(QZ::DISPID_FONT, &value));
    EXPECT_EQ(value.value<QFont>().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(value.value<QFont>().pointSize(), 8);

    EXPECT_FALSE(bar->SetProperty(99, 1));
    EXPECT_EQ(bar->LastResult(), ZC_DISP_E_MEMBERNOTFOUND);
}

TEST_F(ScheduleBarHost, PropertyNamesResolveToTheirDispatchIdentifiers)
{
    auto bar = CreateBar();
    ASSERT_TRUE(bar);
    for (const ScheduleBarProperty& property : kScheduleBarProperties) {
        const QString name = QString::fromLatin1(property.name);
        for (const QString& spelling : {name, name.toUpper(), name.toLower()}) {
            SCOPED_TRACE(spelling.toStdString());
            int dispid = 0;
            ASSERT_TRUE(bar->GetIDOfName(spelling, &dispid));
            EXPECT_EQ(dispid, property.dispid);
        }
    }
}

TEST_F(ScheduleBarHost, UnknownNamesAreRefusedAsUnknown)
{
    auto bar = CreateBar();
    ASSERT_TRUE(bar);
    // MouseDown is an event of the other interface, not a property.
    const QString names[] = {"", "lTimeZone5Begin", "MouseDown", "ShowTimeScale ", "Time Zone Numer", "AboutBox",
                             QString::fromLatin1("Active\0Font", 11)};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        int dispid = 1234;
        EXPECT_FALSE(bar->GetIDOfName(name, &dispid));
        EXPECT_EQ(bar->LastResult(), ZC_DISP_E_UNKNOWNNAME);
        EXPECT_EQ(dispid, 1234);
    }
}

TEST_F(ScheduleBarHost, PersistedStateRoundTripsUnderItsNames)
{
    auto bar = CreateBar();
    ASSERT_TRUE(bar);
    bar->SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("0"));
    bar->SetProperty(QZ::DISPID_BACKCOLOR, QColor(192, 192, 192));
    bar->SetProperty(QZ::DISPID_ShowToolTip, false);
    ControlHost::PersistedState state;
    ASSERT_TRUE(bar->Save(&state));
    QStringList names;
    for (const auto& [name, value] : state)
        names << name;
    EXPECT_EQ(names, (QStringList{"_Version", "BackColor", "ForeColor", "Font", "ShowToolTip", "Time Zone Numer"}));

    auto copy = CreateBar();
    ASSERT_TRUE(copy);
    ASSERT_TRUE(copy->Load(state));
    for (const int dispid : {QZ::DISPID_TimeZoneNumber, QZ::DISPID_BACKCOLOR, QZ::DISPID_ShowToolTip}) {
        SCOPED_TRACE(dispid);
        QVariant original;
        QVariant loaded;
        bar->GetProperty(dispid, &original);
        copy->GetProperty(dispid, &loaded);
        EXPECT_EQ(loaded, original);
    }
}

TEST_F(ScheduleBarHost, PropertyChangesMarkTheBarModifiedUntilSavedOrLoaded)
{
    auto bar = CreateBar();
    ASSERT_TRUE(bar);
    EXPECT_FALSE(bar->IsDirty());
    const struct
    {
        int dispid;
        QVariant value;
        bool marks;
    } cases[] = {
        {QZ::DISPID_ShowTimeScale, true, true},
        {QZ::DISPID_lTimeZone1End, 600, true},
        {QZ::DISPID_lTimeZone4Begin, 60, true},
        {QZ::DISPID_TimeZoneNumber, QStringLiteral("3"), true},
        {QZ::DISPID_BACKCOLOR, QColor(192, 192, 192), true},
        {QZ::DISPID_FONT, QFont(QStringLiteral("Sans"), 8), true},
        {QZ::DISPID_Active, false, false},
        // No window yet, so no tooltip to switch.
        {QZ::DISPID_ShowToolTip, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dispid);
        ASSERT_TRUE(bar->Load({}));
        ASSERT_FALSE(bar->IsDirty());
        ASSERT_TRUE(bar->SetProperty(c.dispid, c.value));
        EXPECT_EQ(bar->IsDirty(), c.marks);
    }

    bar->SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("4"));
    ControlHost::PersistedState state;
    ASSERT_TRUE(bar->Save(&state));
    EXPECT_FALSE(bar->IsDirty());
    EXPECT_EQ(bar->LastResult(), ZC_S_FALSE);
    bar->SetProperty(QZ::DISPID_TimeZoneNumber, QStringLiteral("5"));
    EXPECT_TRUE(bar->IsDirty());
    ASSERT_TRUE(bar->Load(state));
    EXPECT_FALSE(bar->IsDirty());
}

TEST_F(ScheduleBarHost, TemplateStateSetsTheMirrorUp)
{
    auto bar = CreateBar();
    ASSERT_TRUE(bar);
    ASSERT_TRUE(bar->Load({{QStringLiteral("ShowToolTip"), true}, {QStringLiteral("Time Zone Numer"), "0"}}));
    QVariant number;
    bar->GetProperty(QZ::DISPID_TimeZoneNumber, &number);
    EXPECT_EQ(number.toString(), QStringLiteral("0"));
}

TEST(ScheduleBarWithoutRegistration, CreationFailsCleanlyWithAMessage)
{
    TestEnvironment environment;
    ControlRegistry::SetLocation(environment.Path(QStringLiteral("empty.conf")));
    QString message;
    EXPECT_FALSE(ControlHost::Create(kBar, &message));
    EXPECT_EQ(message, QStringLiteral("The control %1 is not registered.\n\nInstall it again so that it registers "
                                      "itself.")
                           .arg(kBar));
    EXPECT_FALSE(ControlHost::CreateFromProgId(QString::fromLatin1(QZ::kProgIdQZCtrl), &message));

    ControlRegistry stale(ControlRegistry::Location());
    stale.SetValue(QStringLiteral("CLSID\\%1\\InprocServer32").arg(kBar), {},
                   environment.Path(QStringLiteral("gone/libzonectl.so")));
    message.clear();
    EXPECT_FALSE(ControlHost::Create(kBar, &message));
    EXPECT_TRUE(message.startsWith(QStringLiteral("Unable to load the control library "))) << message.toStdString();
    ControlRegistry::SetLocation({});
}

} // namespace
