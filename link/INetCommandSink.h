#pragma once

#include <cstdint>

class CNetCommand;

// Where the programming run puts the commands it makes, and the per-node
// start flags that decide whether a node's first memory write is preceded by
// a start command. The installation's command queue is the real one.
class INetCommandSink
{
public:
    virtual ~INetCommandSink() = default;

    // Stores a copy of the command; false when it could not be kept.
    virtual bool StoreCommand(const CNetCommand& command) = 0;
    virtual void SetStartFlag(int net, int node) = 0;
    // True, clearing it, when the node's start flag was set.
    virtual bool TakeStartFlag(int net, int node) = 0;
};
