#include "zonectl/CQZEdit.h"
#include "zonectl/CQZState.h"

#include <gtest/gtest.h>

namespace {

const QSize kBar(720, 20);
constexpr int kY = 5;

class ScheduleBarDrag : public ::testing::Test
{
protected:
    void Drag(int pressX, std::initializer_list<int> moves)
    {
        edit.Press({pressX, kY}, kBar);
        for (int x : moves)
            edit.Move({x, kY}, kBar);
    }
    std::pair<int, int> Period(int p) const { return {state.PeriodAt(p).begin, state.PeriodAt(p).end}; }

    CQZState state;
    CQZEdit edit{state};
};

TEST_F(ScheduleBarDrag, EndEdgeFollowsTheMouse)
{
    state.SetPeriod(0, 600, 720); // 300 to 360
    Drag(358, {388});
    EXPECT_EQ(Period(0), std::make_pair(600, 779));
}

TEST_F(ScheduleBarDrag, BeginLeftOfTheBarIsRefused)
{
    state.SetPeriod(0, 60, 720); // 30 to 360
    Drag(31, {0});
    EXPECT_EQ(Period(0), std::make_pair(60, 720));
}

TEST_F(ScheduleBarDrag, EndDraggedPastItsBeginNormalisesThePeriod)
{
    state.SetPeriod(0, 600, 720); // 300 to 360
    Drag(358, {250});
    EXPECT_EQ(Period(0), std::make_pair(503, 600));
    // The grab has become the begin edge.
    edit.Move({240, kY}, kBar);
    EXPECT_EQ(Period(0), std::make_pair(481, 600));
}

TEST_F(ScheduleBarDrag, ClosingAPeriodDoesNotTurnItIntoAWholeDay)
{
    state.SetPeriod(0, 600, 720); // 300 to 360
    Drag(358, {298});
    EXPECT_EQ(Period(0), std::make_pair(600, 720));
}

TEST_F(ScheduleBarDrag, EndDraggedPastTheRightEdgeRunsPastMidnight)
{
    state.SetPeriod(0, 1320, 1400); // 660 to 700
    Drag(698, {719});
    EXPECT_EQ(Period(0), std::make_pair(1320, 1));
}

TEST_F(ScheduleBarDrag, WrappedEndMayNotPassItsOwnBegin)
{
    state.SetPeriod(0, 600, 590); // 300 to 1015, wrapped piece 0 to 295
    Drag(290, {299});
    EXPECT_EQ(Period(0), std::make_pair(600, 590));
}

TEST_F(ScheduleBarDrag, FirstPeriodHitIsGrabbedAndOnlyIt)
{
    state.SetPeriod(0, 600, 720); // 300 to 360
    state.SetPeriod(1, 660, 780); // 330 to 390
    Drag(340, {350});
    EXPECT_EQ(Period(0), std::make_pair(600, 739));
    EXPECT_EQ(Period(1), std::make_pair(660, 780));
}

TEST_F(ScheduleBarDrag, OutsideTheBarAndWithoutAGrabNothingMoves)
{
    state.SetPeriod(0, 600, 720);
    Drag(100, {358, 388});
    EXPECT_EQ(Period(0), std::make_pair(600, 720));
    Drag(358, {800, -10});
    EXPECT_EQ(Period(0), std::make_pair(600, 720));
    edit.Release();
    EXPECT_FALSE(edit.Dragging());
    edit.Move({300, kY}, kBar);
    EXPECT_EQ(Period(0), std::make_pair(600, 720));
}

TEST_F(ScheduleBarDrag, AllDayMarkerEditsAsTheWholeBar)
{
    state.SetPeriod(0, 1440, 0);
    Drag(718, {698});
    EXPECT_EQ(Period(0), std::make_pair(0, 1399));
}

TEST(ScheduleBarHit, OverlappingPeriodsLowestForEditingHighestForTheToolTip)
{
    CQZState state;
    CQZEdit edit(state);
    state.SetPeriod(0, 600, 720); // 300 to 360
    state.SetPeriod(1, 660, 780); // 330 to 390
    EXPECT_EQ(edit.FirstPeriodAt({340, kY}, kBar), 0);
    EXPECT_EQ(edit.LastPeriodAt({340, kY}, kBar), 1);
    EXPECT_EQ(edit.FirstPeriodAt({100, kY}, kBar), -1);
}

} // namespace
