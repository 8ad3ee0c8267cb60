#include "database/CInstallation.h"
#include "database/CInstallationBackup.h"
#include "database/InstallationsList.h"
#include "database/RegistryFile.h"
#include "platform/Clock.h"
#include "platform/PrivateProfile.h"
#include "platform/Profile.h"
#include "tests/database/InstallationListFixture.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/ProgressRecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kBackups = QStringLiteral("Backups");

class Backup : public InstallationListFixture
{
protected:
    Backup()
    {
        // A deleted backup goes to the trash: keep it in the test's folder.
        m_previousData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_env.Path(QStringLiteral("xdg")).toLocal8Bit());
        QDir().mkpath(m_env.Path(QStringLiteral("xdg")));
        Clock::Install(&m_clock);
    }
    ~Backup() override
    {
        Clock::Install(nullptr);
        qputenv("XDG_DATA_HOME", m_previousData);
    }

    // Backs up into <root>/Store as name, answering the questions given.
    bool RunBackup(const QString& name, std::initializer_list<int> answers = {},
                   CInstallationBackup::InstallationDataSwitch dataSwitch = {})
    {
        MessageBoxScript script(answers);
        CInstallationBackup backup;
        backup.SetInstallationDataSwitch(std::move(dataSwitch));
        backup.SetPaths(Store(), name);
        const bool done = backup.RunBackup();
        m_shown = script.Texts();
        return done;
    }

    QString Store() const { return m_env.Path(QStringLiteral("Store")); }
    QString BackupEntry(int n) const { return Profile::GetString(kBackups, CInstallationBackup::ProfileKey(n)); }

    FixedClock m_clock{QDateTime(QDate(2026, 3, 7), QTime(14, 5), QTimeZone::utc())};
    QStringList m_shown;
    QByteArray m_previousData;
};

} // namespace

TEST(RegistryFile, ValuesAreQuotedAndIntegersWrittenAsDwords)
{
    EXPECT_EQ(QuoteRegistryString(QStringLiteral("C:\\Sites\\\"North\"")), QStringLiteral("\"C:\\\\Sites\\\\\\\"North\\\"\""));

    TestEnvironment env;
    Profile::WriteString(QStringLiteral("Options"), QStringLiteral("Path"), QStringLiteral("a\\b"));
    Profile::WriteInt(QStringLiteral("Setup"), QStringLiteral("Small"), 26);
    Profile::WriteInt(QStringLiteral("Setup"), QStringLiteral("Negative"), -1);
    Profile::WriteString(QStringLiteral("Setup"), QStringLiteral("Zip"), QStringLiteral("007"));
    const QString text = QString::fromUtf8(ExportProfileAsRegistry());
    EXPECT_TRUE(text.startsWith(QStringLiteral("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Quorin\\Wardix\\")));
    for (const char* line : {"\"Path\"=\"a\\\\b\"\r\n", "\"Small\"=dword:0000001a\r\n", "\"Negative\"=dword:ffffffff\r\n",
                             "\"Zip\"=\"007\"\r\n", "\r\n\r\n[HKEY_CURRENT_USER\\Software\\Quorin\\Wardix\\Setup]\r\n"}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(text.contains(QLatin1String(line))) << text.toStdString();
    }
}

TEST(RegistryFile, ImportTakesOnlyKeysUnderOurRootAndRoundTrips)
{
    TestEnvironment env;
    Profile::WriteString(QStringLiteral("Options"), QStringLiteral("Quote"), QStringLiteral("say \"hi\" \\ bye"));
    Profile::WriteInt(QStringLiteral("Setup"), QStringLiteral("Count"), -7);
    QByteArray file = ExportProfileAsRegistry();
    file += "\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Evil\"=\"1\"\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Quorin\\Wardix\\Setup]\r\n\"Evil\"=\"2\"\r\n"
            "[HKEY_CURRENT_USER\\Software\\Quorin\\WardixOther]\r\n\"Evil\"=\"3\"\r\n";

    TestEnvironment fresh;
    ASSERT_EQ(ImportRegistryIntoProfile(file), RegistryImport::Done);
    EXPECT_EQ(Profile::GetString(QStringLiteral("Options"), QStringLiteral("Quote")), QStringLiteral("say \"hi\" \\ bye"));
    EXPECT_EQ(Profile::GetInt(QStringLiteral("Setup"), QStringLiteral("Count"), 0), -7);
    EXPECT_EQ(Profile::Sections(), (QStringList{QStringLiteral("Options"), QStringLiteral("Setup")}));
    EXPECT_EQ(Profile::Keys(QStringLiteral("Setup")), QStringList{QStringLiteral("Count")});
    EXPECT_EQ(ImportRegistryIntoProfile("not a registry file"), RegistryImport::Unreadable);
}

