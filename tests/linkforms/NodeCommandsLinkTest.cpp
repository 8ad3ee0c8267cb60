#include "tests/linkforms/PanelLinkFixture.h"

namespace {

TEST_F(PanelLinkPane, ResetCommandsReachThePanelAsNodeControl)
{
    Connect();
    pane->trackPopup = [](QMenu&, const QPoint&) { return NodeMenu::kResetNode; };
    pane->OnNodeButton(NodeButtons::NodeButtonId(1, 2));
    pane->trackPopup = [](QMenu&, const QPoint&) { return NodeMenu::kResetSupervisedFlags; };
    pane->OnNodeButton(NodeButtons::NodeButtonId(1, 2));
    QList<QByteArray> commands;
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] {
        line.WithNode(2, [&](PanelSimulator& panel) { commands = panel.NodeCommands(); });
        return commands.size() >= 2;
    }));
    EXPECT_EQ(commands[0], QByteArray::fromHex("018000000000"));
    EXPECT_EQ(commands[1], QByteArray::fromHex("010200000000"));
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(PanelLinkPane, ResetNeedsTheConnectionButResetFlagsIsQueued)
{
    pane->trackPopup = [](QMenu&, const QPoint&) { return NodeMenu::kResetNode; };
    pane->OnNodeButton(NodeButtons::NodeButtonId(1, 2));
    EXPECT_EQ(boxes.Texts(), QStringList{"Must be connected to the network to execute this command."});
    EXPECT_FALSE(m_doc.m_netQueue.GetNode(1, 2)->HasPending());
    pane->trackPopup = [](QMenu&, const QPoint&) { return NodeMenu::kResetSupervisedFlags; };
    pane->OnNodeButton(NodeButtons::NodeButtonId(1, 2));
    EXPECT_TRUE(m_doc.m_netQueue.GetNode(1, 2)->HasPending()) << "it waits for the next connection";
}

} // namespace
