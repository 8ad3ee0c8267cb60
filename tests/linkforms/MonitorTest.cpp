#include "app/CListCtrlEx.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "common/CommandIds.h"
#include "common/Formatting.h"
#include "link/DoorKey.h"
#include "link/DoorMonitoring.h"
#include "linkforms/CMenuMonitorDlg.h"
#include "linkforms/CMonitorForm.h"
#include "linkforms/LinkViews.h"
#include "platform/WindowMessages.h"
#include "tests/linkforms/EventCollectionFixture.h"
#include "tests/support/StandInViews.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

constexpr std::uint8_t kA1 = 0x11;
constexpr std::uint8_t kB3 = 0x23;

// An event record from the address byte: type, then bytes 3 to 10.
QByteArray EventData(std::uint8_t type, std::array<std::uint8_t, 8> bytes3to10 = {})
{
    QByteArray data(1, char(type));
    for (std::uint8_t b : bytes3to10)
        data.append(char(b));
    return data;
}

int ImageOf(const QTreeWidgetItem* item)
{
    return item->data(0, CListCtrlEx::kImageIndexRole).toInt();
}

// The demo installation open, its link connected over a line that records
// frames; simulated panels answer what is sent.
class Monitor : public ProgrammingRun
{
protected:
    void SetUp() override
    {
        ProgrammingRun::SetUp();
        if (HasFatalFailure())
            return;
        ResetLinkRunState();
        for (auto& row : NodeLinkState)
            row.fill(kNodeStateAnswers);
        link.SetNetworks({{1, QStringLiteral("[A] Main")}});
        m_doc.m_netQueue.SetCurrentNetwork(1);
        link.SetConnected(1);
    }
    void TearDown() override
    {
        monitor.reset();
        ProgrammingRun::TearDown();
    }

    CMonitorForm& OpenMonitor()
    {
        monitor = std::make_unique<CMonitorForm>();
        host.pane = monitor.get();
        return *monitor;
    }
    void AddDoor(std::uint32_t key)
    {
        ASSERT_TRUE(g_setVestrels.FindByAddress(DoorKey::Network(key), DoorKey::Node(key)));
        const QString label = g_setVestrels.GetDoorLabel(DoorKey::Door(key) + 1, true);
        EXPECT_EQ(SendAppMessage(monitor.get(), Msg::AddDoor, key, reinterpret_cast<qintptr>(&label)), 1);
    }
    void Event(std::uint8_t address, const QByteArray& data)
    {
        link.OnPacketReceived(PanelSimulator::MakeReply(address, Frame::kEventRecord, data));
    }
    // Each frame in flight is answered by the panel at its address, until
    // nothing is in flight.
    void AnswerUntilIdle()
    {
        for (int frames = 0; link.IsInFlight() && frames < 500; ++frames) {
            const QByteArray frame = transport.frames.back();
            const std::uint8_t address = Frame::ByteAt(frame, Frame::kAddressOffset);
            if (!m_doc.m_netQueue.HasNode(address >> 4, address & 0x0F)) {
                // The master answers for a node that is not there.
                link.OnPacketReceived(
                    PanelSimulator::MakeReply(address, Frame::kNak, QByteArray(1, char(Frame::kNakTimeOut))));
                continue;
            }
            for (const PanelSimulator::Reply& reply : Panel(address).Feed(frame))
                link.OnPacketReceived(reply.frame);
            QCoreApplication::processEvents();
        }
    }
    PanelSimulator& Panel(std::uint8_t address)
    {
        auto& panel = panels[address];
        if (!panel) {
            panel = std::make_unique<PanelSimulator>(address);
            panel->SetStatusRecord(PanelSimulator::SupportedStatus());
        }
        return *panel;
    }
    QTreeWidgetItem* DoorRow(std::uint32_t key) const
    {
        for (int row = 0; row < monitor->ControlList()->topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = monitor->ControlList()->topLevelItem(row);
            if (item->data(0, CMonitorForm::kDoorKeyRole).toUInt() == key)
                return item;
        }
        return nullptr;
    }
    // Read from the table, not from the shared row a moment ago.
    static std::uint8_t LastMonitoredOf(int network, int node)
    {
        EXPECT_TRUE(g_setVestrels.FindFirst(QStringLiteral("NetAddress = %1 AND NodeAddress = %2").arg(network).arg(node)));
        return g_setVestrels.m_LastMonitored;
    }
    static void SetLastMonitored(int network, int node, std::uint8_t doors)
    {
        ASSERT_TRUE(g_setVestrels.FindByAddress(network, node));
        g_setVestrels.Edit();
        g_setVestrels.m_LastMonitored = doors;
        g_setVestrels.Update();
    }
    QString NodeLabel(int node)
    {
        EXPECT_TRUE(g_setVestrels.FindByAddress(1, node));
        return g_setVestrels.GetNodeLabel();
    }
    QString DoorLabel(int node, int door)
    {
        EXPECT_TRUE(g_setVestrels.FindByAddress(1, node));
        return g_setVestrels.GetDoorLabel(door, true);
    }

