#include "database/GlobalRecordsets.h"
#include "link/CCommLink.h"
#include "link/CNetCommandQueue.h"
#include "link/EventLogCollector.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "link/StoredEventRules.h"
#include "link/WireFrame.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"
#include "tests/database/InstallationFixture.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelSimulator.h"
#include "tests/link/FakeCommandStore.h"
#include "tests/link/FakeLinkParts.h"
#include "tests/support/MessageBoxScript.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int kNetA = 1;

// A 16-byte stored event with 2005-03-29 05:00:12 unless time says otherwise.
QByteArray StoredEventBytes(std::uint8_t type, std::uint8_t d, std::array<std::uint8_t, 7> ids = {},
                            std::array<std::uint8_t, 4> time = {0x05, 0x3E, 0x92, 0xC3})
{
    QByteArray event;
    event.append(char(type));
    for (std::uint8_t b : time)
        event.append(char(b));
    for (std::uint8_t b : ids)
        event.append(char(b));
    event.append(char(d)).append(char(0x0D)).append(char(0x0E)).append(char(0x0F));
    return event;
}

QByteArray BlockData(const QList<QByteArray>& events)
{
    QByteArray data(1, char(events.size()));
    for (const QByteArray& event : events)
        data += event;
    return data;
}

} // namespace

TEST(StoredEventTime, DecodesThePackedFieldsAndRefusesImpossibleDates)
{
    struct Case
    {
        std::array<std::uint8_t, 4> bytes;
        QDateTime expected; // invalid: no time of its own
    };
    const Case cases[] = {
        {{0x05, 0x3E, 0x92, 0xC3}, QDateTime(QDate(2005, 3, 29), QTime(5, 0, 12))},
        {{0x00, 0x10, 0x80, 0x00}, QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0))},
        {{0x18, 0xC7, 0xD9, 0xFB}, QDateTime(QDate(2024, 12, 15), QTime(23, 59, 44))},
        {{0x05, 0x0E, 0x92, 0xC3}, {}}, // month 0
        {{0x05, 0xD0, 0x12, 0xC3}, {}}, // month 13
        {{0x05, 0x3E, 0x92, 0xCF}, {}}, // 60 seconds
        {{0x05, 0x3E, 0xDA, 0x00}, {}}, // hour 24
        {{0x05, 0x2E, 0x80, 0x00}, {}}, // 29 February 2005
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toString().toStdString());
        const std::optional<QDateTime> time = StoredEvent::DecodeTime(StoredEventBytes(3, 0, {}, c.bytes));
        EXPECT_EQ(time.has_value(), c.expected.isValid());
        if (time) {
            EXPECT_EQ(*time, c.expected);
        }
    }
}

TEST(StoredEventTime, DirectoryDigitsFollowTheCodeLength)
{
    const std::pair<int, const char*> cases[] = {{0, "7"}, {1, "07"}, {2, "007"}, {3, "0007"}, {4, "7"}, {9, "7"}};
    for (const auto& [length, digits] : cases) {
        SCOPED_TRACE(length);
        EXPECT_EQ(StoredEvent::DirectoryCodeDigits(7, static_cast<std::uint8_t>(length)), QString::fromLatin1(digits));
    }
    EXPECT_EQ(StoredEvent::DirectoryCodeDigits(12345, 2), QStringLiteral("12345"));
}

// The installation's databases with one holder of each kind of credential.
class StoredEventRows : public InstallationTest
{
protected:
    void SetUp() override
    {
        OpenAll();
        g_setTransmitters.AddNew();
        g_setTransmitters.m_XmtrID = 1234;
        g_setTransmitters.m_UserID = 11;
        g_setTransmitters.Update();
        g_setCards.AddNew();
        g_setCards.m_CardID = 1235;
        g_setCards.m_UserID = 12;
        g_setCards.Update();
        g_setEntryCodes.AddNew();
        g_setEntryCodes.m_Code = QStringLiteral("4321");
        g_setEntryCodes.m_UserID = 13;
        g_setEntryCodes.Update();
        g_setSingleXmtr.AddNew();
        g_setSingleXmtr.m_XmtrIDSingle = 1236;
        g_setSingleXmtr.m_UserIDSingle = 14;
        g_setSingleXmtr.Update();
        g_setSingleCard.AddNew();
        g_setSingleCard.m_CardIDSingle = 1237;
        g_setSingleCard.m_UserIDSingle = 15;
        g_setSingleCard.Update();
        AddPhoneEntry(QStringLiteral("7"), 17);
        AddPhoneEntry(QStringLiteral("007"), 16);
    }

