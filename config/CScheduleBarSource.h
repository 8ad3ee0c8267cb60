#pragma once

#include <memory>

class CScheduleBar;
class QWidget;

// Makes the schedule bars of one editor. When the control cannot be created
// every bar becomes a placeholder, and the reason is logged once.
class CScheduleBarSource
{
public:
    std::unique_ptr<CScheduleBar> Create(QWidget* parent);

private:
    bool m_failureLogged = false;
};