    MessageBoxScript boxes;
    FakeTransport transport;
    FakeLinkHost host;
    CCommLink link{m_doc.m_netQueue, m_doc, transport, host};
    LinkFormStandIn form{link};
    std::unique_ptr<CMonitorForm> monitor;
    std::map<std::uint8_t, std::unique_ptr<PanelSimulator>> panels;
};

} // namespace

TEST_F(Monitor, StoppedMonitorStillChangesTheDoorPictures)
{
    OpenMonitor();
    const std::uint32_t doorA = DoorKey::Make(1, 1, 0);
    AddDoor(doorA);
    AnswerUntilIdle();
    monitor->StopButton()->setChecked(true);
    Event(kA1, EventData(16, {0, 4}));
    EXPECT_EQ(monitor->MonitorList()->topLevelItemCount(), 0);
    EXPECT_EQ(ImageOf(DoorRow(doorA)), 4);
    monitor->StartButton()->setChecked(true);
    Event(kA1, EventData(16, {0, 1}));
    ASSERT_EQ(monitor->MonitorList()->topLevelItemCount(), 1);
    EXPECT_EQ(ImageOf(DoorRow(doorA)), 8);
    EXPECT_EQ(monitor->MonitorList()->topLevelItem(0)->text(3), "Open");
}

TEST_F(Monitor, UncheckedCategoryHidesOnlyItsOwnEvents)
{
    OpenMonitor();
    struct Case
    {
        const char* category;
        QByteArray event;
        bool shown;
    };
    const Case cases[] = {
        {"Alarms", EventData(16, {0, 4}), false},
        {"Alarms", EventData(16, {0, 2}), true},
        {"Alarms", EventData(16, {0, 3}), true},
        {"Sense Input", EventData(16, {0, 4}), true},
        {"Sense Input", EventData(96, {0, 0, 0, 0, 0, 1, 1, 0}), true},
        {"Priority Access", EventData(17, {1}), true},
        {"Priority Access", EventData(17, {0}), true},
        {"Anti-Passback Violation", EventData(96, {0, 0, 0, 0, 0, 1, 1, 0}), false},
        {"Anti-Passback Violation", EventData(96, {0, 1, 0, 0, 0, 1, 1, 0}), true},
        {"Access Denied", EventData(33, {0, 5, 0, 0, 0, 0, 0, 9}), false},
        {"Unknown Credential", EventData(50, {0, 0, 0, 0, 0x12, 0xFF, 0xFF, 0xFF}), false},
        {"Deactivations", EventData(16, {0, 0}), false},
    };
    QListWidget* filter = monitor->EventFilter();
    ASSERT_EQ(filter->count(), DoorMonitoring::kCategoryCount);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        for (int i = 0; i < filter->count(); ++i)
            filter->item(i)->setCheckState(filter->item(i)->text() == QLatin1String(c.category) ? Qt::Unchecked : Qt::Checked);
        monitor->OnClearMonitor();
        Event(kA1, c.event);
        EXPECT_EQ(monitor->MonitorList()->topLevelItemCount(), c.shown ? 1 : 0);
    }
}

TEST_F(Monitor, StatusRecordSetsThePicturesOfItsDoors)
{
    OpenMonitor();
    std::uint32_t doors[4];
    for (int door = 0; door < 4; ++door) {
        doors[door] = DoorKey::Make(1, 1, door);
        AddDoor(doors[door]);
    }
    Event(kA1, EventData(16, {2, 1})); // door C open
    ASSERT_EQ(ImageOf(DoorRow(doors[2])), 8);
    Panel(kA1).SetDoorStates({0, 193, 3, 160});
    AnswerUntilIdle();
    const int expected[] = {1, 2, 8, 3};
    for (int door = 0; door < 4; ++door) {
        SCOPED_TRACE(door);
        EXPECT_EQ(ImageOf(DoorRow(doors[door])), expected[door]);
    }
}

