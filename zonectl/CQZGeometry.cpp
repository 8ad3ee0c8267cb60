#include "zonectl/CQZGeometry.h"

#include <algorithm>

namespace {

int Scale(long long minutes, int width)
{
    return static_cast<int>(minutes * width / CQZGeometry::kLastMinute);
}

} // namespace

int CQZGeometry::ClampMinutes(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, 0, kDayEnd));
}

CQZGeometry::Rect CQZGeometry::PeriodToRect(int begin, int end, int width, int height)
{
    begin = ClampMinutes(begin);
    end = ClampMinutes(end);
    if (begin == 0 && end == 0)
        return {};
    Rect rect{0, 0, width, height};
    if (begin >= kDayEnd)
        return rect;
    rect.left = Scale(begin, width);
    if (end >= kDayEnd)
        rect.right = width;
    else
        rect.right = Scale(begin < end ? end : end + kLastMinute, width);
    if (rect.left == rect.right) {
        --rect.left;
        ++rect.right;
    }
    return rect;
}

int CQZGeometry::XToMinutes(int x, int width)
{
    if (width <= 0)
        return 0;
    if (x > width)
        x -= width;
    return static_cast<int>(static_cast<long long>(x) * kLastMinute / width);
}

CQZGeometry::Edge CQZGeometry::HitTestEdge(const Rect& rect, QPoint point, int clientRight)
{
    const int x = point.x();
    const int y = point.y();
    bool nearEnd = (x - rect.left) > (rect.right - x);
    if (rect.right <= clientRight) {
        if (!rect.Contains(x, y))
            return NoEdge;
        return nearEnd ? EndEdge : BeginEdge;
    }
    if ((rect.left + rect.right) / 2 > clientRight)
        nearEnd = false;
    const Rect wrapped{0, rect.top, rect.right - clientRight, rect.bottom};
    if (wrapped.Contains(x, y))
        return nearEnd ? BeginEdge : EndEdge;
    const Rect beforeMidnight{rect.left, rect.top, clientRight, rect.bottom};
    if (beforeMidnight.Contains(x, y))
        return nearEnd ? EndEdge : BeginEdge;
    return NoEdge;
}