TEST_F(Backup, TwoInstallationsGiveTheBackupLayoutAndAListEntry)
{
    const QString north = ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ListInstallation(3, QStringLiteral("Sites/S"), QStringLiteral("South"));
    std::vector<bool> switches;
    ASSERT_TRUE(RunBackup(QStringLiteral("B"), {}, [&](bool open) { switches.push_back(open); }));
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(switches, (std::vector<bool>{false, true}));

    const QString folder = Store() + QStringLiteral("/B");
    const QString log = folder + QStringLiteral("/B.wfb");
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("B.wfb"), QStringLiteral("North"), QStringLiteral("RegistyBackup.reg"),
                           QStringLiteral("South")}));
    EXPECT_EQ(ReadFile(folder + QStringLiteral("/North/Database/Cards.mdb")), QByteArray("cards of North"));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/South/South.wfi")));

    const auto value = [&](const char* section, const char* key) {
        return PrivateProfile::GetString(QLatin1String(section), QLatin1String(key), QString(), log);
    };
    EXPECT_EQ(value("Options", "Start Time"), QStringLiteral("March 07, 2026  02:05 PM"));
    EXPECT_EQ(value("Options", "Target Folder"), folder);
    EXPECT_EQ(value("Installation 1", "Installation Name"), QStringLiteral("North"));
    EXPECT_EQ(value("Installation 1", "From Folder"), QFileInfo(north).path());
    EXPECT_EQ(value("Installation 1", "To Folder"), folder + QStringLiteral("/North"));
    EXPECT_EQ(value("Installation 3", "To Folder"), folder + QStringLiteral("/South"));
    EXPECT_EQ(BackupEntry(1), log);
}

TEST_F(Backup, EachInstallationIsCopiedInAProgressWindowBothWays)
{
    ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ListInstallation(2, QStringLiteral("Sites/S"), QStringLiteral("South"));
    const QStringList titles(2, QStringLiteral("Backing up installation..."));
    {
        ProgressRecorder progress;
        ASSERT_TRUE(RunBackup(QStringLiteral("B")));
        EXPECT_EQ(progress.captions, titles);
        EXPECT_FALSE(progress.open);
    }
    // Restore uses the same copy, swapped round.
    ProgressRecorder progress;
    CInstallationBackup backup;
    backup.SetLogPath(Store() + QStringLiteral("/B/B.wfb"));
    ASSERT_TRUE(backup.Restore(true));
    EXPECT_EQ(progress.captions, titles);
    EXPECT_EQ(progress.positions.back(), progress.upper);
}

TEST_F(Backup, RestoreBringsInstallationsAndProfileBackIntoAFreshProgramFolder)
{
    const QString north = ListInstallation(1, QStringLiteral("home/Installations/N"), QStringLiteral("North"));
    const QString south = ListInstallation(2, QStringLiteral("home/Installations/S"), QStringLiteral("South"));
    Profile::WriteString(QStringLiteral("Options"), QStringLiteral("Default Location of Backups"), QStringLiteral("C:\\x"));
    ASSERT_TRUE(RunBackup(QStringLiteral("B")));
    const QString log = Store() + QStringLiteral("/B/B.wfb");

    // The machine is lost: no installations, no profile.
    QDir(m_env.Path(QStringLiteral("home/Installations"))).removeRecursively();
    ASSERT_TRUE(QFile::remove(m_env.ProfilePath()));
    CInstallationBackup backup;
    backup.SetLogPath(log);
    std::vector<bool> switches;
    backup.SetInstallationDataSwitch([&](bool open) { switches.push_back(open); });
    ASSERT_TRUE(backup.Restore(false));

    EXPECT_EQ(ReadFile(QFileInfo(north).path() + QStringLiteral("/Database/Cards.mdb")), QByteArray("cards of North"));
    EXPECT_TRUE(QFileInfo::exists(south));
    EXPECT_EQ(ProfileEntry(1), north);
    EXPECT_EQ(ProfileEntry(2), south);
    EXPECT_EQ(Profile::GetString(QStringLiteral("Options"), QStringLiteral("Default Location of Backups")),
              QStringLiteral("C:\\x"));
    EXPECT_EQ(switches, (std::vector<bool>{false, true}));
}

