#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "app/TaskLogMessageBoxes.h"
#include "app/TaskSchedulerLog.h"
#include "app/TaskState.h"
#include "database/CInstallation.h"
#include "database/CInstallationBackup.h"
#include "database/EventLogMaintenance.h"
#include "database/GlobalRecordsets.h"
#include "platform/Clock.h"
#include "platform/Profile.h"

#include <QCoreApplication>
#include <QDate>

// One operation of the fault walk, in a process of its own that the test
// preloads with the fault library. As a scheduled run does, it writes each
// message to the task log and ends with its result line; the exit code is
// 0 on success, 1 on a failure it reported.
//
//   fault_walk_child program <installation file>
//   fault_walk_child backup <folder>     (of the profile's first installation)
//   fault_walk_child restore <backup log>
//   fault_walk_child split <installation file> <yyyy-MM-dd>
//   fault_walk_child clear <installation file>
namespace {

void LogLine(const QString& line)
{
    TaskSchedulerLog::Append(TaskSchedulerLog::FilePath(), QLatin1Char('\n') + line);
}

bool Program(const QString& installation)
{
    CWFDoc doc;
    if (!doc.OnOpenDocument(installation))
        return false;
    const bool programmed = doc.PrepareNetworkProgramming(0, 0) == 1;
    doc.OnCloseDocument();
    return programmed;
}

// As the program backs up: with the listed installation open, its data
// closed around the copies and opened again.
bool Backup(const QString& folder)
{
    CWFDoc doc;
    if (!doc.OnOpenDocument(Profile::GetString(QStringLiteral("Installations"), CInstallation::ProfileKey(1))))
        return false;
    TaskBackupResult = CInstallationBackup::RunScheduled(folder, [&doc](bool open) { doc.OpenInstallation(open); }) ? 1 : 0;
    doc.OnCloseDocument();
    return TaskBackupResult == 1;
}

bool Restore(const QString& log)
{
    CInstallationBackup backup;
    backup.SetLogPath(log);
    return backup.Restore(false);
}

bool EventLogWork(const QString& installation, const QString& operation, const QString& date)
{
    CWFDoc doc;
    if (!doc.OnOpenDocument(installation))
        return false;
    SetInstallationDoc(&doc);
    const bool done = operation == QLatin1String("split")
                          ? EventLogMaintenance::SplitEventLog(doc.m_strInstallationFolder,
                                                               QDate::fromString(date, Qt::ISODate))
                          : EventLogMaintenance::ClearEventLog(g_setEventLog);
    SetInstallationDoc(nullptr);
    doc.OnCloseDocument();
    return done;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3)
        return 2;
    const QString operation = arguments[1];
    const TaskMode mode = operation == QLatin1String("program")  ? TaskMode::Update
                          : operation == QLatin1String("backup") ? TaskMode::Backup
                                                                 : TaskMode::None;
    ResetTaskResults();
    SetTaskMode(mode);
    const QString taskLog = TaskSchedulerLog::FilePath();
    TaskSchedulerLog::WriteStart(taskLog, TaskSchedulerLog::StartLine(mode, Clock::Current().NowLocal(), operation));
    bool done = false;
    {
        const TaskLogMessageBoxes boxes(LogLine);
        if (operation == QLatin1String("program"))
            done = Program(arguments[2]);
        else if (operation == QLatin1String("backup"))
            done = Backup(arguments[2]);
        else if (operation == QLatin1String("restore"))
            done = Restore(arguments[2]);
        else
            done = EventLogWork(arguments[2], operation, arguments.value(3));
    }
    if (Profile::HasFailedWrite())
        NoteTaskFailure();
    TaskSchedulerLog::Append(taskLog, TaskSchedulerLog::ResultLines(mode, NetTaskResult, TaskBackupResult,
                                                                    TaskSchedulerLog::NetReasons(), TaskRunFailed != 0));
    return done && !TaskRunFailed ? 0 : 1;
}
