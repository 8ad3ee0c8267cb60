#include "app/TaskSchedulerLog.h"
#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CModem.h"
#include "image/CVLMemory.h"
#include "link/CSerialTransport.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "link/WireFrame.h"
#include "platform/Profile.h"
#include "platform/WindowMessages.h"
#include "tests/app/AnnexController.h"
#include "tests/app/PanelBanks.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/link/FakeLinkParts.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <functional>
#include <map>
#include <memory>

#include <gtest/gtest.h>

namespace {

constexpr int kNetA = 1;
constexpr double kFastLink = 0.02;
const QString kPanelPassword = QStringLiteral("123456");

// The right pane: which messages reached it.
struct RecordingPane : QObject
{
    bool event(QEvent* e) override
    {
        if (e->type() != AppMessageEvent::Type())
            return QObject::event(e);
        received.push_back(static_cast<AppMessageEvent*>(e)->msg);
        return true;
    }
    bool Got(unsigned msg) const { return std::find(received.begin(), received.end(), msg) != received.end(); }
    std::vector<unsigned> received;
};

// The demo installation (network A, nodes 1-3) programmed through the real
// serial link to simulated panels on a pseudo-terminal.
// What the run's end leaves for the task log of network A: a failed
// network's reason line and its result line.
QString ResultOfNetA(CWFDoc& doc)
{
    NetRunResults::Settle(doc.m_netQueue, doc);
    std::array<int, kTaskNetworkCount> results;
    results.fill(kTaskNetUnused);
    results[0] = NetTaskResult[0];
    return TaskSchedulerLog::ResultLines(TaskMode::Update, results, 0, TaskSchedulerLog::NetReasons(), false,
                                         TaskSchedulerLog::NetNotes());
}

// A new run: nothing failed yet; the link connects afresh, so a node
// suspended in the last one is polled back.
void StartAnotherRun(CCommLink& link)
{
    link.Disconnect();
    NetRunResults::Reset();
}

class LinkRun : public ProgrammingRun
{
protected:
    void SetUp() override
    {
        ProgrammingRun::SetUp();
        if (HasFatalFailure())
            return;
        ResetLinkRunState();
        NetQueueState.fill(kNetworkStateNormal);
        CommPort = std::make_unique<CCommPort>();
        Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM1"), line.SlavePath());
        SetPassword(kPanelPassword);
        for (int node : {1, 2, 3})
            line.WithNode(node, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        host.pane = &pane;
        link.FillNetworkCombo();
    }
    void TearDown() override
    {
        link.Disconnect();
        CommPort.reset();
        ProgrammingRun::TearDown();
    }

    static void SetPassword(const QString& password)
    {
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Password = password;
        g_setVLNetworks.Update();
    }

    // Runs the link until the store is empty and nothing is in flight.
    bool RunUntilSent(int boundMs = 20000)
    {
        return LinkMessageRecorder::WaitUntil(
            [&] { return m_doc.GetPendingCommandCount() == 0 && !link.IsInFlight(); }, boundMs);
    }

    void ExpectPanelsEqualTheFiles(std::initializer_list<int> nodes) { ExpectPanelBanksEqualTheFiles(m_doc, line, nodes); }

    // The operator was told the command file was not sent and the network
    // failed naming it; then a clean run sends everything and passes.
    void ExpectUnreadableCommandNamedThenACleanRunPasses(const MessageBoxScript& shown, const QString& name,
                                                         bool keptAside)
    {
        ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return !shown.Texts().isEmpty(); }));
        const QString told = shown.Texts().join('|');
        EXPECT_TRUE(told.startsWith(QStringLiteral("Command file %1 could not be read and was not sent.").arg(name)))
            << told.toStdString();
        EXPECT_EQ(told.contains("It is kept as"), keptAside) << told.toStdString();
        EXPECT_EQ(ResultOfNetA(m_doc), QStringLiteral("\nCommand file %1 could not be read.\nNet A failed.").arg(name));

