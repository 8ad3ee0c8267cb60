#include "database/CSetVestrels.h"
#include "link/CNetCommandQueue.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "link/NodeAddress.h"
#include "tests/link/FakeCommandStore.h"

#include <QFile>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kNetA = 1;
constexpr int kNetC = 3;

// Networks A (nodes 1, 3, 5) and C (node 1), every table as a fresh start leaves it.
class QueueRequests : public ::testing::Test
{
protected:
    QueueRequests()
    {
        ResetLinkRunState();
        NetQueueState.fill(kNetworkStateNormal);
        for (auto& row : NodeLinkState)
            row.fill(kNodeStateAnswers);
        for (auto [net, node] : {std::pair{kNetA, 1}, {kNetA, 3}, {kNetA, 5}, {kNetC, 1}}) {
            CSetVestrels row;
            row.m_NetAddress = static_cast<std::uint8_t>(net);
            row.m_NodeAddress = static_cast<std::uint8_t>(node);
            queue.AddNode(row);
        }
    }
    ~QueueRequests() override
    {
        for (auto& row : NodeLinkState)
            row.fill(kNodeStateUnknown);
    }

    void QueueInMemory(int net, int node)
    {
        auto command = std::make_unique<CNetCommand>(NetKind::NodeCommand, net, node, NetCommandData{1});
        ASSERT_TRUE(queue.AddCommand(command));
    }
    void Store(int net, int node)
    {
        ASSERT_TRUE(queue.StoreCommand(
            CNetCommand::CNetCommandMemoryUpdate(MakeNodeAddress(net, node), QByteArray("\x01\x00\x00\x00\x01\x55", 6))));
    }
    // Sends whatever the current network offers, acknowledging stored
    // commands as the link does, and names each as "A3" or "A1#2" (stored id).
    // As the link does, a node's stored run that ends asks once more afresh.
    std::vector<std::string> Drain()
    {
        std::vector<std::string> sent;
        CNetCommand command;
        while (sent.size() < 20 && (queue.GetNextRequest(command) || queue.GetNextRequest(command))) {
            const NetNode at = SplitNodeAddress(command.m_frameAddress);
            std::string name{char('A' + at.network - 1), char('0' + at.node)};
            if (command.m_nCommandID) {
                name += "#" + std::to_string(command.m_nCommandID);
                EXPECT_EQ(queue.m_state, CNetCommandQueue::kStageStored);
                store.RemoveNetCommand(command.m_nCommandID);
            } else {
                EXPECT_EQ(queue.m_state, CNetCommandQueue::kStageMemory);
            }
            sent.push_back(name);
        }
        return sent;
    }

    FakeCommandStore store;
    CNetCommandQueue queue{&store};
};

} // namespace

TEST_F(QueueRequests, MemoryCommandsGoFirstThenStoredOnesNodeByNode)
{
    Store(kNetA, 5);
    Store(kNetA, 1);
    Store(kNetA, 1);
    QueueInMemory(kNetA, 3);
    QueueInMemory(kNetA, 5);
    QueueInMemory(kNetA, 3);
    queue.SetCurrentNetwork(kNetA);
    EXPECT_EQ(Drain(), (std::vector<std::string>{"A3", "A3", "A5", "A1#2", "A1#3", "A5#1"}));
    EXPECT_EQ(queue.m_state, CNetCommandQueue::kStageIdle);
    EXPECT_EQ(store.GetPendingCommandCount(), 0);
}

TEST_F(QueueRequests, AnotherNetworksMemoryCommandsComeBeforeStoredOnes)
{
    Store(kNetA, 3);
    QueueInMemory(kNetC, 1);
    queue.SetCurrentNetwork(kNetA);
    CNetCommand command;
    EXPECT_FALSE(queue.GetNextRequest(command));
    EXPECT_EQ(queue.m_state, CNetCommandQueue::kStageIdle);
    int net = 0;
    ASSERT_TRUE(queue.GetNextNetwork(net, [](int) { return true; }));
    EXPECT_EQ(net, kNetC);
}

