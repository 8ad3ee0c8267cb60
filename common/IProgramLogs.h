#pragma once

#include <QString>

// The program's text logs (CLogFile kinds); the application owns them.
class IProgramLogs
{
public:
    virtual ~IProgramLogs() = default;

    // Dropped while the log is not open.
    virtual void LogToFile(int log, const QString& text) = 0;
};
