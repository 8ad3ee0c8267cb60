#include "app/TaskState.h"
#include "link/NetRunResults.h"
#include "linkforms/CEventPollDlg.h"
#include "tests/linkforms/EventCollectionFixture.h"

#include <QTimer>

#include <atomic>

namespace {

constexpr int kDialogBoundMs = 120000;
const QString kNotConnected = QStringLiteral("Must be connected to the network to execute this command.");

// Runs the dialog as the communication form does; a dialog still open
// after the bound fails the test instead of hanging it.
int RunDialog(CEventPollDlg& dialog)
{
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &dialog, [&] {
        ADD_FAILURE() << "the dialog did not end";
        dialog.done(-2);
    });
    bound.start(kDialogBoundMs);
    return dialog.DoModal();
}

// Runs action once, as soon as ready() holds, from the dialog's event loop.
void WhenReady(QObject* owner, std::function<bool()> ready, std::function<void()> action)
{
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, owner, [timer, ready, action] {
        if (!ready())
            return;
        timer->stop();
        action();
    });
    timer->start(5);
}

} // namespace

TEST_F(EventCollectionRun, EveryEventIsStoredOnceAndEachBlockAcknowledgedOnce)
{
    GiveEvents(1, 600);
    GiveEvents(3, 255);
    ASSERT_EQ(link.Connect(), 1);
    CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
    EXPECT_EQ(RunDialog(dialog), 1);
    ExpectLogHolds({{1, 600}, {3, 255}});
    EXPECT_EQ(dialog.Collector().EventsRetrieved(), 855);
    for (int node : {1, 2, 3})
        EXPECT_TRUE(EventsHeldBy(node).isEmpty()) << node;
    EXPECT_EQ(AcksTo(1), 4) << "blocks of 255, 255, 90 and the empty one";
    EXPECT_EQ(AcksTo(2), 1);
    EXPECT_EQ(AcksTo(3), 2);
}

TEST_F(EventCollectionRun, CorruptNakedAndLostRepliesChangeNothing)
{
    LinkTiming::ScopedScale faster(0.01);
    GiveEvents(1, 300);
    GiveEvents(3, 40);
    for (int node : {1, 3}) {
        line.WithNode(node, [](PanelSimulator& panel) {
            for (std::uint8_t kind : {NetKind::EventLogRead, NetKind::Ack}) {
                panel.InjectFaultOn(kind, PanelSimulator::Fault::Corrupt);
                panel.InjectFaultOn(kind, PanelSimulator::Fault::Nak, 1, Frame::kNakCrcError);
                panel.InjectFaultOn(kind, PanelSimulator::Fault::Drop);
            }
        });
    }
    ASSERT_EQ(link.Connect(), 1);
    CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
    EXPECT_EQ(RunDialog(dialog), 1);
    ExpectLogHolds({{1, 300}, {3, 40}});
    for (int node : {1, 3})
        EXPECT_TRUE(EventsHeldBy(node).isEmpty()) << node;
}

TEST_F(EventCollectionRun, StopDuringABlockStoresThatBlockAndEnds)
{
    GiveEvents(1, 600);
    GiveEvents(3, 20);
    std::atomic<bool> held{false};
    line.SetRequestHook([&](const QByteArray& request) {
        if (Frame::ByteAt(request, Frame::kCodeOffset) != NetKind::EventLogRead || held.exchange(true))
            return PanelLine::RequestAction::Answer;
        return PanelLine::RequestAction::Hold;
    });
    ASSERT_EQ(link.Connect(), 1);
    CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
    WhenReady(&dialog, [&] { return held.load(); }, [&] {
        dialog.reject(); // "&Stop" while the block is on its way
        line.ReleaseHeld();
    });
    EXPECT_EQ(RunDialog(dialog), 1);
    ExpectLogHolds({{1, 255}});
    EXPECT_EQ(EventsHeldBy(1).size(), 345);
    EXPECT_EQ(EventsHeldBy(3).size(), 20);
    EXPECT_EQ(AcksTo(1), 1);
}

TEST_F(EventCollectionRun, QuietNodeKeepsItsEventsAndTheOthersAreCollected)
{
    GiveEvents(1, 30);
    GiveEvents(2, 20);
    GiveEvents(3, 10);
    line.SetNodeMode(2, PanelLine::NodeMode::Quiet);
    ASSERT_EQ(link.Connect(), 1);
    CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
    EXPECT_EQ(RunDialog(dialog), 1);
    ExpectLogHolds({{1, 30}, {3, 10}});
    EXPECT_EQ(EventsHeldBy(2).size(), 20);
}

