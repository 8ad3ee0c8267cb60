#include "link/LinkMessages.h"
#include "link/LinkConnection.h"
#include "link/LinkTiming.h"
#include "link/WireFrame.h"
#include "platform/Profile.h"
#include "platform/WindowMessages.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/link/LinkTestSupport.h"
#include "tests/link/SerialLinkFixture.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/WarningLog.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace LinkTestSupport;

namespace {

const QString kHeldMessage = QStringLiteral("Error opening COM port\n\nYou may have to restart Wardenfold.");

} // namespace

TEST_F(SerialLink, LoginAndStatusPollAreAnsweredThroughThePort)
{
    Connect();
    EXPECT_TRUE(LinkMessageRecorder::WaitUntil([&] { return window.Has(Msg::LinkProgress, LinkProgressCode::kPortOpened); }));
    threads.PostWriteRequest(LoginFrame(kNetwork, 1));
    ASSERT_TRUE(AwaitFrames(1));
    threads.PostWriteRequest(StatusPollFrame(kNetwork, 1));
    ASSERT_TRUE(AwaitFrames(2));

    EXPECT_EQ(CodeOf(window.frames[0]), Frame::kAck);
    EXPECT_EQ(CodeOf(window.frames[1]), Frame::kNodeStatus);
    EXPECT_EQ(AddressOf(window.frames[1]), kMaster);
    line.WithNode(1, [](PanelSimulator& panel) { EXPECT_TRUE(panel.LoggedIn()); });
}

TEST_F(SerialLink, LargestFrameArrivesWholeWhileThePeerReadsSevenBytesAtATime)
{
    line.SetReadChunk(7);
    Connect();
    const QByteArray frame = LargestWriteFrame(kMaster);
    ASSERT_EQ(frame.size(), 4109);
    threads.PostWriteRequest(frame);
    ASSERT_TRUE(AwaitFrames(1));

    EXPECT_EQ(CodeOf(window.frames[0]), Frame::kAck);
    const QList<PanelLine::Traffic> traffic = line.TrafficLog();
    ASSERT_FALSE(traffic.isEmpty());
    EXPECT_EQ(traffic[0].frame, frame);
}

TEST_F(SerialLink, UnknownThreadMessageLeavesTheWriterRunning)
{
    Connect();
    threads.PostThreadMessage(Msg::NetworkChanged);
    threads.PostWriteRequest(StatusPollFrame(kNetwork, 2));
    ASSERT_TRUE(AwaitFrames(1));
    EXPECT_EQ(AddressOf(window.frames[0]), 0x12);
    EXPECT_FALSE(window.Has(Msg::LinkThreadFailed, kLinkThreadFailedCode));
}

TEST_F(SerialLink, SplitFramesWithGarbageBetweenThemArriveWholeAndInOrder)
{
    Connect();
    QList<QByteArray> sent;
    QByteArray stream = QByteArray::fromHex("0102a5");
    for (int i = 0; i < 3; ++i) {
        sent.append(PanelSimulator::MakeReply(kMaster, Frame::kEventRecord, QByteArray(16, static_cast<char>('a' + i))));
        stream += sent.last();
        // A stray sync byte, a sync pair with an impossible length, noise.
        stream += QByteArray::fromHex("5a00" "5aa50001" "33");
    }
    for (qsizetype at = 0; at < stream.size(); at += 5)
        line.SendRaw(stream.mid(at, 5));
    ASSERT_TRUE(AwaitFrames(3));
    EXPECT_EQ(window.frames, sent);
}

TEST_F(SerialLink, HalfFrameOfOneConnectionDoesNotSwallowTheNextFirstReply)
{
    Connect();
    const QByteArray whole = PanelSimulator::MakeReply(kMaster, Frame::kEventRecord, QByteArray(16, 'e'));
    const QByteArray big = PanelSimulator::MakeReply(kMaster, Frame::kMemoryData, QByteArray(4000, 'm'));
    line.SendRaw(whole + big.left(big.size() / 2));
    // The reader has taken every byte once the port holds none and the frame
    // before the half one has come.
    ASSERT_TRUE(AwaitFrames(1));
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return PendingInput(handle->Fd()) == 0; }));
    Disconnect();

    Connect();
    threads.PostWriteRequest(LoginFrame(kNetwork, 1));
    ASSERT_TRUE(AwaitFrames(2));
    EXPECT_EQ(CodeOf(window.frames[1]), Frame::kAck);
}

TEST_F(SerialLink, RequestCutShortByAStopDoesNotSwallowTheNextOne)
{
    Connect();
    const QByteArray half = LargestWriteFrame(kMaster).left(100);
    ASSERT_EQ(handle->Write(half.constData(), half.size()), half.size());
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return line.BytesReceived() == half.size(); }));
    // The port stays open: only the stop's purge tells the panels' side.
    threads.Stop();
    port.Initialize();
    threads.Start(*handle, *StopEvent, &window);
    threads.PostWriteRequest(LoginFrame(kNetwork, 1));
    ASSERT_TRUE(AwaitFrames(1));
    EXPECT_EQ(CodeOf(window.frames[0]), Frame::kAck);
}