    static void AddPhoneEntry(const QString& code, std::int32_t user)
    {
        g_setPhoneEntries.AddNew();
        g_setPhoneEntries.m_UserDirectoryCode = code;
        g_setPhoneEntries.m_UserID = user;
        g_setPhoneEntries.Update();
    }

    // The row one stored event gives, written and read back.
    struct Row
    {
        int door;
        int mod;
        int user;
        int ctx;
        int id0;
    };
    Row Fill(const QByteArray& event, std::uint8_t directoryCodeLength, QStringList& notices)
    {
        QDateTime previous(QDate(2000, 1, 1), QTime(12, 0));
        g_setEventLog.AddNew();
        StoredEvent::FillRow(g_setEventLog, 0x13, event, directoryCodeLength, previous, notices);
        g_setEventLog.Update();
        g_setEventLog.SetBookmark(g_setEventLog.GetLastModifiedBookmark());
        return {g_setEventLog.m_Door, g_setEventLog.m_Mod, g_setEventLog.m_UserID, g_setEventLog.m_Ctx, g_setEventLog.m_Id0};
    }
};

TEST_F(StoredEventRows, TypeRulesSetDoorModAndCardholder)
{
    // Id3 Id4 = 0x04D2 (1234) to 0x04D5 (1237); entry code 4321 in Id0-Id3.
    const auto number = [](std::uint16_t n) { return std::array<std::uint8_t, 7>{0, 0, 0, std::uint8_t(n >> 8), std::uint8_t(n), 0, 0}; };
    const std::array<std::uint8_t, 7> code{0xFF, 0xFF, 0x43, 0x21, 0, 0, 0};
    struct Case
    {
        const char* name;
        std::uint8_t type;
        std::uint8_t d;
        std::array<std::uint8_t, 7> ids;
        Row expected; // door, mod, cardholder, ctx, id0
        const char* notice = nullptr;
    };
    const Case cases[] = {
        {"1 not supported", 1, 0x55, {9}, {0, 0, 0, 0x0D, 9}, "Non-supported event type"},
        {"2 bit 0 clear, trouble", 2, 0x02, {}, {3, 1, 0, 1, 0}},
        {"2 bit 0 set, low battery", 2, 0x05, {}, {4, 2, 0, 2, 0}},
        {"2 supervisory", 2, 0x08, {}, {3, 1, 0, 3, 0}},
        {"2 nothing", 2, 0x00, {}, {3, 1, 0, 0, 0}},
        {"3 program mode", 3, 1, {}, {5, 4, -1, 0x0D, 0}},
        {"4 block transmitter, granted", 4, 0x31, number(1234), {2, 16, 11, 0x0D, 0}},
        {"4 block card, denied", 4, 0x46, number(1235), {19, 15, 12, 0x0D, 0}},
        {"4 entry code", 4, 0x53, code, {4, 14, 13, 0x0D, 0xFF}},
        {"4 single transmitter", 4, 0x60, number(1236), {1, 17, 14, 0x0D, 0}},
        {"4 single card", 4, 0x72, number(1237), {3, 36, 15, 0x0D, 0}},
        {"4 unknown card", 4, 0x40, number(999), {1, 15, 0, 0x0D, 0}},
        {"4 other kind", 4, 0x21, number(1234), {2, 0, 0, 0x0D, 0}},
        {"5 priority access", 5, 0x61, {}, {2, 33, -4, 0x0D, 0x61}},
        {"5 host", 5, 0x72, {}, {3, 35, -5, 0x0D, 0x72}},
        {"6 panel", 6, 0x03, {}, {4, 18, -1, 0x0D, 0x03}},
        {"7 postal key", 7, 0x81, {}, {2, 19, -2, 0x0D, 0x81}},
        {"7 priority bits are a panel operator", 7, 0x60, {}, {1, 18, -1, 0x0D, 0x60}},
        {"7 host", 7, 0x70, {}, {1, 35, -5, 0x0D, 0x70}},
        {"8 system error", 8, 5, {}, {0, 25, -1, 0x0D, 0}},
        {"9 time zone", 9, 0x42, {}, {3, 0, -3, 0x0D, 0}},
        {"10 panel alarm", 10, 0x83, {}, {4, 0x83, 0, 0x0D, 0}},
        {"11 directory code 007", 11, 0x01, {0, 7}, {2, 1, 16, 0x0D, 0}},
        {"11 no such code", 11, 0x01, {0, 8}, {2, 1, 0, 0x0D, 0}},
        {"12 dial in", 12, 7, {}, {0, 7, -4, 0x0D, 0}},
        {"13 not supported", 13, 7, {}, {0, 0, 0, 0x0D, 0}, "Non-supported event type"},
        {"14 media 0x31", 14, 0x31, {}, {5, 28, 0, 0x0D, 0}},
        {"14 media 0x22", 14, 0x22, {}, {5, 34, 0, 0x0D, 0}},
        {"14 unknown media", 14, 0x23, {}, {5, 0, 0, 0x0D, 0}, "Unknown Invalid Media type, LOG14"},
        {"15 time set", 15, 9, {}, {5, 34, -5, 0x0D, 0}},
        {"16 tamper", 16, 1, {}, {5, 1, 0, 0x0D, 0}},
        {"17 screen", 17, 2, {}, {5, 2, 0, 0x0D, 0}},
        {"18 anti-passback at Id1's door", 18, 4, {0, 2}, {3, 4, 0, 0x0D, 0}},
        {"19 anti-passback status", 19, 3, {}, {5, 3, 0, 0x0D, 0}},
        {"20 priority close", 20, 1, {}, {0, 1, -4, 0x0D, 0}},
        {"21 priority open", 21, 2, {}, {0, 2, -4, 0x0D, 0}},
        {"22 relays", 22, 6, {}, {5, 6, 0, 0x0D, 0}},
        {"0", 0, 9, {}, {0, 9, 0, 0x0D, 0}},
        {"200", 200, 9, {}, {0, 9, 0, 0x0D, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList notices;
        const Row row = Fill(StoredEventBytes(c.type, c.d, c.ids), 2, notices);
        EXPECT_EQ(row.door, c.expected.door);
        EXPECT_EQ(row.mod, c.expected.mod);
        EXPECT_EQ(row.user, c.expected.user);
        EXPECT_EQ(row.ctx, c.expected.ctx);
        EXPECT_EQ(row.id0, c.expected.id0);
        EXPECT_EQ(notices, c.notice ? QStringList{QString::fromLatin1(c.notice)} : QStringList{});
        EXPECT_EQ(g_setEventLog.m_Type, c.type);
        EXPECT_EQ(g_setEventLog.m_NetNode, 0x13);
        EXPECT_EQ(g_setEventLog.m_Ctx3, 0x0F);
    }
}

TEST_F(StoredEventRows, InvalidTimesFollowThePreviousByTwoSeconds)
{
    const std::array<std::uint8_t, 4> monthZero{0x05, 0x0E, 0x92, 0xC3};
    QDateTime previous(QDate(2005, 3, 29), QTime(5, 0, 12));
    QStringList notices;
    const QDateTime expected[] = {previous.addSecs(2), previous.addSecs(4)};
    for (const QDateTime& time : expected) {
        g_setEventLog.AddNew();
        StoredEvent::FillRow(g_setEventLog, 0x11, StoredEventBytes(3, 0, {}, monthZero), 0, previous, notices);
        EXPECT_EQ(g_setEventLog.m_Time, time);
        EXPECT_EQ(previous, time);
        g_setEventLog.CancelUpdate();
    }
}

// Network A's nodes 1-5 in the controller table and the queue, connected
// over a line that records frames; the tests play the panels' replies.
class Collection : public InstallationTest
{
protected:
    void SetUp() override
    {
        OpenAll();
        ResetLinkRunState();
        for (auto& row : NodeLinkState)
            row.fill(kNodeStateAnswers);
        for (int node = 1; node <= 5; ++node) {
            g_setVestrels.AddNew();
            g_setVestrels.m_NetAddress = kNetA;
            g_setVestrels.m_NodeAddress = static_cast<std::uint8_t>(node);
            g_setVestrels.m_VestrelName = QStringLiteral("Panel %1").arg(node);
            g_setVestrels.Update();
            g_setVestrels.SetBookmark(g_setVestrels.GetLastModifiedBookmark());
            queue.AddNode(g_setVestrels);
        }
        link.SetNetworks({{kNetA, QStringLiteral("[A] Main")}});
        queue.SetCurrentNetwork(kNetA);
        link.SetConnected(1);
    }
    void TearDown() override
    {
        for (auto& row : NodeLinkState)
            row.fill(kNodeStateUnknown);
    }

    std::unique_ptr<EventLogCollector> StartCollection()
    {
        auto collector = std::make_unique<EventLogCollector>(link, queue, 2);
        QObject::connect(collector.get(), &EventLogCollector::nodeStarted, [this](const QString& label) { labels << label; });
        QObject::connect(collector.get(), &EventLogCollector::finished, [this] { ++finishes; });
        EXPECT_TRUE(collector->Start());
        return collector;
    }
    void Reply(std::uint8_t address, std::uint8_t code, const QByteArray& data = {})
    {
        link.OnPacketReceived(PanelSimulator::MakeReply(address, code, data));
    }
    // The code and address of the last frame sent.
    std::pair<int, int> LastSent() const
    {
        const QByteArray& frame = transport.frames.back();
        return {Frame::ByteAt(frame, Frame::kCodeOffset), Frame::ByteAt(frame, Frame::kAddressOffset)};
    }
    // The panel at address answers the read with these events and takes the acknowledgement.
    void AnswerRead(std::uint8_t address, const QList<QByteArray>& events)
    {
        ASSERT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), int(address)));
        Reply(address, Frame::kEventLogBlock, BlockData(events));
        ASSERT_EQ(LastSent(), std::make_pair(int(NetKind::Ack), int(address)));
        Reply(address, Frame::kAck);
        QCoreApplication::processEvents(); // the posted acknowledgement
    }
    static long StoredRows()
    {
        g_setEventLog.Requery();
        return g_setEventLog.GetRecordCount();
    }
    static qint64 KeptBlocks()
    {
        const auto database = Database::Open(g_setEventLog.GetDefaultDBName());
        SqlStatement count(database->Handle(), QStringLiteral("SELECT COUNT(*) FROM [PendingEventBlocks]"));
        count.Step();
        return count.Int64(0);
    }
    // A give-up at the master reconnects the link: these tests give up on slaves only.
    static void SkipNodeOne()
    {
        NodeLinkState[kNetA - 1][0] = kNodeStateFailed;
    }
    void GiveUpCommandInFlight()
    {
        while (link.IsInFlight())
            link.OnReplyTimeout();
        QCoreApplication::processEvents();
    }

    MessageBoxScript boxes;
    FakeCommandStore store;
    CNetCommandQueue queue{&store};
    FakeTransport transport;
    FakeLinkHost host;
    CCommLink link{queue, store, transport, host};
    QStringList labels;
    int finishes = 0;
};