// A panel wired before it is installed answers the connect's poll at A4:
// it is passed over and keeps its events, until it is installed.
TEST_F(EventCollectionRun, PanelToInstallIsPassedOverThenReadOnceInstalled)
{
    WirePanel(line, 4);
    for (int node : {1, 2, 3, 4})
        GiveEvents(node, 10);
    ASSERT_EQ(link.Connect(), 1);
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil(
        [&] { return m_doc.m_netQueue.GetPollCursor() == 0 && !link.IsInFlight(); }));
    ASSERT_TRUE(m_doc.m_netQueue.HasNode(EventCollection::kNetA, 4));
    {
        CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
        EXPECT_EQ(RunDialog(dialog), 1);
    }
    ExpectLogHolds({{1, 10}, {2, 10}, {3, 10}});
    EXPECT_EQ(EventsHeldBy(4).size(), 10);
    EXPECT_EQ(NetRunResults::ReasonLine(EventCollection::kNetA), "");

    // Installed as the new-node wizard leaves it: a row and its queue entry.
    ASSERT_TRUE(g_setVestrels.FindByAddress(EventCollection::kNetA, 3));
    const std::int32_t network = g_setVestrels.m_NodeID;
    g_setVestrels.AddNew();
    g_setVestrels.m_NodeID = network;
    g_setVestrels.m_NetAddress = EventCollection::kNetA;
    g_setVestrels.m_NodeAddress = 4;
    g_setVestrels.m_VestrelName = QStringLiteral("Loading dock");
    g_setVestrels.Update();
    g_setVestrels.SetBookmark(g_setVestrels.GetLastModifiedBookmark());
    m_doc.m_netQueue.AddNode(g_setVestrels);
    {
        CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
        EXPECT_EQ(RunDialog(dialog), 1);
    }
    ExpectLogHolds({{1, 10}, {2, 10}, {3, 10}, {4, 10}});
    EXPECT_TRUE(EventsHeldBy(4).isEmpty());
}

TEST_F(EventCollectionRun, ReadCutByAReconnectIsAskedAgainAndEveryLogIsRead)
{
    GiveEvents(1, 30);
    GiveEvents(2, 20);
    GiveEvents(3, 10);
    // A3 misses the poll of the connect's pass and its resend: the link
    // reconnects while A1's read waits behind the pass.
    std::atomic<int> a3PollsDropped{0};
    line.SetRequestHook([&](const QByteArray& request) {
        const bool a3Poll = Frame::ByteAt(request, Frame::kAddressOffset) == 0x13
            && (Frame::ByteAt(request, Frame::kCodeOffset) & 0x7F) == NetKind::StatusPoll;
        return a3Poll && a3PollsDropped++ < 2 ? PanelLine::RequestAction::Drop : PanelLine::RequestAction::Answer;
    });
    ASSERT_EQ(link.Connect(), 1);
    CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
    EXPECT_EQ(RunDialog(dialog), 1);
    int logins = 0;
    for (const PanelLine::Traffic& t : line.TrafficLog())
        logins += t.fromProgram && Frame::ByteAt(t.frame, Frame::kCodeOffset) == NetKind::LinkLogin;
    EXPECT_EQ(logins, 2) << "the reconnect";
    ExpectLogHolds({{1, 30}, {2, 20}, {3, 10}});
    EXPECT_EQ(NetRunResults::ReasonLine(EventCollection::kNetA), QString());
}

TEST_F(EventCollectionRun, DialogRefusesWithoutAConnection)
{
    boxes.Answer(IDOK);
    CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(boxes.Texts(), QStringList{kNotConnected});
    EXPECT_EQ(line.RequestCount(), 0);
}

TEST_F(EventCollectionRun, NoNodeToAskIsAnErrorExceptInTheScheduledUpdate)
{
    ASSERT_EQ(link.Connect(), 1);
    for (auto& row : NodeLinkState)
        row.fill(kNodeStateFailed);
    for (const TaskMode mode : {TaskMode::None, TaskMode::Update}) {
        SCOPED_TRACE(static_cast<int>(mode));
        SetTaskMode(mode);
        const int shown = boxes.Texts().size();
        CEventPollDlg dialog(link, m_doc.m_netQueue, m_doc);
        EXPECT_EQ(dialog.DoModal(), 1);
        EXPECT_EQ(boxes.Texts().mid(shown),
                  mode == TaskMode::None ? QStringList{"Error polling for events."} : QStringList{});
    }
    SetTaskMode(TaskMode::None);
}
