#include "app/CWFDoc.h"
#include "database/FileTimeText.h"
#include "database/GlobalRecordsets.h"
#include "platform/Clock.h"
#include "platform/Profile.h"
#include "tests/app/DocumentFixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const char* const kNoBackupText =
    "REMINDER: Your installation has not been backed up in over a week.\n\nDo you want to do a backup now?";

class DocumentUtilities : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        m_demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(m_demo.isEmpty()) << error.toStdString();
        ASSERT_TRUE(m_doc.OnOpenDocument(m_demo));
    }
    void TearDown() override
    {
        Clock::Install(nullptr);
        m_doc.OnCloseDocument();
    }

    // Lists a backup named name in slot n of the profile; with started, its
    // log records that start time as a backup writes it.
    void AddBackup(int n, const QString& name, const QDateTime& started = {})
    {
        const QString folder = m_env.Path("backups/" + name);
        QDir().mkpath(folder);
        QFile log(folder + "/" + name + ".wfb");
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        if (started.isValid())
            log.write(("[Options]\r\nStart Time=" + FormatBackupTime(started) + "\r\n").toUtf8());
        Profile::WriteString("Backups", QStringLiteral("Backup %1").arg(n), log.fileName());
    }

    // The texts shown at now; a question is answered No.
    QStringList Remind(const QDateTime& now, bool asks)
    {
        FixedClock clock(QDateTime(now.date(), now.time(), QTimeZone::utc()));
        Clock::Install(&clock);
        MessageBoxScript script;
        if (asks)
            script.Answer(IDNO);
        m_doc.ShowBackupReminder();
        Clock::Install(nullptr);
        return script.Texts();
    }

    QString m_demo;
    CWFDoc m_doc;
};

TEST_F(DocumentUtilities, BackupReminderAsksOnlyAfterSevenDays)
{
    const QDateTime made(QDate(2026, 3, 10), QTime(1, 1, 1));
    EXPECT_EQ(Remind(made, true), QStringList{kNoBackupText}) << "no backup at all";

    AddBackup(3, "Backup 03-10-26");
    AddBackup(5, "Nightly copy"); // no date in its name: tells nothing
    AddBackup(6, "Backup 13-45-26");
    EXPECT_TRUE(Remind(made.addDays(7), false).isEmpty()) << "exactly seven days";
    const QStringList late = Remind(made.addDays(7).addSecs(60), true);
    ASSERT_EQ(late.size(), 1);
    EXPECT_EQ(late[0], "REMINDER: Your installation has not been backed up since March 10, 2026.\n\n"
                       "Do you want to do a backup now?");

    AddBackup(9, "Backup 03-15-26");
    EXPECT_TRUE(Remind(made.addDays(7).addSecs(60), false).isEmpty()) << "the newest backup counts";
}

TEST_F(DocumentUtilities, BackupNamedWithoutADateCountsFromItsLogsStartTime)
{
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30));
    const struct
    {
        int daysAgo;
        const char* shown;
    } cases[] = {
        {2, nullptr},
        {10, "REMINDER: Your installation has not been backed up since December 01, 2026.\n\n"
             "Do you want to do a backup now?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.daysAgo);
        AddBackup(1, QStringLiteral("Before the move %1").arg(c.daysAgo), now.addDays(-c.daysAgo));
        const QStringList shown = Remind(now, c.shown != nullptr);
        EXPECT_EQ(shown, c.shown ? QStringList{c.shown} : QStringList{});
    }
    // A date in the name keeps its own reading, whatever the log says.
    AddBackup(1, "Backup 12-10-26", now.addDays(-30));
    EXPECT_TRUE(Remind(now, false).isEmpty());
}

