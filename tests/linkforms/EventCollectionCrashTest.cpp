#include "tests/linkforms/EventCollectionFixture.h"
#include "tests/support/ChildProcess.h"

#include <atomic>

namespace {

constexpr int kChildBoundMs = 120000;
constexpr int kKillAtAck = 2;
constexpr const char* kChildScale = "0.02";

// The collection runs in a child process killed as node 1 receives the
// acknowledgement of its second block; the panel either took that
// acknowledgement or never saw it. The site is then collected again.
class EventCollectionKilled : public EventCollectionRun, public testing::WithParamInterface<bool>
{
protected:
    int RunChild() { return m_child.Run({m_site, QString::fromLatin1(kChildScale)}, kChildBoundMs); }

    QString m_site;
    ChildProcess m_child{QStringLiteral(EVENT_COLLECTION_CHILD), m_env.ProfilePath()};
};

} // namespace

TEST_P(EventCollectionKilled, EveryEventIsStoredOnceAfterARestart)
{
    const bool panelTookTheAck = GetParam();
    GiveEvents(1, 600);
    GiveEvents(3, 30);
    m_site = m_doc.GetPathName();
    m_doc.OnCloseDocument();

    std::atomic<int> acksToNodeOne{0};
    line.SetRequestHook([&](const QByteArray& request) {
        const bool ackToNodeOne = Frame::ByteAt(request, Frame::kCodeOffset) == NetKind::Ack
            && Frame::ByteAt(request, Frame::kAddressOffset) == 0x11;
        if (!ackToNodeOne || ++acksToNodeOne != kKillAtAck)
            return PanelLine::RequestAction::Answer;
        m_child.Kill();
        return panelTookTheAck ? PanelLine::RequestAction::Answer : PanelLine::RequestAction::Drop;
    });
    EXPECT_EQ(RunChild(), -1) << "killed at the acknowledgement";
    ASSERT_EQ(acksToNodeOne.load(), kKillAtAck);
    EXPECT_EQ(EventsHeldBy(1).size(), panelTookTheAck ? 90 : 345);
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return line.Closings() >= 1; }));

    EXPECT_EQ(RunChild(), 0) << "the collection run again";
    ASSERT_TRUE(m_doc.OnOpenDocument(m_site));
    ExpectLogHolds({{1, 600}, {3, 30}});
    for (int node : {1, 2, 3})
        EXPECT_TRUE(EventsHeldBy(node).isEmpty()) << node;
}

INSTANTIATE_TEST_SUITE_P(Acknowledgement, EventCollectionKilled, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("TakenByThePanel") : std::string("DroppedOnTheWay");
                         });