TEST_F(QueueRequests, NetworkChoiceFollowsStatesAndTheList)
{
    struct Case
    {
        const char* what;
        bool memoryOnC;
        std::uint8_t stateOfC;
        int responsiveC;
        bool listedC;
        int expected; // 0: none
        int current;  // the current network afterwards
    };
    const Case cases[] = {
        {"memory on C", true, kNetworkStateNormal, 1, true, kNetC, kNetA},
        {"memory on C given up", true, kNetworkStateNoAnswer, 1, true, 0, kNetA},
        {"stored on C", false, kNetworkStateNormal, 1, true, kNetC, kNetC},
        {"stored on C, not listed", false, kNetworkStateNormal, 1, false, 0, kNetA},
        {"stored on C, did not answer", false, kNetworkStateNormal, 0, true, 0, kNetA},
        {"stored on C given up", false, kNetworkStateNoAnswer, 1, true, 0, kNetA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeCommandStore caseStore;
        CNetCommandQueue caseQueue(&caseStore);
        CSetVestrels row;
        row.m_NetAddress = kNetC;
        row.m_NodeAddress = 1;
        caseQueue.AddNode(row);
        row.m_NetAddress = kNetA;
        caseQueue.AddNode(row);
        if (c.memoryOnC) {
            auto command = std::make_unique<CNetCommand>(NetKind::NodeCommand, kNetC, 1, NetCommandData{1});
            caseQueue.AddCommand(command);
        } else {
            caseQueue.StoreCommand(CNetCommand::CNetCommandMemoryUpdate(MakeNodeAddress(kNetC, 1), QByteArray(6, '\1')));
        }
        NetQueueState[kNetC - 1] = c.stateOfC;
        NetResponsive[kNetC - 1] = c.responsiveC;
        caseQueue.SetCurrentNetwork(kNetA);
        int net = 0;
        const bool found = caseQueue.GetNextNetwork(net, [&](int n) { return n != kNetC || c.listedC; });
        EXPECT_EQ(found ? net : 0, c.expected);
        EXPECT_EQ(caseQueue.GetCurrentNetwork(), c.current);
        NetQueueState.fill(kNetworkStateNormal);
        NetResponsive.fill(1);
    }
}

TEST_F(QueueRequests, SuspendedNodeLosesItsMemoryCommandsAtTheNextScan)
{
    QueueInMemory(kNetA, 3);
    QueueInMemory(kNetA, 5);
    NodeLinkState[kNetA - 1][3 - 1] = kNodeStateFailed;
    queue.SetCurrentNetwork(kNetA);
    EXPECT_EQ(queue.ScanInMemory(), kNetA) << "A5 still has work";
    EXPECT_FALSE(queue.GetNode(kNetA, 3)->HasPending());
    EXPECT_EQ(Drain(), (std::vector<std::string>{"A5"}));
}

TEST_F(QueueRequests, SuspendedNodesStoredCommandsWaitForItsReturn)
{
    Store(kNetA, 3);
    Store(kNetA, 5);
    queue.GetNode(kNetA, 3)->SetState(CNetQueueNode::Suspended);
    queue.SetCurrentNetwork(kNetA);
    EXPECT_EQ(Drain(), (std::vector<std::string>{"A5#2"}));
    queue.GetNode(kNetA, 3)->SetState(CNetQueueNode::InService);
    EXPECT_EQ(Drain(), (std::vector<std::string>{"A3#1"}));
}

TEST_F(QueueRequests, CommandsForAllNodesAreSentAsTheMastersStoredWork)
{
    ASSERT_TRUE(queue.StoreCommand(CNetCommand(NetKind::NodeCommand, kNetA, NodeAddress::kAllNodes, NetCommandData{2, 1})));
    queue.SetCurrentNetwork(kNetA);
    EXPECT_EQ(Drain(), (std::vector<std::string>{"A7#1"})) << "node 15 reads as 7 in the low three bits";
}

TEST_F(QueueRequests, FindNextCommandOnlyAsks)
{
    QueueInMemory(kNetA, 5);
    int node = 1;
    ASSERT_TRUE(queue.FindNextCommand(kNetA, node));
    EXPECT_EQ(node, 5);
    EXPECT_TRUE(queue.GetNode(kNetA, 5)->HasPending());
    node = 1;
    EXPECT_FALSE(queue.FindNextCommand(kNetC, node));
}

TEST_F(QueueRequests, NodeStatesFollowReplies)
{
    int panes = 0;
    queue.SetShowStatusPanes([&] { ++panes; });
    queue.SetCurrentNetwork(kNetA);

    queue.SetNodeState(kNetA, 3, CNetCommandQueue::kReasonNoReply);
    EXPECT_FALSE(queue.IsNodeAvailable(kNetA, 3));
    EXPECT_EQ(panes, 1);

    queue.SetNodeState(kNetA, 7, CNetCommandQueue::kReasonStatusReply);
    ASSERT_TRUE(queue.HasNode(kNetA, 7)) << "a node that answers gets an entry";
    EXPECT_EQ(queue.GetNode(kNetA, 7)->m_configured, 0);
    queue.SetNodeState(kNetA, 7, CNetCommandQueue::kReasonNoReply);
    EXPECT_FALSE(queue.HasNode(kNetA, 7)) << "an unconfigured entry cannot be suspended";
    EXPECT_EQ(NodeLinkState[kNetA - 1][7 - 1], kNodeStateFailed);
    EXPECT_EQ(panes, 1) << "the panes switch for the network's first failing node only";

    queue.SetNodeState(kNetA, 3, CNetCommandQueue::kReasonAck);
    EXPECT_FALSE(queue.IsNodeAvailable(kNetA, 3)) << "unknown firmware keeps it suspended";
    queue.GetNode(kNetA, 3)->SetFirmwareVersion(1, 0);
    queue.SetNodeState(kNetA, 3, CNetCommandQueue::kReasonStatusReply);
    EXPECT_TRUE(queue.IsNodeAvailable(kNetA, 3));
    EXPECT_EQ(NodeLinkState[kNetA - 1][3 - 1], kNodeStateAnswers);
}

TEST_F(QueueRequests, PollPassVisitsNodes)
{
    queue.SetCurrentNetwork(kNetA);
    for (bool skipMissing : {true, false}) {
        SCOPED_TRACE(skipMissing);
        std::vector<int> polled;
        queue.ResetPollCursor();
        do {
            const CNetCommand poll = queue.MakePollRequest();
            EXPECT_EQ(poll.m_kind, NetKind::StatusPoll);
            polled.push_back(SplitNodeAddress(poll.m_frameAddress).node);
        } while (queue.AdvancePollCursor(skipMissing));
        EXPECT_EQ(queue.GetPollCursor(), 0);
        const std::vector<int> expected = skipMissing ? std::vector<int>{1, 3, 5} : std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8};
        EXPECT_EQ(polled, expected);
    }
}

