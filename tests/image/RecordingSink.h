#pragma once

#include "link/CNetCommand.h"
#include "link/INetCommandSink.h"

#include <set>
#include <utility>
#include <vector>

// Keeps every command it is given, and start flags of its own.
class RecordingSink : public INetCommandSink
{
public:
    bool StoreCommand(const CNetCommand& command) override
    {
        if (failAfter == 0)
            return false;
        --failAfter;
        commands.push_back(command);
        return true;
    }
    void SetStartFlag(int net, int node) override { flags.insert({net, node}); }
    bool TakeStartFlag(int net, int node) override { return flags.erase({net, node}) > 0; }

    std::vector<CNetCommand> commands;
    std::set<std::pair<int, int>> flags;
    int failAfter = -1; // stores this many, then refuses
};
