#include "tests/linkforms/PanelLinkFixture.h"

#include "image/CVLControllerMemory.h"
#include "image/NetworkPasswords.h"
#include "linkforms/CNewNodeWizard.h"
#include "linkforms/CWizardNewNode1.h"
#include "tests/support/MessageBoxScript.h"
#include "linkforms/CWizardNewNode2.h"
#include "linkforms/NewNodeCheck.h"
#include "platform/WindowMessages.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {

using namespace NodeMenu;

constexpr int kNetA = 1;

QLineEdit* Field(CNewNodeWizard& wizard, int id)
{
    return wizard.NamesPage().findChild<QLineEdit*>(QString::number(id));
}

// Types the names of page 1, channel C left empty.
void TypeNames(CNewNodeWizard& wizard)
{
    Field(wizard, CWizardNewNode1::IdControllerName)->setText("Loading dock");
    Field(wizard, CWizardNewNode1::IdChannelA)->setText("Dock door");
    Field(wizard, CWizardNewNode1::IdChannelC)->clear();
}

// Takes the panel at the node out of the installation, as if never
// installed, and lets it answer a poll again.
void RemovePanel(CWFDoc& doc, int node)
{
    ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, node));
    QFile::remove(doc.BuildPath(CWFDoc::kVestrels, g_setVestrels.GetFileName()));
    g_setVestrels.Delete();
    doc.m_netQueue.RemoveNode(kNetA, node);
    doc.m_netQueue.SetNodeState(kNetA, node, CNetCommandQueue::kReasonStatusReply);
}

// What an installed panel's image holds.
struct ImageNames
{
    QString installation, controller, channelA, channelC;
    std::uint8_t address = 0;
    RemotePassword remote{};
};

ImageNames ReadImage(CWFDoc& doc)
{
    ImageNames names;
    CVLControllerMemory image;
    EXPECT_TRUE(image.LoadFile(doc.BuildPath(CWFDoc::kVestrels, g_setVestrels.GetFileName()), 0, 0, {}));
    image.ExchangeDirectoryName(VLLayout::kInstallationName, names.installation, 1);
    image.ExchangeDirectoryName(VLLayout::kControllerName, names.controller, 1);
    image.ExchangeDirectoryName(VLLayout::kFirstChannelName, names.channelA, 1);
    image.ExchangeDirectoryName(VLLayout::kFirstChannelName + 2, names.channelC, 1);
    image.ExchangeNetworkAddress(names.address, 1);
    std::copy_n(image.Image().begin() + VLLayout::kRemotePassword, names.remote.size(), names.remote.begin());
    return names;
}

TEST(NewNodeNames, EmptyChannelsTakeTheirDefaultsAndNamesTheirLimit)
{
    NewNodeNames names;
    EXPECT_EQ(names.channels[3], "Access_D");
    names.controller = QString(30, 'x');
    names.channels[2].clear();
    names.Settle();
    EXPECT_EQ(names.controller.size(), 24);
    EXPECT_EQ(names.channels[2], "Access_C");
}

// The wizard and the installation steps with a form that is told what to answer.
class NewNodeWizard : public NetworkStatusPane
{
protected:
    void SetUp() override
    {
        NetworkStatusPane::SetUp();
        if (HasFatalFailure())
            return;
        host.connectedNet = kNetA;
        pane->runInstallWizard = [this](CNewNodeWizard& wizard) {
            ++wizards;
            TypeNames(wizard);
            return finish;
        };
    }

    int wizards = 0;
    bool finish = true;
};

TEST_F(NewNodeWizard, NamesPageKeepsItsLimitsAndDefaults)
{
    CNewNodeWizard wizard(m_doc.m_netQueue, host, kNetA, 4);
    EXPECT_EQ(wizard.windowTitle(), "Properties for the new node");
    EXPECT_EQ(Field(wizard, CWizardNewNode1::IdChannelB)->text(), "Access_B");
    EXPECT_EQ(Field(wizard, CWizardNewNode1::IdControllerName)->text(), "");
    QLineEdit* name = Field(wizard, CWizardNewNode1::IdControllerName);
    name->setText(QString(24, 'a'));
    name->insert("b");
    EXPECT_EQ(name->text(), QString(24, 'a')) << "a 25th character is refused";
    TypeNames(wizard);
    EXPECT_EQ(wizard.Names().channels[2], "Access_C");
}

