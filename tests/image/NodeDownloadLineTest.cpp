#include "database/GlobalRecordsets.h"
#include "image/NodeDownloader.h"
#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CSerialTransport.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetCommandKinds.h"
#include "platform/Profile.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/fixtures/SimulatedNetwork.h"
#include "tests/image/DownloadSupport.h"
#include "tests/link/FakeLinkParts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace {

constexpr int kNetA = 1;
constexpr int kNode = 2;
// Scaled link waits stay long enough that a loaded machine never turns a
// slow reply into a resend.
constexpr double kLinkScale = 0.25;
constexpr int kWholeDownloadBoundMs = 120000;

// The demo installation's node A2 read back over the serial link from a
// simulated panel on a pseudo-terminal.
class NodeDownloadLine : public ProgrammingRun
{
protected:
    void SetUp() override
    {
        ProgrammingRun::SetUp();
        if (HasFatalFailure())
            return;
        ResetLinkRunState();
        NetQueueState.fill(kNetworkStateNormal);
        ReachPanelsOn(line);
        if (HasFatalFailure())
            return;
        for (int node : {1, 2, 3})
            line.WithNode(node, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        line.WithNode(kNode, [](PanelSimulator& panel) { FillBanksWithPatterns(panel); });
        link.FillNetworkCombo();
        folder = m_doc.GetDownloadFolder(kNetA, kNode);
        ASSERT_TRUE(folder.startsWith(m_env.Root()));
        ASSERT_TRUE(QDir().mkpath(folder));
        downloader = std::make_unique<NodeDownloader>(m_doc.m_netQueue, [this] { link.ServiceQueue(); }, folder, kNetA, kNode);
        QObject::connect(downloader.get(), &NodeDownloader::finished, [this](int result) { results.push_back(result); });
        ASSERT_EQ(link.Connect(), 1);
    }
    void TearDown() override
    {
        link.Disconnect();
        CommPort.reset();
        ProgrammingRun::TearDown();
    }

    bool RunToTheEnd()
    {
        downloader->Start();
        return LinkMessageRecorder::WaitUntil([&] { return !results.empty(); }, kWholeDownloadBoundMs);
    }

    QByteArray Bank(int bank)
    {
        QByteArray bytes;
        line.WithNode(kNode, [&](PanelSimulator& panel) { bytes = panel.Bank(bank); });
        return bytes;
    }

    MessageBoxScript boxes;
    LinkTiming::ScopedScale timing{kLinkScale};
    PanelLine line{kNetA, {1, 2, 3}};
    CSerialTransport transport;
    FakeLinkHost host;
    CCommLink link{m_doc.m_netQueue, m_doc, transport, host};
    QString folder;
    std::unique_ptr<NodeDownloader> downloader;
    std::vector<int> results;
};

TEST_F(NodeDownloadLine, EveryFileComesOutByteEqualToItsBank)
{
    ASSERT_TRUE(RunToTheEnd());
    EXPECT_EQ(results, std::vector<int>{IDOK});
    struct Expected
    {
        int bank;
        const char* file;
        int size;
    };
    const Expected table[] = {
        {0, "Controller.dat", 8192},           {1, "Cardholders.dat", 80000},
        {2, "DirCodes.dat", 520000},           {3, "BlockTransmitters.dat", 24 * 4082},
        {4, "BlockCards.dat", 24 * 4082},      {5, "EntryCodes.dat", 220000},
        {6, "SingleTransmitters.dat", 320000}, {7, "SingleCards.dat", 320000},
        {8, "DisplayMessages1.dat", 4096},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.file);
        const QByteArray file = ReadAll(folder + e.file);
        EXPECT_EQ(file.size(), e.size);
        EXPECT_TRUE(file == Bank(e.bank).left(e.size));
    }
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
    const QByteArray script = ReadAll(folder + "data.js");
    EXPECT_TRUE(script.startsWith("var MENU_MAIN = "));
    EXPECT_EQ(script.count("\r\n"), 28);
    EXPECT_TRUE(script.contains("<tr><td>FirmWare Version:</td><td>1.32</td></tr>")) << "as the node last reported";
    EXPECT_TRUE(QFile::exists(folder + "Marrowin.htm"));
}

// (bank, index) of each memory read the panels received, in order.
std::vector<std::pair<int, int>> ReadsSent(const QList<PanelLine::Traffic>& traffic)
{
    std::vector<std::pair<int, int>> reads;
    for (const PanelLine::Traffic& t : traffic) {
        if (t.fromProgram && Frame::ByteAt(t.frame, Frame::kCodeOffset) == NetKind::MemoryRead) {
            const int at = Frame::kPayloadOffset;
            reads.emplace_back(Frame::ByteAt(t.frame, at), Frame::ByteAt(t.frame, at + 1) << 8 | Frame::ByteAt(t.frame, at + 2));
        }
    }
    return reads;
}

TEST_F(NodeDownloadLine, SkipDuringDirectoryCodesGoesOnWithTransmitterBlocks)
{
    downloader->Start();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return downloader->Bank() == 2 && downloader->Index() > 0; }));
    downloader->SkipClass();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return !results.empty(); }, kWholeDownloadBoundMs));
    EXPECT_EQ(results, std::vector<int>{IDOK});
    const QByteArray codes = ReadAll(folder + "DirCodes.dat");
    EXPECT_GT(codes.size(), 0);
    EXPECT_LT(codes.size(), 520000);
    EXPECT_EQ(codes.size() % 4056, 0);
    EXPECT_TRUE(codes == Bank(2).left(codes.size()));
    const auto reads = ReadsSent(line.TrafficLog());
    const auto firstBlock = std::find(reads.begin(), reads.end(), std::pair{3, 0});
    ASSERT_NE(firstBlock, reads.end());
    EXPECT_EQ((firstBlock - 1)->first, 2) << "the transmitter blocks follow the last directory block";
    EXPECT_EQ((firstBlock - 1)->second, (codes.size() / 4056 - 1) * 78);
    EXPECT_EQ(ReadAll(folder + "BlockTransmitters.dat").size(), 24 * 4082);
}

TEST_F(NodeDownloadLine, RefusedAndTimedOutReadsEndWithTheirMessage)
{
    struct Case
    {
        std::uint8_t reason;
        int naks; // the link resends a timed-out read before it gives up
        const char* text;
    };
    for (const Case& c : {Case{Frame::kNakWrongPassword, 1, "Wrong password."},
                          Case{Frame::kNakTimeOut, 6, "NAK received with type 'TIMEOUT'."}}) {
        SCOPED_TRACE(c.text);
        results.clear();
        if (!link.IsConnected()) {
            ASSERT_EQ(link.Connect(), 1);
        }
        // The fault waits for the first read, so the polls between reads pass.
        PanelSimulator* engine = nullptr;
        line.WithNode(kNode, [&](PanelSimulator& panel) { engine = &panel; });
        std::atomic<bool> armed{true};
        line.SetRequestHook([&, engine](const QByteArray& request) {
            if (Frame::ByteAt(request, Frame::kCodeOffset) == NetKind::MemoryRead && armed.exchange(false))
                engine->InjectFault(PanelSimulator::Fault::Nak, c.naks, c.reason);
            return PanelLine::RequestAction::Answer;
        });
        MessageBoxScript script;
        ASSERT_TRUE(RunToTheEnd());
        line.SetRequestHook({});
        EXPECT_EQ(results, std::vector<int>{IDCANCEL});
        EXPECT_TRUE(script.Texts().contains(c.text)) << script.Texts().join('|').toStdString();
        EXPECT_FALSE(QFile::exists(folder + "Controller.dat"));
    }
}

} // namespace
