#include "common/Formatting.h"

#include <gtest/gtest.h>

TEST(Formatting, WholeNumbers)
{
    struct Case { double value; const char* text; };
    const Case cases[] = {{0.4, "0"}, {-7, "7"}, {0, "0"}, {2.5, "3"}, {-2.5, "3"}, {1234.49, "1234"},
                          {1e15, "1000000000000000"}, {std::nan(""), "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(FormatWholeNumber(c.value), QString::fromLatin1(c.text));
    }
}

TEST(Formatting, ModuleRelays)
{
    struct Case { std::uint32_t mask; const char* full; const char* brief; };
    const Case cases[] = {
        {(1u << 6) | (1u << 8), "Tovix Mod2 relays: 1,3", "Mod2: 1,3"},
        {1u | (1u << 6), "Tovix relays:  M1-1,M2-1", "Tovix:  M1-1,M2-1"},
        {0, "Tovix relays:  none", "none"},
        {1u << 23, "Tovix Mod4 relays: 6", "Mod4: 6"},
        {0x3F, "Tovix Mod1 relays: 1,2,3,4,5,6", "Mod1: 1,2,3,4,5,6"},
        {1u << 24, "Tovix relays:  none", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(FormatModuleRelays(c.mask & 0xFF, (c.mask >> 8) & 0xFF, (c.mask >> 16) & 0xFF),
                  QString::fromLatin1(c.full));
        EXPECT_EQ(FormatModuleRelaysShort(c.mask), QString::fromLatin1(c.brief));
    }
}

TEST(Formatting, RelayLabelsAndBitMasks)
{
    EXPECT_EQ(FormatRelayLabels(0), QStringLiteral("none"));
    EXPECT_EQ(FormatRelayLabels(0b1011), QStringLiteral("1,2,4"));
    EXPECT_EQ(FormatRelayLabels(0xC0000000u), QStringLiteral("31"));
    EXPECT_EQ(MakeBitMask(1, 0, 16, 3), 0x8005);
    EXPECT_EQ(MakeBitMask(0, 17, -1, 0), 0);
    EXPECT_EQ(SwapBytes16(0x1234), 0x3412);
    EXPECT_EQ(SwapBytes16b(0xFF00), 0x00FF);
}

TEST(Formatting, PackBigEndian)
{
    const std::uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09};
    EXPECT_EQ(PackBigEndian(std::span(bytes, 0)), 0u);
    EXPECT_EQ(PackBigEndian(std::span(bytes, 2)), 0x0102u);
    EXPECT_EQ(PackBigEndian(std::span(bytes, 8)), 0x0102030405060708u);
    EXPECT_EQ(PackBigEndian(std::span(bytes, 9)), 0x0203040506070809u);
}

TEST(Formatting, ValueAndFacilityCodeLists)
{
    EXPECT_EQ(FormatValueList({std::nullopt, 12, std::nullopt, 40}), QStringLiteral("12, 40"));
    EXPECT_EQ(FormatValueList({}), QString());
    const auto code = [](int n) { return 100 + n; };
    EXPECT_EQ(FormatFacilityCodeSelections({1, 0, 16, 0}, code), QStringLiteral("100, 115"));
    EXPECT_EQ(FormatFacilityCodeSelections({0, 17, 255, 0}, code), QString());
}

TEST(Formatting, NodeNames)
{
    struct Case { std::uint8_t address; char letter; const char* name; };
    const Case cases[] = {{0x11, 'A', "A1"}, {0x88, 'H', "H8"}, {0x1F, 'A', "A15"}, {0x35, 'C', "C5"},
                          {0x01, '?', "?1"}, {0x92, '?', "?2"}, {0xF3, '?', "?3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(GetNetworkLetter(c.address), QLatin1Char(c.letter));
        EXPECT_EQ(FormatNodeName(c.address), QString::fromLatin1(c.name));
    }
}
