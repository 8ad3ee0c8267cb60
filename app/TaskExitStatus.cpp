#include "app/TaskExitStatus.h"

#include "app/TaskState.h"

#include <algorithm>

namespace {

bool NoNetworkFailed()
{
    return std::none_of(NetTaskResult.begin(), NetTaskResult.end(), [](int result) { return result == kTaskNetFailed; });
}

bool ProgrammedAndSent()
{
    return TaskStepProgram == kStepDone && TaskStepSend == kStepDone;
}

bool Passed(TaskMode mode)
{
    if (mode != TaskMode::None && TaskRunFailed)
        return false;
    switch (mode) {
    case TaskMode::None:
        return true;
    case TaskMode::Update:
        return ProgrammedAndSent() && TaskStepEventLogs == kStepDone && NoNetworkFailed();
    case TaskMode::SetTime:
        return ProgrammedAndSent() && TaskStepSetTime == kStepDone && NoNetworkFailed();
    case TaskMode::Backup:
        return TaskStepBackup == kStepDone && TaskBackupResult == 1;
    }
    return false;
}

} // namespace

int TaskExitStatus()
{
    return Passed(CurrentTaskMode()) ? kExitPassed : kExitTaskFailed;
}
