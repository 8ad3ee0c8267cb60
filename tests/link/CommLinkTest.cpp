#include "database/CSetVestrels.h"
#include "link/CCommLink.h"
#include "link/CNetCommandQueue.h"
#include "link/CPanelEvent.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "link/NodeAddress.h"
#include "link/WireFrame.h"
#include "platform/WindowMessages.h"
#include "tests/fixtures/PanelSimulator.h"
#include "tests/link/FakeCommandStore.h"
#include "tests/link/FakeLinkParts.h"
#include "tests/support/MessageBoxScript.h"

#include "link/LinkTiming.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kNetA = 1;
constexpr std::uint8_t kA1 = 0x11;
constexpr std::uint8_t kA2 = 0x12;
constexpr std::uint8_t kA3 = 0x13;

// A window that records the messages the link sends or posts it and
// answers WM_USER+14 with keep.
struct Window : QObject
{
    bool event(QEvent* e) override
    {
        if (e->type() != AppMessageEvent::Type())
            return QObject::event(e);
        auto* message = static_cast<AppMessageEvent*>(e);
        received.push_back({message->msg, message->wParam});
        if (message->msg == Msg::PanelEvent)
            events.push_back(reinterpret_cast<const CPanelEvent*>(message->lParam)->GetEventText());
        message->result = message->msg == Msg::EventLogBlock ? keep : 1;
        return true;
    }
    bool Got(unsigned msg) const
    {
        return std::any_of(received.begin(), received.end(), [&](const auto& m) { return m.first == msg; });
    }
    std::vector<std::pair<unsigned, quintptr>> received;
    std::vector<QString> events;
    int keep = 1;
};

// Network A (nodes 1-3) connected over a line that records frames; the
// tests play the panels' replies and the reply timer by hand.
class CommLink : public ::testing::Test
{
protected:
    CommLink()
    {
        ResetLinkRunState();
        NetQueueState.fill(kNetworkStateNormal);
        for (auto& row : NodeLinkState)
            row.fill(kNodeStateAnswers);
        for (int node : {1, 2, 3}) {
            CSetVestrels row;
            row.m_NetAddress = kNetA;
            row.m_NodeAddress = static_cast<std::uint8_t>(node);
            queue.AddNode(row);
        }
        host.pane = &pane;
        link.SetNetworks({{kNetA, QStringLiteral("[A] Main")}});
        queue.SetCurrentNetwork(kNetA);
        link.SetConnected(1);
    }
    ~CommLink() override
    {
        for (auto& row : NodeLinkState)
            row.fill(kNodeStateUnknown);
        TaskStepSend = kStepNotStarted;
        ProgramDeferred = 0;
    }

    void QueueNodeCommand(int node, int retries = 5)
    {
        auto command = std::make_unique<CNetCommand>(NetKind::NodeCommand, kNetA, node, NetCommandData{1});
        command->m_retries = static_cast<std::uint8_t>(retries);
        command->m_notifyWindow = &notify;
        ASSERT_TRUE(queue.AddCommand(command));
    }
    void StoreWrite(int node)
    {
        ASSERT_TRUE(queue.StoreCommand(CNetCommand::CNetCommandMemoryUpdate(
            MakeNodeAddress(kNetA, node), QByteArray("\x01\x00\x00\x00\x01\x55", 6))));
    }
    void Reply(std::uint8_t address, std::uint8_t code, const QByteArray& data = {})
    {
        link.OnPacketReceived(PanelSimulator::MakeReply(address, code, data));
    }
    std::uint8_t LastWrittenAddress() const
    {
        return Frame::ByteAt(transport.frames.back(), Frame::kAddressOffset);
    }

    FakeCommandStore store;
    CNetCommandQueue queue{&store};
    FakeTransport transport;
    FakeLinkHost host;
    Window pane;
    Window notify;
    CCommLink link{queue, store, transport, host};
};

QByteArray StatusData(std::uint8_t flags, std::uint8_t panelAndMajor = 0x11, std::uint8_t minor = 0x20)
{
    QByteArray data(19, '\0');
    data[8] = char(flags); // record byte 10
    data[17] = char(panelAndMajor);
    data[18] = char(minor);
    return data;
}

} // namespace