TEST_F(Backup, RestoreRefusesFoldersItsLogMustNotName)
{
    ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ASSERT_TRUE(RunBackup(QStringLiteral("B")));
    const QString log = Store() + QStringLiteral("/B/B.wfb");
    const QString section = QStringLiteral("Installation 7");
    // Only the program's own installation folders may be written: not one
    // the list does not name, nor one a link carries out of the
    // Installations folder.
    ASSERT_TRUE(QDir().mkpath(m_env.Path(QStringLiteral("home/Installations"))));
    ASSERT_TRUE(QFile::link(m_env.Path(QStringLiteral("Outside")), m_env.Path(QStringLiteral("home/Installations/Out"))));
    const QString outside = m_env.Path(QStringLiteral("Outside/N"));
    const QString elsewhere = m_env.Path(QStringLiteral("Elsewhere/N"));
    const QString throughLink = m_env.Path(QStringLiteral("home/Installations/Out/N"));
    for (const QString& from : {QStringLiteral("relative/path"), QStringLiteral("/tmp/../etc"), elsewhere, throughLink}) {
        SCOPED_TRACE(from.toStdString());
        PrivateProfile::WriteString(section, QStringLiteral("From Folder"), from, log);
        PrivateProfile::WriteString(section, QStringLiteral("To Folder"), Store() + QStringLiteral("/B/North"), log);
        QDir(m_env.Path(QStringLiteral("Sites"))).removeRecursively();
        MessageBoxScript script;
        CInstallationBackup backup;
        backup.SetLogPath(log);
        EXPECT_FALSE(backup.Restore(true));
        EXPECT_EQ(script.Texts(),
                  QStringList{QStringLiteral("The backup names a folder that cannot be restored: ") + from});
        // Nothing was written, not even the listed installation's own folder.
        for (const QString& folder : {m_env.Path(QStringLiteral("Sites/N")), outside, elsewhere})
            EXPECT_FALSE(QFileInfo::exists(folder)) << folder.toStdString();
    }
}

// A backup's registry copy can add any folder to the installations list; a
// second restore must not take that entry as leave to write there.
TEST_F(Backup, RestoreRefusesAFolderThatARestoresRegistryImportListed)
{
    const QString north = ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ASSERT_TRUE(RunBackup(QStringLiteral("B")));
    const QString log = Store() + QStringLiteral("/B/B.wfb");
    const QString victim = m_env.Path(QStringLiteral("Victim"));
    WriteFile(victim + QStringLiteral("/precious.txt"), "precious");

    // Step one: the registry copy lists the victim's folder, and the
    // restore imports it as it is.
    const QString registry = Store() + QStringLiteral("/B/RegistyBackup.reg");
    WriteFile(registry, ReadFile(registry) + "\r\n[HKEY_CURRENT_USER\\Software\\Quorin\\Wardix\\Installations]\r\n"
                            "\"Installation 7\"=\"" + (victim + QStringLiteral("/V.wfi")).toUtf8() + "\"\r\n");
    {
        MessageBoxScript script;
        CInstallationBackup backup;
        backup.SetLogPath(log);
        ASSERT_TRUE(backup.Restore(false));
        EXPECT_TRUE(script.Texts().isEmpty());
    }
    EXPECT_EQ(ProfileEntry(7), victim + QStringLiteral("/V.wfi"));

    // Step two: the log names the victim's folder for a copy.
    PrivateProfile::WriteString(QStringLiteral("Installation 7"), QStringLiteral("From Folder"), victim, log);
    PrivateProfile::WriteString(QStringLiteral("Installation 7"), QStringLiteral("To Folder"),
                                Store() + QStringLiteral("/B/North"), log);
    // The listed installation's file is gone: a refused restore brings back nothing.
    QFile::remove(north);
    {
        MessageBoxScript script;
        CInstallationBackup backup;
        backup.SetLogPath(log);
        EXPECT_FALSE(backup.Restore(false));
        EXPECT_EQ(script.Texts(),
                  QStringList{QStringLiteral("The backup names a folder that cannot be restored: ") + victim});
    }
    EXPECT_EQ(QDir(victim).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"precious.txt"});
    EXPECT_FALSE(QFileInfo::exists(north)) << "nothing of the refused restore was written";

    // The folders listed before any import stay restorable.
    PrivateProfile::WriteString(QStringLiteral("Installation 7"), QStringLiteral("From Folder"), QString(), log);
    CInstallationBackup backup;
    backup.SetLogPath(log);
    EXPECT_TRUE(backup.Restore(false));
    EXPECT_TRUE(QFileInfo::exists(north));
}

