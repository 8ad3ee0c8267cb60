#include "app/CloseGuard.h"

CloseDecision DecideClose(bool programmingRun, bool queueBusy, bool closeConfirmed)
{
    if (programmingRun)
        return CloseDecision::RefuseWhileProgramming;
    if (queueBusy && !closeConfirmed)
        return CloseDecision::AskToInterrupt;
    return CloseDecision::Close;
}
