#include "app/CWFDoc.h"
#include "image/VLMemoryLayout.h"
#include "platform/LongProperties.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

class FakeBar : public ILongProperties
{
public:
    bool GetLong(int dispid, std::int32_t* value) const override
    {
        *value = values.value(dispid);
        return true;
    }
    bool SetLong(int dispid, std::int32_t value) override
    {
        values[dispid] = value;
        return true;
    }
    QHash<int, std::int32_t> values;
};

} // namespace

TEST(DocumentAccessors, AntiPassbackTimeIsStoredPlusOneAndClamped)
{
    CWFDoc doc;
    struct Case { int written; int stored; int read; };
    const Case cases[] = {{0, 1, 0}, {5, 6, 5}, {254, 255, 254}, {255, 255, 254}, {-3, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_EQ(doc.AntiPassbackTime(c.written, 0), c.read);
        EXPECT_EQ(doc.m_globalMemory.Byte(VLLayout::kAntiPassbackTime), c.stored);
    }
    doc.m_globalMemory.SetByte(VLLayout::kAntiPassbackTime, 0);
    EXPECT_EQ(doc.AntiPassbackTime(0, 1), 0);
}

TEST(DocumentAccessors, DownlightTimesTakeOnlyClockTexts)
{
    CWFDoc doc;
    QString on = QStringLiteral("07:30");
    QString off = QStringLiteral("23:59");
    ASSERT_TRUE(doc.DownlightTimes(on, off, 0));
    EXPECT_EQ(doc.m_globalMemory.Word(VLLayout::kDownlightTimes.At(0)), 450);
    QString readOn;
    QString readOff;
    doc.DownlightTimes(readOn, readOff, 1);
    EXPECT_EQ(readOn, QStringLiteral("07:30"));
    EXPECT_EQ(readOff, QStringLiteral("23:59"));
    const QString good = QStringLiteral("01:00");
    for (const char* bad : {"7:30", "", "ab:cd", "99:99", "07:3", "24:00", "07:75"}) {
        SCOPED_TRACE(bad);
        QString text = QString::fromLatin1(bad);
        QString off = good;
        EXPECT_FALSE(doc.DownlightTimes(text, off, 0));
        EXPECT_EQ(doc.m_globalMemory.Word(VLLayout::kDownlightTimes.At(0)), 450) << "the bad field keeps its time";
        EXPECT_EQ(doc.m_globalMemory.Word(VLLayout::kDownlightTimes.At(0) + 2), 60) << "the good one is stored";
        doc.m_globalMemory.SetWord(VLLayout::kDownlightTimes.At(0) + 2, 0);
    }
}

TEST(DocumentAccessors, TimeZonePeriodsMoveThroughTheBarByDispatchId)
{
    CWFDoc doc;
    const int zone = 5;
    const int periods = VLLayout::kTimeZones.At(zone) + VLLayout::TimeZone::kPeriods;
    const std::uint8_t hours[16] = {8, 0, 12, 30, 13, 15, 17, 0, 22, 0, 2, 0, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i)
        doc.m_globalMemory.SetByte(periods + i, hours[i]);
    FakeBar bar;
    std::array<std::uint8_t, 20> record{};
    ASSERT_TRUE(doc.ExchangeTimeZone(record, bar, zone, 1));
    const std::pair<int, int> expected[] = {{6, 480}, {2, 750}, {7, 795}, {3, 1020}, {8, 1320}, {4, 120}, {9, 0}, {5, 0}};
    for (auto [dispid, minutes] : expected)
        EXPECT_EQ(bar.values.value(dispid), minutes) << dispid;
    EXPECT_EQ(record[4], 8);

    bar.values[9] = 61;
    bar.values[5] = 5000; // beyond the day: clamped to all day
    ASSERT_TRUE(doc.ExchangeTimeZone(record, bar, zone, 0));
    EXPECT_EQ(record[16], 1);
    EXPECT_EQ(record[17], 1);
    EXPECT_EQ(record[18], 24);
    EXPECT_EQ(record[19], 0);
    EXPECT_FALSE(doc.ExchangeTimeZone(record, bar, 32, 1));
    EXPECT_TRUE(CWFDoc::IsSameTimeZone(record, record));
}

TEST(DocumentAccessors, DayBitsHolidaysAndGroupBytesStayInTheirTables)
{
    CWFDoc doc;
    EXPECT_EQ(doc.TimeZoneDayBit(3, 6, 0, 1), 1);
    EXPECT_EQ(doc.m_globalMemory.Byte(VLLayout::kTimeZones.At(3) + 1), 0x40);
    EXPECT_EQ(doc.TimeZoneDayBit(3, 6, 0, 0), 0);
    EXPECT_EQ(doc.TimeZoneDayBit(3, 8, 0, 1), 0);
    EXPECT_EQ(doc.TimeZoneDayBit(32, 0, 0, 1), 0);

    std::uint8_t day = 25, month = 12, year = 0;
    doc.ExpiringHoliday(day, month, year, 0, 0);
    std::uint8_t a = 9, b = 9, c = 9;
    doc.ExpiringHoliday(a, b, c, 0, 1);
    EXPECT_EQ(std::make_tuple(a, b, c), std::make_tuple(25, 12, 0));
    std::uint8_t zero1 = 0, zero2 = 0, zero3 = 0;
    doc.ExpiringHoliday(zero1, zero2, zero3, 0, 0);
    doc.ExpiringHoliday(a, b, c, 0, 1);
    EXPECT_EQ(std::make_tuple(a, b, c), std::make_tuple(0, 0, 0));

    EXPECT_EQ(doc.ValGroupByte(1, 31, 6, 0x5A, 0), 0x5A);
    EXPECT_EQ(doc.m_globalMemory.Byte(VLLayout::kDoorValGroups.At(31) + 7), 0x5A);
    EXPECT_EQ(doc.ValGroupByte(2, 31, 5, 0x5A, 0), 0) << "a floor record has only 6 bytes";
    EXPECT_EQ(doc.ValGroupByte(1, 32, 0, 0x5A, 0), 0);
    EXPECT_EQ(doc.ButtonSchedule(4, 7, 0), 7);
    EXPECT_EQ(doc.ButtonSchedule(5, 7, 0), 0);
    EXPECT_EQ(doc.CardholderSetAntiPassback(4, 63, 0), 4);
    EXPECT_EQ(doc.CardholderSetAntiPassback(4, 64, 0), 0);
    QString name = QStringLiteral("Lobby");
    EXPECT_EQ(doc.DoorValGroupName(31, name, 0), QStringLiteral("Lobby"));
    EXPECT_EQ(doc.DoorValGroupName(32, name, 0), QString());
}