TEST_F(Backup, RestoreSkipsSectionsWithoutBothFolders)
{
    const QString north = ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ASSERT_TRUE(RunBackup(QStringLiteral("B")));
    const QString log = Store() + QStringLiteral("/B/B.wfb");
    PrivateProfile::WriteString(QStringLiteral("Installation 5"), QStringLiteral("From Folder"), m_env.Path(QStringLiteral("X")), log);
    QFile::remove(north);
    CInstallationBackup backup;
    backup.SetLogPath(log);
    ASSERT_TRUE(backup.Restore(true));
    EXPECT_TRUE(QFileInfo::exists(north));
    EXPECT_FALSE(QFileInfo::exists(m_env.Path(QStringLiteral("X"))));
}

TEST_F(Backup, RepeatingANameAsksAndReusesTheFreedEntry)
{
    ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ASSERT_TRUE(RunBackup(QStringLiteral("A")));
    ASSERT_TRUE(RunBackup(QStringLiteral("B")));
    EXPECT_FALSE(RunBackup(QStringLiteral("A"), {IDNO}));
    EXPECT_EQ(m_shown.size(), 1);
    ASSERT_TRUE(RunBackup(QStringLiteral("A"), {IDYES, IDYES}));
    EXPECT_EQ(m_shown.size(), 2);
    EXPECT_EQ(BackupEntry(1), Store() + QStringLiteral("/A/A.wfb"));
    EXPECT_EQ(BackupEntry(2), Store() + QStringLiteral("/B/B.wfb"));
    EXPECT_TRUE(BackupEntry(3).isEmpty());
}

TEST_F(Backup, WithoutInstallationsTheBackupStopsAfterMakingItsFolder)
{
    EXPECT_FALSE(RunBackup(QStringLiteral("Empty")));
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].startsWith(QStringLiteral("The Backup feature requires that installation icons exist")));
    EXPECT_TRUE(QFileInfo(Store() + QStringLiteral("/Empty")).isDir());
    EXPECT_TRUE(BackupEntry(1).isEmpty());
}

TEST_F(Backup, TwentyFirstBackupIsWrittenButNotListed)
{
    ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    for (int n = 1; n <= CInstallationBackup::kMaxBackups + 1; ++n)
        ASSERT_TRUE(RunBackup(QStringLiteral("B%1").arg(n)));
    EXPECT_TRUE(QFileInfo::exists(Store() + QStringLiteral("/B21/B21.wfb")));
    const auto rows = InstallationsList(InstallationsList::kBackupsMode).Fill(false);
    EXPECT_EQ(rows.size(), static_cast<size_t>(CInstallationBackup::kMaxBackups));
    for (const auto& row : rows)
        EXPECT_NE(row.text, QStringLiteral("B21"));
}

TEST_F(Backup, DeleteRemovesOnlyTheBackupsOwnFolder)
{
    ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ASSERT_TRUE(RunBackup(QStringLiteral("B")));
    // A file the operator browsed to, lying in a folder of some other name.
    const QString foreign = m_env.Path(QStringLiteral("Documents/notes.wfb"));
    WriteFile(foreign, "[Options]\r\n");
    WriteFile(m_env.Path(QStringLiteral("Documents/thesis.txt")), "precious");
    const InstallationsList list(InstallationsList::kBackupsMode);
    const InstallationsList::Row browsed = list.BrowseBackup(foreign);
    EXPECT_EQ(browsed.slot, 2);
    {
        MessageBoxScript script;
        EXPECT_FALSE(list.Delete(browsed.slot));
        EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("Error deleting the selected backup.")});
    }
    EXPECT_TRUE(QFileInfo::exists(m_env.Path(QStringLiteral("Documents/thesis.txt"))));

    EXPECT_TRUE(list.Delete(1));
    EXPECT_FALSE(QFileInfo::exists(Store() + QStringLiteral("/B")));
    EXPECT_TRUE(BackupEntry(1).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(m_env.Path(QStringLiteral("Sites/N/North.wfi"))));
}

