#pragma once

#include "link/CNetQueueNode.h"
#include "link/INetCommandSink.h"
#include "link/INetCommandStore.h"

#include <array>
#include <cstdint>
#include <memory>

class CSetVestrels;

// The installation's network command queue: one entry per configured node
// (networks 1-8 by nodes 1-8) with the commands waiting for it.
class CNetCommandQueue : public INetCommandSink
{
public:
    // Where this queue's stored commands are written; the document that owns the queue.
    explicit CNetCommandQueue(INetCommandStore* owner = nullptr) : m_owner(owner) {}

    static constexpr int kNetworks = 8;
    static constexpr int kNodes = 8;

    // The entry, or null; node 15 (all nodes) reads as node 1, and any
    // place outside the grid has none.
    CNetQueueNode* GetNode(int net, int node) const;
    bool HasNode(int net, int node) const { return GetNode(net, node) != nullptr; }

    // Makes the entry of the current controller row, replacing one that was
    // there; its standing request becomes a status poll of the node.
    void AddNode(const CSetVestrels& controller);
    void RemoveNode(int net, int node);
    void RemoveAllNodes();

    // Files the command under its frame address; false (and the caller keeps
    // it) when the node has no entry or the command has no sending text.
    bool AddCommand(std::unique_ptr<CNetCommand>& command);

    // A time setting to all nodes of every active network, in standard or
    // daylight-saving time as the network's row says, with its hours offset.
    void QueueSetTimeForAllNetworks();

    // The Active field of the network's row; 0, said aloud, when there is none.
    int IsNetworkActive(int net) const;

    // Stores the command as a NetCommands row and its file for a node that
    // has an entry; a command for any other node is dropped (false, silently).
    // A suspended node gets its start flag raised once per programming run.
    bool StoreCommand(const CNetCommand& command) override;
    void SetStartFlag(int net, int node) override;
    bool TakeStartFlag(int net, int node) override;
    // A programming run begins: suspended nodes may raise their start flag again.
    void BeginProgrammingRun();

    std::uint8_t m_state = 1; // 1 while the queue is idle

private:
    INetCommandStore* m_owner;
    static bool InGrid(int net, int node);
    std::unique_ptr<CNetQueueNode>& Slot(int net, int node);

    std::uint8_t m_stage = 1;
    std::array<std::array<std::unique_ptr<CNetQueueNode>, kNodes>, kNetworks> m_grid;
    using NodeFlags = std::array<std::array<bool, kNodes>, kNetworks>;
    NodeFlags m_startFlags{};
    NodeFlags m_suspendedStartRaised{};
};
