#include "link/CNetCommand.h"
#include "link/FrameReceiver.h"
#include "link/PacketBuilder.h"
#include "platform/Clock.h"
#include "tests/fixtures/PanelSimulator.h"

#include <QSet>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr std::uint8_t kPanel = 0x23; // B3

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

QByteArray MemoryWritePayload(std::uint8_t bank, int unit, const QByteArray& data)
{
    QByteArray payload;
    payload.append(static_cast<char>(bank));
    payload.append(static_cast<char>(unit >> 8));
    payload.append(static_cast<char>(unit & 0xFF));
    payload.append(static_cast<char>(data.size() >> 8));
    payload.append(static_cast<char>(data.size() & 0xFF));
    return payload + data;
}

// The link's side of the wire: builds requests and frames the replies.
class LinkSide : public testing::Test
{
protected:
    QByteArray Request(const CNetCommand& command)
    {
        QByteArray frame;
        EXPECT_EQ(BuildPacket(command, clock, frame, sent), PacketResult::Built);
        return frame;
    }

    // Sends one request; gives each reply frame that the link accepts.
    QList<QByteArray> Exchange(const CNetCommand& command)
    {
        QList<QByteArray> frames;
        for (const PanelSimulator::Reply& reply : panel.Feed(Request(command))) {
            lastDelayMs = reply.delayMs;
            for (const char b : reply.frame) {
                if (std::optional<QByteArray> frame = framer.FrameReceivedByte(static_cast<std::uint8_t>(b)))
                    frames.append(*frame);
            }
        }
        return frames;
    }

    // Address, code and data of the one accepted reply.
    QByteArray OnlyReply(const CNetCommand& command)
    {
        const QList<QByteArray> frames = Exchange(command);
        EXPECT_EQ(frames.size(), 1);
        if (frames.size() != 1)
            return {};
        return frames[0].mid(4, frames[0].size() - 6);
    }

    FixedClock clock {QDateTime(QDate(2024, 2, 29), QTime(23, 15), QTimeZone::utc())};
    FrameReceiver framer {Frame::IsReplyCode, &clock};
    SentRequestRecord sent;
    PanelSimulator panel {kPanel, QByteArrayLiteral("K9LMN2")};
    int lastDelayMs = 0;
};

} // namespace

TEST_F(LinkSide, AnswersEveryRequestCode)
{
    CNetCommand login(1, 2, 3);
    login.m_strPassword = QStringLiteral("K9LMN2");
    CNetCommand wrongLogin = login;
    wrongLogin.m_strPassword = QStringLiteral("2NML9K");

    panel.SetStatusRecord(Hex("0102030405"));
    panel.Bank(2).replace(52 * 3, 4, Hex("cafef00d"));
    panel.AddStoredEvent(QByteArray(16, '\x10'));
    panel.AddStoredEvent(QByteArray(16, '\x20'));

    struct Case { const char* name; CNetCommand command; QByteArray reply; };
    const Case cases[] = {
        {"wrong password", wrongLogin, Hex("230d02")},
        {"login", login, Hex("230c")},
        {"status poll", CNetCommand(2, 2, 3), Hex("2309" "0102030405")},
        {"memory read by unit", CNetCommand(3, 2, 3, {0, 2, 0, 3, 0, 4}), Hex("230a" "cafef00d")},
        {"event-log read", CNetCommand(4, 2, 3), Hex("230b02") + QByteArray(16, '\x10') + QByteArray(16, '\x20')},
        {"event log is kept until acknowledged", CNetCommand(4, 2, 3), Hex("230b02") + QByteArray(16, '\x10') + QByteArray(16, '\x20')},
        {"acknowledgement", CNetCommand(12, 2, 3), Hex("230c")},
        {"acknowledged events are gone", CNetCommand(4, 2, 3), Hex("230b00")},
        {"node command", CNetCommand(5, 2, 3, {1, 0x40}), Hex("230c")},
        {"time setting to all nodes", CNetCommand(6, 2, 1, {0x80, 0}), Hex("230c")},
        {"plain memory write", CNetCommand::CNetCommandMemoryUpdate(kPanel, MemoryWritePayload(1, 2, Hex("0102030405060708"))), Hex("230c")},
        {"compressed memory write", CNetCommand::CNetCommandMemoryUpdate(kPanel, MemoryWritePayload(1, 3, QByteArray(8, '\x77'))), Hex("230c")},
        {"write past the bank", CNetCommand::CNetCommandMemoryUpdate(kPanel, MemoryWritePayload(8, 1, Hex("01"))), Hex("230d01")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OnlyReply(c.command).toHex(), c.reply.toHex());
    }
    EXPECT_TRUE(panel.LoggedIn());
    EXPECT_EQ(panel.NodeCommands(), QList<QByteArray> {Hex("014000000000")});
    EXPECT_EQ(panel.LastTimeSetting().toHex(), QByteArray("800f171d050218"));
    EXPECT_EQ(panel.Bank(1).mid(16, 16).toHex(), (Hex("0102030405060708") + QByteArray(8, '\x77')).toHex());
}

