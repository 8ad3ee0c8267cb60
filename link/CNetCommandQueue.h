#pragma once

#include "link/CNetQueueNode.h"
#include "link/INetCommandSink.h"
#include "link/INetCommandStore.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class CSetVestrels;
class QObject;

// The installation's network command queue: one entry per configured node
// (networks 1-8 by nodes 1-8) with the commands waiting for it. It chooses
// what the link sends next: commands in memory for the current network, then
// its stored commands node by node.
class CNetCommandQueue : public INetCommandSink
{
public:
    // Where this queue's stored commands are kept; the document that owns the queue.
    explicit CNetCommandQueue(INetCommandStore* owner = nullptr) : m_owner(owner) {}

    static constexpr int kNetworks = 8;
    static constexpr int kNodes = 8;
    static constexpr int kMasterNode = 1;

    // Request stages: idle, in-memory commands, looking for a stored command,
    // sending one node's stored commands.
    static constexpr std::uint8_t kStageIdle = 1;
    static constexpr std::uint8_t kStageMemory = 2;
    static constexpr std::uint8_t kStageFindStored = 3;
    static constexpr std::uint8_t kStageStored = 4;

    // Why SetNodeState is called: the node did not answer, or it did.
    static constexpr int kReasonNoReply = 3;
    static constexpr int kReasonNoReplyEventLog = 4;
    static constexpr int kReasonStatusReply = 9;
    static constexpr int kReasonAck = 12;

    // Asked whether the network list offers a network.
    using NetworkListed = std::function<bool(int net)>;
    // Switches the main window to the network status pane.
    using ShowStatusPanes = std::function<void()>;
    // Told of a stored command whose file did not load, once it is out of the queue.
    using UnreadableCommand = std::function<void(const SetAsideCommand& command)>;

    // The entry, or null; node 15 (all nodes) reads as node 1, and any
    // place outside the grid has none.
    CNetQueueNode* GetNode(int net, int node) const;
    bool HasNode(int net, int node) const { return GetNode(net, node) != nullptr; }
    // The node has an entry made from a controller record of the installation.
    bool IsConfigured(int net, int node) const
    {
        const CNetQueueNode* entry = GetNode(net, node);
        return entry && entry->m_configured;
    }

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
    // The network's link password; the default one, said aloud, when the row is missing.
    QString GetNetworkPassword(int net) const;

    // Stores the command as a NetCommands row and its file for a node that
    // has an entry; a command for any other node is dropped (false, silently).
    // A suspended node gets its start flag raised once per programming run.
    bool StoreCommand(const CNetCommand& command) override;
    void SetStartFlag(int net, int node) override;
    bool TakeStartFlag(int net, int node) override;
    // A programming run begins: suspended nodes may raise their start flag again.
    void BeginProgrammingRun();

    // A node failed to answer (suspended; an unconfigured entry goes) or
    // answered (an unknown node gets an entry; a supported one is back in service).
    void SetNodeState(int net, int node, int reason);
    // A node of the network's entries is suspended, or the poll pass found
    // an address of the network silent: the status panes were shown for it.
    bool NetworkHasSuspendedNode(int net) const;
    // A node of the network's entries is suspended.
    bool HasSuspendedEntry(int net) const;
    bool IsNodeAvailable(int net, int node) const;
    int GetNodeIcon(int net, int node, int view) const;
    int CountNodes(int net) const;
    void DropSingleNodeCommands();

    void SetShowStatusPanes(ShowStatusPanes show) { m_showStatusPanes = std::move(show); }
    void SetUnreadableCommand(UnreadableCommand told) { m_unreadableCommand = std::move(told); }

    // The network served from now on; the request selection starts afresh.
    void SetCurrentNetwork(int net);
    int GetCurrentNetwork() const { return m_currentNetwork; }
    // The next request of the current network, copied into command; false when it has none.
    bool GetNextRequest(CNetCommand& command);
    // Only asks: the first node from node up whose entry would give an
    // in-memory command; the commands stay where they are.
    bool FindNextCommand(int net, int& node) const;
    // The network to serve next; false when none has work.
    bool GetNextNetwork(int& net, const NetworkListed& listed);
    // The first network, at or after none, whose in-service nodes hold
    // in-memory commands; suspended nodes lose theirs on the way. 0 for none.
    int ScanInMemory(int onlyNet = 0);

    // The standard requests.
    CNetCommand MakeLinkLoginRequest(int net, QObject* notify);
    // A poll pass starts at node 1.
    void ResetPollCursor();
    CNetCommand MakePollRequest();
    // Moves the cursor on; false when the pass is over (cursor 0).
    bool AdvancePollCursor(bool skipMissing);
    int GetPollCursor() const { return m_pollCursor; }
    bool QueuePriorityAccess(int selectedNet);
    bool QueueAntiPassbackReset(std::uint16_t cardholder, bool allNetworks, int selectedNet);

    std::uint8_t m_state = kStageIdle; // the request stage; kStageIdle while nothing is sent

private:
    static bool InGrid(int net, int node);
    std::unique_ptr<CNetQueueNode>& Slot(int net, int node);
    bool NodeHasStoredWork(int net, int node);
    bool NetworkHasStoredWork(int net);
    bool LoadStoredOfNode(int node, CNetCommand& command);
    bool SetAsideUnreadable(std::int32_t commandId);
    QString NodeFilter(int net, int node) const;
    bool QueueForNetwork(const CNetCommand& command);

    INetCommandStore* m_owner;
    ShowStatusPanes m_showStatusPanes;
    UnreadableCommand m_unreadableCommand;
    QString m_filter;
    std::uint8_t m_nodeCursor = 1;
    std::uint8_t m_pollCursor = 1;
    std::uint8_t m_currentNetwork = 0;
    std::array<std::array<std::unique_ptr<CNetQueueNode>, kNodes>, kNetworks> m_grid;
    using NodeFlags = std::array<std::array<bool, kNodes>, kNetworks>;
    NodeFlags m_startFlags{};
    NodeFlags m_suspendedStartRaised{};
    NodeFlags m_silentInPass{};
};
