#include "app/CTaskStepDriver.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "app/TaskState.h"
#include "platform/WindowMessages.h"

namespace {

void Post(int& step, unsigned message, quintptr wParam = 0)
{
    step = kStepPosted;
    PostAppMessage(TaskTargetWindow, message, wParam);
}

} // namespace

void CTaskStepDriver::OnIdle(QObject* mainWindow)
{
    switch (CurrentTaskMode()) {
    case TaskMode::Update:
        DriveUpdateOrSetTime(mainWindow, TaskStepEventLogs, Msg::TaskStepEventLogs);
        break;
    case TaskMode::Backup:
        DriveBackup(mainWindow);
        break;
    case TaskMode::SetTime:
        DriveUpdateOrSetTime(mainWindow, TaskStepSetTime, Msg::TaskStepSetTime);
        break;
    case TaskMode::None:
        if (ProgramDeferred)
            DriveDeferredProgramming();
        break;
    }
}

bool CTaskStepDriver::Due()
{
    ++m_idleCounter;
    if (m_idleCounter < kIdleCallsPerStep || !TaskTargetWindow)
        return false;
    m_idleCounter = 0;
    return true;
}

void CTaskStepDriver::DriveUpdateOrSetTime(QObject* mainWindow, int& lastStep, unsigned lastMessage)
{
    if (!Due())
        return;
    if (TaskStepProgram == kStepNotStarted)
        Post(TaskStepProgram, Msg::TaskStepProgram);
    else if (TaskStepProgram == kStepDone && TaskStepSend == kStepNotStarted)
        Post(TaskStepSend, Msg::TaskStepSend);
    else if (TaskStepProgram == kStepDone && TaskStepSend == kStepDone && lastStep == kStepNotStarted)
        Post(lastStep, lastMessage);
    else if (TaskStepProgram == kStepDone && TaskStepSend == kStepDone && lastStep == kStepDone)
        PostAppMessage(mainWindow, Msg::WM_CLOSE);
}

void CTaskStepDriver::DriveBackup(QObject* mainWindow)
{
    if (!Due())
        return;
    if (TaskStepBackup == kStepNotStarted)
        Post(TaskStepBackup, Msg::TaskStepBackup, kBackupFromTask);
    else if (TaskStepBackup == kStepDone)
        PostAppMessage(mainWindow, Msg::WM_CLOSE);
}

void CTaskStepDriver::DriveDeferredProgramming()
{
    if (!Due())
        return;
    const CWFDoc* doc = GetInstallationDoc();
    if (doc && doc->GetPendingCommandCount() != 0)
        return;
    ProgramDeferred = 0;
    PostAppMessage(TaskTargetWindow, Msg::TaskStepProgram);
}
