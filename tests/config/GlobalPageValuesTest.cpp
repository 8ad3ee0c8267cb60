#include "config/AntiPassbackValue.h"
#include "config/ButtonScheduleValues.h"
#include "config/FacilityCodeValues.h"
#include "config/IntegerField.h"
#include "config/ValidDays.h"
#include "image/VLMemoryLayout.h"
#include "tests/config/ConfigFixture.h"

#include <QDir>

using namespace VLLayout;

namespace {

using GlobalPages = OpenInstallation;

TEST(IntegerField, RefusesWhatIsNoIntegerOrOutOfRange)
{
    struct Case { const char* text; std::optional<int> value; const char* message; };
    const Case cases[] = {
        {"007", 7, nullptr},
        {"65535", 65535, nullptr},
        {"0", 0, nullptr},
        {"65536", std::nullopt, "Please enter an integer between 0 and 65535."},
        {"-1", std::nullopt, "Please enter an integer between 0 and 65535."},
        {"99999999999999", std::nullopt, "Please enter an integer between 0 and 65535."},
        {"12a", std::nullopt, "Please enter an integer."},
        {"", std::nullopt, "Please enter an integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MessageBoxScript boxes;
        EXPECT_EQ(ReadIntegerField(QString::fromLatin1(c.text), 0, 65535), c.value);
        EXPECT_EQ(boxes.Texts(), c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList{});
    }
}

TEST_F(GlobalPages, FacilityCodesAreStoredBigEndianByKind)
{
    FacilityCodeValues values;
    values.Load(m_doc);
    values.transmitter[0] = 4660;
    values.card[15] = 0xABCD;
    values.Store(m_doc);
    EXPECT_EQ(Byte(12), 18);
    EXPECT_EQ(Byte(13), 52);
    EXPECT_EQ(Byte(44 + 30), 0xAB);
    EXPECT_EQ(Byte(44 + 31), 0xCD);
    FacilityCodeValues again;
    again.Load(m_doc);
    EXPECT_EQ(again.transmitter, values.transmitter);
    EXPECT_EQ(again.card, values.card);
}

TEST_F(GlobalPages, ButtonScheduleBeyondTheListShowsNoneAndIsWrittenAs255)
{
    const std::uint8_t stored[] = {0, 8, 9, 200};
    for (int r = 0; r < 4; ++r)
        SetByte(kButtonSchedules.At(r), stored[r]);
    ButtonScheduleValues values;
    values.Load(m_doc);
    EXPECT_EQ(values.index, (std::array<int, 4>{0, 8, -1, -1}));
    values.index[0] = 3;
    values.Store(m_doc);
    EXPECT_EQ(Byte(5), 3);
    EXPECT_EQ(Byte(6), 8);
    EXPECT_EQ(Byte(7), 255);
    EXPECT_EQ(Byte(8), 255);
}

TEST_F(GlobalPages, AntiPassbackTimeIsWrittenOnlyWhenChosen)
{
    SetByte(kAntiPassbackTime, 0);
    AntiPassbackValue value;
    value.Load(m_doc);
    EXPECT_EQ(value.index, 0) << "none shows as 1 min";
    value.Store(m_doc);
    EXPECT_EQ(Byte(kAntiPassbackTime), 0) << "an untouched page keeps none";
    value.index = 2;
    value.chosen = true;
    value.Store(m_doc);
    EXPECT_EQ(Byte(kAntiPassbackTime), 3);
}

TEST_F(GlobalPages, DayBoxesAreTickedWhereTheMaskBitIsClear)
{
    const int dayMask = kTimeZones.At(1) + 1;
    SetByte(dayMask, 0x00);
    EXPECT_EQ(ValidDays::Load(m_doc, 1), ValidDays::Boxes({true, true, true, true, true, true, true, true}));
    SetByte(dayMask, 0xFF);
    EXPECT_EQ(ValidDays::Load(m_doc, 1), ValidDays::Boxes{});
    // Sunday is bit 0, the seventh column.
    SetByte(dayMask, 0x01);
    EXPECT_EQ(ValidDays::Load(m_doc, 1), ValidDays::Boxes({true, true, true, true, true, true, false, true}));

    SetByte(dayMask, 0x00);
    ValidDays::Boxes boxes = ValidDays::Load(m_doc, 1);
    boxes[7] = false;
    ValidDays::Store(m_doc, 1, boxes);
    EXPECT_EQ(Byte(dayMask), 0x80);
    EXPECT_EQ(Byte(kTimeZones.At(2) + 1), 0) << "the next zone stays";
    EXPECT_EQ(ValidDays::Tooltip(2, 17), QStringLiteral("Wedensday, Time Zone 17"));
    EXPECT_EQ(ValidDays::Tooltip(7, 1), QStringLiteral("Holidays, Time Zone 1"));
}

TEST_F(GlobalPages, AFailedWriteOfTheGlobalSettingsIsReported)
{
    const QString path = m_doc.BuildPath(CWFDoc::kVestrels, QStringLiteral("GlobalSettings.dat"));
    const QString kept = path + QStringLiteral(".kept");
    ASSERT_TRUE(QFile::copy(path, kept));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    // Root writes read-only files: a folder in its place cannot be written by anyone.
    if (QFileInfo(path).isWritable()) {
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_TRUE(QDir().mkdir(path));
    }
    MessageBoxScript boxes;
    m_doc.ExchangeGlobalSettings(false, false);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("File Error"));
    EXPECT_EQ(boxes.Shown()[0].icon, MbIcon::Exclamation);
    // The closing installation finds its file again.
    QDir().rmdir(path);
    QFile::remove(path);
    ASSERT_TRUE(QFile::rename(kept, path));
}

} // namespace
