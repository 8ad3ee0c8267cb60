#include "zonectl/CQZRangeText.h"

#include <gtest/gtest.h>

namespace {

TEST(RangeDialogText, ParsesHoursAndUnboundedMinutes)
{
    const struct
    {
        const char* text;
        int minutes;
    } cases[] = {{"00:00", 0}, {"23:59", 1439}, {"12:75", 795}, {"23:99", 1479}, {"99:99", 6039}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int minutes = -1;
        ASSERT_TRUE(CQZRangeText::Parse(QString::fromLatin1(c.text), &minutes));
        EXPECT_EQ(minutes, c.minutes);
    }
}

TEST(RangeDialogText, MalformedTextIsNoTime)
{
    for (const char* text : {"", "12:3", "1234", "12-30", "ab:cd", "1 :30", "12:3 ", "123:45", "12:345"}) {
        SCOPED_TRACE(text);
        int minutes = 42;
        EXPECT_FALSE(CQZRangeText::Parse(QString::fromLatin1(text), &minutes));
        EXPECT_EQ(minutes, 42);
    }
}

TEST(RangeDialogText, BothTimesAreStoredOnlyWhenBothAreValid)
{
    struct Case
    {
        const char* begin;
        const char* end;
        int expectedBegin;
        int expectedEnd;
    };
    constexpr int kOldBegin = 100;
    constexpr int kOldEnd = 200;
    const Case cases[] = {
        {"12:75", "01:00", 795, 60},
        {"22:00", "02:00", 1320, 120}, // begin after end runs past midnight
        {"23:99", "01:00", kOldBegin, kOldEnd},
        {"01:00", "23:99", kOldBegin, kOldEnd},
        {"10:00", "ab:cd", kOldBegin, kOldEnd},
        {"10:", "11:00", kOldBegin, kOldEnd},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.begin) + " to " + c.end);
        int begin = kOldBegin;
        int end = kOldEnd;
        CQZRangeText::Accept(QString::fromLatin1(c.begin), QString::fromLatin1(c.end), &begin, &end);
        EXPECT_EQ(begin, c.expectedBegin);
        EXPECT_EQ(end, c.expectedEnd);
    }
}

TEST(RangeDialogText, FormatsHoursAndMinutes)
{
    EXPECT_EQ(CQZRangeText::Format(0), QStringLiteral("00:00"));
    EXPECT_EQ(CQZRangeText::Format(795), QStringLiteral("13:15"));
    EXPECT_EQ(CQZRangeText::Format(1439), QStringLiteral("23:59"));
}

} // namespace
