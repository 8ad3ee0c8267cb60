#include "database/EventLogMaintenance.h"

#include "common/InstallationPaths.h"
#include "database/CSetEventLog.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"
#include "platform/DurableFiles.h"
#include "platform/MessageBox.h"
#include "platform/OleDate.h"
#include "platform/ProgramFolder.h"
#include "platform/SqlStatement.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <new>

namespace EventLogMaintenance
{
namespace
{
using Paths = InstallationPaths;

constexpr int kTwoDigitYearPivot = 30; // 30-99 are 1930-1999, 00-29 2000-2029
constexpr int kCenturyBefore = 1900;
constexpr int kCenturyFrom = 2000;

const QString kLogFile = QStringLiteral("EventLog.mdb");
const QString kNewLogFile = QStringLiteral("EventLogTemp.mdb");
const QString kArchiveWorkFile = QStringLiteral("Temp.mdb");

// Keeps the program-wide event log closed while its file is worked on and
// opens it again afterwards, whatever the outcome, when it was open.
class ProgramLogClosed
{
public:
    ProgramLogClosed() : m_wasOpen(g_setEventLog.IsOpen()) { g_setEventLog.Close(); }
    ~ProgramLogClosed()
    {
        if (!m_wasOpen || g_setEventLog.IsOpen())
            return;
        try {
            g_setEventLog.Open();
            g_setEventLog.Requery();
        } catch (const DatabaseException& error) {
            ShowDatabaseExceptionReport(error);
        }
    }
    ProgramLogClosed(const ProgramLogClosed&) = delete;
    ProgramLogClosed& operator=(const ProgramLogClosed&) = delete;

private:
    bool m_wasOpen;
};

qint64 CountRows(Database& database)
{
    SqlStatement count(database.Handle(), QStringLiteral("SELECT COUNT(*) FROM [Eventlog]"));
    count.Step();
    return count.Int64(0);
}

struct EventSpan
{
    qint64 total = 0;
    qint64 count = 0; // at or before the limit
    QDateTime first;
};

// The events at or before the limit, counted, with the earliest time.
EventSpan EventsUpTo(const QString& path, double limit)
{
    const std::shared_ptr<Database> database = Database::Open(path);
    SqlStatement query(database->Handle(), QStringLiteral("SELECT COUNT(*), MIN([Time]) FROM [Eventlog] WHERE [Time] <= ?"));
    query.Bind(1, limit);
    EventSpan span;
    if (query.Step()) {
        span.count = query.Int64(0);
        if (span.count > 0)
            span.first = FromOleDate(query.Value(1).toDouble());
    }
    span.total = CountRows(*database);
    return span;
}

[[noreturn]] void ThrowIncomplete(const char* what)
{
    throw DatabaseException(JetError::ReservedError, QLatin1String(what));
}

// Deletes the rows on one side of the limit from a copy and compacts it.
// Returns the rows left.
qint64 KeepOneSide(const QString& path, const QString& deleteCondition, double limit)
{
    const std::shared_ptr<Database> database = Database::Open(path);
    {
        SqlStatement remove(database->Handle(), QStringLiteral("DELETE FROM [Eventlog] WHERE ") + deleteCondition);
        remove.Bind(1, limit);
        remove.Step();
    }
    database->Execute(QStringLiteral("VACUUM"));
    return CountRows(*database);
}

void ShowFixedText(const char* text)
{
    ShowMessageBox(QLatin1String(text), MbButtons::Ok, MbIcon::None);
}
} // namespace

std::optional<QDate> ParseSplitDate(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})\\s*/\\s*(\\d{1,2})\\s*/\\s*(\\d{2})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int twoDigitYear = match.captured(3).toInt();
    const int year = twoDigitYear + (twoDigitYear < kTwoDigitYearPivot ? kCenturyFrom : kCenturyBefore);
    const QDate date(year, match.captured(1).toInt(), match.captured(2).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString FormatSplitDate(const QDate& date)
{
    return date.toString(QStringLiteral("MM/dd/yy"));
}

QString ArchiveFileName(const QDateTime& firstEvent, const QDate& splitDate)
{
    return QStringLiteral("%1 - %2.mdb")
        .arg(firstEvent.toString(QStringLiteral("MM dd yy")), splitDate.toString(QStringLiteral("MM dd yy")));
}

bool ClearEventLog(CSetEventLog& log)
{
    try {
        if (!log.IsOpen())
            log.Open();
        log.DeleteAll();
        log.Requery();
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
        return false;
    } catch (const std::bad_alloc&) {
        ShowMemoryExceptionReport();
        return false;
    }
    return true;
}

namespace
{
bool SplitFiles(const QString& installationFolder, const QDate& splitDate)
{
    const QString logPath = Paths::BuildPath(Paths::kInstallationDatabase, kLogFile, installationFolder);
    const QString newLogPath = Paths::BuildPath(Paths::kInstallationDatabase, kNewLogFile, installationFolder);
    const QString workPath = Paths::BuildPath(Paths::kEventLogs, kArchiveWorkFile, installationFolder);
    // Midnight at the start of the day: the archive takes the events up to
    // and including that instant.
    const double limit = ToOleDate(QDateTime(splitDate, QTime(0, 0)));

    QFile::remove(workPath);
    QFile::remove(newLogPath);
    EnsureFolder(Paths::BuildPath(Paths::kEventLogs, QString(), installationFolder));

    EventSpan span;
    try {
        span = EventsUpTo(logPath, limit);
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
        return false;
    }
    if (span.count == 0) {
        ShowFixedText("There are no events in the Event Log database in the specified interval.");
        return false;
    }
    const QString archivePath =
        Paths::BuildPath(Paths::kEventLogs, ArchiveFileName(span.first, splitDate), installationFolder);
    if (QFile::exists(archivePath)) {
        ShowFixedText("Error in the file structure.");
        return false;
    }

    // The archive first, checked whole, then moved into place without
    // replacing anything.
    try {
        Database::CompactInto(logPath, workPath);
    } catch (const DatabaseException&) {
        QFile::remove(workPath);
        ShowFixedText("Error in database structure.");
        return false;
    }
    try {
        if (KeepOneSide(workPath, QStringLiteral("[Time] > ?"), limit) != span.count)
            ThrowIncomplete("The archive of the event log is incomplete.");
    } catch (const DatabaseException& error) {
        QFile::remove(workPath);
        ShowDatabaseExceptionReport(error);
        return false;
    }
    if (!MoveIntoPlace(workPath, archivePath)) {
        QFile::remove(workPath);
        QFile::remove(archivePath);
        ShowFixedText("Error in the file structure.");
        return false;
    }

    // Only now do the archived events leave the current log, which is
    // replaced in one rename.
    bool replacing = false;
    try {
        Database::CompactInto(logPath, newLogPath);
        if (KeepOneSide(newLogPath, QStringLiteral("[Time] <= ?"), limit) != span.total - span.count)
            ThrowIncomplete("The new event log is incomplete.");
        replacing = true;
        Database::ReplaceFile(newLogPath, logPath);
    } catch (const DatabaseException&) {
        // Until the new log stands in place the current one is complete and
        // the archive would only repeat it; once it does, only the archive
        // holds the archived events.
        if (!replacing || QFile::exists(newLogPath)) {
            QFile::remove(newLogPath);
            QFile::remove(archivePath);
        }
        ShowFixedText("Error in file system structure.");
        return false;
    }
    return true;
}
} // namespace

bool SplitEventLog(const QString& installationFolder, const QDate& splitDate)
{
    bool split = false;
    {
        const ProgramLogClosed programLog;
        try {
            split = SplitFiles(installationFolder, splitDate);
        } catch (const std::bad_alloc&) {
            ShowMemoryExceptionReport();
        }
    }
    if (split)
        ShowMessageBox(QStringLiteral("Splitting of Event Log data base complete."));
    return split;
}
} // namespace EventLogMaintenance