TEST_F(CommLink, RetriesResendAndGiveUp)
{
    struct Case
    {
        int retries;
        int sends;
    };
    for (const Case c : {Case{0, 1}, Case{1, 2}, Case{5, 6}}) {
        SCOPED_TRACE(c.retries);
        transport.frames.clear();
        notify.received.clear();
        QueueNodeCommand(2, c.retries);
        link.ServiceQueue();
        ASSERT_TRUE(link.IsInFlight());
        EXPECT_EQ(link.ReplyTimeoutMs(), 3000) << "a queue send waits its reply time-out";
        for (int sends = 1; sends < c.sends; ++sends) {
            link.OnReplyTimeout();
            EXPECT_EQ(link.ReplyTimeoutMs(), 3000 + CCommLink::kResendExtraMs) << "a resend waits T + 4000";
        }
        link.OnReplyTimeout();
        EXPECT_FALSE(link.IsInFlight());
        EXPECT_EQ(static_cast<int>(transport.frames.size()), c.sends);
        QCoreApplication::processEvents();
        EXPECT_TRUE(notify.Got(Msg::CommandDone));
        EXPECT_TRUE(notify.Got(Msg::ConnectFailed));
    }
}

TEST_F(CommLink, LateDuplicateAckCompletesNoOtherCommand)
{
    LinkTiming::ScopedScale fast(0.001);
    QueueNodeCommand(2);
    QueueNodeCommand(2);
    link.ServiceQueue();
    link.OnReplyTimeout(); // resent
    ASSERT_EQ(transport.frames.size(), 2u);
    Reply(kA2, Frame::kAck);
    EXPECT_FALSE(link.IsInFlight());
    EXPECT_EQ(transport.frames.size(), 2u) << "the next send waits for the first's late answer";
    Reply(kA2, Frame::kAck); // the late duplicate
    QElapsedTimer wait;
    wait.start();
    while (transport.frames.size() < 3 && wait.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_EQ(transport.frames.size(), 3u);
    EXPECT_TRUE(link.IsInFlight()) << "the second command still waits for its own answer";
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count_if(notify.received.begin(), notify.received.end(),
                            [](const auto& m) { return m.first == Msg::Ack; }),
              1);
}

TEST_F(CommLink, RepliesTooShortForTheirCodeAreDropped)
{
    link.PollNode(1);
    ASSERT_EQ(LastWrittenAddress(), kA1);
    Reply(kA1, Frame::kNodeStatus, StatusData(0).left(18));
    EXPECT_TRUE(link.IsInFlight()) << "status L 22";
    Reply(kA1, Frame::kNak);
    EXPECT_EQ(transport.frames.size(), 1u) << "NAK without its reason";
    Reply(kA3, Frame::kEventRecord, QByteArray(8, '\x10'));
    EXPECT_TRUE(pane.events.empty()) << "event L 12";
    Reply(kA1, Frame::kNodeStatus, StatusData(0));
    EXPECT_FALSE(pane.received.empty());
    EXPECT_TRUE(pane.Got(Msg::NodeStatus));
}

TEST_F(CommLink, EventLogBlockIsAcknowledgedOnlyOnceKept)
{
    for (int keep : {1, 0}) {
        SCOPED_TRACE(keep);
        notify.keep = keep;
        transport.frames.clear();
        auto read = std::make_unique<CNetCommand>(NetKind::EventLogRead, kNetA, 2);
        read->m_notifyWindow = &notify;
        ASSERT_TRUE(queue.AddCommand(read));
        link.ServiceQueue();
        Reply(kA2, Frame::kEventLogBlock, QByteArray(1, '\2') + QByteArray(16, 'e'));
        EXPECT_TRUE(link.IsInFlight()) << "a block shorter than its count says is dropped";
        Reply(kA2, Frame::kEventLogBlock, QByteArray(1, '\1') + QByteArray(16, 'e'));
        if (keep) {
            ASSERT_EQ(transport.frames.size(), 2u);
            EXPECT_EQ(Frame::ByteAt(transport.frames[1], Frame::kCodeOffset), NetKind::Ack);
            EXPECT_EQ(LastWrittenAddress(), kA2);
            Reply(kA2, Frame::kAck);
        } else {
            EXPECT_EQ(transport.frames.size(), 1u) << "no acknowledgement: the panel keeps its events";
        }
        EXPECT_FALSE(link.IsInFlight());
    }
}

TEST_F(CommLink, EventRecordShowsWhileACommandIsInFlight)
{
    QueueNodeCommand(2);
    link.ServiceQueue();
    QByteArray record(9, '\0');
    record[1] = char(128); // record byte 4: the door state
    Reply(kA3, Frame::kEventRecord, QByteArray(1, char(16)) + record);
    EXPECT_EQ(pane.events, std::vector<QString>{"Lock"});
    EXPECT_TRUE(link.IsInFlight());
}

