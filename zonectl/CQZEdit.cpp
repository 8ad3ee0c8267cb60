#include "zonectl/CQZEdit.h"

#include "zonectl/CQZState.h"
#include "zonectl/QZIdentifiers.h"

#include <QRect>

#include <algorithm>
#include <utility>

void CQZEdit::Press(QPoint point, QSize size)
{
    m_anchor = point;
    m_grabPeriod = -1;
    m_grabEdge = CQZGeometry::NoEdge;
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        const CQZGeometry::Edge edge = EdgeAt(p, point, size);
        if (edge != CQZGeometry::NoEdge) {
            m_grabPeriod = p;
            m_grabEdge = edge;
            return;
        }
    }
}

bool CQZEdit::Move(QPoint point, QSize size)
{
    if (!QRect(QPoint(0, 0), size).contains(point))
        return false;
    const int dx = point.x() - m_anchor.x();
    m_anchor = point;
    if (!Dragging())
        return false;

    const int width = size.width();
    const CQZState::Period& period = m_state.PeriodAt(m_grabPeriod);
    CQZGeometry::Rect rect = CQZGeometry::PeriodToRect(period.begin, period.end, width, size.height());
    // The all-day marker 1440 edits as the bar's own end.
    const int begin = period.begin >= CQZGeometry::kDayEnd ? 0 : period.begin;
    const int end = std::min(period.end, CQZGeometry::kLastMinute);

    CQZGeometry::Edge edge = m_grabEdge;
    const int fixedMinutes = edge == CQZGeometry::EndEdge ? begin : end;
    int& movedX = edge == CQZGeometry::EndEdge ? rect.right : rect.left;
    movedX += dx;
    const int movedMinutes = CQZGeometry::XToMinutes(movedX, width);
    // An edge dragged across the other one swaps roles rather than turning
    // the period inside out.
    if (rect.right < rect.left) {
        std::swap(rect.left, rect.right);
        edge = edge == CQZGeometry::EndEdge ? CQZGeometry::BeginEdge : CQZGeometry::EndEdge;
    }
    if (rect.left < 0)
        return false;
    const bool wraps = rect.right > width;
    if (wraps && rect.right - width > rect.left)
        return false;
    const int newBegin = edge == CQZGeometry::BeginEdge ? movedMinutes : fixedMinutes;
    const int newEnd = edge == CQZGeometry::EndEdge ? movedMinutes : fixedMinutes;
    // Equal minutes mean the whole day; a drag that closes a period does not.
    if (!wraps && (rect.right == rect.left || newBegin == newEnd))
        return false;

    m_grabEdge = edge;
    if (newBegin == period.begin && newEnd == period.end)
        return false;
    m_state.SetPeriod(m_grabPeriod, newBegin, newEnd);
    return true;
}

void CQZEdit::Release()
{
    m_grabPeriod = -1;
    m_grabEdge = CQZGeometry::NoEdge;
}

int CQZEdit::FirstPeriodAt(QPoint point, QSize size) const
{
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        if (EdgeAt(p, point, size) != CQZGeometry::NoEdge)
            return p;
    }
    return -1;
}

int CQZEdit::LastPeriodAt(QPoint point, QSize size) const
{
    for (int p = QZ::kPeriodCount - 1; p >= 0; --p) {
        if (EdgeAt(p, point, size) != CQZGeometry::NoEdge)
            return p;
    }
    return -1;
}

CQZGeometry::Edge CQZEdit::EdgeAt(int period, QPoint point, QSize size) const
{
    const CQZState::Period& p = m_state.PeriodAt(period);
    const CQZGeometry::Rect rect = CQZGeometry::PeriodToRect(p.begin, p.end, size.width(), size.height());
    return CQZGeometry::HitTestEdge(rect, point, size.width());
}