TEST_F(Collection, EmptyNodeMovesOnToTheNextRespondingNode)
{
    NodeLinkState[kNetA - 1][4 - 1] = kNodeStateFailed;
    auto collector = StartCollection();
    AnswerRead(0x11, {StoredEventBytes(3, 0)});
    AnswerRead(0x11, {});
    AnswerRead(0x12, {});
    AnswerRead(0x13, {});
    EXPECT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), 0x15)) << "node 4 does not respond";
    AnswerRead(0x15, {});
    EXPECT_EQ(finishes, 1);
    EXPECT_EQ(labels, (QStringList{"[A1]  Panel 1", "[A2]  Panel 2", "[A3]  Panel 3", "[A5]  Panel 5"}));
    EXPECT_EQ(collector->EventsRetrieved(), 1);
    EXPECT_EQ(StoredRows(), 1);
    EXPECT_EQ(KeptBlocks(), 0);
}

// A panel wired before it is installed answers where the installation has
// no controller: the walk goes on to the controllers above it, and the run
// is told of the panel without failing.
TEST_F(Collection, PanelTheInstallationDoesNotHaveIsPassedOverAndNamed)
{
    ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, 3));
    g_setVestrels.Delete();
    queue.RemoveNode(kNetA, 3);
    // The entry a status reply at the address makes.
    queue.SetNodeState(kNetA, 3, CNetCommandQueue::kReasonStatusReply);
    ASSERT_TRUE(queue.HasNode(kNetA, 3) && !queue.IsConfigured(kNetA, 3));
    auto collector = StartCollection();
    AnswerRead(0x11, {StoredEventBytes(3, 0)});
    AnswerRead(0x11, {});
    AnswerRead(0x12, {});
    AnswerRead(0x14, {StoredEventBytes(3, 1)});
    AnswerRead(0x14, {});
    AnswerRead(0x15, {});
    EXPECT_EQ(finishes, 1);
    EXPECT_EQ(labels, (QStringList{"[A1]  Panel 1", "[A2]  Panel 2", "[A4]  Panel 4", "[A5]  Panel 5"}));
    EXPECT_EQ(StoredRows(), 2);
    EXPECT_EQ(NetRunResults::ReasonLine(kNetA), "");
    EXPECT_EQ(NetTaskResult[kNetA - 1], kTaskNetUnused) << "nothing failed the network";
    EXPECT_EQ(NetRunResults::NoteLine(kNetA), "A panel answers at node A3, which the installation does not have.");
}

