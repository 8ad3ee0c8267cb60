#include "tests/database/InstallationFixture.h"
#include "tests/support/MessageBoxScript.h"

#include "database/DatabaseFiles.h"
#include "database/DatabaseLog.h"
#include "database/GlobalRecordsets.h"
#include "database/InstallationDatabases.h"
#include "database/Schema.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"

#include <QFile>

namespace
{
// The seventeen in the order they open.
std::vector<CSetBase*> OpenOrder()
{
    return {&g_setDisplayMessages, &g_setVLNetworks,    &g_setEntryCodes,   &g_setDoorValGroup, &g_setVestrels,
            &g_setTransmitters,    &g_setPhoneEntries,  &g_setUsers,        &g_setCardBlocks,   &g_setCards,
            &g_setSingleCard,      &g_setTransmitterBlocks, &g_setSingleXmtr, &g_setUserGroups, &g_setEventLog,
            &g_setFloorValGroup,   &g_setFloorNames};
}

std::vector<bool> OpenStates()
{
    std::vector<bool> states;
    for (const CSetBase* set : OpenOrder())
        states.push_back(set->IsOpen());
    return states;
}

QStringList FieldNames(const QString& path, const QString& table)
{
    QStringList names;
    for (const ColumnDef& field : Database::Open(path)->Fields(table))
        names << field.name;
    return names;
}

// Replaces a file of the installation with an older layout of its table.
void WriteOldFile(const QString& path, const QString& createTable)
{
    QFile::remove(path);
    Database::Create(path)->Execute(createTable);
}

class LogCapture
{
public:
    LogCapture()
    {
        SetDatabaseLogSink([this](const QString& text) { lines << text; });
    }
    ~LogCapture() { SetDatabaseLogSink({}); }
    QStringList lines;
};
} // namespace

class InstallationDatabases : public InstallationTest
{
};

TEST_F(InstallationDatabases, OpenOpensSeventeenAndCloseClosesThemAll)
{
    OpenAll();
    EXPECT_EQ(OpenStates(), std::vector<bool>(17, true));
    EXPECT_FALSE(g_setNetNodesOld.IsOpen());
    EXPECT_FALSE(g_bDatabasesClosed);
    CloseInstallationDatabases();
    EXPECT_TRUE(g_bDatabasesClosed);
    EXPECT_EQ(OpenStates(), std::vector<bool>(17, false));
    for (const DatabaseFileDef& file : Schema::InstallationFiles())
        EXPECT_FALSE(Database::IsOpenFile(Folder() + '/' + file.fileName)) << file.fileName.toStdString();
}

TEST_F(InstallationDatabases, OpenAgainKeepsTheFirstFolder)
{
    OpenAll();
    const QString other = m_env.Path(QStringLiteral("Other/Database"));
    Schema::CreateInstallationDatabases(other);
    EXPECT_TRUE(OpenInstallationDatabases(other));
    EXPECT_EQ(g_setUsers.GetDefaultDBName(), Folder() + "/Users.mdb");
    EXPECT_FALSE(Database::IsOpenFile(other + "/Users.mdb"));
}

TEST_F(InstallationDatabases, FailuresStopTheOpenWithTheirOwnText)
{
    struct Case
    {
        const char* what;
        const char* file;
        QFile::Permissions mode;
        QString createTable; // an old layout instead of a mode change
        QString text;
        int opened; // how many of the seventeen are open afterwards
    };
    const QString eventLog = QStringLiteral("%1/EventLog.mdb");
    const Case cases[] = {
        {"read-only event log", DatabaseFiles::EventLog, QFile::ReadOwner, {},
         "Unable to open %1.\n\nClose Wardenfold and check the file attribute for READ-ONLY.", 14},
        {"unreadable users", DatabaseFiles::Users, QFile::WriteOwner, {},
         "Unable to open %1.\n\nRecord(s) can't be read; no Read Data permission on.", 7},
        {"old vestrels", DatabaseFiles::Vestrels, {}, "CREATE TABLE Vestrels (VestrelID INTEGER PRIMARY KEY, VestrelName TEXT)",
         "Unable to open %1.\n\nYou may be attempting to open an old installationtion which is no longer compatible.", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = FilePath(c.file);
        if (c.createTable.isEmpty())
            ASSERT_TRUE(QFile::setPermissions(path, c.mode));
        else
            WriteOldFile(path, c.createTable);
        MessageBoxScript boxes;
        EXPECT_FALSE(OpenInstallationDatabases(Folder()));
        ASSERT_EQ(boxes.Shown().size(), 1);
        EXPECT_EQ(boxes.Shown()[0].text, c.text.arg(path));
        EXPECT_EQ(boxes.Shown()[0].icon, MbIcon::None);
        std::vector<bool> expected(17, false);
        std::fill(expected.begin(), expected.begin() + c.opened, true);
        EXPECT_EQ(OpenStates(), expected);
        CloseInstallationDatabases();
        Database::CloseAllConnections();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path);
        Schema::CreateDatabaseFile(path, *Schema::FindFile(QLatin1String(c.file)));
    }
}