        StartAnotherRun(link);
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
        ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
        ASSERT_TRUE(RunUntilSent());
        ExpectPanelsEqualTheFiles({1, 2, 3});
        EXPECT_EQ(ResultOfNetA(m_doc), "\nNet A passed.");
    }

    // The node's row carries the mark for a full reprogram.
    bool Marked(int node)
    {
        return (FlagsOf(node) & 1) != 0;
    }

    MessageBoxScript boxes;
    LinkTiming::ScopedScale timing{kFastLink};
    PanelLine line{kNetA, {1, 2, 3}};
    CSerialTransport transport;
    FakeLinkHost host;
    RecordingPane pane;
    CCommLink link{m_doc.m_netQueue, m_doc, transport, host};
    QStringList lines;
    QMetaObject::Connection linesConnection =
        QObject::connect(&link, &CCommLink::connectLine, [this](const QString& text) { lines << text; });
};

TEST_F(LinkRun, StoredRunLeavesNothingAndThePanelsEqualTheFiles)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const int stored = m_doc.GetPendingCommandCount();
    ASSERT_GT(stored, 0);
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains("Connected to network."));
    ASSERT_TRUE(RunUntilSent());
    EXPECT_EQ(RowCount(), 0);
    EXPECT_TRUE(QDir(m_doc.BuildPath(CWFDoc::kNetCommands, QString())).entryList(QDir::Files).isEmpty());
    ExpectPanelsEqualTheFiles({1, 2, 3});
}

TEST_F(LinkRun, WrongPasswordEndsTheAttemptOffLine)
{
    SetPassword("580317");
    boxes.Answer(IDCANCEL);
    EXPECT_EQ(link.Connect(), 0);
    EXPECT_TRUE(lines.contains("Wrong password.")) << lines.join('|').toStdString();
    EXPECT_FALSE(link.IsConnected());
    int logins = 0;
    for (const PanelLine::Traffic& t : line.TrafficLog())
        logins += t.fromProgram && Frame::ByteAt(t.frame, Frame::kCodeOffset) == 1;
    EXPECT_EQ(logins, 1) << "a wrong password is not retried";
}

bool IsRequest(const QByteArray& frame, std::uint8_t address, std::initializer_list<std::uint8_t> codes)
{
    const std::uint8_t code = Frame::ByteAt(frame, Frame::kCodeOffset) & 0x7F;
    return Frame::ByteAt(frame, Frame::kAddressOffset) == address && std::find(codes.begin(), codes.end(), code) != codes.end();
}

TEST_F(LinkRun, CorruptAndLostRepliesWithinTheRetriesLoseNothing)
{
    line.WithNode(2, [](PanelSimulator& panel) {
        panel.InjectFault(PanelSimulator::Fault::Corrupt, 2);
        panel.InjectFault(PanelSimulator::Fault::Nak, 1, 1);
        panel.InjectFault(PanelSimulator::Fault::Drop, 1);
    });
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(RunUntilSent());
    EXPECT_EQ(RowCount(), 0);
    ExpectPanelsEqualTheFiles({1, 2, 3});
    EXPECT_EQ(host.flashFailedNotices, 0);
}

TEST_F(LinkRun, LateAcknowledgementCompletesNoOtherWrite)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    // A3's first write is answered only after its resend was; the frame of
    // the command after it never reaches the panel the first time.
    std::atomic<int> writesToA3{0};
    line.SetRequestHook([&](const QByteArray& request) {
        if (!IsRequest(request, 0x13, {7, 5}))
            return PanelLine::RequestAction::Answer;
        const int write = ++writesToA3;
        return write == 1 ? PanelLine::RequestAction::Hold
            : write == 3  ? PanelLine::RequestAction::Drop
                          : PanelLine::RequestAction::Answer;
    });
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil(
        [&] { return writesToA3 >= 3 || (writesToA3 == 2 && !link.IsInFlight()); }));
    line.ReleaseHeld();
    ASSERT_TRUE(RunUntilSent());
    EXPECT_GE(writesToA3.load(), 4);
    ExpectPanelsEqualTheFiles({1, 2, 3});
}