TEST_F(DocumentUtilities, FreeCardholderSetIndexSkipsTakenSets)
{
    // The demo holds sets 3 and 4.
    EXPECT_EQ(m_doc.FindFreeCardholderSetIndex(10), 5);
    EXPECT_EQ(m_doc.FindFreeCardholderSetIndex(4), 5) << "all taken: one past the highest";
    ASSERT_TRUE(g_setUserGroups.FindFirst("CHSetIndex = 3"));
    g_setUserGroups.Edit();
    g_setUserGroups.m_Deleted = true;
    g_setUserGroups.Update();
    EXPECT_EQ(m_doc.FindFreeCardholderSetIndex(10), 3);
    EXPECT_EQ(m_doc.FindFreeCardholderSetIndex(1), 3) << "never below 3";
}

TEST_F(DocumentUtilities, FirmwareLimitFollowsPanelTypeAndVersion)
{
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 1));
    m_doc.m_nControllerID = g_setVestrels.m_VestrelID;
    struct Case
    {
        int panelType;
        int version;
        int limit;
        const char* model;
    };
    const Case cases[] = {
        {0, 0x140, 4, "PX-110"}, {0, 0x141, 8, "PX-110"}, {1, 0x140, 4, "VR-7"}, {2, 0x110, 4, "PX-220"},
        {2, 0x111, 8, "PX-220"}, {2, 0x205, 8, "PX-220"}, {5, 0x100, 8, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 1));
        g_setVestrels.Edit();
        g_setVestrels.m_PanelType = static_cast<std::uint8_t>(c.panelType);
        g_setVestrels.m_FirmwareVersion = c.version;
        g_setVestrels.Update();
        EXPECT_EQ(m_doc.GetFirmwareLimit(), c.limit);
        EXPECT_EQ(m_doc.PanelModelName(), QString(c.model));
    }
    m_doc.m_nControllerID = 0;
    EXPECT_EQ(m_doc.GetFirmwareLimit(), 0);
    EXPECT_EQ(m_doc.PanelModelName(), QString());
}

TEST_F(DocumentUtilities, SchedulesComeFromTheControllerAndItsFloors)
{
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 3));
    g_setVestrels.Edit();
    g_setVestrels.m_DoorScheduleA = 0b101; // schedules 1 and 3
    g_setVestrels.m_DoorScheduleD = 0b100; // schedule 3
    g_setVestrels.Update();
    int floor = 0;
    for (bool row = g_setFloorNames.FindFirst("Net = 1 AND Node = 3"); row;
         row = g_setFloorNames.FindNext("Net = 1 AND Node = 3"), ++floor) {
        g_setFloorNames.Edit();
        g_setFloorNames.m_Sched = floor == 0 ? 0b10 : 0b11; // schedule 2 for all, 1 for two
        g_setFloorNames.m_Cab1 = 1 << floor;
        g_setFloorNames.m_Cab3 = 0x100 << floor;
        g_setFloorNames.Update();
    }
    ASSERT_EQ(floor, 3);
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 3));
    CVLMemory image;
    m_doc.WriteDoorSchedules(image, g_setVestrels);
    m_doc.WriteFloorSchedules(image, g_setVestrels);
    EXPECT_EQ(image.Byte(VLLayout::kDoorSchedules.At(1)), 0b0001);
    EXPECT_EQ(image.Byte(VLLayout::kDoorSchedules.At(2)), 0);
    EXPECT_EQ(image.Byte(VLLayout::kDoorSchedules.At(3)), 0b1001);
    EXPECT_EQ(image.GetFloorSchedule(1), (CabMasks{0b110, 0, 0x600, 0}));
    EXPECT_EQ(image.GetFloorSchedule(2), (CabMasks{0b111, 0, 0x700, 0}));
    EXPECT_EQ(image.GetFloorSchedule(3), (CabMasks{}));
}

TEST_F(DocumentUtilities, DisplayMessageSetChangeFlagsTheControllerOnce)
{
    MessageBoxScript script;
    std::uint8_t set = 9;
    ASSERT_TRUE(m_doc.ControllerDisplayMessageSet(set, 1, 12));
    EXPECT_EQ(set, 0);
    ASSERT_TRUE(m_doc.ControllerDisplayMessageSet(set, 0, 12));
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
    EXPECT_EQ(g_setVestrels.m_Flags & 2, 0) << "unchanged value writes nothing";
    set = 4;
    ASSERT_TRUE(m_doc.ControllerDisplayMessageSet(set, 0, 12));
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
    EXPECT_EQ(g_setVestrels.m_DisplayMessageSet, 4);
    EXPECT_EQ(g_setVestrels.m_Flags & 2, 2);
    EXPECT_FALSE(m_doc.ControllerDisplayMessageSet(set, 1, 17)) << "no such controller";
}