TEST_F(Collection, NodeMissingFromTheControllerTableIsPassedOver)
{
    ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, 2));
    g_setVestrels.Delete();
    auto collector = StartCollection();
    for (std::uint8_t address : {0x11, 0x13, 0x14, 0x15})
        AnswerRead(address, {});
    EXPECT_EQ(finishes, 1);
    EXPECT_EQ(labels, (QStringList{"[A1]  Panel 1", "[A3]  Panel 3", "[A4]  Panel 4", "[A5]  Panel 5"}));
    EXPECT_EQ(NetRunResults::ReasonLine(kNetA), "");
    EXPECT_EQ(NetRunResults::NoteLine(kNetA), "");
}

TEST_F(Collection, NoNodeToAskRefusesTheStart)
{
    for (auto& row : NodeLinkState)
        row.fill(kNodeStateFailed);
    EventLogCollector collector(link, queue, 0);
    EXPECT_FALSE(collector.Start());
    EXPECT_TRUE(transport.frames.empty());
}

TEST_F(Collection, BlockSentAgainAfterALostAcknowledgementIsStoredOnce)
{
    SkipNodeOne();
    const QList<QByteArray> block{StoredEventBytes(3, 0), StoredEventBytes(9, 1)};
    {
        auto first = StartCollection();
        ASSERT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), 0x12));
        Reply(0x12, Frame::kEventLogBlock, BlockData(block));
        ASSERT_EQ(LastSent(), std::make_pair(int(NetKind::Ack), 0x12));
        GiveUpCommandInFlight(); // the acknowledgement never comes back
        ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return link.IsInFlight(); }));
        EXPECT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), 0x13)) << "node 2 is done with";
        EXPECT_EQ(StoredRows(), 2);
        EXPECT_EQ(KeptBlocks(), 1);
    }
    GiveUpCommandInFlight();
    auto second = StartCollection();
    AnswerRead(0x12, block); // the panel never saw the acknowledgement
    EXPECT_EQ(StoredRows(), 2) << "the same block is acknowledged, not stored again";
    EXPECT_EQ(second->EventsRetrieved(), 0);
    AnswerRead(0x12, {StoredEventBytes(3, 1)}); // the next block, and the kept one is forgotten
    EXPECT_EQ(StoredRows(), 3);
    EXPECT_EQ(KeptBlocks(), 0);
}