TEST_F(LinkRun, QuietNodeIsSuspendedMarkedAndBroughtEqualLater)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    std::atomic<bool> a3Quiet{false};
    line.SetRequestHook([&](const QByteArray& request) {
        if (Frame::ByteAt(request, Frame::kAddressOffset) != 0x13)
            return PanelLine::RequestAction::Answer;
        if (a3Quiet)
            return PanelLine::RequestAction::Drop;
        // Quiet from its first write on.
        if (IsRequest(request, 0x13, {7}))
            a3Quiet = true;
        return a3Quiet ? PanelLine::RequestAction::Drop : PanelLine::RequestAction::Answer;
    });
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(RunUntilSent());
    EXPECT_EQ(NodeLinkState[0][2], kNodeStateFailed);
    EXPECT_EQ(RowCount(), 0) << "A3's rows are gone";
    EXPECT_TRUE(Marked(3));
    ExpectPanelsEqualTheFiles({1, 2});

    a3Quiet = false;
    line.SetRequestHook({});
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_GT(m_doc.GetPendingCommandCount(), 0);
    link.Disconnect();
    ASSERT_EQ(link.Connect(), 1);
    ASSERT_TRUE(RunUntilSent());
    EXPECT_NE(NodeLinkState[0][2], kNodeStateFailed);
    ExpectPanelsEqualTheFiles({1, 2, 3});
}

TEST_F(LinkRun, SilentNodeOnAStoredCommandIsSuspendedWithoutAStall)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    line.SetRequestHook([](const QByteArray& request) {
        return IsRequest(request, 0x12, {5}) ? PanelLine::RequestAction::Drop : PanelLine::RequestAction::Answer;
    });
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(RunUntilSent()) << "no stall";
    EXPECT_EQ(RowCount(), 0) << "A2's rows went with its suspension";
    EXPECT_EQ(NodeReprogramPending[0][1], 0) << "answering its poll again turned the pending mark into the row's";
    EXPECT_TRUE(Marked(2));
    ExpectPanelsEqualTheFiles({1, 3});
}

TEST_F(LinkRun, QuietMasterReconnectsAndTheRunFinishes)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    std::atomic<int> dropped{0};
    line.SetRequestHook([&](const QByteArray& request) {
        if (IsRequest(request, 0x11, {7}) && dropped < 6) {
            ++dropped;
            return PanelLine::RequestAction::Drop;
        }
        return PanelLine::RequestAction::Answer;
    });
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(RunUntilSent());
    EXPECT_EQ(dropped.load(), 6);
    EXPECT_TRUE(link.IsConnected()) << "reconnected";
    EXPECT_EQ(host.flashFailedNotices, 1);
    EXPECT_TRUE(Marked(1));
    EXPECT_EQ(RowCount(), 0);
}

TEST_F(LinkRun, NodeBackAfterItsSuspensionIsPolledAgainAndRestored)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    // A3 goes silent at its first write: it is suspended, the link
    // reconnects, and the poll pass meets A3 silent once more.
    std::atomic<bool> a3Silent{false};
    std::atomic<int> pollsDropped{0};
    line.SetRequestHook([&](const QByteArray& request) {
        if (IsRequest(request, 0x13, {7}))
            a3Silent = true;
        if (!a3Silent || Frame::ByteAt(request, Frame::kAddressOffset) != 0x13)
            return PanelLine::RequestAction::Answer;
        pollsDropped += IsRequest(request, 0x13, {2});
        return PanelLine::RequestAction::Drop;
    });
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(RunUntilSent());
    ASSERT_EQ(NodeLinkState[0][2], kNodeStateFailed);
    // The poll and its resend unanswered, and given up.
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil(
        [&] { return pollsDropped >= 2 && !(link.IsInFlight() && link.Request().m_frameAddress == 0x13); }));

    a3Silent = false;
    line.SetRequestHook({});
    const bool restored = LinkMessageRecorder::WaitUntil([&] {
        const CNetQueueNode* entry = m_doc.m_netQueue.GetNode(kNetA, 3);
        return NodeLinkState[0][2] == kNodeStateAnswers && entry && entry->GetState() == CNetQueueNode::InService;
    });
    EXPECT_TRUE(restored) << "A3 was not polled again";
    EXPECT_TRUE(link.IsConnected());
    EXPECT_TRUE(Marked(3)) << "its writes were lost with its suspension";
}

