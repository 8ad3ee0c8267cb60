#include "zonectl/CQZGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 20;

using Rect = CQZGeometry::Rect;

TEST(ScheduleBarGeometry, PeriodsBecomeRectanglesOfTheBar)
{
    struct Case
    {
        const char* name;
        int begin;
        int end;
        Rect expected;
    };
    const Case cases[] = {
        {"0/0 is no period", 0, 0, {}},
        {"plain period", 600, 720, {300, 0, 360, kHeight}},
        {"23:59 lands on the right edge", 0, 1439, {0, 0, kWidth, kHeight}},
        {"1439/0 is widened to a pixel at each end", 1439, 0, {kWidth - 1, 0, kWidth + 1, kHeight}},
        {"600/600 runs the whole day round", 600, 600, {300, 0, 1020, kHeight}},
        {"1320/120 wraps past midnight", 1320, 120, {660, 0, 780, kHeight}},
        {"1440 begin is all day", 1440, 0, {0, 0, kWidth, kHeight}},
        {"damaged begin is all day", 5000, 77, {0, 0, kWidth, kHeight}},
        {"1440 end runs to the end of the bar", 600, 1440, {300, 0, kWidth, kHeight}},
        {"negative values are no period", -30, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CQZGeometry::PeriodToRect(c.begin, c.end, kWidth, kHeight), c.expected);
    }
}

TEST(ScheduleBarGeometry, PositionsBecomeMinutes)
{
    const struct
    {
        int x;
        int minutes;
    } cases[] = {{0, 0}, {360, 719}, {kWidth, 1439}, {780, 119}, {-1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(CQZGeometry::XToMinutes(c.x, kWidth), c.minutes);
    }
    EXPECT_EQ(CQZGeometry::XToMinutes(10, 0), 0);
}

TEST(ScheduleBarGeometry, EdgeHitTestsPlainAndWrapped)
{
    struct Case
    {
        const char* name;
        Rect rect;
        QPoint point;
        CQZGeometry::Edge expected;
    };
    const Rect plain{300, 0, 360, kHeight};
    const Rect wrapped{660, 0, 780, kHeight};
    const Rect wholeDay{300, 0, 1020, kHeight};
    const Case cases[] = {
        {"plain, near the begin", plain, {301, 5}, CQZGeometry::BeginEdge},
        {"plain, near the end", plain, {359, 5}, CQZGeometry::EndEdge},
        {"plain, the middle counts as begin", plain, {330, 5}, CQZGeometry::BeginEdge},
        {"plain, right is exclusive", plain, {360, 5}, CQZGeometry::NoEdge},
        {"plain, left of it", plain, {299, 5}, CQZGeometry::NoEdge},
        {"plain, bottom is exclusive", plain, {330, kHeight}, CQZGeometry::NoEdge},
        {"wrapped, before midnight", wrapped, {700, 5}, CQZGeometry::BeginEdge},
        {"wrapped, after midnight", wrapped, {10, 5}, CQZGeometry::EndEdge},
        {"wrapped, past its wrapped piece", wrapped, {60, 5}, CQZGeometry::NoEdge},
        {"whole day, late part near the end", wholeDay, {719, 5}, CQZGeometry::EndEdge},
        {"whole day, early part of the evening", wholeDay, {310, 5}, CQZGeometry::BeginEdge},
        {"whole day, morning piece", wholeDay, {10, 5}, CQZGeometry::EndEdge},
        {"empty rectangle", Rect{}, {0, 0}, CQZGeometry::NoEdge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CQZGeometry::HitTestEdge(c.rect, c.point, kWidth), c.expected);
    }
}

} // namespace
