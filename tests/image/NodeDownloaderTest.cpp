#include "database/CSetVestrels.h"
#include "image/NodeDownloader.h"
#include "link/CNetCommandQueue.h"
#include "link/NetCommandKinds.h"
#include "link/WireFrame.h"
#include "platform/WindowMessages.h"
#include "tests/image/DownloadSupport.h"
#include "tests/support/MessageBoxScript.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kNet = 1;
constexpr int kNode = 2;
constexpr std::uint8_t kAddress = 0x12;

struct Read
{
    int bank = -1;
    int index = -1;
    int size = -1;
    bool operator==(const Read&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Read& read)
{
    return out << "(bank " << read.bank << ", index " << read.index << ", size " << read.size << ")";
}

// One node's download with the link played by hand: the test takes each read
// from the node's queue entry and hands the downloader its reply.
class NodeDownload : public ::testing::Test
{
protected:
    NodeDownload()
    {
        CSetVestrels row;
        row.m_NetAddress = kNet;
        row.m_NodeAddress = kNode;
        queue.AddNode(row);
        FillBanksWithPatterns(panel);
        QObject::connect(&downloader, &NodeDownloader::finished, [this](int result) { results.push_back(result); });
    }

    QString File(const QString& name) const { return folder.path() + "/" + name; }

    // The read waiting in the queue, taken out; bank -1 when there is none.
    Read TakeRead()
    {
        CNetCommand command;
        if (!queue.GetNode(kNet, kNode)->TakeNextPending(command))
            return {};
        EXPECT_EQ(command.m_kind, NetKind::MemoryRead);
        EXPECT_EQ(command.m_notifyWindow, &downloader);
        const QByteArray& p = command.m_payload;
        return {Frame::ByteAt(p, 0), Frame::ByteAt(p, 1) << 8 | Frame::ByteAt(p, 2),
                Frame::ByteAt(p, 3) << 8 | Frame::ByteAt(p, 4)};
    }

    // A memory-data reply record (address byte on) carrying data.
    void Reply(const QByteArray& data)
    {
        QByteArray record;
        record.append(static_cast<char>(kAddress));
        record.append(static_cast<char>(Frame::kMemoryData));
        record.append(data);
        record.append(2, '\0');
        SendAppMessage(&downloader, Msg::MemoryData, static_cast<quintptr>(record.size()),
                       reinterpret_cast<qintptr>(record.constData()));
    }

    void Answer(const Read& read)
    {
        Reply(panel.Bank(read.bank).mid(static_cast<qsizetype>(read.index) * PanelSimulator::UnitSize(read.bank), read.size));
    }

    void AnswerReads(int count)
    {
        for (int i = 0; i < count; ++i)
            Answer(TakeRead());
    }

    void Nak(unsigned reason) { SendAppMessage(&downloader, Msg::Nak, reason); }

    // Answers every read from the panel's banks until the download ends;
    // beforeAnswer runs with each read while it is in flight.
    std::vector<Read> Run(const std::function<void(const Read&)>& beforeAnswer = {})
    {
        std::vector<Read> reads;
        constexpr std::size_t kBound = 1000;
        while (downloader.IsRunning() && reads.size() < kBound) {
            const Read read = TakeRead();
            if (read.bank < 0)
                break;
            reads.push_back(read);
            if (beforeAnswer)
                beforeAnswer(read);
            Answer(read);
        }
        return reads;
    }

