#include "link/CCommunication.h"

#include "link/LinkConnection.h"

int CCommunication::Initialize()
{
    StopEvent = std::make_unique<EventFd>();
    return 1;
}
