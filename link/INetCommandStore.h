#pragma once

class CNetCommand;

// Where the queue keeps the commands it accepts until they are sent; the
// installation's document implements it.
class INetCommandStore
{
public:
    virtual ~INetCommandStore() = default;

    // Stores the command as a NetCommands row and its file; false when it
    // could not be kept.
    virtual bool StoreNetCommand(const CNetCommand& command) = 0;
};