TEST_F(Monitor, LockOpenReachesThePanelOfTheChosenDoor)
{
    g_setVLNetworks.AddNew();
    g_setVLNetworks.m_Net = 2;
    g_setVLNetworks.m_Active = true;
    g_setVLNetworks.m_NetName = QStringLiteral("Annex");
    g_setVLNetworks.Update();
    ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 2"));
    g_setVestrels.AddNew();
    g_setVestrels.m_NetAddress = 2;
    g_setVestrels.m_NodeAddress = 3;
    g_setVestrels.m_NodeID = g_setVLNetworks.m_NodeID;
    g_setVestrels.m_VestrelName = QStringLiteral("Annex door");
    g_setVestrels.Update();
    ASSERT_TRUE(g_setVestrels.FindByAddress(2, 3));
    m_doc.m_netQueue.AddNode(g_setVestrels);
    link.SetNetworks({{1, QStringLiteral("[A] Main")}, {2, QStringLiteral("[B] Annex")}});
    link.SelectNetwork(2);
    m_doc.m_netQueue.SetCurrentNetwork(2);

    OpenMonitor();
    const std::uint32_t doorC = DoorKey::Make(2, 3, 2);
    AddDoor(doorC);
    AnswerUntilIdle();
    DoorRow(doorC)->setSelected(true);
    monitor->SendDoorCommand(DoorMonitoring::DoorCode::LockOpen);
    AnswerUntilIdle();
    ASSERT_EQ(Panel(kB3).NodeCommands().size(), 1);
    EXPECT_EQ(Panel(kB3).NodeCommands().first(), QByteArray("\x01\x00\x00\x00\x02\x00", 6));
}

TEST_F(Monitor, DoorCommandsWithoutAConnectionQueueNothing)
{
    OpenMonitor();
    AddDoor(DoorKey::Make(1, 1, 0));
    AnswerUntilIdle();
    link.SetConnected(0);
    monitor->ControlList()->selectAll();
    const std::size_t sent = transport.frames.size();
    boxes.Answer(IDOK);
    monitor->SendDoorCommand(DoorMonitoring::DoorCode::Unlock);
    boxes.Answer(IDOK);
    monitor->OnUpdateState();
    EXPECT_EQ(boxes.Texts(), QStringList(2, "Must be connected to the network to execute this command.")) << boxes.Texts().join("|").toStdString();
    EXPECT_FALSE(m_doc.m_netQueue.GetNode(1, 1)->HasPending());
    EXPECT_EQ(transport.frames.size(), sent);
}

TEST_F(Monitor, SavedDoorsAreLoadedPolledAndSavedAgain)
{
    link.SetConnected(0); // the polls stay queued
    SetLastMonitored(1, 1, 0x0B);
    OpenMonitor();
    EXPECT_EQ(monitor->ControlList()->topLevelItemCount(), 3);
    EXPECT_EQ(m_doc.m_netQueue.GetNode(1, 1)->PendingCount(), 3u) << "one poll a door";
    EXPECT_EQ(LastMonitoredOf(1, 1), 0);
    EXPECT_EQ(DoorRow(DoorKey::Make(1, 1, 3))->text(0), DoorLabel(1, 4));
    EXPECT_EQ(SendAppMessage(monitor.get(), Msg::AddDoor, DoorKey::Make(1, 1, 3)), 0) << "a door is listed once";
    DoorRow(DoorKey::Make(1, 1, 0))->setSelected(true);
    monitor->OnRemoveDoors();
    EXPECT_EQ(LastMonitoredOf(1, 1), 0) << "removing touches no row";
    monitor->close();
    EXPECT_EQ(LastMonitoredOf(1, 1), 0x0A);
}