TEST_F(InstallationDatabases, OtherErrorsShowTheirDescriptionWithTheExclamationIcon)
{
    const QString path = FilePath(DatabaseFiles::DisplayMessages);
    QFile::remove(path);
    MessageBoxScript boxes;
    EXPECT_FALSE(OpenInstallationDatabases(Folder()));
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("Could not find file '%1'.").arg(path));
    EXPECT_EQ(boxes.Shown()[0].icon, MbIcon::Exclamation);
}

TEST_F(InstallationDatabases, EntryNumbersGainTheMissingSubsetsOnce)
{
    const QString path = FilePath(DatabaseFiles::EntryNumbers);
    WriteOldFile(path, "CREATE TABLE EntryNumbers (DirectoryCode LONG DEFAULT 0, EntryNumberID INTEGER PRIMARY KEY "
                       "AUTOINCREMENT, ExtendedTalkTime YESNO DEFAULT 0, PhoneNumber TEXT COLLATE JETTEXT, UserID LONG "
                       "DEFAULT 0, EEAddress LONG DEFAULT 0, BackLink LONG DEFAULT 0, ForwardLink LONG DEFAULT 0, "
                       "UserDirectoryCode TEXT COLLATE JETTEXT, SubsetA YESNO DEFAULT 0, SubsetB YESNO DEFAULT 0, "
                       "SubsetC YESNO DEFAULT 0, SubsetD YESNO DEFAULT 0, TenantName TEXT COLLATE JETTEXT)");
    Database::Open(path)->Execute("INSERT INTO EntryNumbers (SubsetA, TenantName) VALUES (-1, 'OLD')");
    OpenAll();
    const QStringList upgraded = FieldNames(path, "EntryNumbers");
    EXPECT_EQ(upgraded.mid(upgraded.size() - 4), QStringList({"SubsetE", "SubsetF", "SubsetG", "SubsetH"}));
    EXPECT_EQ(g_setPhoneEntries.m_TenantName, "OLD");
    EXPECT_TRUE(g_setPhoneEntries.m_SubsetA);
    EXPECT_FALSE(g_setPhoneEntries.m_SubsetE);
    CloseInstallationDatabases();
    OpenAll();
    EXPECT_EQ(FieldNames(path, "EntryNumbers"), upgraded);
}

TEST_F(InstallationDatabases, EntryCodesGainHiddenDefaultingToNo)
{
    const QString path = FilePath(DatabaseFiles::EntryCodes);
    WriteOldFile(path, "CREATE TABLE EntryCodes (EntryCodeID INTEGER PRIMARY KEY AUTOINCREMENT, Code TEXT COLLATE "
                       "JETTEXT, Suspended YESNO DEFAULT 0, UserID LONG DEFAULT 0, Deleted YESNO DEFAULT 0, dCode "
                       "DOUBLE DEFAULT 0, CHSet BYTE DEFAULT 0)");
    Database::Open(path)->Execute("INSERT INTO EntryCodes (Code) VALUES ('1234')");
    OpenAll();
    const std::vector<ColumnDef> fields = Database::Open(path)->Fields("EntryCodes");
    ASSERT_EQ(fields.back().name, "Hidden");
    EXPECT_EQ(fields.back().type, FieldType::Bool);
    EXPECT_EQ(fields.back().defaultValue, "0");
    EXPECT_EQ(g_setEntryCodes.m_Code, "1234");
    EXPECT_FALSE(g_setEntryCodes.m_Hidden);

    // A table that has Hidden is left as it is, wherever Hidden stands.
    CloseInstallationDatabases();
    const QStringList before = FieldNames(path, "EntryCodes");
    OpenAll();
    EXPECT_EQ(FieldNames(path, "EntryCodes"), before);
    EXPECT_EQ(FieldNames(FilePath(DatabaseFiles::EntryCodes), "EntryCodes").count("Hidden"), 1);
}

TEST_F(InstallationDatabases, AFailedUpgradeIsLoggedAndTheOpenReportsTheField)
{
    const QString path = FilePath(DatabaseFiles::EntryCodes);
    WriteOldFile(path, "CREATE TABLE EntryCodes (EntryCodeID INTEGER PRIMARY KEY, Code TEXT)");
    LogCapture log;
    MessageBoxScript boxes;
    EXPECT_FALSE(OpenInstallationDatabases(Folder()));
    ASSERT_EQ(log.lines.size(), 1);
    EXPECT_TRUE(log.lines[0].contains(path)) << log.lines[0].toStdString();
    ASSERT_EQ(boxes.Texts().size(), 1);
    EXPECT_TRUE(boxes.Texts()[0].contains("old installationtion"));
    EXPECT_EQ(FieldNames(path, "EntryCodes"), QStringList({"EntryCodeID", "Code"}));
}