// Nothing answers at A4-A8, where the installation has no panel, and A3, a
// panel of the installation, answers no poll.
TEST_F(LinkRun, OnlyASilentControllerReconnectsAndOnlyOnce)
{
    for (int node = 4; node <= 8; ++node)
        line.SetNodeMode(node, PanelLine::NodeMode::Silent);
    line.SetRequestHook([](const QByteArray& request) {
        return IsRequest(request, 0x13, {2}) ? PanelLine::RequestAction::Drop : PanelLine::RequestAction::Answer;
    });
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(RunUntilSent());
    std::map<int, int> polls;
    int logins = 0;
    for (const PanelLine::Traffic& t : line.TrafficLog()) {
        if (!t.fromProgram)
            continue;
        logins += IsRequest(t.frame, 0x11, {1});
        for (std::uint8_t node = 1; node <= 8; ++node)
            polls[node] += IsRequest(t.frame, static_cast<std::uint8_t>(0x10 | node), {2});
    }
    EXPECT_EQ(logins, 2) << "one reconnect, for A3";
    EXPECT_EQ(NodeLinkState[0][2], kNodeStateFailed) << "A3 silent after its reconnect is suspended";
    for (int node = 4; node <= 8; ++node)
        EXPECT_EQ(polls[node], 2) << "A" << node << ": a poll and its resend in the pass that reached it";
    EXPECT_TRUE(link.IsConnected());
    ExpectPanelsEqualTheFiles({1, 2});
}

TEST_F(LinkRun, PortThatDoesNotOpenNamesItsDeviceAndCause)
{
    Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM1"), QStringLiteral("/nonexistent/ttyS9"));
    boxes.Answer(IDOK);
    boxes.Answer(IDCANCEL);
    EXPECT_EQ(link.Connect(), 0);
    const QString cause = QStringLiteral("COM1 (/nonexistent/ttyS9) could not be opened: No such file or directory.");
    EXPECT_TRUE(lines.contains(cause)) << lines.join('|').toStdString();
    EXPECT_EQ(boxes.Texts(), (QStringList{"Error opening COM port\n\nYou may have to restart Wardenfold.",
                                          "An error has occurred while connecting to network A."}));
    EXPECT_EQ(NetRunResults::ReasonLine(kNetA), cause) << "the task log says it too";
}

