#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

class CSetEventLog;

// Clearing the event log and moving its older events into an archive file of
// the installation's "Event Logs" folder.
namespace EventLogMaintenance
{
// The date of the page's "mm/dd/yy" text; two-digit years 30-99 are 1930-1999
// and 00-29 are 2000-2029, as the database engine reads them. Nothing for a
// text that is not a real date.
std::optional<QDate> ParseSplitDate(const QString& text);
// The page's text for a date.
QString FormatSplitDate(const QDate& date);
// "<first> - <split>.mdb", both dates "mm dd yy".
QString ArchiveFileName(const QDateTime& firstEvent, const QDate& splitDate);

// Deletes every row of the log; the file and its table stay. False after an
// error, which has been shown.
bool ClearEventLog(CSetEventLog& log);

// Moves every event up to the start of splitDate into a new archive and keeps
// the later ones. The archive is complete and in place before any event
// leaves the current log, and the current log is replaced in one rename, so
// a failure at any point leaves every event in the current log. Closes the
// program-wide event log for the file work and opens it again when it was
// open. Every outcome is shown; true when the log was split.
bool SplitEventLog(const QString& installationFolder, const QDate& splitDate);
} // namespace EventLogMaintenance
