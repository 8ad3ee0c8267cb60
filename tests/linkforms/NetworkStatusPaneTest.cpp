#include "tests/linkforms/NetworkStatusPaneFixture.h"

#include "app/CListCtrlEx.h"
#include "common/IOperatorRights.h"
#include "image/NetworkPasswords.h"
#include "link/LinkState.h"
#include "linkforms/NodeCommands.h"
#include "platform/WindowMessages.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QToolButton>

namespace {

using namespace NodeMenu;

constexpr int kNetA = 1;

QByteArray StatusRecord(std::uint8_t address, std::uint32_t packets, std::uint32_t bad, std::uint8_t memoryBits = 0)
{
    QByteArray record(23, '\0');
    record[0] = static_cast<char>(address);
    record[8] = static_cast<char>(memoryBits);
    const auto put = [&record](int first, std::uint32_t value) {
        record[first] = static_cast<char>(value >> 8);
        record[first + 1] = static_cast<char>(value);
        record[first + 2] = static_cast<char>(value >> 24);
        record[first + 3] = static_cast<char>(value >> 16);
    };
    put(11, packets);
    put(15, bad);
    return record;
}

void Send(QObject* pane, const QByteArray& record)
{
    EXPECT_EQ(SendAppMessage(pane, Msg::NodeStatus, static_cast<quintptr>(record.size()),
                             reinterpret_cast<qintptr>(record.constData())),
              1);
}

TEST(NodeButtonIds, IdentifierGivesNetworkAndNode)
{
    EXPECT_EQ(NodeButtons::NetworkOf(46047), 4);
    EXPECT_EQ(NodeButtons::NodeOf(46047), 7);
    EXPECT_EQ(NodeButtons::NodeButtonId(8, 8), 46088);
}

TEST_F(NetworkStatusPane, ButtonsAreKeyedByTheirIdentifiers)
{
    EXPECT_EQ(pane->findChild<QToolButton*>("46047"), pane->NodeButton(4, 7));
    EXPECT_EQ(pane->findChild<QPushButton*>("1316"), pane->NetworkButton(4));
    EXPECT_TRUE(pane->IsRefreshRunning());
    EXPECT_FALSE(pane->StatusList()->isVisibleTo(pane.get()));
}

TEST_F(NetworkStatusPane, InstalledPanelsAreCaptionedWithNodeAndVestrelIds)
{
    ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
    const int nodeId = g_setVLNetworks.m_NodeID;
    for (int net = 1; net <= 8; ++net) {
        for (int node = 1; node <= 8; ++node) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(net).arg(node).toStdString());
            if (net == kNetA && node <= 3) {
                ASSERT_TRUE(g_setVestrels.FindByAddress(net, node));
                EXPECT_EQ(pane->NodeCaption(net, node), QStringLiteral("%1:%2").arg(nodeId).arg(g_setVestrels.m_VestrelID));
                EXPECT_EQ(pane->NodeButton(net, node)->toolTip(), g_setVestrels.GetNodeLabel());
                EXPECT_NE(pane->IconOf(net, node), 0);
            } else {
                EXPECT_EQ(pane->NodeCaption(net, node), "0:0");
                EXPECT_EQ(pane->IconOf(net, node), 0);
            }
        }
    }
    EXPECT_EQ(pane->NetworkButton(kNetA)->toolTip(), g_setVLNetworks.GetNetLabel(kNetA));
}

TEST_F(NetworkStatusPane, TimerFollowsTheQueueAndBlinks)
{
    m_doc.m_netQueue.GetNode(kNetA, 2)->SetState(CNetQueueNode::Suspended);
    std::set<int> seen;
    for (int tick = 0; tick < 2; ++tick) {
        pane->OnTimer();
        seen.insert(pane->IconOf(kNetA, 2));
    }
    EXPECT_EQ(seen.size(), 2u) << "the configured and the live picture alternate";
    m_doc.m_netQueue.RemoveNode(kNetA, 2);
    pane->OnTimer();
    EXPECT_EQ(pane->IconOf(kNetA, 2), 0);
}