TEST_F(Monitor, EveryKindOfLiveEventShowsItsTexts)
{
    OpenMonitor();
    const QString node = NodeLabel(1);
    struct Case
    {
        QByteArray event;
        QString door;
        QString text;
        QString activator;
    };
    const std::array<std::uint8_t, 8> credential{0x12, 0x34, 0, 0, 0, 0, 0, 99};
    const std::array<std::uint8_t, 8> code{0x12, 0x34, 0, 0, 0x12, 0x3F, 0xFF, 0xFF};
    const Case cases[] = {
        {EventData(16, {0, 193}), DoorLabel(1, 1), "Lock Open", node},
        {EventData(17, {1}), node, "Priority Access", "Dial in"},
        {EventData(32, credential), "Fac: 4660, ID: 99", "Access Denied Transmitter", node},
        {EventData(33, credential), "Fac: 4660, ID: 99", "Access Denied Card", node},
        {EventData(34, code), "Code: 123", "Access Denied Entry Code", node},
        {EventData(48, credential), "Fac: 4, ID: 99", "Unknown Transmitter", node},
        {EventData(49, credential), "Fac: 4660, ID: 99", "Unknown Card", node},
        {EventData(50, code), "Code: 123", "Unknown Entry Code", node},
        {EventData(64, {0, 0, 0, 0, 0, 0, 0, 1}), "open", "Tamper switch", node},
        {EventData(80, {0, 0, 0, 0, 0, 0, 0, 0}), "database problem", "Screen status", node},
        {EventData(96, {0, 0, 0, 0, 1, 2, 0, 0}), DoorLabel(1, 2) + " (OUT)", "Anti-passback violation", node},
        {EventData(112, {0, 0, 0}), FormatModuleRelays(0, 0, 0), "Elevator open / close", node},
    };
    const QRegularExpression time(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d - \\d\\d:\\d\\d:\\d\\d$"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Event(kA1, c.event);
        const QTreeWidgetItem* line = monitor->MonitorList()->topLevelItem(0);
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(time.match(line->text(0)).hasMatch()) << line->text(0).toStdString();
        EXPECT_EQ(line->text(1), c.activator);
        EXPECT_EQ(line->text(2), c.door);
        EXPECT_EQ(line->text(3), c.text);
    }
    EXPECT_EQ(monitor->MonitorList()->topLevelItemCount(), static_cast<int>(std::size(cases)));
}

// The monitor in the main window: its views from the Monitor command, kept
// doors across a network change and a recreation of both views.
class MonitorInMainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterLinkViews();
        RegisterStandInViews();
        ASSERT_TRUE(app.InitInstance({}));
        frame = app.MainFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(frame->OnCommand(CommandId::MonitorView));
    }
    void TearDown() override { app.ExitInstance(); }

    CMonitorForm* Right() const { return qobject_cast<CMonitorForm*>(frame->RightView()); }
    CMenuMonitorDlg* Left() const { return qobject_cast<CMenuMonitorDlg*>(frame->UpperLeftView()); }

    TestEnvironment env;
    MessageBoxScript boxes;
    CWFApp app;
    CMainFrame* frame = nullptr;
};

TEST_F(MonitorInMainWindow, DoorsChosenInTheNavigationFormStayAcrossNetworkChanges)
{
    ASSERT_NE(Left(), nullptr);
    ASSERT_NE(Right(), nullptr);
    ASSERT_GE(Left()->Nodes()->count(), 1);
    Left()->Nodes()->item(0)->setSelected(true);
    ASSERT_EQ(Left()->Doors()->count(), 4);
    Left()->Doors()->item(1)->setSelected(true);
    ASSERT_EQ(Right()->ControlList()->topLevelItemCount(), 1);
    const QString door = Right()->ControlList()->topLevelItem(0)->text(0);
    EXPECT_EQ(door, Left()->Doors()->item(1)->text());

    EXPECT_EQ(SendAppMessage(Left(), Msg::NetworkChanged, 1), 1);
    EXPECT_EQ(Left()->Doors()->count(), 0);
    ASSERT_EQ(Right()->ControlList()->topLevelItemCount(), 1);

    const QWidget* before = Right();
    frame->RecreateMonitorViews();
    QCoreApplication::processEvents();
    ASSERT_NE(Right(), nullptr);
    EXPECT_NE(static_cast<const QWidget*>(Right()), before);
    ASSERT_EQ(Right()->ControlList()->topLevelItemCount(), 1);
    EXPECT_EQ(Right()->ControlList()->topLevelItem(0)->text(0), door);

    ASSERT_TRUE(frame->OnCommand(CommandId::CardholdersView));
    frame->RecreateMonitorViews();
    EXPECT_EQ(frame->UpperLeftView()->objectName(), "CMenuUsers") << "only a shown monitor is made again";
}