TEST_F(Collection, BlockThatCannotBeStoredIsNotAcknowledged)
{
    Database::Open(g_setEventLog.GetDefaultDBName())
        ->Execute(QStringLiteral("CREATE TRIGGER [Full] BEFORE INSERT ON [Eventlog] WHEN NEW.[Type] = 9 "
                                 "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    auto collector = StartCollection();
    Reply(0x11, Frame::kEventLogBlock, BlockData({StoredEventBytes(3, 0), StoredEventBytes(9, 1)}));
    EXPECT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), 0x11)) << "no acknowledgement";
    EXPECT_FALSE(link.IsInFlight());
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return finishes == 1; }));
    EXPECT_EQ(boxes.Texts().size(), 1);
    EXPECT_EQ(StoredRows(), 0) << "nothing of the block stays";
    EXPECT_EQ(KeptBlocks(), 0);
    EXPECT_EQ(collector->EventsRetrieved(), 0);
}

TEST_F(Collection, StopStoresTheBlockBeingReadThenEnds)
{
    auto collector = StartCollection();
    collector->RequestStop();
    AnswerRead(0x11, {StoredEventBytes(3, 0), StoredEventBytes(3, 1)});
    EXPECT_EQ(finishes, 1);
    EXPECT_EQ(StoredRows(), 2);
    EXPECT_EQ(transport.frames.size(), 2u) << "nothing is read after the stop";
}