TEST_F(DocumentUtilities, MemoryStatusCountsLiveRows)
{
    std::array<int, CWFDoc::kMemoryStatusCounts> counts{};
    m_doc.GetMemoryStatus(counts);
    EXPECT_EQ(counts[4], 4) << "cards held by a cardholder";
    EXPECT_EQ(counts[8], 4) << "cardholders not deleted";
    EXPECT_FALSE(m_doc.IsUserTableEmpty());
    EXPECT_FALSE(m_doc.IsCardholderSetsEmpty());
}

TEST_F(DocumentUtilities, SubsetsReadersAndCabsNameWhatTheRowAndImageHold)
{
    struct SubsetCase
    {
        std::uint8_t mask;
        const char* text;
    };
    for (const SubsetCase& c : {SubsetCase{5, "A, C"}, SubsetCase{0, "None"}, SubsetCase{255, "All"},
                                SubsetCase{0x81, "A, H"}}) {
        SCOPED_TRACE(c.text);
        bool* bits[] = {&g_setPhoneEntries.m_SubsetA, &g_setPhoneEntries.m_SubsetB, &g_setPhoneEntries.m_SubsetC,
                        &g_setPhoneEntries.m_SubsetD, &g_setPhoneEntries.m_SubsetE, &g_setPhoneEntries.m_SubsetF,
                        &g_setPhoneEntries.m_SubsetG, &g_setPhoneEntries.m_SubsetH};
        for (int i = 0; i < 8; ++i)
            *bits[i] = (c.mask >> i) & 1;
        EXPECT_EQ(m_doc.FormatSubsets(), QString(c.text));
    }

    using VLLayout::kDevices;
    CVLMemory& image = m_doc.m_controllerMemory;
    for (int slot = 0; slot < kDevices.count; ++slot) {
        image.SetByte(kDevices.At(slot) + 1, 0);
        image.SetByte(kDevices.At(slot) + 2, 0);
    }
    image.SetByte(kDevices.At(0) + 1, 2); // slot 0 is not a reader slot
    image.SetByte(kDevices.At(0) + 2, 40);
    image.SetByte(kDevices.At(4) + 1, 3);
    image.SetByte(kDevices.At(4) + 2, 41);
    image.SetByte(kDevices.At(5) + 1, 9);
    image.SetByte(kDevices.At(5) + 2, 42);
    image.SetByte(kDevices.At(11) + 1, 7 + 2); // cab 2 in the last slot
    EXPECT_EQ(m_doc.ReaderTypeName(41), " Wiegand26");
    EXPECT_EQ(m_doc.ReaderTypeName(40), " Not assigned");
    EXPECT_EQ(m_doc.ReaderTypeName(42), " Not assigned");
    EXPECT_TRUE(m_doc.HasCabDevice(2));
    EXPECT_FALSE(m_doc.HasCabDevice(1));
    EXPECT_FALSE(m_doc.HasCabDevice(5));
}

TEST_F(DocumentUtilities, ClearedCardholderSetHasNoGroupsOrZones)
{
    const int base = VLLayout::kCardholderSets.At(7);
    for (int i = 0; i < 17; ++i)
        m_doc.m_globalMemory.SetByte(base + i, 0x11);
    m_doc.ClearCardholderSetRecord(7);
    EXPECT_EQ(m_doc.m_globalMemory.Byte(base), 0);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(m_doc.m_globalMemory.Byte(base + i), 255) << i;
    for (int i = 13; i <= 15; ++i)
        EXPECT_EQ(m_doc.m_globalMemory.Byte(base + i), 0) << i;
    EXPECT_EQ(m_doc.m_globalMemory.Byte(base + 16), 0x11) << "the next set is left alone";
}

} // namespace