TEST_F(LinkRun, FirstStatusReplyOfANodeWithoutAnEntryKeepsTheVersionItReports)
{
    // A panel newly installed at a place the queue has no entry for.
    struct Case
    {
        std::uint8_t typeAndMajor;
        std::uint8_t minor;
        const char* box;
    };
    const Case cases[] = {
        {0x11, 0x32, nullptr},
        {0x13, 0x05, "Invalid Firmware Version\n\nPanel [A3] is running firmware version 3.05\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typeAndMajor);
        QByteArray status = PanelSimulator::SupportedStatus();
        status[17] = char(c.typeAndMajor);
        status[18] = char(c.minor);
        line.WithNode(3, [&](PanelSimulator& panel) { panel.SetStatusRecord(status); });
        m_doc.m_netQueue.RemoveNode(kNetA, 3);
        MessageBoxScript shown;
        ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
        ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return m_doc.m_netQueue.HasNode(kNetA, 3) && !link.IsInFlight(); }));
        link.Disconnect();

        CNetQueueNode* entry = m_doc.m_netQueue.GetNode(kNetA, 3);
        int major = 0;
        int minor = 0;
        entry->GetFirmwareVersion(major, minor);
        EXPECT_EQ(major, c.typeAndMajor & 0x0F);
        EXPECT_EQ(minor, c.minor);
        EXPECT_EQ(entry->GetState(), CNetQueueNode::InService);
        if (!c.box) {
            EXPECT_TRUE(shown.Texts().isEmpty()) << shown.Texts().join('|').toStdString();
            continue;
        }
        ASSERT_FALSE(shown.Texts().isEmpty());
        for (const QString& text : shown.Texts())
            EXPECT_TRUE(text.startsWith(c.box)) << text.toStdString();
    }
}

// The reason line just before "Net A failed.", or what the result is instead.
QString ReasonOfFailedNetA(const QString& result)
{
    const QStringList lines = result.split('\n', Qt::SkipEmptyParts);
    if (lines.size() != 2 || lines[1] != "Net A failed.")
        return "not failed with one reason: " + result;
    return lines[0];
}

TEST_F(LinkRun, RefusedWriteStaysStoredAndGoesOnTheNextConnect)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    std::int32_t refused = 0;
    const auto before = StoredByNode();
    for (const StoredCommand& stored : before.at(0x12)) {
        if (stored.command.m_kind == NetKind::MemoryWrite) {
            refused = stored.id;
            break;
        }
    }
    ASSERT_NE(refused, 0);
    line.WithNode(2, [](PanelSimulator& panel) {
        panel.InjectFaultOn(NetKind::MemoryWrite, PanelSimulator::Fault::Nak, 1, Frame::kNakWrongPassword);
    });
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return !link.IsConnected(); }));
    int writesToA2 = 0;
    for (const PanelLine::Traffic& t : line.TrafficLog())
        writesToA2 += t.fromProgram && IsRequest(t.frame, 0x12, {NetKind::MemoryWrite});
    EXPECT_EQ(writesToA2, 1) << "a refused write is not resent on the same connection";
    bool kept = false;
    const auto after = StoredByNode();
    for (const StoredCommand& stored : after.at(0x12))
        kept = kept || stored.id == refused;
    EXPECT_TRUE(kept) << "the refused write is still stored";
    const QString reason = ReasonOfFailedNetA(ResultOfNetA(m_doc));
    EXPECT_TRUE(reason.contains("A command to node A2 was refused: Wrong password.")) << reason.toStdString();

    StartAnotherRun(link);
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(RunUntilSent());
    ExpectPanelsEqualTheFiles({1, 2, 3});
    EXPECT_EQ(ResultOfNetA(m_doc), "\nNet A passed.");
}