TEST_F(Collection, GivenUpReadEndsTheNodeAndTheWalkGoesOn)
{
    SkipNodeOne();
    auto collector = StartCollection();
    AnswerRead(0x12, {StoredEventBytes(3, 0)});
    ASSERT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), 0x12));
    GiveUpCommandInFlight();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return link.IsInFlight(); }));
    EXPECT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), 0x13));
    EXPECT_EQ(StoredRows(), 1);
    while (link.IsInFlight())
        Reply(0x13, Frame::kNak, QByteArray(1, char(Frame::kNakTimeOut)));
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return link.IsInFlight(); }));
    EXPECT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), 0x14));
    EXPECT_EQ(finishes, 0);
}

TEST_F(Collection, LinkThatStaysDownEndsTheCollection)
{
    LinkTiming::ScopedScale fast(0.001);
    auto collector = StartCollection();
    link.Disconnect();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return finishes == 1; }));
    EXPECT_FALSE(NetRunResults::ReasonLine(kNetA).contains("not read to its end")) << "no node failed to answer";
    EXPECT_TRUE(NetRunResults::ReasonLine(kNetA).contains("The event log of node A1 was not collected."));
}

// The link goes down while node 2's read waits, on the wire or still
// behind a poll, and comes back: node 2 is asked again and nothing is lost.
TEST_F(Collection, ReadCutByTheLinkGoingDownIsAskedAgainOfTheSameNode)
{
    SkipNodeOne();
    for (const bool sent : {true, false}) {
        SCOPED_TRACE(sent ? "read sent" : "read never sent");
        NetRunResults::Reset();
        finishes = 0;
        if (!sent)
            link.PollNode(1); // the read waits behind it
        auto collector = StartCollection();
        ASSERT_EQ(LastSent(), sent ? std::make_pair(int(NetKind::EventLogRead), 0x12)
                                   : std::make_pair(int(NetKind::StatusPoll), 0x11));
        link.Disconnect();
        QCoreApplication::processEvents();
        link.SetConnected(1);
        AnswerRead(0x12, {StoredEventBytes(3, 0)});
        AnswerRead(0x12, {});
        AnswerRead(0x13, {});
        AnswerRead(0x14, {});
        AnswerRead(0x15, {});
        EXPECT_EQ(finishes, 1);
        EXPECT_EQ(collector->EventsRetrieved(), 1);
        EXPECT_EQ(NetRunResults::ReasonLine(kNetA), "The event log of node A1 was not collected.") << "A1 is suspended";
    }
}

TEST_F(Collection, NodeWhoseReadsAreCutPastTheirResendsIsGivenUp)
{
    SkipNodeOne();
    auto collector = StartCollection();
    const int resends = CNetCommand(NetKind::EventLogRead, kNetA, 2).m_retries;
    for (int cut = 0; cut <= resends; ++cut) {
        SCOPED_TRACE(cut);
        ASSERT_EQ(LastSent(), std::make_pair(int(NetKind::EventLogRead), 0x12));
        link.Disconnect();
        QCoreApplication::processEvents();
        link.SetConnected(1);
    }
    AnswerRead(0x13, {});
    AnswerRead(0x14, {});
    AnswerRead(0x15, {});
    EXPECT_EQ(finishes, 1);
    EXPECT_EQ(NetRunResults::ReasonLine(kNetA),
              "The event log of node A1 was not collected. The event log of node A2 was not read to its end.");
}