TEST_F(CommLink, RepliesMatchTheAddressUnlessForAllNodesOrTheTime)
{
    struct Case
    {
        const char* what;
        std::uint8_t kind;
        int node;
        std::uint8_t from;
        bool completes;
    };
    const Case cases[] = {
        {"same node", NetKind::NodeCommand, 2, kA2, true},
        {"another node", NetKind::NodeCommand, 2, kA3, false},
        {"all nodes", NetKind::NodeCommand, NodeAddress::kAllNodes, kA3, true},
        {"network time", NetKind::TimeSetting, 1, kA3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto command = std::make_unique<CNetCommand>(c.kind, kNetA, c.node, NetCommandData{1});
        ASSERT_TRUE(queue.AddCommand(command));
        link.ServiceQueue();
        ASSERT_TRUE(link.IsInFlight());
        Reply(c.from, Frame::kAck);
        EXPECT_EQ(link.IsInFlight(), !c.completes);
        if (link.IsInFlight())
            link.CompleteCommand();
    }
}

TEST_F(CommLink, NakReasonsDecideTheResend)
{
    QueueNodeCommand(2);
    link.ServiceQueue();
    Reply(kA2, Frame::kNak, QByteArray(1, char(Frame::kNakCrcError)));
    EXPECT_EQ(transport.frames.size(), 2u) << "a CRC error resends";
    EXPECT_TRUE(link.IsInFlight());
    Reply(kA2, Frame::kNak, QByteArray(1, char(Frame::kNakWrongPassword)));
    EXPECT_EQ(transport.frames.size(), 2u) << "a wrong password never resends";
    EXPECT_FALSE(link.IsInFlight());
    EXPECT_FALSE(link.IsConnected());
    EXPECT_TRUE(notify.Got(Msg::Nak));
}

TEST_F(CommLink, DeferredProgramPressIsPostedWhenTheQueueEmpties)
{
    int programPresses = 0;
    QObject::connect(&link, &CCommLink::programStepRequested, [&] { ++programPresses; });
    ProgramDeferred = 1;
    link.ServiceQueue();
    QCoreApplication::processEvents();
    EXPECT_EQ(programPresses, 1);
    EXPECT_EQ(ProgramDeferred, 0);
    link.ServiceQueue();
    EXPECT_EQ(TaskStepSend, kStepDone);
}

TEST_F(CommLink, PacingTimerPollsOnlyWhenTheQueueIsIdle)
{
    queue.m_state = CNetCommandQueue::kStageStored;
    link.OnPacingTimer();
    EXPECT_TRUE(transport.frames.empty());
    queue.m_state = CNetCommandQueue::kStageIdle;
    link.OnPacingTimer();
    ASSERT_EQ(transport.frames.size(), 1u);
    EXPECT_EQ(Frame::ByteAt(transport.frames[0], Frame::kCodeOffset), NetKind::StatusPoll);
}

TEST_F(CommLink, StatusAskingForEverythingMarksDataToProgram)
{
    link.PollNode(1);
    Reply(kA1, Frame::kNodeStatus, StatusData(0x20));
    EXPECT_EQ(host.dataToProgram, 1);
    EXPECT_EQ(queue.GetNode(kNetA, 1)->m_reprogramAll, 1);
    EXPECT_EQ(LastWrittenAddress(), kA2) << "the pass goes on to the next node";
}

TEST_F(CommLink, DisconnectKeepsTheStoredCommandInFlight)
{
    StoreWrite(2);
    link.ServiceQueue();
    ASSERT_TRUE(link.IsInFlight());
    const std::int32_t id = link.Request().m_nCommandID;
    link.Disconnect();
    EXPECT_EQ(store.GetPendingCommandCount(), 1);
    queue.SetCurrentNetwork(kNetA);
    link.SetConnected(1);
    link.ServiceQueue();
    ASSERT_TRUE(link.IsInFlight());
    EXPECT_EQ(link.Request().m_nCommandID, id);
    Reply(kA2, Frame::kAck);
    EXPECT_EQ(store.GetPendingCommandCount(), 0);
}

TEST_F(CommLink, GivenUpWriteIsDroppedAndItsNodeMarked)
{
    host.mode = ILinkHost::RunMode::Program; // no operator to ask about the reconnect
    StoreWrite(2);
    StoreWrite(3);
    link.ServiceQueue();
    for (int sends = 0; sends < 6; ++sends)
        link.OnReplyTimeout();
    EXPECT_EQ(host.flashFailedNotices, 1);
    EXPECT_EQ(store.GetPendingCommandCount(), 1) << "the write and nothing else of another node";
    EXPECT_EQ(NodeLinkState[kNetA - 1][2 - 1], kNodeStateFailed);
    EXPECT_EQ(NodeReprogramPending[kNetA - 1][2 - 1], 1);
}
