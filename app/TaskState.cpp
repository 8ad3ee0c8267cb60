#include "app/TaskState.h"

#include "link/NetRunResults.h"

int TaskModeUpdate = 0;
int TaskModeBackup = 0;
int TaskModeSetTime = 0;

QObject* TaskTargetWindow = nullptr;

int TaskBackupResult = 0;
int TaskRunFailed = 0;


TaskMode CurrentTaskMode()
{
    if (TaskModeUpdate)
        return TaskMode::Update;
    if (TaskModeBackup)
        return TaskMode::Backup;
    if (TaskModeSetTime)
        return TaskMode::SetTime;
    return TaskMode::None;
}

void SetTaskMode(TaskMode mode)
{
    TaskModeUpdate = mode == TaskMode::Update;
    TaskModeBackup = mode == TaskMode::Backup;
    TaskModeSetTime = mode == TaskMode::SetTime;
}

void ResetTaskResults()
{
    NetTaskResult.fill(kTaskNetUnused);
    NetRunResults::Reset();
    TaskBackupResult = 0;
    TaskRunFailed = 0;
}

void NoteTaskFailure(const std::vector<int>& networks, const QString& reason)
{
    if (CurrentTaskMode() == TaskMode::None)
        return;
    TaskRunFailed = 1;
    for (const int net : networks)
        NetRunResults::Fail(net, reason.isEmpty() ? QStringLiteral("The programming run could not store its commands.")
                                                  : reason);
}