TEST_F(Backup, DeletingShowsItsProgressAndReportsAFolderThatStays)
{
    ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ListInstallation(2, QStringLiteral("Sites/S"), QStringLiteral("South"));
    ASSERT_TRUE(RunBackup(QStringLiteral("A")));
    ASSERT_TRUE(RunBackup(QStringLiteral("B")));
    {
        ProgressRecorder progress;
        MessageBoxScript script;
        EXPECT_TRUE(InstallationsList(InstallationsList::kBackupsMode).Delete(1));
        EXPECT_EQ(progress.captions, QStringList{QStringLiteral("Deleting backup files...")});
        // The log, the registry copy and the two installations' copies.
        EXPECT_EQ(progress.upper, 4);
        EXPECT_EQ(progress.positions, (std::vector<int>{1, 2, 3, 4}));
        EXPECT_FALSE(progress.open);
        EXPECT_TRUE(script.Texts().isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(Store() + QStringLiteral("/A")));
    EXPECT_TRUE(BackupEntry(1).isEmpty());

    // A folder that cannot be removed once its files are gone (here a link
    // to where they lay) is reported; the backup is deleted all the same.
    const QString real = m_env.Path(QStringLiteral("Real/B"));
    ASSERT_TRUE(QDir().mkpath(m_env.Path(QStringLiteral("Real"))));
    ASSERT_TRUE(QDir().rename(Store() + QStringLiteral("/B"), real));
    ASSERT_TRUE(QFile::link(real, Store() + QStringLiteral("/B")));
    MessageBoxScript script;
    EXPECT_TRUE(InstallationsList(InstallationsList::kBackupsMode).Delete(2));
    EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("Error deleting backup folder.")});
    EXPECT_TRUE(QDir(real).isEmpty());
    EXPECT_TRUE(BackupEntry(2).isEmpty());
}

TEST_F(Backup, ScheduledRunAsksNothingAndNamesTheBackupByDate)
{
    ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    QDir().mkpath(Store() + QStringLiteral("/Backup 03-07-26"));
    for (int run = 0; run < 2; ++run) { // the second run finds its own log
        MessageBoxScript script;
        EXPECT_TRUE(CInstallationBackup::RunScheduled(Store(), {}));
        EXPECT_TRUE(script.Shown().isEmpty());
    }
    EXPECT_TRUE(QFileInfo::exists(Store() + QStringLiteral("/Backup 03-07-26/Backup 03-07-26.wfb")));
}

TEST_F(Backup, SameNamedInstallationsGetFoldersOfTheirOwn)
{
    ListInstallation(1, QStringLiteral("Sites/One"), QStringLiteral("Site"));
    ListInstallation(2, QStringLiteral("Sites/Two"), QStringLiteral("Site"));
    CInstallation bad(ListInstallation(3, QStringLiteral("Sites/Three"), QStringLiteral("Three")), 3);
    PrivateProfile::WriteString(QStringLiteral("Installation Settings"), QStringLiteral("Installation Name"),
                                QStringLiteral("../escape"), bad.GetPath());
    ASSERT_TRUE(RunBackup(QStringLiteral("B")));
    const QString folder = Store() + QStringLiteral("/B");
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Site/Database/Cards.mdb")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Site (2)/Database/Cards.mdb")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Three/Three.wfi")));
    EXPECT_FALSE(QFileInfo::exists(Store() + QStringLiteral("/escape")));
}

TEST_F(Backup, NamesWithPercentSignsKeepTheirFoldersAndProperties)
{
    ListInstallation(1, QStringLiteral("Sites/One"), QStringLiteral("Site %1 North"));
    ListInstallation(2, QStringLiteral("Sites/Two"), QStringLiteral("Site %1 North"));
    ASSERT_TRUE(RunBackup(QStringLiteral("Copy %1")));
    const QString folder = Store() + QStringLiteral("/Copy %1");
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Site %1 North/Database/Cards.mdb")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Site %1 North (2)/Database/Cards.mdb")));
    const QString text = InstallationsList(InstallationsList::kBackupsMode).Properties(1);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Name:\t\tCopy %1\nPath:\t\t") + folder + QStringLiteral("/Copy %1.wfb\n")))
        << text.toStdString();
}

