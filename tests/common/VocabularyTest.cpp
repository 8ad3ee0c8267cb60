#include "common/Vocabulary.h"

#include <gtest/gtest.h>

TEST(Vocabulary, StoredCodesReadTheirRows)
{
    EXPECT_EQ(NameAt(AntiPassbackModeNames, 5), QString(""));
    EXPECT_EQ(MonthName(1), QStringLiteral("January"));
    EXPECT_EQ(MonthName(12), QStringLiteral("December"));
    EXPECT_EQ(WeekdayName(1), QStringLiteral("Sunday"));
    EXPECT_EQ(WeekdayName(7), QStringLiteral("Saturday"));
    EXPECT_EQ(NameAt(ConnectUsingNames, 0), QStringLiteral("Modem"));
    EXPECT_EQ(NameAt(ConnectUsingNames, 8), QStringLiteral("COM8"));
    EXPECT_EQ(NameAt(PbxDigitNames, 1), QStringLiteral("9"));
    EXPECT_EQ(NameAt(PbxDigitNames, 10), QStringLiteral("0"));
    EXPECT_EQ(NameAt(DeviceTypeNames, 1 + 7), QStringLiteral("MOD1"));
    EXPECT_EQ(NameAt(ButtonNames, 5), QStringLiteral("Top & Left"));
    EXPECT_EQ(NameAt(PrivilegeNames2, 4), QStringLiteral("Configure the current installation"));
}

TEST(Vocabulary, CodesBeyondATableGetOneFallback)
{
    for (long long code : {-1LL, 9LL, 255LL, 1LL << 40}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(NameAt(ConnectUsingNames, code), QStringLiteral("?"));
    }
    EXPECT_EQ(MonthName(0), QStringLiteral("?"));
    EXPECT_EQ(MonthName(13), QStringLiteral("?"));
    EXPECT_EQ(WeekdayName(8), QStringLiteral("?"));
}
