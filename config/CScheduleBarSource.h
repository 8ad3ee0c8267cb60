#pragma once

#include <memory>

class CScheduleBar;
class QWidget;

// Makes the schedule bars of one editor. When the control cannot be created
// the operator is told why once, and every bar becomes a placeholder.
class CScheduleBarSource
{
public:
    std::unique_ptr<CScheduleBar> Create(QWidget* parent);

private:
    bool m_failureShown = false;
};