TEST_F(LinkSide, IgnoresFramesForOtherNodes)
{
    EXPECT_TRUE(Exchange(CNetCommand(2, 2, 4)).isEmpty());
    EXPECT_TRUE(Exchange(CNetCommand(6, 3, 1, {0x80})).isEmpty());
}

TEST_F(LinkSide, InjectedFaultsShapeTheNextReplies)
{
    panel.InjectFault(PanelSimulator::Fault::Drop);
    EXPECT_TRUE(Exchange(CNetCommand(2, 2, 3)).isEmpty());

    panel.InjectFault(PanelSimulator::Fault::Corrupt);
    EXPECT_TRUE(Exchange(CNetCommand(2, 2, 3)).isEmpty());

    panel.InjectFault(PanelSimulator::Fault::Nak, 2, 3);
    EXPECT_EQ(OnlyReply(CNetCommand(12, 2, 3)).toHex(), QByteArray("230d03"));
    EXPECT_EQ(OnlyReply(CNetCommand(2, 2, 3)).toHex(), QByteArray("230d03"));

    panel.InjectFault(PanelSimulator::Fault::Delay, 1, 0, 750);
    EXPECT_EQ(OnlyReply(CNetCommand(12, 2, 3)).toHex(), QByteArray("230c"));
    EXPECT_EQ(lastDelayMs, 750);

    EXPECT_EQ(OnlyReply(CNetCommand(12, 2, 3)).toHex(), QByteArray("230c"));
    EXPECT_EQ(lastDelayMs, 0);
}

TEST_F(LinkSide, DropsRequestsWithABadCrcAndAnswersTheNext)
{
    QByteArray broken = Request(CNetCommand(2, 2, 3));
    broken[broken.size() - 1] = static_cast<char>(broken[broken.size() - 1] ^ 0x55);
    EXPECT_TRUE(panel.Feed(broken).empty());
    EXPECT_EQ(OnlyReply(CNetCommand(12, 2, 3)).toHex(), QByteArray("230c"));
}

// A whole bank image goes out as memory writes of 4096 bytes, some compressed
// and some not, and the panel ends up holding exactly that image.
TEST_F(LinkSide, WritesAWholeImageThroughMemoryWrites)
{
    std::mt19937 random(31);
    for (const std::uint8_t bank : {0, 1}) {
        SCOPED_TRACE(int(bank));
        QByteArray image = panel.Bank(bank);
        for (qsizetype at = 0; at < image.size();) {
            const int span = std::uniform_int_distribution<int>(1, 600)(random);
            const bool noisy = std::uniform_int_distribution<int>(0, 2)(random) == 0;
            const char fill = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
            for (qsizetype i = at; i < std::min(image.size(), at + span); ++i)
                image[i] = noisy ? static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random)) : fill;
            at += span;
        }
        // One chunk entirely noisy so that at least one write goes uncompressed.
        for (qsizetype i = 0; i < 4096; ++i)
            image[i] = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));

        QSet<int> codes;
        const int unitSize = PanelSimulator::UnitSize(bank);
        constexpr int kChunk = 4096;
        for (qsizetype at = 0; at < image.size(); at += kChunk) {
            const CNetCommand write = CNetCommand::CNetCommandMemoryUpdate(
                kPanel, MemoryWritePayload(bank, static_cast<int>(at / unitSize), image.mid(at, kChunk)));
            codes.insert(static_cast<std::uint8_t>(Request(write)[5]));
            ASSERT_EQ(OnlyReply(write).toHex(), QByteArray("230c"));
        }
        EXPECT_EQ(codes, (QSet<int> {0x07, 0x87}));
        EXPECT_TRUE(panel.Bank(bank) == image);
    }
}
