#include "database/CSetVestrels.h"
#include "link/CNetCommandQueue.h"
#include "link/CNetQueueNodeStd.h"
#include "link/NetCommandKinds.h"

#include <gtest/gtest.h>

namespace {

// The controller row that AddNode reads.
const CSetVestrels& Controller(int net, int node, int panelType = 1)
{
    static CSetVestrels row;
    row.m_NetAddress = static_cast<std::uint8_t>(net);
    row.m_NodeAddress = static_cast<std::uint8_t>(node);
    row.m_PanelType = static_cast<std::uint8_t>(panelType);
    return row;
}

} // namespace

TEST(NetCommandQueue, GridHoldsConfiguredNodesWithAStatusPoll)
{
    CNetCommandQueue queue;
    queue.AddNode(Controller(2, 1));
    queue.AddNode(Controller(2, 5, 0));
    queue.AddNode(Controller(9, 1));
    queue.AddNode(Controller(1, 0));
    ASSERT_TRUE(queue.HasNode(2, 1));
    EXPECT_TRUE(queue.HasNode(2, 15)) << "all nodes reads as node 1";
    EXPECT_FALSE(queue.HasNode(2, 2));
    EXPECT_FALSE(queue.HasNode(9, 1));
    EXPECT_EQ(queue.GetNode(2, 5)->m_workCommand.m_kind, NetKind::StatusPoll);
    EXPECT_EQ(queue.GetNode(2, 5)->m_configured, 1);
    EXPECT_EQ(queue.GetNode(2, 1)->GetIcon(CNetQueueNode::ConfiguredView), 207);
    EXPECT_EQ(queue.GetNode(2, 5)->GetIcon(CNetQueueNode::ConfiguredView), 444);
    queue.RemoveAllNodes();
    EXPECT_FALSE(queue.HasNode(2, 1));
}

TEST(NetCommandQueue, UnconfiguredEntryCannotBeSuspended)
{
    CNetQueueNodeStd entry;
    EXPECT_EQ(entry.SetState(CNetQueueNode::Suspended), 0);
    EXPECT_EQ(entry.GetState(), CNetQueueNode::InService);
    EXPECT_EQ(entry.GetIcon(CNetQueueNode::ConfiguredView), CNetQueueNode::kNoIcon);
    EXPECT_EQ(entry.GetIcon(CNetQueueNode::LiveView), 208);
    entry.m_configured = 1;
    EXPECT_EQ(entry.SetState(CNetQueueNode::Suspended), 1);
    EXPECT_EQ(entry.GetIcon(CNetQueueNode::LiveView), 436);
}

TEST(NetCommandQueue, FirmwareSupport)
{
    struct Case { int major; int minor; bool supported; };
    const Case cases[] = {{-1, 0x10, false}, {0, -1, false}, {0, 0x0F, false}, {0, 0x10, true},
                          {1, 0, true}, {2, 0x99, true}, {3, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "." << c.minor);
        CNetQueueNodeStd entry;
        entry.SetFirmwareVersion(c.major, c.minor);
        EXPECT_EQ(entry.IsFirmwareSupported(), c.supported);
    }
}

TEST(NetCommandQueue, CommandsWithoutTextOrNodeStayWithTheCaller)
{
    CNetCommandQueue queue;
    queue.AddNode(Controller(1, 3));
    auto command = std::make_unique<CNetCommand>(NetKind::NodeCommand, 1, 3, NetCommandData{1});
    ASSERT_FALSE(command->m_strSending.isEmpty());
    EXPECT_TRUE(queue.AddCommand(command));
    EXPECT_EQ(command, nullptr);
    EXPECT_EQ(queue.GetNode(1, 3)->PendingCount(), 1u);

    auto silent = std::make_unique<CNetCommand>(NetKind::NodeCommand, 1, 3, NetCommandData{1});
    silent->m_strSending.clear();
    EXPECT_FALSE(queue.AddCommand(silent));
    ASSERT_NE(silent, nullptr);
    auto elsewhere = std::make_unique<CNetCommand>(NetKind::NodeCommand, 4, 4, NetCommandData{1});
    EXPECT_FALSE(queue.AddCommand(elsewhere));
    EXPECT_NE(elsewhere, nullptr);

    CNetCommand taken;
    EXPECT_TRUE(queue.GetNode(1, 3)->TakeNextPending(taken));
    EXPECT_EQ(taken.m_kind, NetKind::NodeCommand);
    EXPECT_FALSE(queue.GetNode(1, 3)->TakeNextPending(taken));
}