// Work left undone by a fault fails network A with the reason on the line
// before; the same run without the fault passes and leaves the panels equal
// to the files.
TEST_F(LinkRun, UndoneWorkFailsTheNetworkAndACleanRunPasses)
{
    const struct
    {
        const char* fault;
        std::function<void(PanelLine&)> inject;
        const char* reason;
    } cases[] = {
        {"a node that stops answering mid-run",
         [](PanelLine& line) {
             auto quiet = std::make_shared<std::atomic<bool>>(false);
             line.SetRequestHook([quiet](const QByteArray& request) {
                 if (Frame::ByteAt(request, Frame::kAddressOffset) != 0x13)
                     return PanelLine::RequestAction::Answer;
                 *quiet = *quiet || IsRequest(request, 0x13, {NetKind::MemoryWrite});
                 return *quiet ? PanelLine::RequestAction::Drop : PanelLine::RequestAction::Answer;
             });
         },
         "node A3"},
        {"CRC errors until the write is given up",
         [](PanelLine& line) {
             line.WithNode(2, [](PanelSimulator& panel) {
                 panel.InjectFaultOn(NetKind::MemoryWrite, PanelSimulator::Fault::Nak, 6, Frame::kNakCrcError);
             });
         },
         "A command to node A2 was given up."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        StartAnotherRun(link);
        // Every node is written again, whatever the case before left.
        for (int node : {1, 2, 3})
            SetFlags(node, 1);
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
        c.inject(line);
        ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
        ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] {
            return (m_doc.GetPendingCommandCount() == 0 && !link.IsInFlight()) || (!link.IsConnected() && !link.IsConnecting());
        }));
        const QString reason = ReasonOfFailedNetA(ResultOfNetA(m_doc));
        EXPECT_TRUE(reason.contains(QLatin1String(c.reason))) << reason.toStdString();

        // The clean run: what is left is sent and the suspended node polled
        // back, then the nodes marked are reprogrammed in full.
        line.SetRequestHook({});
        StartAnotherRun(link);
        ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
        ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] {
            return NodeLinkState[0][1] != kNodeStateFailed && NodeLinkState[0][2] != kNodeStateFailed
                && m_doc.GetPendingCommandCount() == 0 && !link.IsInFlight();
        }));
        link.Disconnect();
        m_doc.PrepareNetworkProgramming(0, 0);
        ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
        ASSERT_TRUE(RunUntilSent());
        ExpectPanelsEqualTheFiles({1, 2, 3});
        EXPECT_EQ(ResultOfNetA(m_doc), "\nNet A passed.");
    }
}

TEST_F(LinkRun, CommandFileCutShortIsSetAsideAndItsNodeReprogrammed)
{
    // The second time the name it would be kept under is taken by a folder:
    // the file stays where it is, and is still never sent.
    for (const bool keptNameTaken : {false, true}) {
        SCOPED_TRACE(keptNameTaken);
        StartAnotherRun(link);
        MessageBoxScript shown;
        SetFlags(2, 1);
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
        const QString name = CNetCommand::FileName(StoredByNode()[0x12].front().id);
        const QString path = m_doc.BuildPath(CWFDoc::kNetCommands, name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(100));
        file.close();
        if (keptNameTaken) {
            ASSERT_TRUE(QDir().mkpath(path + ".unreadable"));
        }
        SetFlags(2, 0);

        ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
        ASSERT_TRUE(RunUntilSent()) << "the run ends by itself";
        EXPECT_EQ(RowCount(), 0);
        EXPECT_EQ(QFileInfo(path + ".unreadable").isFile(), !keptNameTaken);
        EXPECT_EQ(QFile::exists(path), keptNameTaken);
        EXPECT_TRUE(Marked(2));
        ExpectUnreadableCommandNamedThenACleanRunPasses(shown, name, !keptNameTaken);
    }
}

