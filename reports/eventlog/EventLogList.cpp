#include "reports/eventlog/EventLogList.h"

#include "common/InstallationPaths.h"
#include "platform/MessageBox.h"
#include "reports/eventlog/EventLogReport.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

const QString kLogSuffix = QStringLiteral(".mdb");

} // namespace

std::vector<EventLogEntry> ListEventLogs(const QString& installationFolder)
{
    std::vector<EventLogEntry> entries;
    const QDir archives(InstallationPaths::BuildPath(InstallationPaths::kEventLogs, QString(), installationFolder));
    // The search names an archive by its file name and adds ".mdb" as written.
    const QStringList files = archives.entryList({QLatin1Char('*') + kLogSuffix},
                                                 QDir::Files | QDir::Hidden | QDir::CaseSensitive, QDir::Name);
    for (const QString& file : files)
        entries.push_back({file.section(QLatin1Char('.'), 0, 0), file.chopped(kLogSuffix.size())});
    const QString current = QString::fromLatin1(kCurrentEventLog);
    entries.push_back({current, current});
    std::stable_sort(entries.begin(), entries.end(), [](const EventLogEntry& a, const EventLogEntry& b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

int CurrentEventLogIndex(const std::vector<EventLogEntry>& entries)
{
    const auto current = std::find_if(entries.begin(), entries.end(), [](const EventLogEntry& entry) {
        return entry.log == QLatin1String(kCurrentEventLog);
    });
    return current == entries.end() ? -1 : static_cast<int>(current - entries.begin());
}

bool DeleteEventLog(const QString& installationFolder, const EventLogEntry& entry)
{
    if (entry.text.isEmpty()) {
        ShowMessageBox(QStringLiteral("Error getting string from list box"));
        return false;
    }
    if (entry.text == QLatin1String(kCurrentEventLog)) {
        ShowMessageBox(QStringLiteral("Cannot delete the Wardix Event Log."));
        return false;
    }
    if (ShowMessageBox(QStringLiteral("Do you want to permanently delete this Event Log database."), MbButtons::YesNo,
                       MbIcon::Question)
        != IDYES)
        return false;
    if (!QFile::remove(EventLogFile(installationFolder, entry.log))) {
        ShowMessageBox(QStringLiteral("Error deleting the selected Eevent Log database."));
        return false;
    }
    return true;
}
