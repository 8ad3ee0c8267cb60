#include "image/CVLGlobalMemory.h"
#include "image/CardholderSetRecord.h"
#include "database/CSetUserGroups.h"
#include "tests/cardholders/DemoFixture.h"

#include <QByteArray>

namespace {

constexpr int kRecords = 1226;
constexpr int kRecordSize = 16;

QByteArray RecordOf(const CVLMemory& image, int set)
{
    QByteArray bytes;
    for (int i = 0; i < kRecordSize; ++i)
        bytes.append(static_cast<char>(image.Byte(kRecords + kRecordSize * set + i)));
    return bytes;
}

TEST(CardholderSetRecord, WritesFlagsGroupsZonesAndMode)
{
    const struct
    {
        bool suspend;
        std::uint8_t zone1;
        std::uint8_t mode;
        const char* record;
    } cases[] = {
        {false, 0, 0, "40 01 02 ff ff 00 ff ff ff 00 00 00 00 00 00 00"},
        {true, 255, 4, "c0 01 02 ff ff 00 ff ff ff ff ff ff ff 04 00 00"},
        {false, 1, 2, "40 01 02 ff ff 00 ff ff ff 01 03 ff 1f 02 00 00"},
        {true, 7, 1, "c0 01 02 ff ff 00 ff ff ff 07 03 ff 1f 01 00 00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        CVLMemory image;
        image.SetByte(kRecords + kRecordSize * 9 + 14, 0x55);
        CSetUserGroups row;
        row.m_CHSetIndex = 9;
        row.m_Suspend = c.suspend;
        row.m_DoorVG1 = 1;
        row.m_DoorVG2 = 2;
        row.m_DoorVG3 = row.m_DoorVG4 = 255;
        row.m_FloorVG1 = 0;
        row.m_FloorVG2 = row.m_FloorVG3 = row.m_FloorVG4 = 255;
        row.m_TimeZone1 = c.zone1;
        row.m_TimeZone2 = 3;
        row.m_TimeZone3 = 255;
        row.m_TimeZone4 = 31;
        CardholderSetRecord::Write(image, row, c.mode);
        EXPECT_EQ(RecordOf(image, 9).toHex(' '), QByteArray(c.record));
    }
}

TEST(CardholderSetRecord, ResetLeavesLiveSetsAndTheModeBytes)
{
    CVLMemory image;
    for (int set : {3, 4, 5})
        for (int i = 0; i < kRecordSize; ++i)
            image.SetByte(kRecords + kRecordSize * set + i, 0x11);
    CardholderSetRecord::ResetUnused(image, {3, 5});
    EXPECT_EQ(RecordOf(image, 3).toHex(' '), "11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11");
    EXPECT_EQ(RecordOf(image, 4).toHex(' '), "00 ff ff ff ff ff ff ff ff ff ff ff ff 11 11 00");
    EXPECT_EQ(RecordOf(image, 5).toHex(' '), "11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11");
    EXPECT_EQ(RecordOf(image, 63).toHex(' '), "00 ff ff ff ff ff ff ff ff ff ff ff ff 00 00 00");
    EXPECT_EQ(RecordOf(image, 2).toHex(' '), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00") << "built-in sets stay";
}

using DemoSetRecords = DemoFixture;

TEST_F(DemoSetRecords, DemoHoldsTheRecordsOfItsTwoSets)
{
    for (int set : {3, 4})
        EXPECT_EQ(RecordOf(m_doc.m_globalMemory, set).toHex(' '), "40 00 ff ff ff 00 ff ff ff 00 00 00 00 00 00 00");
    EXPECT_EQ(m_doc.m_globalMemory.CheckSettingsChanged(0), 0);
}

} // namespace