// A restored queue database whose row names a file outside the queue's
// folder: the file is neither read nor removed, the row goes aside as an
// unreadable one, and its node is reprogrammed.
TEST_F(LinkRun, CommandRowNamingAFileOutsideItsFolderIsRefused)
{
    const QString outside = m_env.Path("outside/NetCommands1.dat");
    const QString commands = m_doc.BuildPath(CWFDoc::kNetCommands, QString());
    for (const QString& name : {QDir(commands).relativeFilePath(outside), outside}) {
        SCOPED_TRACE(name.toStdString());
        StartAnotherRun(link);
        MessageBoxScript shown;
        SetFlags(2, 1);
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
        const std::int32_t id = StoredByNode()[0x12].front().id;
        // A loadable command lies there: sent, it would reach the panel.
        ASSERT_TRUE(QDir().mkpath(QFileInfo(outside).path()));
        QFile::remove(outside);
        ASSERT_TRUE(QFile::copy(m_doc.BuildPath(CWFDoc::kNetCommands, CNetCommand::FileName(id)), outside));
        const QByteArray bytes = ReadWholeFile(outside).value_or(QByteArray());
        ASSERT_TRUE(m_doc.m_netCommandsSet.FindFirst(QStringLiteral("NetCommandID = %1").arg(id)));
        m_doc.m_netCommandsSet.Edit();
        m_doc.m_netCommandsSet.m_FileName = name;
        m_doc.m_netCommandsSet.Update();
        SetFlags(2, 0);

        ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
        ASSERT_TRUE(RunUntilSent()) << "the run ends by itself";
        EXPECT_EQ(RowCount(), 0);
        EXPECT_EQ(ReadWholeFile(outside).value_or(QByteArray()), bytes);
        EXPECT_FALSE(QFileInfo::exists(outside + ".unreadable"));
        EXPECT_TRUE(Marked(2));
        // Nothing outside was kept aside; the row's own stray file is no
        // one's, and the clean run clears it.
        ExpectUnreadableCommandNamedThenACleanRunPasses(shown, name, false);
    }
}

// The same network reached through a Hayes modem on the line.
class ModemLinkRun : public LinkRun
{
protected:
    void SetUp() override
    {
        LinkRun::SetUp();
        if (HasFatalFailure())
            return;
        Modem = std::make_unique<CModem>();
        Profile::WriteString(QStringLiteral("Modem Lines"), QStringLiteral("Line0 Device"), line.SlavePath());
        Profile::WriteString(QStringLiteral("Modem Lines"), QStringLiteral("Line0 Name"), QStringLiteral("Modem 0"));
        Profile::WriteInt(QStringLiteral("Setup"), QStringLiteral("The number of the modem selected"), 0);
        line.EnableModem();
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_ConnectUsing = LinkConnection::kModem;
        g_setVLNetworks.m_PhoneNo = QStringLiteral("5551234");
        g_setVLNetworks.Update();
    }
    void TearDown() override
    {
        LinkRun::TearDown();
        Modem.reset();
    }
};

TEST_F(ModemLinkRun, FiveBusyResultsEndOneDialCycle)
{
    for (int dial = 0; dial < 5; ++dial)
        line.ScriptDial({"BUSY"});
    host.answer = ILinkHost::FailedConnectAnswer::Retry; // the countdown runs out
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    EXPECT_EQ(link.Connect(), 0);
    EXPECT_EQ(line.DialledNumbers().size(), 5);
    EXPECT_EQ(NetConnectFailures[0], 1);
    EXPECT_EQ(RedialCount, 0);
    EXPECT_EQ(lines.count("Line is busy"), 5);
    EXPECT_FALSE(link.IsConnected());
}

TEST_F(ModemLinkRun, NumberWithNothingToDialEndsTheAttemptAtOnce)
{
    for (const char* number : {"", "   ", "call the lobby"}) {
        SCOPED_TRACE(number);
        lines.clear();
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_PhoneNo = QString::fromLatin1(number);
        g_setVLNetworks.Update();
        boxes.Answer(IDCANCEL);
        EXPECT_EQ(link.Connect(), 0);
        EXPECT_EQ(lines, QStringList("Could not connect to network."));
        EXPECT_TRUE(line.DialledNumbers().isEmpty());
        EXPECT_FALSE(link.IsConnected());
    }
}

TEST_F(ModemLinkRun, ConnectedCallCarriesTheStoredRun)
{
    line.ScriptDial({"CONNECT 38400"});
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains("Connected at 38400 bps"));
    ASSERT_TRUE(RunUntilSent());
    ExpectPanelsEqualTheFiles({1, 2, 3});
}