TEST_F(SerialLink, StopEndsAWriterBlockedOnAPeerThatDoesNotRead)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    ::close(slave);
    UseComPort(2, QString::fromLocal8Bit(name));
    Connect();

    const QByteArray frame = LargestWriteFrame(kMaster);
    constexpr int kFrames = 64;
    for (int i = 0; i < kFrames; ++i)
        threads.PostWriteRequest(frame);
    // Blocked: the peer's buffer has filled and stays as it is.
    int held = 0;
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] {
        const int before = PendingInput(master);
        QThread::msleep(20);
        held = PendingInput(master);
        return held > 0 && held == before;
    }));
    ASSERT_LT(held, kFrames * frame.size());

    EXPECT_TRUE(threads.Stop());
    EXPECT_FALSE(threads.IsRunning());
    port.Close();
    ::close(master);
}

TEST(SerialPortOpen, PortHeldByAnotherProcessGivesTheMessageAndNoHandle)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const int fd = ::open(name, O_RDWR | O_NOCTTY);
        const char mark = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
        [[maybe_unused]] ssize_t n = ::write(ready[1], &mark, 1);
        n = ::read(release[0], const_cast<char*>(&mark), 1);
        ::_exit(0);
    }
    char mark = 0;
    ASSERT_EQ(::read(ready[0], &mark, 1), 1);
    ASSERT_EQ(mark, 'y');

    UseComPort(4, QString::fromLocal8Bit(name));
    LinkMessageRecorder window;
    CCommPort port;
    port.SetProgressWindow(&window);
    SerialPort* handle = nullptr;
    {
        MessageBoxScript boxes;
        WarningLog log;
        EXPECT_EQ(port.Open(handle), 0);
        EXPECT_EQ(boxes.Texts(), QStringList {kHeldMessage});
        EXPECT_EQ(log.Lines(), QStringList{QStringLiteral("COM4 (%1) could not be opened: Device or resource busy")
                                               .arg(QString::fromLocal8Bit(name))});
    }
    EXPECT_EQ(handle, nullptr);

    ASSERT_EQ(::write(release[1], "x", 1), 1);
    ::waitpid(holder, nullptr, 0);
    for (const int fd : {ready[0], ready[1], release[0], release[1], slave, master})
        ::close(fd);
}

TEST(SerialPortOpen, DevicesThatAreNoPortFailWithTheirStepMessage)
{
    struct Case
    {
        const char* device;
        QString message;
        bool reportsConfigurationFailure;
        QStringList log;
    };
    const Case cases[] = {
        {"/dev/null", QStringLiteral("Error getting the state for the comm port."), true, {}},
        {"/nonexistent/ttyS9", kHeldMessage, false,
         {QStringLiteral("COM3 (/nonexistent/ttyS9) could not be opened: No such file or directory")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device);
        UseComPort(3, QString::fromLatin1(c.device));
        LinkMessageRecorder window;
        CCommPort port;
        port.SetProgressWindow(&window);
        SerialPort* handle = nullptr;
        MessageBoxScript boxes;
        WarningLog log;
        EXPECT_EQ(port.Open(handle), 0);
        EXPECT_EQ(handle, nullptr);
        EXPECT_EQ(boxes.Texts(), QStringList {c.message});
        EXPECT_EQ(log.Lines(), c.log);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.Has(Msg::ConnectFailed, LinkFailureCode::kPortNotConfigured), c.reportsConfigurationFailure);
        EXPECT_FALSE(window.Has(Msg::LinkProgress, LinkProgressCode::kPortOpened));
    }
}

TEST_F(SerialLink, StopLinkEndsTheThreadsAndFreesThePort)
{
    CommPort = std::make_unique<CCommPort>();
    CommPort->SetProgressWindow(&window);
    CommPort->Initialize();
    ASSERT_EQ(CommPort->Open(CommHandle), 1);
    threads.Start(*CommHandle, *StopEvent, &window);
    threads.PostWriteRequest(LoginFrame(kNetwork, 1));
    ASSERT_TRUE(AwaitFrames(1));

    StopLink(threads);
    EXPECT_FALSE(threads.IsRunning());
    EXPECT_EQ(CommHandle, nullptr);
    // Nobody holds the port any more: the panels' side sees it closed.
    EXPECT_TRUE(LinkMessageRecorder::WaitUntil([&] { return line.Closings() == 1; }));
    port.Initialize();
    EXPECT_EQ(port.Open(handle), 1);
    CommPort.reset();
}
