#pragma once

#include "app/TaskState.h"

#include <QDateTime>
#include <QString>

#include <array>

// "TaskSchedulerLog.txt": per scheduled run a blank line, the start line, the
// result lines and the end line, with CRLF line ends.
namespace TaskSchedulerLog {

inline constexpr const char* kHeader = "Task Scheduler Log for Wardenfold";

QString FilePath();

QString StartLine(TaskMode mode, const QDateTime& now, const QString& installation);
using NetReasonLines = std::array<QString, kTaskNetworkCount>;

// A failed network's reason line, when it has one, comes just before its result line.
// In a run that failed otherwise (runFailed: a file it could not write) no
// network and no backup passes, as the exit status says. A network's note
// line, when it has one, comes first, whether it passed or failed.
QString ResultLines(TaskMode mode, const std::array<int, kTaskNetworkCount>& netResults, int backupResult,
                    const NetReasonLines& reasons = {}, bool runFailed = false, const NetReasonLines& notes = {});
// The reason a network that did its work gets when the run failed otherwise.
inline constexpr const char* kRunFailedReason = "The run could not write all its settings.";
// Why each network of the run failed, one line each.
NetReasonLines NetReasons();
// What each network's run was noted for that failed nothing, one line each.
NetReasonLines NetNotes();
QString EndLine(TaskMode mode, const QDateTime& now, const QString& installation);

// Opens or creates the log, puts the header in when the file does not start
// with it, and appends the start line. False when the log cannot be opened.
bool WriteStart(const QString& path, const QString& startLine);

// Appends to an existing log; a missing or unwritable log takes nothing.
bool Append(const QString& path, const QString& text);

} // namespace TaskSchedulerLog
