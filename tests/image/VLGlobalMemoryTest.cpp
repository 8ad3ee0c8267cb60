#include "image/CVLGlobalMemory.h"
#include "tests/image/ImageTestFixture.h"
#include "tests/support/MessageBoxScript.h"

#include <QLocale>

class GlobalSettingsTest : public ImageTest
{
protected:
    void SetUp() override
    {
        ImageTest::SetUp();
        ASSERT_TRUE(m_global.LoadFile(PathOf("GlobalSettings.dat"), 1, 0, kVersion));
    }

    void SetPeriod(int zone, int period, int startHour, int startMinute, int endHour, int endMinute)
    {
        const int at = 2922 + 20 * zone + 4 + 4 * period;
        m_global.SetByte(at, static_cast<std::uint8_t>(startHour));
        m_global.SetByte(at + 1, static_cast<std::uint8_t>(startMinute));
        m_global.SetByte(at + 2, static_cast<std::uint8_t>(endHour));
        m_global.SetByte(at + 3, static_cast<std::uint8_t>(endMinute));
    }

    std::vector<int> Order() const
    {
        std::vector<int> order;
        for (int i = 0; i < 256; ++i)
            order.push_back(m_global.Byte(3562 + i));
        return order;
    }

    CVLGlobalMemory m_global;
};

TEST_F(GlobalSettingsTest, TransitionKeysAreMinutesAboveTheBaseOrZeroForEmptyPeriods)
{
    SetPeriod(1, 0, 8, 0, 17, 0);
    SetPeriod(3, 2, 23, 59, 0, 1);
    struct Case
    {
        int entry;
        int key;
    };
    const Case cases[] = {{8, 2528}, {9, 3068}, {10, 0}, {0, 0}, {28, 2048 + 1439}, {29, 2049}, {256, 0}, {-1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(m_global.TransitionKey(c.entry), c.key);
    }
}

TEST_F(GlobalSettingsTest, TransitionOrderOfOnePeriod)
{
    struct Case
    {
        int zone;
        std::vector<int> head;
        int tailValue;
    };
    // Entry 0 also marks an empty place, so a period of zone 0 sorts oddly.
    std::vector<int> zone1(256, 0);
    zone1[0] = 8;
    zone1[1] = 9;
    std::vector<int> zone0(256, 0);
    zone0[255] = 1;
    const std::pair<int, std::vector<int>> cases[] = {{1, zone1}, {0, zone0}};
    for (const auto& [zone, expected] : cases) {
        SCOPED_TRACE(zone);
        for (int z = 0; z < 32; ++z)
            for (int p = 0; p < 4; ++p)
                SetPeriod(z, p, 0, 0, 0, 0);
        SetPeriod(zone, 0, 8, 0, 17, 0);
        m_global.BuildTransitionOrder();
        EXPECT_EQ(Order(), expected);
    }
}

TEST_F(GlobalSettingsTest, TransitionOrderSortsEdgesByTime)
{
    SetPeriod(2, 1, 6, 30, 7, 0);   // entries 18, 19
    SetPeriod(1, 0, 8, 0, 17, 0);   // entries 8, 9
    SetPeriod(4, 3, 12, 0, 13, 0);  // entries 38, 39
    m_global.BuildTransitionOrder();
    const std::vector<int> order = Order();
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 7), (std::vector<int>{18, 19, 8, 38, 39, 9, 0}));
}

TEST_F(GlobalSettingsTest, HolidayTextsUseEnglishNamesWhateverTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    struct Case
    {
        int month;
        int day;
        int year;
        const char* holiday;
        const char* expiring;
    };
    const Case cases[] = {
        {12, 25, 26, "December, 25", "Friday, December, 25, 2026"},
        {2, 31, 24, "February, 31", "Invalid - Please Delete"},
        {2, 29, 24, "February, 29", "Thursday, February, 29, 2024"},
        {0, 5, 24, "-", "-"},
        {5, 0, 24, "-", "-"},
        {5, 1, 0, "May, 1", "-"},
        {13, 1, 24, "?, 1", "Invalid - Please Delete"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.holiday);
        std::uint8_t month = static_cast<std::uint8_t>(c.month), day = static_cast<std::uint8_t>(c.day),
                     year = static_cast<std::uint8_t>(c.year);
        ASSERT_TRUE(m_global.ExchangeHoliday(23, month, day, 0));
        ASSERT_TRUE(m_global.ExchangeExpiringHoliday(23, month, day, year, 0));
        EXPECT_EQ(m_global.FormatHoliday(23), QString::fromLatin1(c.holiday));
        EXPECT_EQ(m_global.FormatExpiringHoliday(23), QString::fromLatin1(c.expiring));
    }
    QLocale::setDefault(previous);
    std::uint8_t month = 1, day = 1, year = 1;
    EXPECT_FALSE(m_global.ExchangeHoliday(24, month, day, 0));
    EXPECT_FALSE(m_global.ExchangeExpiringHoliday(-1, month, day, year, 0));
    EXPECT_EQ(m_global.FormatHoliday(24), "-");
}

