#include "config/DoorScheduleList.h"
#include "database/GlobalRecordsets.h"
#include "tests/config/ConfigFixture.h"

#include <gtest/gtest.h>

namespace {

using Half = DoorScheduleList::Half;

constexpr std::int32_t kBit31 = static_cast<std::int32_t>(0x80000000U);

TEST(DoorScheduleMasks, EachHalfTakesAndReplacesOnlyItsBits)
{
    struct Case { std::uint32_t field; Half half; std::uint16_t mask; std::uint16_t newMask; std::uint32_t written; };
    const Case cases[] = {
        {0x00018001U, Half::First, 0x0001, 0x0004, 0x00018004U},
        {0x00018001U, Half::Second, 0x0003, 0x0000, 0x00000001U},
        {0xFFFFFFFFU, Half::First, 0x7FFF, 0x0000, 0xFFFF8000U},
        {0xFFFFFFFFU, Half::Second, 0xFFFF, 0x0000, 0x80007FFFU},
        {0x80000000U, Half::Second, 0x0000, 0xFFFF, 0xFFFF8000U},
        {0x80000000U, Half::First, 0x0000, 0xFFFF, 0x80007FFFU},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const DoorScheduleList list(c.half);
        EXPECT_EQ(list.MaskOf(static_cast<std::int32_t>(c.field)), c.mask);
        EXPECT_EQ(static_cast<std::uint32_t>(list.WithMask(static_cast<std::int32_t>(c.field), c.newMask)), c.written);
    }
}

// Two controllers of the template's network, the second with door A in
// schedules 1, 16 and 17 and the unused bit 31 set.
class DoorSchedules : public OpenInstallation
{
protected:
    void SetUp() override
    {
        OpenInstallation::SetUp();
        m_first = AddController(4, QStringLiteral("Gate"), 0);
        m_second = AddController(2, QStringLiteral("Front"), static_cast<std::int32_t>(0x80018001U));
    }
    static std::int32_t AddController(int node, const QString& doorA, std::int32_t scheduleA)
    {
        g_setVestrels.AddNew();
        g_setVestrels.m_NetAddress = 1;
        g_setVestrels.m_NodeAddress = static_cast<std::uint8_t>(node);
        g_setVestrels.m_RelayAName = doorA;
        g_setVestrels.m_DoorScheduleA = scheduleA;
        g_setVestrels.Update();
        g_setVestrels.Requery();
        EXPECT_TRUE(g_setVestrels.FindByAddress(1, node));
        return g_setVestrels.m_VestrelID;
    }
    static std::int32_t ScheduleA(std::int32_t vestrelID)
    {
        g_setVestrels.Requery();
        EXPECT_TRUE(g_setVestrels.FindByID(vestrelID));
        return g_setVestrels.m_DoorScheduleA;
    }

    MessageBoxScript m_boxes;
    std::int32_t m_first = 0;
    std::int32_t m_second = 0;
};

TEST_F(DoorSchedules, ReadsFourLabelledLinesPerControllerWithTheirMarks)
{
    DoorScheduleList first(Half::First);
    DoorScheduleList second(Half::Second);
    first.Read(g_setVestrels);
    second.Read(g_setVestrels);
    ASSERT_EQ(first.Lines().size(), 8u);
    EXPECT_EQ(first.Lines()[0].label, QStringLiteral("[A4A] Gate"));
    EXPECT_EQ(first.Lines()[1].label, QStringLiteral("[A4B] "));
    EXPECT_EQ(first.Lines()[4].label, QStringLiteral("[A2A] Front"));
    EXPECT_EQ(first.Lines()[4].vestrelID, m_second);
    EXPECT_EQ(first.Lines()[7].door, 3);
    for (int index = 0; index < 16; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(first.InSchedule(4, index), index == 0) << "schedule 1 only";
        EXPECT_EQ(second.InSchedule(4, index), index == 0 || index == 1) << "schedules 16 and 17 only";
        EXPECT_FALSE(first.InSchedule(0, index));
    }
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

TEST_F(DoorSchedules, CommitWritesOnlyInWriteModeAndKeepsTheOtherBits)
{
    DoorScheduleList first(Half::First);
    first.Read(g_setVestrels);
    EXPECT_FALSE(first.Commit(g_setVestrels, true)) << "nothing changed";

    first.SetInSchedule(4, 2, true);
    first.SetInSchedule(4, 0, false);
    EXPECT_TRUE(first.Commit(g_setVestrels, false));
    EXPECT_EQ(static_cast<std::uint32_t>(ScheduleA(m_second)), 0x80018001U) << "compare writes nothing";

    EXPECT_TRUE(first.Commit(g_setVestrels, true));
    EXPECT_EQ(static_cast<std::uint32_t>(ScheduleA(m_second)), 0x80018004U);
    EXPECT_EQ(ScheduleA(m_first), 0);
    EXPECT_FALSE(first.Commit(g_setVestrels, false)) << "the table now holds the marks";

    DoorScheduleList second(Half::Second);
    second.Read(g_setVestrels);
    second.SetInSchedule(4, 15, true);
    EXPECT_TRUE(second.Commit(g_setVestrels, true));
    EXPECT_EQ(ScheduleA(m_second) & kBit31, kBit31) << "bit 31 is not this page's";
    EXPECT_EQ(static_cast<std::uint32_t>(ScheduleA(m_second)), 0xC0018004U);
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

TEST_F(DoorSchedules, AMissingControllerIsReportedPerLineAndTheOthersAreWritten)
{
    DoorScheduleList first(Half::First);
    first.Read(g_setVestrels);
    ASSERT_TRUE(g_setVestrels.FindByID(m_first));
    g_setVestrels.Delete();
    g_setVestrels.Requery();
    first.SetInSchedule(4, 2, true);

    EXPECT_TRUE(first.Commit(g_setVestrels, true));
    EXPECT_EQ(m_boxes.Texts(), QStringList(4, QStringLiteral("Database syntax error related to TabDoorSchedules.")));
    EXPECT_EQ(static_cast<std::uint32_t>(ScheduleA(m_second)), 0x80018005U);
}

TEST_F(DoorSchedules, AClosedTableTakesNothingAndReportsNothing)
{
    DoorScheduleList first(Half::First);
    first.Read(g_setVestrels);
    first.SetInSchedule(4, 2, true);
    g_setVestrels.Close();
    EXPECT_FALSE(first.Commit(g_setVestrels, true));
    first.Read(g_setVestrels);
    EXPECT_TRUE(first.Lines().empty());
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

} // namespace