    MessageBoxScript boxes;
    QTemporaryDir folder;
    CNetCommandQueue queue;
    int sends = 0;
    PanelSimulator panel{kAddress};
    NodeDownloader downloader{queue, [this] { ++sends; }, folder.path() + "/", kNet, kNode};
    std::vector<int> results;
};

TEST_F(NodeDownload, ReadsEveryBankInOrderWithItsBlocksAndLastShortBlock)
{
    struct Expected
    {
        int bank;
        int reads;
        Read last;
        const char* file;
        int fileSize;
    };
    const Expected table[] = {
        {0, 2, {0, 1, 4096}, "Controller.dat", 8192},
        {1, 20, {1, 9728, 2176}, "Cardholders.dat", 80000},
        {2, 129, {2, 9984, 832}, "DirCodes.dat", 520000},
        {3, 24, {3, 23, 4082}, "BlockTransmitters.dat", 24 * 4082},
        {4, 24, {4, 23, 4082}, "BlockCards.dat", 24 * 4082},
        {5, 54, {5, 19716, 3124}, "EntryCodes.dat", 220000},
        {6, 79, {6, 19968, 512}, "SingleTransmitters.dat", 320000},
        {7, 79, {7, 19968, 512}, "SingleCards.dat", 320000},
        {8, 1, {8, 0, 4096}, "DisplayMessages1.dat", 4096},
    };
    downloader.Start();
    const std::vector<Read> reads = Run();
    EXPECT_EQ(results, std::vector<int>{IDOK});
    EXPECT_EQ(sends, static_cast<int>(reads.size())) << "each read is sent at once";
    for (const Expected& bank : table) {
        SCOPED_TRACE(bank.file);
        std::vector<Read> ofBank;
        for (const Read& read : reads)
            if (read.bank == bank.bank)
                ofBank.push_back(read);
        ASSERT_EQ(static_cast<int>(ofBank.size()), bank.reads);
        EXPECT_EQ((Read{bank.bank, 0, ofBank.front().size}), ofBank.front());
        EXPECT_EQ(bank.last, ofBank.back());
        EXPECT_EQ(ReadAll(File(bank.file)), panel.Bank(bank.bank).left(bank.fileSize));
    }
}

TEST_F(NodeDownload, SkipEndsOnlyTheBankInFlightAfterItsBlock)
{
    struct Case
    {
        const char* name;
        Read pressedDuring;
        Read next; // bank -1: the download ends
    };
    const Case cases[] = {
        {"settings are read whole", {0, 0, 4096}, {0, 1, 4096}},
        {"directory codes", {2, 156, 4056}, {3, 0, 4082}},
        {"transmitter blocks", {3, 0, 4082}, {4, 0, 4082}},
        {"single cards", {7, 0, 4096}, {8, 0, 4096}},
        {"display messages", {8, 0, 4096}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        results.clear();
        downloader.Start();
        Read after;
        bool pressed = false;
        Run([&](const Read& read) {
            if (pressed && after.bank < 0)
                after = read;
            if (read == c.pressedDuring) {
                downloader.SkipClass();
                pressed = true;
            }
        });
        ASSERT_TRUE(pressed);
        EXPECT_EQ(after, c.next);
        EXPECT_EQ(results, std::vector<int>{IDOK}) << "the banks after it are still read";
        if (c.pressedDuring.bank == 2) {
            EXPECT_EQ(ReadAll(File("DirCodes.dat")), panel.Bank(2).left(3 * 4056)) << "the blocks received stay";
        }
    }
}

TEST_F(NodeDownload, CrcNoticeAsksForTheSameBlockAndKeepsFileAndProgress)
{
    int progressSignals = 0;
    QObject::connect(&downloader, &NodeDownloader::progressChanged, [&] { ++progressSignals; });
    downloader.Start();
    AnswerReads(3);
    const Read inFlight = TakeRead();
    ASSERT_EQ(inFlight, (Read{1, 512, 4096}));
    const int signalsBefore = progressSignals;
    Nak(Frame::kNakCrcError);
    EXPECT_EQ(TakeRead(), inFlight);
    EXPECT_EQ(downloader.StatusText(), "CRC error, retrying...");
    EXPECT_EQ(progressSignals, signalsBefore);
    EXPECT_EQ(ReadAll(File("Cardholders.dat")).size(), 4096);
    Answer(inFlight);
    EXPECT_EQ(TakeRead(), (Read{1, 1024, 4096}));
    EXPECT_EQ(downloader.StatusText(), "Downloading Cardholders, index 1024...");
}

TEST_F(NodeDownload, ShortReplyIsNotWrittenAndFiveInARowFail)
{
    downloader.Start();
    AnswerReads(2);
    Read read = TakeRead();
    const auto shortReply = [&] { Reply(panel.Bank(1).left(read.size - 1)); };
    for (int i = 1; i < NodeDownloader::kMaxShortReplies; ++i) {
        shortReply();
        ASSERT_EQ(TakeRead(), read) << "asked again after short reply " << i;
        EXPECT_EQ(downloader.StatusText(), "CRC error, retrying...");
    }
    Answer(read);
    EXPECT_EQ(ReadAll(File("Cardholders.dat")), panel.Bank(1).left(4096));
    read = TakeRead();
    for (int i = 1; i < NodeDownloader::kMaxShortReplies; ++i) {
        shortReply();
        ASSERT_EQ(TakeRead(), read) << "a stored block starts the count afresh";
    }
    EXPECT_TRUE(results.empty());
    shortReply();
    EXPECT_EQ(results, std::vector<int>{IDCANCEL});
    EXPECT_EQ(TakeRead().bank, -1) << "nothing more is asked";
    EXPECT_EQ(ReadAll(File("Cardholders.dat")).size(), 4096);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(NodeDownload, EachBankFileIsEmptiedWhenItsBankBegins)
{
    const auto writeJunk = [&](const char* name) {
        QFile file(File(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("junk from an earlier download");
    };
    writeJunk("Controller.dat");
    writeJunk("Cardholders.dat");
    downloader.Start();
    EXPECT_FALSE(QFile::exists(File("Controller.dat")));
    EXPECT_TRUE(QFile::exists(File("Cardholders.dat"))) << "not before its bank";
    AnswerReads(2);
    EXPECT_EQ(ReadAll(File("Controller.dat")), panel.Bank(0));
    EXPECT_FALSE(QFile::exists(File("Cardholders.dat")));
    AnswerReads(1);
    EXPECT_EQ(ReadAll(File("Cardholders.dat")), panel.Bank(1).left(4096));
}

TEST_F(NodeDownload, RefusedOrTimedOutReadEndsTheDownload)
{
    struct Case
    {
        unsigned reason;
        const char* text;
    };
    for (const Case& c : {Case{Frame::kNakWrongPassword, "Wrong password."},
                          Case{Frame::kNakTimeOut, "NAK received with type 'TIMEOUT'."}}) {
        SCOPED_TRACE(c.text);
        MessageBoxScript script;
        results.clear();
        downloader.Start();
        AnswerReads(1);
        TakeRead();
        Nak(c.reason);
        EXPECT_EQ(results, std::vector<int>{IDCANCEL});
        EXPECT_EQ(script.Texts(), QStringList{c.text});
        EXPECT_EQ(TakeRead().bank, -1);
    }
}

TEST_F(NodeDownload, OtherNakAndRepliesAfterStopAreIgnored)
{
    downloader.Start();
    const Read first = TakeRead();
    Nak(7);
    EXPECT_EQ(TakeRead().bank, -1);
    EXPECT_TRUE(downloader.IsRunning());
    downloader.Stop();
    Answer(first);
    EXPECT_FALSE(QFile::exists(File("Controller.dat")));
    EXPECT_EQ(TakeRead().bank, -1);
    EXPECT_TRUE(results.empty());
}

} // namespace
