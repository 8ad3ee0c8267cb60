#include "link/Crc16.h"
#include "link/NodeAddress.h"
#include "link/Rle.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <random>

namespace {

std::span<const std::uint8_t> Span(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

std::optional<QByteArray> Decode(const QByteArray& encoded, qsizetype capacity)
{
    QByteArray out(capacity, '\0');
    const std::optional<std::size_t> n = RleDecode(
        Span(encoded), std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(out.data()), out.size()));
    if (!n)
        return std::nullopt;
    return out.left(static_cast<qsizetype>(*n));
}

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

TEST(Crc16, KnownVectors)
{
    struct Case { QByteArray input; std::uint16_t crc; };
    const Case cases[] = {
        {"abc", 0x58E9},
        {"123456789", 0x2189},
        {"", 0x0000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        EXPECT_EQ(crc16(Span(c.input)), c.crc);
    }
}

TEST(Rle, EncodesTheKnownVectors)
{
    const QByteArray literal127 = [] {
        QByteArray bytes;
        for (int i = 0; i < 127; ++i)
            bytes.append(static_cast<char>(i % 2 ? 0x10 + i % 7 : 0x80 + i % 5));
        return bytes;
    }();
    // A 127-byte literal whose next byte repeats its last ends one byte
    // early, so the pair starts the next group.
    const QByteArray literalThenPair = literal127 + literal127.right(1);

    struct Case { const char* name; QByteArray input; QByteArray encoded; };
    const Case cases[] = {
        {"runs and a literal tail", Hex("41414242424344"), Hex("024103" "42" "fe4344")},
        {"alternating pairs stay literal", Hex("41424142"), Hex("fc41424142")},
        {"200 equal bytes", QByteArray(200, 'v'), Hex("7f76" "4976")},
        {"16 zeros", QByteArray(16, '\0'), Hex("1000")},
        {"single byte", Hex("07"), Hex("ff07")},
        {"equal pair inside a literal stays literal", Hex("0102020304"), Hex("fb0102020304")},
        {"literal backs off before a run", Hex("0102030303"), Hex("fe0102" "0303")},
        {"127-byte literal", literal127, QByteArray(1, static_cast<char>(-127)) + literal127},
        {"127-byte literal then a repeat", literalThenPair,
         QByteArray(1, static_cast<char>(-126)) + literal127.left(126) + QByteArray(1, 2) + literal127.right(1)},
        {"empty", QByteArray(), QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RleEncode(Span(c.input)).toHex(), c.encoded.toHex());
        EXPECT_EQ(Decode(c.encoded, c.input.size()), std::optional<QByteArray>(c.input));
    }
}

TEST(Rle, RandomBlocksRoundTrip)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 500; ++round) {
        const int size = std::uniform_int_distribution<int>(0, 4096)(random);
        // Few distinct values give long runs, many give literals; mix both.
        const int alphabet = std::uniform_int_distribution<int>(1, 256)(random);
        QByteArray input(size, '\0');
        for (char& b : input)
            b = static_cast<char>(std::uniform_int_distribution<int>(0, alphabet - 1)(random));
        SCOPED_TRACE(round);
        // The decoder refuses a count of 0, so a round trip also shows the
        // encoder never wrote one.
        ASSERT_EQ(Decode(RleEncode(Span(input)), size), std::optional<QByteArray>(input));
    }
}

TEST(Rle, DecodeRefusesMalformedInput)
{
    struct Case { const char* name; QByteArray encoded; qsizetype capacity; };
    const Case cases[] = {
        {"count of zero", Hex("00ff"), 16},
        {"count of -128", QByteArray(1, static_cast<char>(0x80)) + QByteArray(128, 'x'), 256},
        {"run without its byte", Hex("05"), 16},
        {"literal cut short", Hex("fc0102"), 16},
        {"run past the output", Hex("1100"), 16},
        {"literal past the output", Hex("fd010203"), 2},
        {"second group past the output", Hex("0800" "0900"), 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decode(c.encoded, c.capacity), std::nullopt);
    }
}

TEST(NodeAddress, SplitReadsTheNodeFromTheLowThreeBits)
{
    struct Case { std::uint8_t address, network, node; };
    const Case cases[] = {
        {0x21, 2, 1},
        {0x88, 8, 8},
        {0x30, 3, 8}, // 0 reads as 8
        {0x3F, 3, 7}, // all nodes
        {0x19, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.address));
        const NetNode split = SplitNodeAddress(c.address);
        EXPECT_EQ(split.network, c.network);
        EXPECT_EQ(split.node, c.node);
    }
    EXPECT_EQ(MakeNodeAddress(3, NodeAddress::kAllNodes), 0x3F);
}