TEST_F(GlobalSettingsTest, FacilityCodeByMaskTakesTheLowestSetBit)
{
    for (int i = 0; i < 16; ++i) {
        std::uint16_t card = static_cast<std::uint16_t>(1000 + i), transmitter = static_cast<std::uint16_t>(2000 + i);
        ASSERT_TRUE(m_global.ExchangeCardFacilityCode(i, card, 0));
        ASSERT_TRUE(m_global.ExchangeTransmitterFacilityCode(i, transmitter, 0));
    }
    EXPECT_EQ(m_global.Word(44 + 2 * 15), 1015);
    EXPECT_EQ(m_global.Word(12), 2000);
    struct Case
    {
        std::uint16_t mask;
        int kind;
        int code;
    };
    const Case cases[] = {{0x0001, 0, 1000}, {0x0006, 0, 1001}, {0x8000, 0, 1015},
                          {0x0030, 1, 2004}, {0x8000, 7, 2015}, {0x0000, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(m_global.GetFacilityCodeByMask(c.mask, c.kind), c.code);
    }
    std::uint16_t code = 1;
    EXPECT_FALSE(m_global.ExchangeCardFacilityCode(16, code, 0));
}

TEST_F(GlobalSettingsTest, AccessorsReachTheirBytes)
{
    bool middle = true;
    m_global.ExchangeDirectoryBeginsAtMiddle(middle, 0);
    EXPECT_EQ(m_global.Byte(0), 0x40);
    std::uint8_t value = 45;
    m_global.ExchangeTalkTime(value, 0);
    value = 4;
    m_global.ExchangeDirCodeLength(value, 0);
    value = 9;
    m_global.ExchangePbxDigit(value, 0);
    value = 2;
    m_global.ExchangePostKeyChannel(value, 0);
    EXPECT_EQ(ImageText(m_global, 82, 4).toHex(), QByteArray("2d040902"));
    std::uint16_t on = 450, off = 1200;
    m_global.ExchangeDownlightTime(on, off, 0);
    EXPECT_EQ(ImageText(m_global, 692, 4).toHex(), QByteArray("01c204b0"));
    on = off = 0;
    m_global.ExchangeDownlightTime(on, off, 1);
    EXPECT_EQ(on, 450);
    EXPECT_EQ(off, 1200);
}

TEST_F(GlobalSettingsTest, EachChangedGroupIsAskedOnceAndNoRestoresIt)
{
    struct Case
    {
        std::vector<int> offsets;
        const char* question;
    };
    const Case cases[] = {
        {{0}, "The system setup has changed.\nSave the changes?"},
        {{5, 8}, "The button schedules have changed.\nSave the changes?"},
        {{12, 43}, "The transmitter facility codes have changed.\nSave the changes?"},
        {{44, 75}, "The card facility codes have changed.\nSave the changes?"},
        {{83}, "The directory code length has changed.\nSave the changes?"},
        {{84}, "The pbx dialing digit has changed.\nSave the changes?"},
        {{82}, "The Talk Time has changed.\nSave the changes?"},
        {{85}, "The post key setting has changed.\nSave the changes?"},
        {{692, 723}, "The Downlight On/Off time has changed.\nSave the changes?"},
        {{1226, 2249 - 2}, "The cardholder set settings have changed.\nSave the changes?"},
        {{2330, 2585 - 3}, "The door validation group settings have changed.\nSave the changes?"},
        {{2586, 2777 - 1}, "The floor validation group settings have changed.\nSave the changes?"},
        {{2778, 2825}, "The holiday settings has changed.\nSave the changes?"},
        {{2826, 2921 - 1}, "The Expiring Holiday settings have changed.\nSave the changes?"},
        {{2922, 3561}, "The time zone settings has changed.\nSave the changes?"},
        {{4480}, "The Anti-PassBack time has changed.\nSave the changes?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        for (int offset : c.offsets)
            m_global.SetByte(offset, static_cast<std::uint8_t>(m_global.Byte(offset) + 1));
        {
            MessageBoxScript script{IDNO};
            EXPECT_EQ(m_global.CheckSettingsChanged(1), 0);
            EXPECT_EQ(script.Texts(), QStringList{QString::fromLatin1(c.question)});
            EXPECT_EQ(script.Shown().front().icon, MbIcon::Question);
            EXPECT_EQ(script.Shown().front().buttons, MbButtons::YesNo);
        }
        EXPECT_EQ(m_global.Image(), m_global.Mirror());
        for (int offset : c.offsets)
            m_global.SetByte(offset, static_cast<std::uint8_t>(m_global.Byte(offset) + 1));
        MessageBoxScript yes{IDYES};
        EXPECT_EQ(m_global.CheckSettingsChanged(1), 1);
        EXPECT_EQ(yes.Shown().size(), 1);
        EXPECT_NE(m_global.Image(), m_global.Mirror());
        ASSERT_TRUE(m_global.SaveFile());
    }
}

TEST_F(GlobalSettingsTest, YesGoesOnToTheNextGroup)
{
    m_global.SetByte(5, 9);
    m_global.SetByte(6, 9);
    m_global.SetByte(2778, 4);
    MessageBoxScript script{IDYES, IDNO};
    EXPECT_EQ(m_global.CheckSettingsChanged(1), 1);
    EXPECT_EQ(script.Texts(), (QStringList{"The button schedules have changed.\nSave the changes?",
                                           "The holiday settings has changed.\nSave the changes?"}));
    EXPECT_EQ(m_global.Byte(5), 9);
    EXPECT_EQ(m_global.Byte(2778), 0);
}

TEST_F(GlobalSettingsTest, WithoutAskingAnyChangeCountsAtOnce)
{
    MessageBoxScript script;
    EXPECT_EQ(m_global.CheckSettingsChanged(0), 0);
    m_global.SetByte(4480, 2);
    EXPECT_EQ(m_global.CheckSettingsChanged(0), 1);
    EXPECT_TRUE(script.Shown().isEmpty());
    EXPECT_EQ(m_global.Byte(4480), 2);
}

TEST_F(GlobalSettingsTest, BytesOutsideTheComparedPartsAreNotChanges)
{
    MessageBoxScript script;
    m_global.SetByte(1226 + 14, 1);      // cardholder set 0, byte 14
    m_global.SetByte(2330 + 5, 1);       // door validation group 0, byte 5
    m_global.SetByte(2586 + 6 + 5, 1);   // floor validation group 1, byte 5
    m_global.SetByte(2826 + 3, 1);       // expiring holiday 0, spare byte
    m_global.SetByte(4, 1);              // per-controller byte
    EXPECT_EQ(m_global.CheckSettingsChanged(1), 0);
    EXPECT_TRUE(script.Shown().isEmpty());
}

TEST_F(GlobalSettingsTest, NoPutsBackTheWholeRecordsOfTheGroup)
{
    m_global.SetByte(1226 + 13, 2);
    m_global.SetByte(1226 + 15, 3);
    m_global.SetByte(2330 + 8, 1);
    m_global.SetByte(2330 + 8 + 6, 1);
    MessageBoxScript script{IDNO, IDNO};
    EXPECT_EQ(m_global.CheckSettingsChanged(1), 0);
    EXPECT_EQ(script.Shown().size(), 2);
    EXPECT_EQ(m_global.Image(), m_global.Mirror());
}

TEST_F(GlobalSettingsTest, ChangedDisplayMessagesCountWhateverTheAnswer)
{
    m_global.SetByte(4010 + 2 * 3, 0x55);
    m_global.SetByte(4010 + 2 * 5 + 1, 0x66);
    m_global.SetByte(4010 + 2 * 10, 0x77);
    MessageBoxScript script{IDNO};
    EXPECT_EQ(m_global.CheckSettingsChanged(1), 1);
    EXPECT_EQ(script.Texts(), QStringList{"The Display Messages has changed.\nSave the changes?"});
    EXPECT_EQ(m_global.Byte(4010 + 2 * 3), m_global.Mirror()[4010 + 2 * 3]);
    EXPECT_EQ(m_global.Byte(4010 + 2 * 10), m_global.Mirror()[4010 + 2 * 10]);
    // Only the flags are put back.
    EXPECT_EQ(m_global.Byte(4010 + 2 * 5 + 1), 0x66);
}

TEST_F(GlobalSettingsTest, YesToTheAntiPassbackTimeEndsTheCheck)
{
    m_global.SetByte(4480, 3);
    MessageBoxScript script{IDYES};
    EXPECT_EQ(m_global.CheckSettingsChanged(1), 1);
    EXPECT_EQ(m_global.Byte(4480), 3);
}

TEST_F(GlobalSettingsTest, LoadGlobalSettingsReadsTheControllerFolder)
{
    CVLGlobalMemory other;
    ASSERT_TRUE(other.LoadGlobalSettings(Folder()));
    EXPECT_EQ(other.Image(), m_global.Image());
    EXPECT_FALSE(other.LoadGlobalSettings(PathOf("Elsewhere")));
}
