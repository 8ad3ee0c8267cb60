#include "link/CNetCommand.h"
#include "link/Crc16.h"
#include "link/PacketBuilder.h"
#include "platform/Clock.h"
#include "tests/support/MessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

const FixedClock& NoonUtc()
{
    static const FixedClock clock(QDateTime(QDate(2025, 6, 1), QTime(12, 0), QTimeZone::utc()));
    return clock;
}

QByteArray Build(const CNetCommand& command, const Clock& clock = NoonUtc())
{
    QByteArray frame;
    SentRequestRecord sent;
    EXPECT_EQ(BuildPacket(command, clock, frame, sent), PacketResult::Built);
    return frame;
}

// Address, code and payload of a built frame, after checking its envelope.
QByteArray Body(const QByteArray& frame)
{
    EXPECT_GE(frame.size(), 8);
    EXPECT_EQ(frame.left(2).toHex(), QByteArray("5aa5"));
    const int length = static_cast<std::uint8_t>(frame[2]) << 8 | static_cast<std::uint8_t>(frame[3]);
    EXPECT_EQ(frame.size(), length + 4);
    const QByteArray body = frame.mid(4, length - 2);
    const std::uint16_t crc = crc16(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(body.constData()), static_cast<std::size_t>(body.size())));
    EXPECT_EQ(static_cast<std::uint8_t>(frame[frame.size() - 2]), crc >> 8);
    EXPECT_EQ(static_cast<std::uint8_t>(frame[frame.size() - 1]), crc & 0xFF);
    return body;
}

CNetCommand MemoryWrite(const QByteArray& data, std::uint8_t bank = 1, std::uint16_t unit = 0x0102)
{
    QByteArray payload;
    payload.append(static_cast<char>(bank));
    payload.append(static_cast<char>(unit >> 8));
    payload.append(static_cast<char>(unit & 0xFF));
    payload.append(static_cast<char>(data.size() >> 8));
    payload.append(static_cast<char>(data.size() & 0xFF));
    return CNetCommand::CNetCommandMemoryUpdate(0x23, payload + data);
}

} // namespace

TEST(BuildPacket, RequestBodiesByKind)
{
    CNetCommand login(1, 2, 1);
    login.m_strPassword = QStringLiteral("ABCDEF");
    CNetCommand shortPassword(1, 2, 1);
    shortPassword.m_strPassword = QStringLiteral("XY");

    struct Case { const char* name; CNetCommand command; QByteArray body; };
    const Case cases[] = {
        {"login sends the password last character first", login, Hex("2101" "464544434241")},
        {"short password is padded with zeros", shortPassword, Hex("2101" "000000005958")},
        {"status poll", CNetCommand(2, 3, 4), Hex("3402")},
        {"memory read sends d1 to d5", CNetCommand(3, 1, 2, {9, 6, 0, 3, 0x10, 0}), Hex("1203" "0600031000")},
        {"event-log read", CNetCommand(4, 8, 8), Hex("8804")},
        {"node command sends six bytes", CNetCommand(5, 1, 3, {1, 0x80, 2, 3, 4, 5}), Hex("1305" "018002030405")},
        {"acknowledgement", CNetCommand(12, 1, 1), Hex("110c")},
        {"uncompressible write stays plain", MemoryWrite(Hex("01020304")), Hex("2307" "0101020004" "01020304")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Body(Build(c.command)).toHex(), c.body.toHex());
    }
}

TEST(BuildPacket, MemoryWriteIsCompressedOnlyWhenShorter)
{
    // 16 zero bytes: L = 25 plain, sent as L = 11 with code 0x87.
    const QByteArray frame = Build(MemoryWrite(QByteArray(16, '\0'), 4, 3));
    EXPECT_EQ(frame.size(), 15);
    EXPECT_EQ(frame.mid(2, 2).toHex(), QByteArray("000b"));
    EXPECT_EQ(Body(frame).toHex(), QByteArray("2387" "0400030010" "1000"));

    // An equal-length encoding is not used.
    EXPECT_EQ(Body(Build(MemoryWrite(Hex("0101")))).toHex(), QByteArray("2307" "0101020002" "0101"));
    // No data at all: nothing to compress.
    EXPECT_EQ(Body(Build(MemoryWrite({}))).toHex(), QByteArray("2307" "0101020000"));
}

TEST(BuildPacket, LargestMemoryWriteIsBuiltAndOneMoreIsCorrupt)
{
    QByteArray frame;
    SentRequestRecord sent;
    QByteArray noisy(4096, '\0');
    for (int i = 0; i < noisy.size(); ++i)
        noisy[i] = static_cast<char>(i * 7 + i / 3);
    EXPECT_EQ(BuildPacket(MemoryWrite(noisy), NoonUtc(), frame, sent), PacketResult::Built);
    EXPECT_EQ(frame.size(), 4105 + 4);

    EXPECT_EQ(BuildPacket(MemoryWrite(noisy + "x"), NoonUtc(), frame, sent), PacketResult::Corrupt);

    // A count that claims more data than the payload holds.
    CNetCommand lying = MemoryWrite(Hex("0102"));
    lying.m_payload[4] = 9;
    EXPECT_EQ(BuildPacket(lying, NoonUtc(), frame, sent), PacketResult::Corrupt);
    CNetCommand shortRead(3, 1, 1);
    shortRead.m_payload.chop(1);
    EXPECT_EQ(BuildPacket(shortRead, NoonUtc(), frame, sent), PacketResult::Corrupt);
}

