#include "link/Crc16.h"
#include "link/FrameReceiver.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// A sealed frame from address, code and payload; crcDelta spoils the CRC.
QByteArray MakeFrame(std::uint8_t address, std::uint8_t code, const QByteArray& payload, std::uint16_t crcDelta = 0)
{
    QByteArray body;
    body.append(static_cast<char>(address));
    body.append(static_cast<char>(code));
    body.append(payload);
    const int length = static_cast<int>(body.size()) + 2;
    const std::uint16_t crc = crc16(std::span<const std::uint8_t>(
                                  reinterpret_cast<const std::uint8_t*>(body.constData()), static_cast<std::size_t>(body.size())))
                              ^ crcDelta;
    QByteArray frame = Hex("5aa5");
    frame.append(static_cast<char>(length >> 8));
    frame.append(static_cast<char>(length & 0xFF));
    frame.append(body);
    frame.append(static_cast<char>(crc >> 8));
    frame.append(static_cast<char>(crc & 0xFF));
    return frame;
}

class FramerTest : public testing::Test
{
protected:
    QList<QByteArray> Feed(const QByteArray& bytes)
    {
        QList<QByteArray> frames;
        for (const char b : bytes) {
            if (std::optional<QByteArray> frame = framer.FrameReceivedByte(static_cast<std::uint8_t>(b)))
                frames.append(*frame);
        }
        return frames;
    }

    FixedClock clock {QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc())};
    FrameReceiver framer {Frame::IsReplyCode, &clock};
};

} // namespace

TEST_F(FramerTest, AcceptsEveryReplyCode)
{
    for (std::uint8_t code = 8; code <= 13; ++code) {
        SCOPED_TRACE(int(code));
        const QByteArray frame = MakeFrame(0x12, code, Hex("0102"));
        EXPECT_EQ(Feed(frame), QList<QByteArray> {frame});
    }
}

TEST_F(FramerTest, AcceptsTheLongestLength)
{
    const QByteArray frame = MakeFrame(0x11, 10, QByteArray(4108, '\x33'));
    ASSERT_EQ(frame.size(), 4116);
    EXPECT_EQ(Feed(frame), QList<QByteArray> {frame});
}

TEST_F(FramerTest, DropsWhatIsNotAGoodReplyAndFindsTheNextFrame)
{
    const QByteArray good = MakeFrame(0x21, 12, {});
    struct Case { const char* name; QByteArray bytes; };
    const Case cases[] = {
        {"length 3", Hex("5aa50003")},
        {"length 4113", Hex("5aa51011")},
        {"length 0", Hex("5aa50000")},
        {"compressed reply 0x88", MakeFrame(0x21, 0x88, Hex("00"))},
        {"request code 7", MakeFrame(0x21, 7, Hex("0100000001ff"))},
        {"request code 1", MakeFrame(0x21, 1, Hex("313233343536"))},
        {"code 14", MakeFrame(0x21, 14, {})},
        {"bad CRC high byte", MakeFrame(0x21, 9, Hex("0000"), 0x0100)},
        {"bad CRC low byte", MakeFrame(0x21, 9, Hex("0000"), 0x0001)},
        {"sync without A5", Hex("5a00")},
        {"garbage", Hex("00ffa5a50113")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Feed(c.bytes).isEmpty());
        EXPECT_EQ(Feed(good), QList<QByteArray> {good});
    }
}

TEST_F(FramerTest, FrameSplitAcrossReadsComesOutWhole)
{
    const QByteArray frame = MakeFrame(0x31, 11, QByteArray(40, '\x07'));
    for (int cut = 1; cut < frame.size(); ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_TRUE(Feed(frame.left(cut)).isEmpty());
        EXPECT_EQ(Feed(frame.mid(cut)), QList<QByteArray> {frame});
    }
}

TEST_F(FramerTest, StaleFrameEndsAfterTheDeadline)
{
    const QByteArray frame = MakeFrame(0x31, 9, Hex("0102030405"));
    const QDateTime start = clock.NowUtc();

    // Within 2000 seconds the frame is still completed.
    Feed(frame.left(6));
    clock.Set(start.addSecs(2000));
    EXPECT_EQ(Feed(frame.mid(6)), QList<QByteArray> {frame});

    // Later, the rest is no longer a frame; the next frame after it is.
    clock.Set(start);
    Feed(frame.left(6));
    clock.Set(start.addSecs(2001));
    EXPECT_TRUE(Feed(frame.mid(6)).isEmpty());
    EXPECT_EQ(Feed(frame), QList<QByteArray> {frame});
}

TEST_F(FramerTest, ResetForgetsAPartialFrame)
{
    const QByteArray frame = MakeFrame(0x41, 12, {});
    Feed(frame.left(5));
    framer.Reset();
    EXPECT_EQ(Feed(frame), QList<QByteArray> {frame});
}

// Noise that starts no frame (0x5A never occurs in it) and broken frames mixed
// with good ones: exactly the good frames come out, in order.
TEST_F(FramerTest, RandomStreamYieldsExactlyTheGoodFrames)
{
    std::mt19937 random(6);
    auto draw = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto randomBytes = [&](int size) {
        QByteArray bytes(size, '\0');
        for (char& b : bytes)
            b = static_cast<char>(draw(0, 255));
        return bytes;
    };

    QByteArray stream;
    QList<QByteArray> expected;
    for (int piece = 0; piece < 2000; ++piece) {
        switch (draw(0, 5)) {
        case 0: {
            QByteArray noise = randomBytes(draw(1, 30));
            noise.replace('\x5a', '\x5b');
            stream.append(noise);
            break;
        }
        case 1:
            stream.append(MakeFrame(static_cast<std::uint8_t>(draw(0, 255)), static_cast<std::uint8_t>(draw(8, 13)),
                                    randomBytes(draw(0, 64)), static_cast<std::uint16_t>(draw(1, 0xFFFF))));
            break;
        case 2: {
            int code = draw(0, 255);
            if (code >= 8 && code <= 13)
                code = 0x80 | code;
            stream.append(MakeFrame(0x11, static_cast<std::uint8_t>(code), randomBytes(draw(0, 64))));
            break;
        }
        case 3: {
            const int badLength = draw(0, 1) ? draw(0, 3) : draw(4113, 0xFFFF);
            stream.append(Hex("5aa5"));
            stream.append(static_cast<char>(badLength >> 8));
            stream.append(static_cast<char>(badLength & 0xFF));
            break;
        }
        default: {
            const QByteArray good = MakeFrame(static_cast<std::uint8_t>(draw(0, 255)),
                                              static_cast<std::uint8_t>(draw(8, 13)), randomBytes(draw(0, 300)));
            stream.append(good);
            expected.append(good);
            break;
        }
        }
    }
    EXPECT_EQ(Feed(stream), expected);
}