TEST_F(NewNodeWizard, ANameTheControllerCannotHoldKeepsTheNamesPage)
{
    CNewNodeWizard wizard(m_doc.m_netQueue, host, kNetA, 4);
    TypeNames(wizard);
    MessageBoxScript boxes;
    Field(wizard, CWizardNewNode1::IdChannelB)->setText(QStringLiteral("Łódź door"));
    EXPECT_FALSE(wizard.NamesPage().validatePage());
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Channel B: the character \"Ł\" cannot be stored in a "
                                                        "controller.\n\nControllers hold only Western European "
                                                        "(Latin-1) characters.")});
    Field(wizard, CWizardNewNode1::IdChannelB)->setText(QStringLiteral("Hallway Öst"));
    EXPECT_TRUE(wizard.NamesPage().validatePage());
}

TEST_F(NewNodeWizard, NakReasonsSetTheSetupPagesText)
{
    NewNodeCheck check(m_doc.m_netQueue, host, kNetA, 4);
    const struct
    {
        unsigned reason;
        const char* text;
    } cases[] = {{1, "CRC error, retrying..."}, {2, "Wrong passwork."}, {4, "Wrong passwork."}, {3, "Time out."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        SendAppMessage(&check, Msg::Nak, c.reason);
        EXPECT_EQ(check.Text(), c.text);
    }
    EXPECT_FALSE(check.HasAnswered());
    EXPECT_EQ(check.Reply(), "XXX");
    const QByteArray shortReply(5, '\1');
    SendAppMessage(&check, Msg::MemoryData, 5, reinterpret_cast<qintptr>(shortReply.constData()));
    EXPECT_FALSE(check.HasAnswered()) << "too short to hold the three bytes";
}

TEST_F(NewNodeWizard, RefusalsWriteNothing)
{
    struct Case
    {
        const char* why;
        int connectedNet;
        int net;
        bool wizard;
        const char* text;
    };
    const Case cases[] = {
        {"offline", 0, kNetA, false, "Must be connected to the network to execute this command."},
        {"other network", 2, kNetA, false, "Must be online with the network this node is connected to."},
        {"no network row", 2, 2, true, "You must learn the Master Node into this network before any slaves!"},
    };
    while (g_setVLNetworks.FindFirst("Net = 2"))
        g_setVLNetworks.Delete();
    m_doc.SetDataToProgram(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MessageBoxScript local;
        wizards = 0;
        host.connectedNet = c.connectedNet;
        m_doc.m_netQueue.SetNodeState(c.net, 4, CNetCommandQueue::kReasonStatusReply);
        Click(c.net, 4, kInstallPanel);
        EXPECT_EQ(local.Texts(), QStringList{c.text});
        EXPECT_EQ(wizards, c.wizard ? 1 : 0);
        EXPECT_FALSE(g_setVestrels.FindByAddress(c.net, 4));
    }
    EXPECT_EQ(m_doc.GetDataToProgram(), 0);
}

TEST_F(NewNodeWizard, MasterFillsTheNetworksPasswordEntryAndASlaveLeavesIt)
{
    ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
    g_setVLNetworks.Edit();
    g_setVLNetworks.m_Password = QStringLiteral("ab12cd");
    g_setVLNetworks.Update();
    const std::int32_t nodeId = g_setVLNetworks.m_NodeID;
    const RemotePassword expected = {0, 0, 'a', 'b', '1', '2', 'c', 'd'};
    RemovePanel(m_doc, 1);
    NetworkPasswords::ClearRemote(kNetA);

    for (const int node : {1, 4}) {
        SCOPED_TRACE(node);
        MessageBoxScript local;
        host.polls.clear();
        m_doc.SetDataToProgram(0);
        m_doc.m_netQueue.SetNodeState(kNetA, node, CNetCommandQueue::kReasonStatusReply);
        if (node == 4)
            NetworkPasswords::ClearRemote(kNetA);
        Click(kNetA, node, kInstallPanel);
        EXPECT_TRUE(local.Texts().isEmpty()) << local.Texts().join('|').toStdString();
        ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, node));
        EXPECT_EQ(g_setVestrels.m_VestrelName, "Loading dock");
        EXPECT_EQ(g_setVestrels.m_RelayAName, "Dock door");
        EXPECT_EQ(g_setVestrels.m_RelayCName, "Access_C");
        EXPECT_EQ(g_setVestrels.m_NodeID, nodeId);
        EXPECT_EQ(g_setVestrels.m_Flags & 1, 1);
        EXPECT_EQ(g_setVestrels.GetFileName(), QStringLiteral("Vestrel%1.dat").arg(g_setVestrels.m_VestrelID));
        EXPECT_EQ(pane->NodeCaption(kNetA, node), QStringLiteral("%1:%2").arg(nodeId).arg(g_setVestrels.m_VestrelID));
        const ImageNames image = ReadImage(m_doc);
        EXPECT_EQ(image.installation, m_doc.InstallationName());
        EXPECT_EQ(image.controller, "Loading dock");
        EXPECT_EQ(image.channelA, "Dock door");
        EXPECT_EQ(image.channelC, "Access_C");
        EXPECT_EQ(image.address, node);
        ASSERT_TRUE(m_doc.m_netQueue.GetNode(kNetA, node));
        EXPECT_EQ(m_doc.m_netQueue.GetNode(kNetA, node)->m_configured, 1);
        EXPECT_EQ(host.polls, std::vector<int>{0});
        EXPECT_EQ(m_doc.GetDataToProgram(), 1);
        if (node == 1) {
            EXPECT_EQ(image.remote, expected);
            EXPECT_EQ(NetworkPasswords::Remote(kNetA), expected);
        } else {
            EXPECT_EQ(NetworkPasswords::Remote(kNetA).value_or(expected), RemotePassword{})
                << "a slave leaves the entry alone";
        }
    }
}

