#pragma once

#include "zonectl/CQZGeometry.h"

#include <QPoint>
#include <QSize>

class CQZState;

// Editing the periods with the mouse: which edge a press grabs, and how a drag
// moves it. Rectangles always come from the size the bar has now.
class CQZEdit
{
public:
    explicit CQZEdit(CQZState& state) : m_state(state) {}

    // Grabs an edge of the first period whose edge the point touches.
    void Press(QPoint point, QSize size);
    // Moves the grabbed edge by the distance from the last point; true when a
    // period changed. A move that would start the period left of the bar or
    // let its wrapped end reach past its own begin is refused.
    bool Move(QPoint point, QSize size);
    void Release();
    bool Dragging() const { return m_grabPeriod >= 0; }

    // The first, and the highest-numbered, period whose edge the point
    // touches; -1 for none.
    int FirstPeriodAt(QPoint point, QSize size) const;
    int LastPeriodAt(QPoint point, QSize size) const;

private:
    CQZGeometry::Edge EdgeAt(int period, QPoint point, QSize size) const;

    CQZState& m_state;
    QPoint m_anchor;
    int m_grabPeriod = -1;
    CQZGeometry::Edge m_grabEdge = CQZGeometry::NoEdge;
};
