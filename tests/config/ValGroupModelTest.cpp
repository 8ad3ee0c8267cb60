#include "config/CValGroupModel.h"
#include "image/VLMemoryLayout.h"
#include "tests/config/ConfigFixture.h"
#include "zonectl/QZIdentifiers.h"

using namespace VLLayout;

namespace {

constexpr int kZone5 = 5;
constexpr int kZone7 = 7;

class ValGroups : public OpenInstallation
{
protected:
    // Zone 5: not valid on Sunday and holidays, 08:00-17:30.
    void SetUp() override
    {
        OpenInstallation::SetUp();
        SetByte(kTimeZones.At(kZone5) + 1, 0x81);
        const int periods = kTimeZones.At(kZone5) + TimeZone::kPeriods;
        for (const auto& [at, value] : {std::pair{0, 8}, std::pair{1, 0}, std::pair{2, 17}, std::pair{3, 30}})
            SetByte(periods + at, static_cast<std::uint8_t>(value));
    }
    void SetZones(const ValGroupKind& kind, int group, std::array<int, 4> zones)
    {
        for (int slot = 0; slot < 4; ++slot)
            m_doc.ValGroupByte(kind.docKind, group, slot, static_cast<std::uint8_t>(zones[slot]), 0);
    }
};

TEST_F(ValGroups, StoreWritesTheShownGroupAtItsKindsOffset)
{
    struct Case { const ValGroupKind* kind; RecordTable table; };
    for (const Case& c : {Case{&kDoorValGroupKind, kDoorValGroups}, Case{&kFloorValGroupKind, kFloorValGroups}}) {
        SCOPED_TRACE(c.kind->pageClass);
        const int group = 9;
        ASSERT_EQ(c.table.At(group), c.kind->IsDoor() ? 2330 + 8 * group : 2586 + 6 * group);
        const std::uint8_t untouched = 0x5A;
        SetByte(c.table.At(group) + 5, untouched);
        CValGroupModel model(m_doc, *c.kind);
        model.LoadGroup(group);
        model.m_schedule = 12;
        model.m_name = QStringLiteral("Loading dock");
        model.SetZone(0, 3);
        model.SetZone(3, 31);
        model.StoreGroup();
        const int at = c.table.At(group);
        EXPECT_EQ(Byte(at), 12);
        EXPECT_EQ(Byte(at + 1), 3);
        EXPECT_EQ(Byte(at + 2), 0);
        EXPECT_EQ(Byte(at + 4), 31);
        EXPECT_EQ(Byte(at + 5), untouched);
        QString name;
        if (c.kind->IsDoor())
            m_doc.DoorValGroupName(group, name, 1);
        else
            m_doc.FloorValGroupName(group, 1, name);
        EXPECT_EQ(name, QStringLiteral("Loading dock"));
    }
}

TEST_F(ValGroups, ZoneRowsFollowTheAllZeroRule)
{
    CValGroupModel model(m_doc, kDoorValGroupKind);
    SetZones(kDoorValGroupKind, 2, {0, 0, 0, 0});
    model.LoadGroup(2);
    const CValGroupModel::ZoneRow& first = model.Row(0);
    EXPECT_TRUE(first.enabled);
    EXPECT_EQ(first.days, ValidDays::Boxes({true, true, true, true, true, true, true, true}));
    EXPECT_EQ(first.periods.m_minutes, PeriodValues::AllDay().m_minutes);
    EXPECT_EQ(first.periods.m_minutes[0], 1440);
    for (int slot = 1; slot < 4; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(model.Row(slot).enabled);
        EXPECT_EQ(model.Row(slot).days, ValidDays::Boxes{});
        EXPECT_EQ(model.Row(slot).periods.m_minutes, PeriodValues().m_minutes);
    }

    // Slot 2 set to zone 5: row 1 empties, row 2 shows zone 5.
    ASSERT_TRUE(model.SetZone(1, kZone5));
    EXPECT_FALSE(model.Row(0).enabled);
    EXPECT_EQ(model.Row(0).days, ValidDays::Boxes{});
    const CValGroupModel::ZoneRow& second = model.Row(1);
    EXPECT_TRUE(second.enabled);
    // A box is ticked when its day bit is clear: Sunday and holidays are not.
    EXPECT_EQ(second.days, ValidDays::Boxes({true, true, true, true, true, true, false, false}));
    std::int32_t begin = 0;
    std::int32_t end = 0;
    second.periods.GetLong(QZ::DISPID_lTimeZone1Begin, &begin);
    second.periods.GetLong(QZ::DISPID_lTimeZone1End, &end);
    EXPECT_EQ(begin, 480);
    EXPECT_EQ(end, 1050);
}

TEST_F(ValGroups, ARowFollowsItsSpinBackToAnEarlierPosition)
{
    SetZones(kDoorValGroupKind, 4, {kZone5, kZone7, 0, 0});
    // Each editor starts afresh: a spin moved to 0 empties its row also when an
    // earlier editor left that spin at 0.
    for (int editor = 0; editor < 2; ++editor) {
        SCOPED_TRACE(editor);
        CValGroupModel model(m_doc, kDoorValGroupKind);
        model.LoadGroup(4);
        EXPECT_EQ(model.Row(0).zone, kZone5);
        EXPECT_TRUE(model.SetZone(0, 0));
        EXPECT_FALSE(model.Row(0).enabled);
        EXPECT_EQ(model.Row(0).zone, 0);
        EXPECT_TRUE(model.SetZone(0, kZone5));
        EXPECT_EQ(model.Row(0).zone, kZone5);
        EXPECT_TRUE(model.Row(0).enabled);
        EXPECT_FALSE(model.SetZone(0, kZone5)) << "the row already shows that zone";
    }
}

TEST_F(ValGroups, ScheduleBeyondTheListShowsNoneAndIsWrittenAs255)
{
    m_doc.FloorValGroupFlags(6, 40, 0);
    CValGroupModel model(m_doc, kFloorValGroupKind);
    model.LoadGroup(6);
    EXPECT_EQ(model.m_schedule, CValGroupModel::kNoSchedule);
    model.StoreGroup();
    EXPECT_EQ(Byte(kFloorValGroups.At(6)), 255);
}

} // namespace