// The wizard against a simulated panel on a pseudo-terminal: page 2's read
// goes through the link engine and the panel's reply enables Finish.
class NewNodeOnLine : public PanelLinkPane
{
protected:
    static constexpr int kNode = 3;

    void SetUp() override
    {
        PanelLinkPane::SetUp();
        if (HasFatalFailure())
            return;
        Connect();
        ASSERT_TRUE(WaitIdle());
        RemovePanel(m_doc, kNode);
        filesBefore = QDir(m_doc.BuildPath(CWFDoc::kVestrels, QString())).entryList(QDir::Files);
    }

    // Page 1 filled, then Next: the panel check starts.
    void ToSetupPage(CNewNodeWizard& wizard)
    {
        wizard.show();
        TypeNames(wizard);
        wizard.next();
        ASSERT_EQ(wizard.currentPage(), &wizard.SetupPage());
        EXPECT_EQ(wizard.windowTitle(), "Step 2 of 2, Controller setup");
        EXPECT_FALSE(wizard.button(QWizard::FinishButton)->isEnabled()) << "no reply yet";
    }

    QStringList filesBefore;
};

TEST_F(NewNodeOnLine, FinishWaitsForThePanelsReplyThenTheNodeIsInstalledAndPolled)
{
    bool enabled = false;
    pane->trackPopup = [](QMenu&, const QPoint&) { return kInstallPanel; };
    pane->runInstallWizard = [&](CNewNodeWizard& wizard) {
        ToSetupPage(wizard);
        enabled = LinkMessageRecorder::WaitUntil([&] { return wizard.button(QWizard::FinishButton)->isEnabled(); });
        EXPECT_TRUE(wizard.SetupPage().Check().HasAnswered());
        return enabled;
    };
    pane->OnNodeButton(NodeButtons::NodeButtonId(kNetA, kNode));
    ASSERT_TRUE(enabled);
    ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, kNode));
    EXPECT_EQ(g_setVestrels.m_VestrelName, "Loading dock");
    EXPECT_TRUE(QFile::exists(m_doc.BuildPath(CWFDoc::kVestrels, g_setVestrels.GetFileName())));
    ASSERT_TRUE(m_doc.m_netQueue.GetNode(kNetA, kNode));
    EXPECT_EQ(m_doc.m_netQueue.GetNode(kNetA, kNode)->m_configured, 1);
    EXPECT_EQ(host.polls, std::vector<int>{0});
    EXPECT_TRUE(WaitIdle());
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(NewNodeOnLine, CancelOnTheSetupPageLeavesNothing)
{
    pane->trackPopup = [](QMenu&, const QPoint&) { return kInstallPanel; };
    pane->runInstallWizard = [&](CNewNodeWizard& wizard) {
        ToSetupPage(wizard);
        wizard.reject();
        return false;
    };
    const int before = m_doc.GetDataToProgram();
    pane->OnNodeButton(NodeButtons::NodeButtonId(kNetA, kNode));
    // The read's reply comes after the wizard went.
    EXPECT_TRUE(WaitIdle());
    QCoreApplication::processEvents();
    EXPECT_FALSE(g_setVestrels.FindByAddress(kNetA, kNode));
    EXPECT_EQ(QDir(m_doc.BuildPath(CWFDoc::kVestrels, QString())).entryList(QDir::Files), filesBefore);
    EXPECT_EQ(m_doc.m_netQueue.GetNode(kNetA, kNode)->m_configured, 0) << "no entry of an installed panel";
    EXPECT_TRUE(host.polls.empty());
    EXPECT_EQ(m_doc.GetDataToProgram(), before);
    EXPECT_EQ(pane->NodeCaption(kNetA, kNode), "0:0");
}

} // namespace