TEST(BuildPacket, CorruptPacketIsReportedOnTheCallersThread)
{
    MessageBoxScript script;
    QByteArray frame;
    SentRequestRecord sent;
    EXPECT_FALSE(PrepareRequestFrame(MemoryWrite(QByteArray(4097, 'a')), NoonUtc(), frame, sent));
    EXPECT_EQ(script.Texts(), QStringList {QStringLiteral("Corrupt packet.")});
    EXPECT_EQ(sent.code, 0);

    EXPECT_TRUE(PrepareRequestFrame(CNetCommand(2, 1, 1), NoonUtc(), frame, sent));
    EXPECT_EQ(script.Texts().size(), 1);
}

TEST(BuildPacket, ReplyKindsBuildNothing)
{
    for (const int kind : {0, 8, 9, 10, 11, 13, 14, 99}) {
        SCOPED_TRACE(kind);
        CNetCommand command;
        command.m_kind = kind;
        QByteArray frame;
        SentRequestRecord sent;
        EXPECT_EQ(BuildPacket(command, NoonUtc(), frame, sent), PacketResult::NotBuilt);
        EXPECT_TRUE(frame.isEmpty());
        EXPECT_EQ(sent.code, 0);
        EXPECT_EQ(sent.network, SentRequestRecord::kNoNode);
    }
}

TEST(BuildPacket, RecordsTheExpectedReplySourceExceptForAcks)
{
    QByteArray frame;
    SentRequestRecord sent;
    ASSERT_EQ(BuildPacket(CNetCommand(3, 2, 8, {0, 1}), NoonUtc(), frame, sent), PacketResult::Built);
    EXPECT_EQ(sent.code, 3);
    EXPECT_EQ(sent.network, 2);
    EXPECT_EQ(sent.node, 8);

    ASSERT_EQ(BuildPacket(CNetCommand(12, 5, 5), NoonUtc(), frame, sent), PacketResult::Built);
    EXPECT_EQ(sent.code, 3);
    EXPECT_EQ(sent.network, 2);

    // All nodes (low nibble 15) reads as node 7 through the low three bits.
    ASSERT_EQ(BuildPacket(CNetCommand(6, 4, 1, {0x80}), NoonUtc(), frame, sent), PacketResult::Built);
    EXPECT_EQ(sent.code, 6);
    EXPECT_EQ(sent.network, 4);
    EXPECT_EQ(sent.node, 7);
}

TEST(TimeSetting, FrameCarriesTheWallClockAndTrueWeekday)
{
    const QTimeZone newYork("America/New_York");
    ASSERT_TRUE(newYork.isValid());
    struct Case {
        const char* name;
        QDateTime utc;
        std::uint8_t mode;
        std::int8_t offset;
        QByteArray timeBytes; // 0x80, minute, hour, day, weekday, month, year - 2000
    };
    const Case cases[] = {
        // Leap-year January, both computations: 2024-01-15 is a Monday.
        {"leap January, standard", QDateTime(QDate(2024, 1, 15), QTime(17, 30), QTimeZone::utc()), 0x80, 0,
         Hex("801e0c0f020118")},
        {"leap January, daylight", QDateTime(QDate(2024, 1, 15), QTime(17, 30), QTimeZone::utc()), 0x81, 0,
         Hex("801e0c0f020118")},
        // The zone and the offset carry Monday 2000-01-03 back to Sunday evening.
        {"leap January 2000, back a day", QDateTime(QDate(2000, 1, 3), QTime(3, 10), QTimeZone::utc()), 0x80, -2,
         Hex("800a1402010100")},
        {"leap day", QDateTime(QDate(2028, 2, 29), QTime(14, 0), QTimeZone::utc()), 0x81, 1,
         Hex("80000a1d03021c")},
        // In July the standard computation ignores daylight saving; the other does not.
        {"summer, standard", QDateTime(QDate(2025, 7, 6), QTime(16, 45), QTimeZone::utc()), 0x80, 0,
         Hex("802d0b06010719")},
        {"summer, daylight", QDateTime(QDate(2025, 7, 6), QTime(16, 45), QTimeZone::utc()), 0x81, 0,
         Hex("802d0c06010719")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FixedClock clock(c.utc, newYork);
        const CNetCommand command(6, 1, 1, {c.mode, static_cast<std::uint8_t>(c.offset)});
        EXPECT_EQ(Body(Build(command, clock)).toHex(), (Hex("1f06") + c.timeBytes).toHex());
    }
}