// Network B (one node) on a line of its own, beside the demo's network A.
class TwoNetworkLinkRun : public LinkRun
{
protected:
    void SetUp() override
    {
        LinkRun::SetUp();
        if (HasFatalFailure())
            return;
        lineB.WithNode(1, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM2"), lineB.SlavePath());
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 2"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Active = true;
        g_setVLNetworks.m_Password = kPanelPassword;
        g_setVLNetworks.m_ConnectUsing = 2;
        g_setVLNetworks.Update();
        ASSERT_TRUE(AddAnnexController(m_doc, g_setVLNetworks.m_NodeID));
        {
            CVLMemory image;
            ASSERT_TRUE(image.LoadFile(m_doc.BuildPath(CWFDoc::kVestrels, "Vestrel21.dat"), 1, 21, {'0', '0', '1'}));
        }
        link.FillNetworkCombo();
        ASSERT_EQ(link.NetworkCount(), 2);
    }

    void ExpectNetworkBEqualsItsFile()
    {
        QFile file(m_doc.BuildPath(CWFDoc::kVestrels, "Vestrel21.dat"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        lineB.WithNode(1, [&](PanelSimulator& panel) { EXPECT_EQ(panel.Bank(0).left(bytes.size()), bytes); });
    }

    PanelLine lineB{2, {1}};
};

TEST_F(TwoNetworkLinkRun, NetworksAreProgrammedOneAfterTheOther)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_EQ(link.GetSelectedNetwork(), 1);
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(RunUntilSent(30000));
    EXPECT_EQ(link.GetSelectedNetwork(), 2) << "network B was served after A";
    EXPECT_TRUE(pane.Got(Msg::NetworkChanged));
    EXPECT_EQ(host.monitorRecreations, 1) << "the monitor follows the link to network B";
    ExpectPanelsEqualTheFiles({1, 2, 3});
    ExpectNetworkBEqualsItsFile();
}

TEST_F(TwoNetworkLinkRun, QuietMasterOfOneNetworkLeavesTheOtherProgrammed)
{
    // A's master goes quiet at its first write and answers nothing after.
    std::atomic<bool> quiet{false};
    line.SetRequestHook([&](const QByteArray& request) {
        quiet = quiet || IsRequest(request, 0x11, {7});
        return quiet ? PanelLine::RequestAction::Drop : PanelLine::RequestAction::Answer;
    });
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_EQ(link.GetSelectedNetwork(), 1);
    // The operator declines both retries and lets network A's queue go.
    for (int answer : {IDCANCEL, IDCANCEL, IDYES})
        boxes.Answer(answer);
    ASSERT_EQ(link.Connect(), 1) << lines.join('|').toStdString();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil(
        [&] { return NetQueueState[0] == kNetworkStateNoAnswer && !link.IsConnected() && !link.IsConnecting(); },
        30000))
        << boxes.Texts().join('|').toStdString();
    const QString refused = QStringLiteral("An error has occurred while connecting to network A.");
    ASSERT_EQ(boxes.Texts().size(), 3) << boxes.Texts().join('|').toStdString();
    EXPECT_EQ(boxes.Texts().mid(0, 2), QStringList({refused, refused}));
    EXPECT_TRUE(boxes.Texts()[2].startsWith("Wardenfold will now clear the command queue."));
    for (int node : {1, 2, 3})
        EXPECT_EQ(NodeLinkState[0][node - 1], kNodeStateFailed) << node;
    m_doc.FilterNetCommands("Net = 1");
    EXPECT_EQ(m_doc.CountQueuedCommands(), 0) << "A's stored commands went with it";

    ASSERT_EQ(link.ReconnectCurrentNetwork(), 1) << lines.join('|').toStdString();
    EXPECT_EQ(link.GetSelectedNetwork(), 2);
    ASSERT_TRUE(RunUntilSent(30000));
    ExpectNetworkBEqualsItsFile();
    EXPECT_EQ(NetQueueState[0], kNetworkStateNoAnswer);
    EXPECT_EQ(NodeReprogramPending[0][0], 1) << "A is reprogrammed in full once it answers";
}

} // namespace
