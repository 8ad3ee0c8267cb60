#include "SettingsListingFixture.h"

#include "common/RecordsetWalk.h"
#include "database/COperatorStore.h"
#include "database/CSetFloorNames.h"
#include "database/CSetVLNetworks.h"
#include "database/CSetVestrels.h"
#include "database/GlobalRecordsets.h"
#include "image/VLMemoryLayout.h"

#include <QFile>
#include <QStringList>

#include <functional>

namespace {

class ListingSections : public SettingsListingFixture
{
protected:
    // The text one section writer appends to an empty listing.
    QString Section(void (CWFDoc::*write)())
    {
        doc.m_strSettingsText.clear();
        doc.MarkReportHeadings(ReportOp::kClear);
        (doc.*write)();
        return doc.m_strSettingsText;
    }

    // Adds a controller of network A with the given door schedule masks.
    void AddController(int node, std::array<std::int32_t, 4> schedules)
    {
        ASSERT_TRUE(MoveToFirstRow(g_setVLNetworks));
        g_setVestrels.AddNew();
        g_setVestrels.m_NodeID = g_setVLNetworks.m_NodeID;
        g_setVestrels.m_NetAddress = 2;
        g_setVestrels.m_NodeAddress = static_cast<std::uint8_t>(node);
        g_setVestrels.m_VestrelName = QStringLiteral("Extra");
        g_setVestrels.m_FileName = QStringLiteral("Extra.dat");
        g_setVestrels.m_DoorScheduleA = schedules[0];
        g_setVestrels.m_DoorScheduleB = schedules[1];
        g_setVestrels.m_DoorScheduleC = schedules[2];
        g_setVestrels.m_DoorScheduleD = schedules[3];
        g_setVestrels.Update();
    }

    void ExpectLines(const QString& text, const QStringList& lines)
    {
        for (const QString& line : lines)
            EXPECT_TRUE(text.contains(line)) << "missing: [" << line.toStdString() << "]\nin:\n" << text.toStdString();
    }
};

} // namespace

