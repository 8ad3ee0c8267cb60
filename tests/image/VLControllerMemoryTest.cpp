#include "image/CVLControllerMemory.h"
#include "image/CVLGlobalMemory.h"
#include "tests/image/ImageTestFixture.h"
#include "tests/support/MessageBoxScript.h"

class ControllerImageTest : public ImageTest
{
protected:
    void SetUp() override
    {
        ImageTest::SetUp();
        ASSERT_TRUE(m_controller.LoadFile(PathOf("Vestrel21.dat"), 1, 21, kVersion));
    }

    CVLControllerMemory m_controller;
};

TEST_F(ControllerImageTest, PasswordsAreRightAlignedBehindNulBytes)
{
    struct Case
    {
        bool remote;
        const char* text;
        QByteArray stored;
    };
    const Case cases[] = {
        {true, "ab", QByteArray(6, '\0') + "ab"},
        {true, "12345678", "12345678"},
        {true, "", QByteArray(8, '\0')},
        {false, "xyz", QByteArray(3, '\0') + "xyz"},
        {false, "123456", "123456"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString text = QString::fromLatin1(c.text);
        const int offset = c.remote ? 606 : 614;
        ASSERT_TRUE(c.remote ? m_controller.ExchangeRemotePassword(text, 0)
                             : m_controller.ExchangePriorityPassword(text, 0));
        EXPECT_EQ(ImageText(m_controller, offset, c.stored.size()), c.stored);
        QString back;
        ASSERT_TRUE(c.remote ? m_controller.ExchangeRemotePassword(back, 1)
                             : m_controller.ExchangePriorityPassword(back, 1));
        EXPECT_EQ(back, text);
    }
}

TEST_F(ControllerImageTest, TooLongPasswordIsRefusedWithItsMessage)
{
    const VLImage before = m_controller.Image();
    MessageBoxScript script;
    QString remote = QStringLiteral("123456789");
    QString priority = QStringLiteral("1234567");
    EXPECT_FALSE(m_controller.ExchangeRemotePassword(remote, 0));
    EXPECT_FALSE(m_controller.ExchangePriorityPassword(priority, 0));
    EXPECT_EQ(script.Texts(), (QStringList{"Remote Access Password can only be up to 8 characters long",
                                           "Priority Access password can only be up to 6 characters long."}));
    EXPECT_EQ(script.Shown().front().icon, MbIcon::Stop);
    EXPECT_EQ(m_controller.Image(), before);
}

TEST_F(ControllerImageTest, TextFieldsAreBlankPaddedAndReadBackTrimmed)
{
    QString text = QStringLiteral("AT&");
    ASSERT_TRUE(m_controller.ExchangeModemString(1, text, 0));
    EXPECT_EQ(ImageText(m_controller, 644, 24), "AT&" + QByteArray(21, ' '));
    QString back;
    ASSERT_TRUE(m_controller.ExchangeModemString(1, back, 1));
    EXPECT_EQ(back, "AT&");
    ASSERT_TRUE(m_controller.ExchangeModemString(0, back, 1));
    EXPECT_EQ(back, "ATH0E0S0=0Q0&G17&H2");
    ASSERT_TRUE(m_controller.ExchangeDirectoryName(5, back, 1));
    EXPECT_EQ(back, "Channel B");

    text = QString(30, QLatin1Char('n'));
    ASSERT_TRUE(m_controller.ExchangeDeviceName(11, text, 0));
    EXPECT_EQ(ImageText(m_controller, 865 + 11 * 30 + 6, 24), QByteArray(24, 'n'));
    EXPECT_EQ(m_controller.Byte(865 + 12 * 30), 0);  // the byte after the last device

    EXPECT_FALSE(m_controller.ExchangeModemString(3, text, 0));
    EXPECT_FALSE(m_controller.ExchangeDeviceName(12, text, 0));
    EXPECT_FALSE(m_controller.ExchangeDirectoryName(8, text, 0));
}

TEST_F(ControllerImageTest, RelayFieldsShareTheirBytesWithoutDisturbingEachOther)
{
    // Channel C: record at 747.
    for (int mode = 0; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        int value = mode;
        ASSERT_TRUE(m_controller.ExchangeRelayTimingMode(2, value, 0));
        EXPECT_EQ(m_controller.Byte(747) & 0x1F, 31);
        value = -1;
        ASSERT_TRUE(m_controller.ExchangeRelayTimingMode(2, value, 1));
        EXPECT_EQ(value, mode);
    }
    EXPECT_EQ(m_controller.Byte(747), 0x20 | 31);
    int bad = 4;
    EXPECT_FALSE(m_controller.ExchangeRelayTimingMode(2, bad, 0));

    std::uint8_t operation = 3, digit = 7;
    ASSERT_TRUE(m_controller.ExchangeRelayOperation(0, operation, 0));
    EXPECT_EQ(m_controller.Byte(726), 0x93);
    ASSERT_TRUE(m_controller.ExchangeRelayPhoneDigit(0, digit, 0));
    EXPECT_EQ(m_controller.Byte(726), 0x73);
    std::uint16_t time = 0x0102;
    ASSERT_TRUE(m_controller.ExchangeRelayActivationTime(3, time, 0));
    EXPECT_EQ(ImageText(m_controller, 758 + 3, 2).toHex(), QByteArray("0102"));
    std::uint8_t zone = 12;
    ASSERT_TRUE(m_controller.ExchangeRelayTimeZone(1, 3, zone, 0));
    EXPECT_EQ(m_controller.Byte(736 + 10), 12);
    EXPECT_FALSE(m_controller.ExchangeRelayTimeZone(1, 4, zone, 0));
    EXPECT_FALSE(m_controller.ExchangeRelayTimeZone(4, 0, zone, 0));
    EXPECT_EQ(m_controller.Byte(769), 0);
}

TEST_F(ControllerImageTest, SmallAccessorsReachTheirBytes)
{
    std::uint8_t value = 0xFF;
    m_controller.SetByte(11, 0xA0);
    m_controller.ExchangeRadioDirection(value, 0);
    EXPECT_EQ(m_controller.Byte(11), 0xAF);
    value = 0;
    m_controller.ExchangeRadioDirection(value, 1);
    EXPECT_EQ(value, 0x0F);

    bool door = true;
    m_controller.ExchangePriorityDoors(0x04, door, 0);
    EXPECT_EQ(m_controller.Byte(1225), 0x04);
    bool subset = false;
    m_controller.ExchangeDirectorySubsets(0x01, subset, 0);
    EXPECT_EQ(m_controller.Byte(4090), 0);

    EXPECT_TRUE(m_controller.SetTovixAddress(8, 21));
    EXPECT_TRUE(m_controller.SetTovixAddress(11, 24));
    EXPECT_FALSE(m_controller.SetTovixAddress(12, 25));
    EXPECT_FALSE(m_controller.SetTovixAddress(7, 25));
    EXPECT_EQ(ImageText(m_controller, 4474, 6).toHex(), QByteArray("001500001805"));
    m_controller.ClearTovixAddresses();
    EXPECT_EQ(ImageText(m_controller, 4475, 4), QByteArray(4, '\0'));

    ObstacleRecord record{};
    record.fill(0x5A);
    ASSERT_TRUE(m_controller.ExchangeObstacleBlock(1, record, 0));
    EXPECT_EQ(m_controller.Byte(800), 0);
    EXPECT_EQ(m_controller.Byte(801), 0x5A);
    EXPECT_EQ(m_controller.Byte(832), 0x5A);
    EXPECT_FALSE(m_controller.ExchangeObstacleBlock(2, record, 0));
    EXPECT_EQ(m_controller.GetFirmwareVersion(), "0.01");
}

TEST_F(ControllerImageTest, NoRestoresTheGroupAndTheCheckGoesOn)
{
    m_controller.SetByte(10, 30);
    QString name = QStringLiteral("Lobby");
    ASSERT_TRUE(m_controller.ExchangeDirectoryName(7, name, 0));
    name = QStringLiteral("Gate");
    ASSERT_TRUE(m_controller.ExchangeDirectoryName(4, name, 0));
    {
        MessageBoxScript script{IDNO, IDNO};
        EXPECT_EQ(m_controller.ExchangeSettingsChanged(1), 0);
        EXPECT_EQ(script.Texts(), (QStringList{"The door ajar time has changed.\nSave the changes?",
                                               "The name for a channel has changed.\nSave the changes?"}));
    }
    EXPECT_EQ(m_controller.Image(), m_controller.Mirror());

    m_controller.SetByte(10, 30);
    m_controller.SetByte(4479, 9);
    MessageBoxScript script{IDYES};
    EXPECT_EQ(m_controller.ExchangeSettingsChanged(1), 1);
    EXPECT_EQ(script.Shown().size(), 1);
    EXPECT_EQ(m_controller.Byte(10), 30);
    EXPECT_EQ(m_controller.Byte(4479), 9);
}

TEST_F(ControllerImageTest, EachControllerGroupHasItsQuestion)
{
    struct Case
    {
        int offset;
        const char* question;
    };
    const Case cases[] = {
        {4, "The Keypad Strikes and Out has changed.\nSave the changes?"},
        {11, "The integral radio direction setting has changed.\nSave the changes?"},
        {77, "The number of directory codes queued has changed.\nSave the changes?"},
        {78, "The start of the directory code alphabetic list has changed.\nSave the changes?"},
        {81, "The index to the midpoint of the directory codes queued has changed.\nSave the changes?"},
        {606, "The remote access password for this controller has changed.\nSave the changes?"},
        {619, "The priority access password for this controller has changed.\nSave the changes?"},
        {643, "Modem init string 1 has changed.\nSave the changes?"},
        {644, "Modem init string 2 has changed.\nSave the changes?"},
        {691, "Modem termination string has changed.\nSave the changes?"},
        {768, "The relay settings have changed.\nSave the changes?"},
        {769, "The Obstacle transmitter setting has changed.\nSave the changes?"},
        {1224, "The remote device settings have changed.\nSave changes?"},
        {1225, "The door assignment to the Priority Access has changed.\nSave the changes?"},
        {2281, "The Door Schedules have changed\nSave changes?"},
        {3818, "The name for the installation has changed.\nSave the changes?"},
        {3865, "The name for this controller has changed.\nSave the changes?"},
        {4009, "The name for a channel has changed.\nSave the changes?"},
        {4090, "The directory subsets have changed.\nSave the changes?"},
        {4474, "The Cab relay settings have changed.\nSave the changes?"},
        {4475, "The address for an Tovix relay has changed.\nSave the changes?"},
        {4479, "The activation time for the the Tovix relays has changed.\nSave the changes?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        m_controller.SetByte(c.offset, static_cast<std::uint8_t>(m_controller.Byte(c.offset) ^ 0x01));
        MessageBoxScript script{IDNO};
        EXPECT_EQ(m_controller.ExchangeSettingsChanged(1), 0);
        EXPECT_EQ(script.Texts(), QStringList{QString::fromLatin1(c.question)});
        EXPECT_EQ(m_controller.Image(), m_controller.Mirror());
    }
    // Shared settings and the high bits of the radio byte are not the controller's to ask about.
    MessageBoxScript none;
    m_controller.SetByte(11, 0xF0);
    m_controller.SetByte(82, 1);
    EXPECT_EQ(m_controller.ExchangeSettingsChanged(1), 0);
    EXPECT_EQ(m_controller.ExchangeSettingsChanged(0), 0);
}

TEST_F(ControllerImageTest, MergeCopiesExactlyTheSharedSettings)
{
    CVLGlobalMemory global;
    ASSERT_TRUE(global.LoadFile(PathOf("GlobalSettings.dat"), 1, 0, kVersion));
    for (int n = 0; n < 8192; ++n)
        global.SetByte(n, static_cast<std::uint8_t>(n * 7 + 3));
    ASSERT_TRUE(global.SaveFile());
    CVLGlobalMemory loaded;
    ASSERT_TRUE(loaded.LoadGlobalSettings(Folder()));

    for (int n = 0; n < 8192; ++n)
        m_controller.SetByte(n, static_cast<std::uint8_t>(n * 5 + 1));
    const VLImage before = m_controller.Image();
    ASSERT_TRUE(m_controller.MergeGlobalSettings(Folder()));

    struct Range
    {
        int first;
        int last;
        int stride;
        int count;
    };
    const Range merged[] = {
        {0, 0, 1, 1},         {5, 8, 4, 1},         {12, 75, 64, 1},      {82, 85, 4, 1},
        {692, 723, 32, 1},    {1226, 2249, 1024, 1}, {2330, 2334, 8, 32}, {2586, 2590, 6, 32},
        {2778, 2921, 144, 1}, {2922, 3561, 640, 1}, {4480, 4480, 1, 1},   {4010, 4089, 80, 1},
        {3562, 3817, 256, 1},
    };
    std::vector<int> source(8192, 0);  // 0 kept, 1 merged, 2 cleared
    for (const Range& r : merged)
        for (int k = 0; k < r.count; ++k)
            for (int n = r.first; n <= r.last; ++n)
                source[static_cast<std::size_t>(n + k * r.stride)] = 1;
    for (int n = 86; n <= 93; ++n)
        source[static_cast<std::size_t>(n)] = 2;

    for (int n = 0; n < 8192; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const int expected = source[i] == 1 ? loaded.Image()[i] : source[i] == 2 ? 0 : before[i];
        ASSERT_EQ(m_controller.Byte(n), expected) << "byte " << n;
    }
    // Merging does not save.
    EXPECT_NE(m_controller.Image(), m_controller.Mirror());
}

TEST_F(ControllerImageTest, MergeWithoutGlobalSettingsFailsAndSaysSo)
{
    const VLImage before = m_controller.Image();
    MessageBoxScript script;
    EXPECT_FALSE(m_controller.MergeGlobalSettings(PathOf("Nowhere")));
    EXPECT_EQ(script.Texts(), QStringList{"Cannot locate " + PathOf("Nowhere/GlobalSettings.dat") +
                                          "\n\nExit Wardix and check your installation."});
    EXPECT_EQ(m_controller.Image(), before);
}
