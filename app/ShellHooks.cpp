#include "app/ShellHooks.h"

ShellHooks& Hooks()
{
    static ShellHooks hooks;
    return hooks;
}

bool IsNetworkQueueBusy()
{
    const auto& probe = Hooks().queueBusy;
    return probe && probe();
}