TEST_F(Backup, FailedOverwriteKeepsTheOldBackupRestorableAndListed)
{
    const QString north = ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ASSERT_TRUE(RunBackup(QStringLiteral("A")));
    const QString folder = Store() + QStringLiteral("/A");
    const QString log = folder + QStringLiteral("/A.wfb");
    const QByteArray oldLog = ReadFile(log);

    // The second run copies North anew, then fails on a broken installation.
    WriteFile(m_env.Path(QStringLiteral("Sites/N/Database/Cards.mdb")), "changed cards");
    ListInstallation(2, QStringLiteral("Sites/S"), QStringLiteral("South"));
    ASSERT_TRUE(QFile::link(m_env.Path(QStringLiteral("nowhere")), m_env.Path(QStringLiteral("Sites/S/broken"))));
    EXPECT_FALSE(RunBackup(QStringLiteral("A"), {IDYES, IDYES}));
    ASSERT_EQ(m_shown.size(), 3);
    EXPECT_TRUE(m_shown[2].startsWith(QStringLiteral("Error copying files for the installation at "))) << m_shown[2].toStdString();

    EXPECT_EQ(ReadFile(log), oldLog);
    EXPECT_EQ(BackupEntry(1), log);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("A.wfb"), QStringLiteral("North"), QStringLiteral("RegistyBackup.reg")}));
    EXPECT_EQ(QDir(Store()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{QStringLiteral("A")});

    QDir(m_env.Path(QStringLiteral("Sites"))).removeRecursively();
    MessageBoxScript boxes;
    CInstallationBackup backup;
    ASSERT_TRUE(backup.LoadBackupEntry(1));
    ASSERT_TRUE(backup.Restore(true));
    EXPECT_EQ(ReadFile(QFileInfo(north).path() + QStringLiteral("/Database/Cards.mdb")), QByteArray("cards of North"));
}

TEST_F(Backup, OverwriteReplacesTheSetAndKeepsOtherFilesOfTheFolder)
{
    ListInstallation(1, QStringLiteral("Sites/N"), QStringLiteral("North"));
    ASSERT_TRUE(RunBackup(QStringLiteral("A")));
    const QString folder = Store() + QStringLiteral("/A");
    WriteFile(folder + QStringLiteral("/notes.txt"), "the operator's own");
    WriteFile(m_env.Path(QStringLiteral("Sites/N/Database/Cards.mdb")), "changed cards");
    m_clock.Set(QDateTime(QDate(2026, 3, 8), QTime(9, 30), QTimeZone::utc()));
    ASSERT_TRUE(RunBackup(QStringLiteral("A"), {IDYES, IDYES}));

    EXPECT_EQ(ReadFile(folder + QStringLiteral("/North/Database/Cards.mdb")), QByteArray("changed cards"));
    EXPECT_EQ(ReadFile(folder + QStringLiteral("/notes.txt")), QByteArray("the operator's own"));
    EXPECT_EQ(PrivateProfile::GetString(QStringLiteral("Installation 1"), QStringLiteral("To Folder"), QString(),
                                        folder + QStringLiteral("/A.wfb")),
              folder + QStringLiteral("/North"));
    EXPECT_EQ(PrivateProfile::GetString(QStringLiteral("Options"), QStringLiteral("Target Folder"), QString(),
                                        folder + QStringLiteral("/A.wfb")),
              folder);
    EXPECT_TRUE(PrivateProfile::GetString(QStringLiteral("Options"), QStringLiteral("Start Time"), QString(),
                                          folder + QStringLiteral("/A.wfb"))
                    .startsWith(QStringLiteral("March 08, 2026")));
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("A.wfb"), QStringLiteral("North"), QStringLiteral("notes.txt"),
                           QStringLiteral("RegistyBackup.reg")}));
    EXPECT_EQ(BackupEntry(1), folder + QStringLiteral("/A.wfb"));
    EXPECT_TRUE(BackupEntry(2).isEmpty());
}
