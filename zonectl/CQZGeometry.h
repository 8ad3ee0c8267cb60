#pragma once

#include <QPoint>

// Where a period lies on the bar and which of its edges a point touches. The
// bar spans the whole width for minutes 0 to 1439 with a divisor of 1439, so
// 23:59 lands on the right edge itself.
class CQZGeometry
{
public:
    static constexpr int kLastMinute = 1439;
    // Stored by the validation-group pages for "all day"; anything above is
    // clamped to it.
    static constexpr int kDayEnd = 1440;

    enum Edge { NoEdge = 0, BeginEdge = 1, EndEdge = 2 };

    // Right and bottom exclusive. A period that runs past midnight has its
    // right beyond the bar's right edge by the length of its wrapped piece.
    struct Rect
    {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;

        bool IsEmpty() const { return right <= left || bottom <= top; }
        bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
        bool operator==(const Rect&) const = default;
    };

    static int ClampMinutes(long long value);
    static Rect PeriodToRect(int begin, int end, int width, int height);
    static int XToMinutes(int x, int width);
    static Edge HitTestEdge(const Rect& rect, QPoint point, int clientRight);
};
