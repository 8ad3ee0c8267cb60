#include "link/WireFrame.h"
#include "tests/link/LinkTestSupport.h"
#include "tests/link/SerialLinkFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace LinkTestSupport;

namespace {

QByteArray WithBadCrc(QByteArray frame)
{
    frame[frame.size() - 1] = static_cast<char>(~Frame::ByteAt(frame, frame.size() - 1));
    return frame;
}

QByteArray Nak(std::uint8_t address, std::uint8_t reason)
{
    return PanelSimulator::MakeReply(address, Frame::kNak, QByteArray(1, static_cast<char>(reason)));
}

} // namespace

// Nodes 1 and 2 have panels; 3 has none. Each request is followed by a status
// poll of the master, so a silence shows as the master's reply coming first.
TEST_F(SerialLink, PanelLineAnswersAsThePanelsWireDoes)
{
    struct Case
    {
        const char* name;
        std::function<void(PanelLine&)> arrange;
        QByteArray request;
        // Empty: silence.
        std::function<QByteArray()> reply;
    };
    const QByteArray masterStatus = PanelSimulator::MakeReply(kMaster, Frame::kNodeStatus, QByteArray(19, '\0'));
    const Case cases[] = {
        {"answering slave", [](PanelLine&) {}, StatusPollFrame(kNetwork, 2),
         [] { return PanelSimulator::MakeReply(0x12, Frame::kNodeStatus, QByteArray(19, '\0')); }},
        {"absent slave", [](PanelLine&) {}, StatusPollFrame(kNetwork, 3), [] { return Nak(0x13, Frame::kNakTimeOut); }},
        {"quiet slave", [](PanelLine& l) { l.SetNodeMode(2, PanelLine::NodeMode::Quiet); }, StatusPollFrame(kNetwork, 2),
         [] { return Nak(0x12, Frame::kNakTimeOut); }},
        {"silent slave", [](PanelLine& l) { l.SetNodeMode(2, PanelLine::NodeMode::Silent); }, StatusPollFrame(kNetwork, 2),
         [] { return QByteArray(); }},
        {"bad CRC", [](PanelLine&) {}, WithBadCrc(StatusPollFrame(kNetwork, 2)),
         [] { return Nak(0x12, Frame::kNakCrcError); }},
        {"broadcast", [](PanelLine&) {}, StatusPollFrame(kNetwork, 15),
         [&] { return masterStatus; }},
        {"other network", [](PanelLine&) {}, StatusPollFrame(kNetwork + 1, 1), [] { return QByteArray(); }},
        {"dead line", [](PanelLine& l) { l.SetDead(true); }, StatusPollFrame(kNetwork, 1), [] { return QByteArray(); }},
        {"silent absent slave", [](PanelLine& l) { l.SetNodeMode(3, PanelLine::NodeMode::Silent); },
         StatusPollFrame(kNetwork, 3), [] { return QByteArray(); }},
    };
    line.SetTimeOutNakDelay(std::chrono::milliseconds(0));
    Connect();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange(line);
        window.frames.clear();
        const int before = line.RequestCount();
        threads.PostWriteRequest(c.request);
        ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return line.RequestCount() == before + 1; }));
        line.SetDead(false);
        line.SetNodeMode(2, PanelLine::NodeMode::Answering);
        threads.PostWriteRequest(StatusPollFrame(kNetwork, 1));

        QList<QByteArray> expected;
        if (!c.reply().isEmpty())
            expected.append(c.reply());
        expected.append(masterStatus);
        ASSERT_TRUE(AwaitFrames(static_cast<int>(expected.size())));
        EXPECT_EQ(window.frames, expected);
    }
}

TEST_F(SerialLink, PanelLineHoldsARequestAndSendsEventsOnRequest)
{
    line.SetRequestHook([](const QByteArray& request) {
        return AddressOf(request) == 0x12 ? PanelLine::RequestAction::Hold : PanelLine::RequestAction::Answer;
    });
    Connect();
    threads.PostWriteRequest(StatusPollFrame(kNetwork, 2));
    threads.PostWriteRequest(StatusPollFrame(kNetwork, 1));
    ASSERT_TRUE(AwaitFrames(1));
    EXPECT_EQ(AddressOf(window.frames[0]), kMaster);

    line.ReleaseHeld();
    ASSERT_TRUE(AwaitFrames(2));
    EXPECT_EQ(AddressOf(window.frames[1]), 0x12);

    line.SendEventRecord(2, QByteArray(16, 'v'));
    ASSERT_TRUE(AwaitFrames(3));
    EXPECT_EQ(CodeOf(window.frames[2]), Frame::kEventRecord);
    EXPECT_EQ(AddressOf(window.frames[2]), 0x12);
    EXPECT_EQ(line.TrafficLog().size(), 5);
}

TEST_F(SerialLink, PanelLineHonoursTheEnginesFaultsAndDropsOnRequest)
{
    line.WithNode(1, [](PanelSimulator& panel) {
        panel.InjectFault(PanelSimulator::Fault::Corrupt);
        panel.InjectFault(PanelSimulator::Fault::Delay, 1, 0, 30);
    });
    line.SetRequestHook([](const QByteArray& request) {
        return CodeOf(request) == 1 ? PanelLine::RequestAction::Drop : PanelLine::RequestAction::Answer;
    });
    Connect();
    // The corrupt reply never reaches the program, the delayed one does, and
    // the dropped login gets nothing.
    threads.PostWriteRequest(StatusPollFrame(kNetwork, 1));
    threads.PostWriteRequest(StatusPollFrame(kNetwork, 1));
    threads.PostWriteRequest(LoginFrame(kNetwork, 1));
    threads.PostWriteRequest(StatusPollFrame(kNetwork, 2));
    ASSERT_TRUE(AwaitFrames(2));
    QList<std::uint8_t> from;
    for (const QByteArray& frame : window.frames)
        from.append(AddressOf(frame));
    std::sort(from.begin(), from.end());
    EXPECT_EQ(from, (QList<std::uint8_t> {kMaster, 0x12}));
    EXPECT_EQ(line.RequestCount(), 4);
}