TEST_F(NetworkStatusPane, StatusRecordFillsTheNodesRowAndKeepsCountsOfAllOnes)
{
    Send(pane.get(), StatusRecord(0x12, 1234, 56, 3));
    ASSERT_EQ(pane->StatusList()->topLevelItemCount(), 1);
    QTreeWidgetItem* row = pane->StatusList()->topLevelItem(0);
    ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, 2));
    EXPECT_EQ(row->text(0), g_setVestrels.GetNodeLabel());
    EXPECT_EQ(row->text(1), "1234");
    EXPECT_EQ(row->text(2), "56");
    EXPECT_EQ(row->text(3), "Invalid memory config, Out of memory");
    EXPECT_EQ(host.errorTexts, QStringList{"SUPV_2 BIT 0 Set"});

    Send(pane.get(), StatusRecord(0x12, 0xFFFFFFFF, 0xFFFFFFFF));
    ASSERT_EQ(pane->StatusList()->topLevelItemCount(), 1) << "one row per node";
    EXPECT_EQ(row->text(1), "1234");
    EXPECT_EQ(row->text(2), "56");
    EXPECT_EQ(row->text(3), "");
    EXPECT_EQ(host.errorTexts.size(), 1);
}

TEST_F(NetworkStatusPane, StatusRecordOfAnUnknownNodeGoesOnTopAsNewNode)
{
    Send(pane.get(), StatusRecord(0x11, 1, 0));
    Send(pane.get(), StatusRecord(0x17, 2, 0));
    ASSERT_EQ(pane->StatusList()->topLevelItemCount(), 2);
    EXPECT_EQ(pane->StatusList()->topLevelItem(0)->text(0), "[A7]  New Node");
}

TEST_F(NetworkStatusPane, DetailsNeedTheConnectionAndToggle)
{
    pane->OnDetails();
    EXPECT_EQ(boxes.Texts(), QStringList{"Must be connected to the network to execute this command."});
    EXPECT_FALSE(pane->StatusList()->isVisibleTo(pane.get()));
    host.connectedNet = kNetA;
    pane->OnDetails();
    EXPECT_TRUE(pane->StatusList()->isVisibleTo(pane.get()));
    EXPECT_EQ(pane->DetailsButton()->text(), "Details <<");
    pane->OnDetails();
    EXPECT_FALSE(pane->StatusList()->isVisibleTo(pane.get()));
    EXPECT_EQ(pane->DetailsButton()->text(), "&Details >>");
}

TEST_F(NetworkStatusPane, NodeWithoutQueueEntrySaysWhy)
{
    struct Case
    {
        int connectedNet;
        const char* text;
    };
    const Case cases[] = {
        {0, "Must be connected to the network to execute this command."},
        {2, "Must be connected to this network to execute this command."},
        {kNetA, "This node has not responded to a poll,"},
    };
    m_doc.m_netQueue.RemoveNode(kNetA, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        host.connectedNet = c.connectedNet;
        MessageBoxScript local;
        Click(kNetA, 2, kResetNode);
        EXPECT_EQ(local.Texts(), QStringList{c.text});
        EXPECT_TRUE(menuItems.empty());
    }
}

TEST_F(NetworkStatusPane, InstalledPanelMenuOffersFirmwareUpdateOnlyWithTheProgram)
{
    Click(kNetA, 2);
    ASSERT_TRUE(Item(kNodeSetup));
    EXPECT_TRUE(Item(kDeleteNode)->enabled);
    EXPECT_FALSE(Item(kClearNodeQueue)->enabled) << "offline and nothing stored for the node";
    EXPECT_FALSE(Item(kFirmwareUpdate));

    const QString program = m_doc.BuildPath(CWFDoc::kReflasher, QString());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(program).path()));
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    Click(kNetA, 2);
    ASSERT_TRUE(Item(kFirmwareUpdate));
    EXPECT_EQ(Item(kFirmwareUpdate)->text, "&Firmware Update");
    EXPECT_TRUE(Item(kClearNodeQueue)->enabled) << "the node has stored commands";
}

// An operator without the node right.
struct NoNodeRight : IOperatorRights
{
    NoNodeRight() { SetOperatorRights(this); }
    ~NoNodeRight() override { SetOperatorRights(nullptr); }
    int IsAdministrator() const override { return 0; }
    bool HasPrivilege(int privilege) const override { return privilege != NodeCommands::kNodePrivilege; }
};