TEST_F(QueueRequests, DisconnectDropsSingleNodeCommandsAtTheHead)
{
    QueueInMemory(kNetA, 3);
    auto all = std::make_unique<CNetCommand>(NetKind::NodeCommand, kNetA, NodeAddress::kAllNodes, NetCommandData{2, 1});
    ASSERT_TRUE(queue.AddCommand(all));
    QueueInMemory(kNetA, 5);
    queue.DropSingleNodeCommands();
    EXPECT_EQ(queue.GetNode(kNetA, 5)->PendingCount(), 0u);
    EXPECT_EQ(queue.GetNode(kNetA, 1)->PendingCount(), 1u) << "the command for all nodes stays";
    EXPECT_EQ(queue.CountNodes(kNetA), 3);
}

TEST_F(QueueRequests, CommandFilesThatDoNotLoadGoAsideAndTheRestIsSent)
{
    for (int node : {1, 1, 3, 1, 3})
        Store(kNetA, node);
    // A file cut short, and one emptied.
    for (auto [id, size] : {std::pair{2, 10}, {5, 0}}) {
        QFile file(store.PathOf(id));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(size));
    }
    std::vector<std::string> told;
    queue.SetUnreadableCommand([&](const SetAsideCommand& command) {
        told.push_back(std::to_string(command.net) + "/" + std::to_string(command.node) + " "
                       + command.fileName.toStdString() + " " + command.keptAs.toStdString());
    });
    queue.SetCurrentNetwork(kNetA);
    EXPECT_EQ(Drain(), (std::vector<std::string>{"A1#1", "A1#4", "A3#3"}));
    EXPECT_EQ(told, (std::vector<std::string>{"1/1 NetCommands2.dat NetCommands2.dat.unreadable",
                                             "1/3 NetCommands5.dat NetCommands5.dat.unreadable"}));
    EXPECT_EQ(store.GetPendingCommandCount(), 0) << "nothing is left to hold the queue";
    for (int id : {2, 5}) {
        EXPECT_FALSE(QFile::exists(store.PathOf(id)));
        EXPECT_TRUE(QFile::exists(store.PathOf(id) + ".unreadable")) << "kept aside, never sent";
    }
}

TEST_F(QueueRequests, ARunsResultsFollowWhatItLeftUndone)
{
    NetTaskResult.fill(kTaskNetUnused);
    // A failed connect is superseded by a later one; a failure of the work is not.
    NetRunResults::ConnectFailed(kNetA, "Line is busy");
    EXPECT_EQ(NetTaskResult[kNetA - 1], kTaskNetFailed);
    EXPECT_EQ(NetRunResults::ReasonLine(kNetA), "Line is busy");
    NetRunResults::Answered(kNetA);
    EXPECT_EQ(NetTaskResult[kNetA - 1], kTaskNetPassed);
    EXPECT_EQ(NetRunResults::ReasonLine(kNetA), "");
    NetRunResults::Fail(kNetA, "A command to node A3 was given up.");
    NetRunResults::Answered(kNetA);
    EXPECT_EQ(NetTaskResult[kNetA - 1], kTaskNetFailed);

    // At the end: a node still suspended in a network that took part is
    // named; commands still stored fail even a network never reached.
    NodeLinkState[kNetA - 1][2] = kNodeStateFailed;
    Store(kNetC, 1);
    Store(kNetC, 1);
    NetRunResults::Settle(queue, store);
    EXPECT_EQ(NetRunResults::ReasonLine(kNetA), "A command to node A3 was given up. Node A3 is suspended.");
    EXPECT_EQ(NetTaskResult[kNetC - 1], kTaskNetFailed);
    EXPECT_EQ(NetRunResults::ReasonLine(kNetC), "2 commands are still queued.");
    EXPECT_EQ(NetTaskResult[1], kTaskNetUnused) << "network B has no node and took no part";
    NetRunResults::Reset();
    NetTaskResult.fill(kTaskNetUnused);
}
