#include "reports/eventlog/EventLogReport.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "common/IProgress.h"
#include "common/InstallationPaths.h"
#include "database/CSetEventLog.h"
#include "database/DatabaseErrors.h"
#include "database/DatabaseFiles.h"
#include "database/Schema.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"
#include "platform/ForwardRows.h"
#include "platform/MessageBox.h"
#include "reports/lists/CReportColMgmnt.h"

#include <QFileInfo>

#include <memory>

namespace {

constexpr int kEventsPerCheck = 10;
constexpr const char* kCaption = "Generating Event log report...";
constexpr const char* kStatusLead = "                        ";

QString FoundText(int count)
{
    return QString::number(count) + QStringLiteral(" records found.");
}

// A log written before the search's indexes existed gets them at its first
// search; one that cannot be written is searched without them, more slowly.
void AddSearchIndexes(const QString& path)
{
    const TableDef* table = Schema::FindTable(QLatin1String(DatabaseFiles::EventLog), QStringLiteral("Eventlog"));
    try {
        Database::Open(path)->AddMissingIndexes(*table);
    } catch (const DatabaseException&) {
        // The search reports a file it cannot read.
    }
}

} // namespace

QString EventLogFile(const QString& installationFolder, const QString& logName)
{
    if (logName == QLatin1String(kCurrentEventLog))
        return InstallationPaths::BuildPath(InstallationPaths::kInstallationDatabase, QStringLiteral("EventLog.mdb"),
                                            installationFolder);
    return InstallationPaths::BuildPath(InstallationPaths::kEventLogs, logName + QStringLiteral(".mdb"),
                                        installationFolder);
}

void BuildEventLogReport(IReportRowSink& rows)
{
    const CWFDoc* doc = GetInstallationDoc();
    if (!doc)
        return;
    const QFileInfo file(EventLogFile(doc->m_strInstallationFolder, doc->m_strEventLogLabel));
    CSetEventLog log;
    log.m_strDBFolder = file.path();
    log.m_strDBFileName = QLatin1Char('/') + file.fileName();
    SearchEventLog(rows, log, doc->m_strEventLogFilter);
}

void SearchEventLog(IReportRowSink& rows, CSetEventLog& log, const QString& criteria,
                    const RowBatches::Ticks& ticks)
{
    RowBatches batches(rows, ticks);
    IProgressFactory* factory = GetProgressFactory();
    std::unique_ptr<IProgress> progress =
        factory ? factory->Open(IProgress::Plain, QLatin1String(kCaption), QString(), 0) : nullptr;
    if (progress)
        progress->HideBar();
    int count = 0;
    try {
        AddSearchIndexes(log.GetDefaultDBName());
        ForwardRows events(log, criteria);
        bool cancelled = false;
        while (!cancelled && events.MoveNext()) {
            QString time;
            QString door;
            QString modifier = QStringLiteral(" ");
            QString event;
            log.GetColumnText(time, door, modifier, event);
            if (!door.isEmpty() || !event.isEmpty())
                CReportColMgmnt::AddReportRow(batches, time, door, modifier, event);
            if (count % kEventsPerCheck == 0) {
                batches.FlushRows();
                if (progress) {
                    progress->SetStatus(QLatin1String(kStatusLead) + FoundText(count));
                    cancelled = progress->CheckCancelButton();
                }
            }
            ++count;
        }
    } catch (const DatabaseException& error) {
        batches.HandOver();
        progress.reset();
        ShowDatabaseExceptionReport(error);
        return;
    }
    batches.HandOver();
    progress.reset();
    if (count == 0)
        ShowMessageBox(QStringLiteral("No records found."));
    else if (count == 1)
        ShowMessageBox(QStringLiteral("1 record found."), MbButtons::Ok, MbIcon::Information);
    else
        ShowMessageBox(FoundText(count), MbButtons::Ok, MbIcon::Information);
}