TEST_F(NetworkStatusPane, WithoutTheNodeRightDeleteIsGreyAndEmptyNodesOfferNothing)
{
    const NoNodeRight rights;
    Click(kNetA, 2);
    EXPECT_EQ(boxes.Texts(), QStringList{"AfxCanOperatorDo returned 0"});
    ASSERT_TRUE(Item(kDeleteNode));
    EXPECT_FALSE(Item(kDeleteNode)->enabled);
    EXPECT_TRUE(Item(kResetNode)->enabled);

    host.connectedNet = kNetA;
    m_doc.m_netQueue.SetNodeState(kNetA, 5, CNetCommandQueue::kReasonStatusReply);
    Click(kNetA, 5);
    EXPECT_TRUE(menuItems.empty());
}

TEST_F(NetworkStatusPane, EmptyNodeWithAnEntryOffersInstallation)
{
    host.connectedNet = kNetA;
    m_doc.m_netQueue.SetNodeState(kNetA, 5, CNetCommandQueue::kReasonStatusReply);
    Click(kNetA, 5);
    ASSERT_EQ(menuItems.size(), 2u);
    EXPECT_EQ(menuItems[0].text, "&Install Panel");
    EXPECT_EQ(menuItems[1].text, "D&ownload All Memory");
}

TEST_F(NetworkStatusPane, ReprogramRecordsTheSingleNodeAndMarksIt)
{
    Click(kNetA, 3, kReprogramNode);
    EXPECT_EQ(g_pendingNodeRequest.request, 1u);
    EXPECT_EQ(g_pendingNodeRequest.network, kNetA);
    EXPECT_EQ(g_pendingNodeRequest.node, 3);
    host.dataShown = true;
    Click(kNetA, 2, kReprogramNode);
    EXPECT_EQ(g_pendingNodeRequest.request, 0u) << "with data to program the whole run is due";
    EXPECT_EQ(host.marked, (std::vector<std::uint8_t>{0x13, 0x12}));
}

TEST_F(NetworkStatusPane, ClearQueueAsksToGoOfflineThenWarns)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    host.connectedNet = kNetA;
    boxes.Answer(IDNO);
    Click(kNetA, 2, kClearNodeQueue);
    EXPECT_EQ(host.disconnects, 0);
    EXPECT_TRUE(m_doc.HasQueuedCommand(kNetA, 2));

    boxes.Answer(IDYES);
    boxes.Answer(IDOK);
    Click(kNetA, 2, kClearNodeQueue);
    EXPECT_EQ(host.disconnects, 1);
    ASSERT_EQ(boxes.Texts().size(), 3);
    EXPECT_EQ(boxes.Texts()[2], "WARNING: Clearing the queue for this node may cause improper operation.\n\n"
                                "IT IS STONGLY RECOMMENDED THAT YOU REPROGRAM ENTIRE NODE \n"
                                "TO ENSURE THAT IT HAS THE LASTEST INFORMATION.");
    EXPECT_FALSE(m_doc.HasQueuedCommand(kNetA, 2));
    EXPECT_TRUE(m_doc.HasQueuedCommand(kNetA, 3));

    Click(kNetA, 2, kClearNodeQueue);
    EXPECT_EQ(boxes.Texts().back(), "There are no commands in the queue for this node.");
}

class DeleteNode : public NetworkStatusPane
{
protected:
    QString PanelFile(int kind, const QString& name) const { return m_doc.BuildPath(kind, name); }

    void AddFloorRow(int node, std::uint8_t index)
    {
        g_setFloorNames.AddNew();
        g_setFloorNames.m_Index = index;
        g_setFloorNames.m_Net = kNetA;
        g_setFloorNames.m_Node = static_cast<std::uint8_t>(node);
        g_setFloorNames.m_Name = QStringLiteral("Floor %1").arg(index);
        g_setFloorNames.m_Sched = 3;
        g_setFloorNames.m_Cab1 = g_setFloorNames.m_Cab2 = g_setFloorNames.m_Cab3 = g_setFloorNames.m_Cab4 = 7;
        g_setFloorNames.Update();
    }
    // Sched and the four cab fields of the node's floor rows, summed.
    int FloorFields(int node)
    {
        int sum = 0;
        const QString rows = QStringLiteral("Net = 1 AND Node = %1").arg(node);
        for (bool f = g_setFloorNames.FindFirst(rows); f; f = g_setFloorNames.FindNext(rows))
            sum += g_setFloorNames.m_Sched + g_setFloorNames.m_Cab1 + g_setFloorNames.m_Cab2 + g_setFloorNames.m_Cab3
                + g_setFloorNames.m_Cab4;
        return sum;
    }
};