TEST(SettingsListingCount, ThousandsCommaFollowsTheDigitCount)
{
    const struct
    {
        int n;
        const char* text;
    } cases[] = {{45600, "45,600"}, {10000, "10,000"}, {1234, "1,234"}, {1000, "1,000"},
                 {999, "999"},      {0, "0"},          {-5, "-5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(CWFDoc::FormatCount(c.n), QString::fromLatin1(c.text));
    }
}

TEST_F(ListingSections, MemoryStatusGivesAvailableAssignedAndTotal)
{
    ExpectLines(Section(&CWFDoc::ListMemoryStatus),
                {"Memory Status\n\n                       Available       Assigned        Total\n"
                 "Transmitter Blocks            24              0           24\n",
                 "Cards                     45,596              4       45,600\n",
                 "Directory Codes           10,000              0       10,000\n"});
}

TEST_F(ListingSections, TimeZonesShowDaysAsNotSelectedLettersAndEveryPeriod)
{
    const int zone1 = VLLayout::kTimeZones.At(1);
    doc.m_globalMemory.SetByte(zone1 + 1, 0xFF);
    const int zone2 = VLLayout::kTimeZones.At(2);
    const std::uint8_t period[] = {7, 30, 17, 5};
    for (int i = 0; i < 4; ++i)
        doc.m_globalMemory.SetByte(zone2 + 4 + i, period[i]);
    doc.m_globalMemory.SetByte(zone2 + 1, 0x81);
    ExpectLines(Section(&CWFDoc::ListTimeZones),
                {"QZ[01]    NNNNNNNN   00:00-00:00   00:00-00:00   00:00-00:00   00:00-00:00\n",
                 "QZ[02]    NYYYYYYN   07:30-17:05   00:00-00:00   00:00-00:00   00:00-00:00\n",
                 "QZ[31]    YYYYYYYY   00:00-00:00"});
}

TEST_F(ListingSections, DoorSchedulesWrapAfterTwelveDoors)
{
    const std::int32_t five = 1 << 4;
    for (int node = 1; node <= 3; ++node)
        AddController(node, {five, five, five, five});
    AddController(4, {five, 0, 0, 1});
    ExpectLines(Section(&CWFDoc::ListDoorSchedules),
                {"Door Schedules\nDS[01] [B4D]\nDS[02]\n",
                 "\nDS[05] [B1A] [B1B] [B1C] [B1D] [B2A] [B2B] [B2C] [B2D] [B3A] [B3B] [B3C] [B3D]\n        [B4A]\nDS[06]",
                 "DS[31]\n"});
}

TEST_F(ListingSections, FloorNamesListRowsOfExistingControllersOrNone)
{
    ASSERT_TRUE(g_setFloorNames.FindFirst(QStringLiteral("[Net] = 1 AND [Node] = 3")));
    ASSERT_EQ(g_setFloorNames.m_Name, QStringLiteral("Lobby"));
    g_setFloorNames.Edit();
    g_setFloorNames.m_Sched = 0b101;
    g_setFloorNames.m_Cab1 = 0b11;
    g_setFloorNames.m_Cab2 = 1 | (1 << 6);
    g_setFloorNames.Update();
    g_setFloorNames.AddNew();
    g_setFloorNames.m_Name = QStringLiteral("No such node");
    g_setFloorNames.m_Net = 5;
    g_setFloorNames.m_Node = 5;
    g_setFloorNames.Update();
    const QString listed = Section(&CWFDoc::ListFloorNames);
    ExpectLines(listed, {"Floor Names\n\n                         Node     Schedules               Cab 1 Relays",
                         "Lobby                    [A3]    1,3                     Mod1: 1,2                 "
                         "Tovix:  M1-1,M2-1         none                      none                    \n"});
    EXPECT_FALSE(listed.contains("No such node"));

    for (bool row = MoveToFirstRow(g_setFloorNames); row && !g_setFloorNames.IsEOF(); g_setFloorNames.MoveNext())
        g_setFloorNames.Delete();
    EXPECT_EQ(Section(&CWFDoc::ListFloorNames), QStringLiteral("Floor Names\n\nnone\n"));
}

TEST_F(ListingSections, OperatorsShowPrivilegesOrAHiddenPassword)
{
    COperatorStore plain;
    ASSERT_NE(plain.AddOperator(QStringLiteral("Clerk")), COperatorStore::kNoOperator);
    plain.SetPassword(QStringLiteral("pw1"));
    plain.SetAdministrator(0);
    COperatorStore admin;
    ASSERT_NE(admin.AddOperator(QStringLiteral("Boss")), COperatorStore::kNoOperator);
    for (int privilege = 0; privilege < COperatorStore::kPrivilegeCount; ++privilege)
        admin.WriteOperatorInt(COperatorStore::PrivilegeKey(privilege), 1);
    EXPECT_EQ(Section(&CWFDoc::ListSystemOperators),
              QStringLiteral("System Operators\nName                     Privileges\n"
                             "Clerk                    ********       \n"
                             "Boss                     Work with cardholders and credentials\n"
                             "                         Report Generation\n"
                             "                         Backup and Restore\n"
                             "                         Monitor and Control doors\n"
                             "                         Configure the current installation\n"
                             "                         All Global Programming\n"));
}

TEST_F(ListingSections, ValidationGroupsAndLabelsShowStoredValues)
{
    const int group3 = VLLayout::kDoorValGroups.At(3);
    for (int i = 0; i < 5; ++i)
        doc.m_globalMemory.SetByte(group3 + i, static_cast<std::uint8_t>(5 + i));
    doc.m_doorValGroupNames[3] = QStringLiteral("Staff");
    ExpectLines(Section(&CWFDoc::ListValidationGroups),
                {"[03] Staff                    DS[05]  QZ[06],QZ[07],QZ[08],QZ[09]\n",
                 "[01]                          DS[00]  QZ[00],QZ[00],QZ[00],QZ[00]\n"});
    doc.m_userTypeLabels = {QStringLiteral("Badge"), QString(), QStringLiteral("Car"), QString()};
    EXPECT_EQ(Section(&CWFDoc::ListCustomFieldLabels),
              QStringLiteral("Cardholder Custom Field Labels\nAccount holder field 1: Badge\n"
                             "Account holder field 2: \nAccount holder field 3: Car\nAccount holder field 4: \n"));
}

TEST_F(ListingSections, TelephoneEntryShowsItsFiveValues)
{
    std::uint8_t talk = 45, postKey = 4, pbx = 1, length = 2;
    bool middle = true;
    doc.m_globalMemory.ExchangeTalkTime(talk, 0);
    doc.m_globalMemory.ExchangePostKeyChannel(postKey, 0);
    doc.m_globalMemory.ExchangePbxDigit(pbx, 0);
    doc.m_globalMemory.ExchangeDirCodeLength(length, 0);
    doc.m_globalMemory.ExchangeDirectoryBeginsAtMiddle(middle, 0);
    EXPECT_EQ(Section(&CWFDoc::ListTelephoneEntry),
              QStringLiteral("Telephone Entry\nTalk Time:                      45\n"
                             "Postal Key Channel:             Buttons\nPBX Dialing Digit:              9\n"
                             "Directory Code Length:          3\nDirectory Begins At:            Middle (M)\n\n"));
}

TEST_F(ListingSections, HolidaysSkipEmptySlotsAndDownlightTimesAreClockTimes)
{
    std::uint8_t month = 12, day = 25, year = 26;
    doc.m_globalMemory.ExchangeExpiringHoliday(0, month, day, year, 0);
    month = 2, day = 30;
    doc.m_globalMemory.ExchangeExpiringHoliday(2, month, day, year, 0);
    month = 1, day = 1;
    doc.m_globalMemory.ExchangeHoliday(5, month, day, 0);
    std::uint16_t on = 7 * 60 + 30, off = 20 * 60 + 5;
    doc.m_globalMemory.ExchangeDownlightTime(on, off, 0);
    EXPECT_EQ(Section(&CWFDoc::ListTimeAndCalendar),
              QStringLiteral("Time and Calendar\nExpiring Holidays\n      Friday, December, 25, 2026\n"
                             "      Invalid - Please Delete\n\nNon-Expiring Holidays\n      January, 1\n"
                             "\nDownlight Control Time\n      On:  07:30\n      Off: 20:05\n"));
    EXPECT_EQ(doc.m_reportPages.HeadingCount(), 2);
}

TEST_F(ListingSections, AntiPassbackButtonsAndFacilityCodesReadTheImage)
{
    const struct
    {
        std::uint8_t stored;
        const char* shown;
    } times[] = {{0, "None"}, {2, "2 min"}, {4, "4 min"}, {9, "?"}};
    for (const auto& t : times) {
        SCOPED_TRACE(t.stored);
        doc.m_globalMemory.SetByte(VLLayout::kAntiPassbackTime, t.stored);
        EXPECT_EQ(Section(&CWFDoc::ListAntiPassback),
                  QStringLiteral("Anti-PassBack\nAnti-PassBack Time: ") + QString::fromLatin1(t.shown) + "\n");
    }
    const std::uint8_t schedules[] = {0, 4, 9, 12};
    for (int button = 0; button < 4; ++button)
        doc.m_globalMemory.SetByte(VLLayout::kButtonSchedules.At(button), schedules[button]);
    EXPECT_EQ(Section(&CWFDoc::ListButtonSchedule),
              QStringLiteral("Global Button Schedule\nChannel [A]: None\nChannel [B]: Top\n"
                             "Channel [C]: Keypad\nChannel [D]: ?\n"));
    std::uint16_t code = 123;
    doc.m_globalMemory.ExchangeTransmitterFacilityCode(0, code, 0);
    code = 65535;
    doc.m_globalMemory.ExchangeCardFacilityCode(15, code, 0);
    ExpectLines(Section(&CWFDoc::ListFacilityCodes),
                {"Transmitter Facility Codes\nXmtr Facility Code  1:      00123\nXmtr Facility Code  2:      00000\n",
                 "Xmtr Facility Code 16:      00000\nCard Facility Codes\nCard Facility Code  1:      00000\n",
                 "Card Facility Code 16:      65535\n"});
}

TEST_F(ListingSections, NetworkSectionShowsItsLinkSettings)
{
    CSetVLNetworks& network = g_setVLNetworks;
    ASSERT_TRUE(MoveToFirstRow(network));
    network.m_HoursOffset = -5;
    network.m_DaylightSavings = true;
    network.m_ConnectUsing = 0;
    network.m_CountryAndAreaCode = true;
    network.m_AreaCode = QStringLiteral("555");
    network.m_PhoneNo = QStringLiteral("1234567");
    doc.m_strSettingsText.clear();
    doc.ListNetworkSettings(network);
    EXPECT_EQ(doc.m_strSettingsText,
              QStringLiteral("Setting for network: [A] Main Building\n"
                             "Network enabled:           Yes\n"
                             "Network address:           A\n"
                             "Password:                  580317\n"
                             "Network time programming:  Enable Daylight Savings: Yes\n"
                             "                           Hours offset from PC clock: -5\n"
                             "Network connection:        Connect using: Modem\n"
                             "                           Use area code: Yes\n"
                             "                           Phone number:  555-1234567\n\n\n"));
}

TEST_F(ListingSections, ControllerSectionReadsTheLoadedImage)
{
    ASSERT_TRUE(MoveToFirstRow(g_setVestrels));
    CVLControllerMemory& image = doc.m_controllerMemory;
    const auto device = [&](int n, int byte) { return VLLayout::kDevices.At(n) + byte; };
    image.SetByte(device(8, 1), 4);
    image.SetByte(device(3, 1), 7);
    image.SetByte(device(3, 0), 0x02 | 0x20);
    image.SetByte(device(3, 2), 4);
    ObstacleRecord obstacle{};
    obstacle[0] = 0x80;
    obstacle[1] = 0x34;
    obstacle[2] = 0x01;
    obstacle[3] = 0x39;
    obstacle[4] = 0x30;
    obstacle[8] = 'X';
    image.ExchangeObstacleBlock(1, obstacle, 0);

    const struct
    {
        std::uint8_t subsets;
        const char* line;
    } cases[] = {{0, "Directory Subsets:              \n"}, {0b101, "Directory Subsets:              A C \n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subsets);
        image.SetByte(VLLayout::kDirectorySubsets, c.subsets);
        EXPECT_TRUE(doc.FormatControllerGeneral(g_setVestrels).endsWith(QString::fromLatin1(c.line)));
    }
    const QString devices = doc.FormatRemoteDevices();
    ExpectLines(devices, {"    DV[03]     Tovix Encl    Buttons    Out       YNYY   \n",
                          "    DV[08]     Wiegand30     Relay A    None      YYYY   \n"});
    EXPECT_EQ(doc.FormatObstacleTransmitters(),
              QStringLiteral("Obstacle Transmitters:   Facility Code   Transmitter Code Name\n"
                             "     OBST[02]                 308            12345        \n"));
    obstacle[0] = 0x80 | 0x10;
    image.ExchangeObstacleBlock(1, obstacle, 0);
    EXPECT_TRUE(doc.FormatObstacleTransmitters().endsWith("12345        X\n"));
}

TEST_F(SettingsListingFixture, ListsEveryNetworkAndControllerUnderMarkedHeadings)
{
    doc.BuildSettingsListing();
    const QString& text = doc.m_strSettingsText;
    const int networks = Count("Setting for network: ");
    const int controllers = Count("Settings for controller: ");
    EXPECT_EQ(networks, 8);
    EXPECT_EQ(controllers, 3);
    EXPECT_TRUE(text.contains("[A]   Main Building\n       [A1]  Front Entrance\n            [A1A] Door\n"));
    EXPECT_TRUE(text.contains("[B]   Not enabled\n"));
    EXPECT_TRUE(text.contains("Setting for network: [B] Network B\nNetwork enabled:           No\n"));
    const int globalHeadings = 15;
    EXPECT_EQ(doc.m_reportPages.HeadingCount(), globalHeadings + networks + controllers);
    EXPECT_EQ(doc.m_reportPages.PageStarts().back(), text.size());

    // The sections after a forced break start their pages.
    for (const char* next : {"System Operators\n", "Door Schedules", "Floor Names\n", "Telephone Entry\n",
                             "Setting for network: [A]"}) {
        SCOPED_TRACE(next);
        const auto& starts = doc.m_reportPages.PageStarts();
        // A page starts at the line feed before the section's blank line.
        const int at = static_cast<int>(text.indexOf(QLatin1String(next)));
        ASSERT_GT(at, 1);
        EXPECT_NE(std::find(starts.begin(), starts.end(), at - 1), starts.end());
    }
}

TEST_F(SettingsListingFixture, DisplayMessagesHaveOneHeadingAndPagesOfSixtySixLines)
{
    for (int i = 0; i < 100; ++i) {
        g_setDisplayMessages.AddNew();
        g_setDisplayMessages.m_MessageSetDisplay = static_cast<std::uint8_t>(i / 40 + 1);
        g_setDisplayMessages.m_Message = QStringLiteral("Message %1").arg(i);
        g_setDisplayMessages.Update();
    }
    g_setDisplayMessages.Requery();
    doc.RefreshSettingsListing();
    const QString& text = doc.m_strSettingsText;
    EXPECT_TRUE(text.startsWith("Display Messages\n\nSet[1] [01]    Message 0\n"));
    EXPECT_EQ(doc.m_reportPages.HeadingStarts(), std::vector<int>{0});
    EXPECT_EQ(doc.m_reportPages.HeadingEnds(), std::vector<int>{static_cast<int>(QString("Display Messages\n").size())});
    const auto& starts = doc.m_reportPages.PageStarts();
    EXPECT_EQ(starts.back(), text.size());
    int lineFeeds = 0;
    std::vector<int> expected{0};
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\n') && ++lineFeeds % ReportPages::kLinesPerPage == 0)
            expected.push_back(i);
    expected.push_back(static_cast<int>(text.size()));
    EXPECT_GT(expected.size(), 2U);
    EXPECT_EQ(starts, expected);
}

TEST_F(SettingsListingFixture, StopsAfterTheSixtyFourthController)
{
    ASSERT_TRUE(MoveToFirstRow(g_setVLNetworks));
    const std::int32_t nodeId = g_setVLNetworks.m_NodeID;
    for (int i = 0; i < 80; ++i) {
        g_setVestrels.AddNew();
        g_setVestrels.m_NodeID = nodeId;
        g_setVestrels.m_NetAddress = 1;
        g_setVestrels.m_NodeAddress = 9;
        g_setVestrels.m_VestrelName = QStringLiteral("Extra %1").arg(i);
        g_setVestrels.m_FileName = QStringLiteral("Extra%1.dat").arg(i);
        g_setVestrels.Update();
    }
    MessageBoxScript boxes;
    doc.BuildSettingsListing();
    EXPECT_EQ(Count("Settings for controller: "), 64);
    EXPECT_EQ(Count("Setting for network: "), 1);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(ListingSections, GroupsBeyondAShortGroupTableHaveEmptyNames)
{
    doc.m_doorValGroupNames[31] = QStringLiteral("Stale");
    int row = 0;
    for (bool more = MoveToFirstRow(g_setDoorValGroup); more && !g_setDoorValGroup.IsEOF(); g_setDoorValGroup.MoveNext())
        if (++row > 20)
            g_setDoorValGroup.Delete();
    g_setDoorValGroup.Requery();
    doc.BuildSettingsListing();
    EXPECT_TRUE(doc.m_strSettingsText.contains("[31]                          DS["));
    EXPECT_FALSE(doc.m_strSettingsText.contains("Stale"));
}

// A controller whose image does not load is listed with the reason alone:
// the image still loaded is the controller's before it.
TEST_F(SettingsListingFixture, ControllerWhoseImageCannotBeReadSaysSoAndListsNoOtherValues)
{
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
    const QString path = doc.BuildPath(CWFDoc::kVestrels, g_setVestrels.m_FileName);
    const QByteArray image = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_EQ(image.size(), 8192);
    const struct
    {
        const char* name;
        std::function<void()> spoil;
        QString cause;
    } cases[] = {
        {"missing", [&] { QFile::remove(path); }, QStringLiteral("the file does not exist")},
        {"cut short",
         [&] {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(image.left(100));
         },
         QStringLiteral("the file is too short to be an image")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.spoil();
        MessageBoxScript boxes;
        doc.BuildSettingsListing();
        const QString& text = doc.m_strSettingsText;
        const qsizetype second = text.indexOf("Settings for controller: [A2]");
        const qsizetype third = text.indexOf("Settings for controller: [A3]");
        ASSERT_GT(second, 0);
        ASSERT_GT(third, second);
        const QStringList lines = text.mid(second, third - second).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << text.mid(second, third - second).toStdString();
        EXPECT_EQ(lines[1], QStringLiteral("The settings of controller A2 could not be read from \"%1\": %2.")
                                .arg(g_setVestrels.m_FileName, c.cause));
        // The first and third controllers keep their whole sections.
        EXPECT_EQ(Count("Directory Subsets:"), 2);
        EXPECT_TRUE(text.mid(third).contains("Obstacle Transmitters:"));
        EXPECT_TRUE(boxes.Texts().isEmpty());
    }
}
