#pragma once

#include "platform/MessageBox.h"

#include <QString>

#include <functional>

// While a scheduled task runs nobody is there to click: each box's text goes
// to the task log as one line and the box answers at once, OK where that is
// the only button, else the answer that agrees to nothing.
class TaskLogMessageBoxes
{
public:
    using LineWriter = std::function<void(const QString& line)>;

    explicit TaskLogMessageBoxes(LineWriter write);
    ~TaskLogMessageBoxes();
    TaskLogMessageBoxes(const TaskLogMessageBoxes&) = delete;
    TaskLogMessageBoxes& operator=(const TaskLogMessageBoxes&) = delete;

    // The box's text with its line breaks run together, so it reads as one line.
    static QString AsLogLine(const QString& text);
    static int UnattendedAnswer(MbButtons buttons);

private:
    MessageBoxPresenter m_previous;
};