TEST_F(DeleteNode, MasterGoesWithItsFilesQueueFloorsAndPasswordEntry)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_TRUE(m_doc.HasQueuedCommand(kNetA, 1));
    ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, 1));
    const QString fileName = g_setVestrels.GetFileName();
    ASSERT_TRUE(QFile::exists(PanelFile(CWFDoc::kVestrels, fileName)));
    ASSERT_TRUE(QFile::exists(PanelFile(CWFDoc::kLastProgrammed, fileName)));
    ASSERT_TRUE(NetworkPasswords::Remote(kNetA));
    AddFloorRow(1, 1);
    AddFloorRow(2, 2);
    m_doc.m_netQueue.GetNode(kNetA, 1)->m_reprogramAll = 1;

    boxes.Answer(IDYES);
    Click(kNetA, 1, kDeleteNode);

    EXPECT_FALSE(g_setVestrels.FindByAddress(kNetA, 1));
    EXPECT_FALSE(QFile::exists(PanelFile(CWFDoc::kVestrels, fileName)));
    EXPECT_FALSE(QFile::exists(PanelFile(CWFDoc::kLastProgrammed, fileName)));
    EXPECT_FALSE(m_doc.m_netQueue.GetNode(kNetA, 1));
    EXPECT_FALSE(m_doc.HasQueuedCommand(kNetA, 1));
    EXPECT_TRUE(m_doc.HasQueuedCommand(kNetA, 2));
    EXPECT_EQ(*NetworkPasswords::Remote(kNetA), RemotePassword{});
    EXPECT_EQ(FloorFields(1), 0);
    EXPECT_EQ(FloorFields(2), 3 + 4 * 7);
    EXPECT_EQ(pane->NodeCaption(kNetA, 1), "0:0");
    EXPECT_EQ(m_doc.GetDataToProgram(), 1);
}

TEST_F(DeleteNode, SlaveLeavesTheNetworksPasswordEntry)
{
    ASSERT_TRUE(NetworkPasswords::Remote(kNetA));
    const RemotePassword before = *NetworkPasswords::Remote(kNetA);
    boxes.Answer(IDYES);
    Click(kNetA, 3, kDeleteNode);
    EXPECT_FALSE(g_setVestrels.FindByAddress(kNetA, 3));
    EXPECT_EQ(*NetworkPasswords::Remote(kNetA), before);
}

TEST_F(DeleteNode, NoKeepsEverything)
{
    boxes.Answer(IDNO);
    Click(kNetA, 2, kDeleteNode);
    EXPECT_TRUE(g_setVestrels.FindByAddress(kNetA, 2));
    EXPECT_TRUE(m_doc.m_netQueue.GetNode(kNetA, 2));
}

TEST_F(DeleteNode, StoredNameThatIsNotAPlainFileNameDeletesNoFile)
{
    struct Case
    {
        int node;
        const char* name;
    };
    for (const Case& c : {Case{2, "../x"}, Case{3, ".hidden"}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, c.node));
        g_setVestrels.Edit();
        g_setVestrels.m_FileName = QString::fromLatin1(c.name);
        g_setVestrels.Update();
        const QString target = PanelFile(CWFDoc::kVestrels, QString::fromLatin1(c.name));
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        boxes.Answer(IDYES);
        Click(kNetA, c.node, kDeleteNode);
        EXPECT_FALSE(g_setVestrels.FindByAddress(kNetA, c.node)) << "the row still goes";
        EXPECT_TRUE(QFile::exists(target));
    }
}

} // namespace

namespace {

TEST_F(NetworkStatusPane, InstallingWaitsForTheQueueToBeSent)
{
    NodeCommands commands(m_doc, host);
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    EXPECT_FALSE(commands.MayInstallPanel(1, 5));
    EXPECT_EQ(boxes.Texts(), QStringList{"Commands must be sent to the network before Installing a panel."});
    EXPECT_EQ(NodeLinkState[0][4], kNodeStateUnknown);
    ASSERT_TRUE(m_doc.ClearNetCommands());
    EXPECT_TRUE(commands.MayInstallPanel(1, 5));
    EXPECT_EQ(NodeLinkState[0][4], kNodeStateAnswers);
}

} // namespace
