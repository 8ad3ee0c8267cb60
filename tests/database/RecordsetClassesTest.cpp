#include "tests/database/InstallationFixture.h"
#include "tests/support/MessageBoxScript.h"

#include "database/CSetNetCommands.h"
#include "database/DatabaseFiles.h"
#include "database/GlobalRecordsets.h"
#include "database/Schema.h"
#include "platform/Clock.h"
#include "platform/DatabaseException.h"
#include "platform/JetSql.h"

#include <QTimeZone>

namespace
{
struct ClassCase
{
    const char* name;
    CSetBase* set;
    const char* table;
};

CSetNetCommands s_netCommands;

const ClassCase kClasses[] = {
    {"CSetVestrels", &g_setVestrels, "Vestrels"},
    {"CSetVLNetworks", &g_setVLNetworks, "NetworkNodes"},
    {"CSetCardBlocks", &g_setCardBlocks, "CardBlocks"},
    {"CSetCards", &g_setCards, "Cards"},
    {"CSetSingleCard", &g_setSingleCard, "CardsSingle"},
    {"CSetTransmitterBlocks", &g_setTransmitterBlocks, "TransmitterBlocks"},
    {"CSetTransmitters", &g_setTransmitters, "Transmitters"},
    {"CSetSingleXmtr", &g_setSingleXmtr, "TransmittersSingle"},
    {"CSetDisplayMessages", &g_setDisplayMessages, "DisplayMessages"},
    {"CSetDoorValGroup", &g_setDoorValGroup, "ValidationGroups"},
    {"CSetFloorValGroup", &g_setFloorValGroup, "ValidationGroups"},
    {"CSetEntryCodes", &g_setEntryCodes, "EntryCodes"},
    {"CSetEventLog", &g_setEventLog, "Eventlog"},
    {"CSetFloorNames", &g_setFloorNames, "FloorNames"},
    {"CSetNetCommands", &s_netCommands, "NetCommands"},
    {"CSetPhoneEntries", &g_setPhoneEntries, "EntryNumbers"},
    {"CSetUserGroups", &g_setUserGroups, "UserGroups"},
    {"CSetUsers", &g_setUsers, "Users"},
};

QString FileNameOf(const CSetBase& set)
{
    return set.GetDefaultDBName().section(QLatin1Char('/'), -1);
}
} // namespace

class RecordsetClasses : public InstallationTest
{
};

TEST_F(RecordsetClasses, EveryClassBindsItsTableInSchemaOrder)
{
    for (const ClassCase& c : kClasses) {
        SCOPED_TRACE(c.name);
        c.set->m_strDBFolder = Folder();
        const TableDef* table = Schema::FindTable(FileNameOf(*c.set), QLatin1String(c.table));
        ASSERT_NE(table, nullptr);
        FieldExchange fx;
        c.set->DoFieldExchange(fx);
        ASSERT_EQ(fx.Bindings().size(), table->columns.size());
        for (size_t i = 0; i < table->columns.size(); ++i) {
            EXPECT_EQ(fx.Bindings()[i].name, table->columns[i].name);
            EXPECT_EQ(fx.Bindings()[i].type, table->columns[i].type);
        }
        c.set->Open();
        EXPECT_TRUE(c.set->IsEOF());
        c.set->Close();
    }
    g_setNetNodesOld.m_strDBFolder = Folder();
    EXPECT_EQ(FileNameOf(g_setNetNodesOld), "NetworkNodes2.mdb");
    EXPECT_EQ(g_setEventLog.GetDefaultDBName(), Folder() + "/EventLog.mdb");
}

TEST_F(RecordsetClasses, NewInstallationHasThirteenFilesAndNoOldNodeTable)
{
    EXPECT_EQ(Schema::InstallationFiles().size(), 13u);
    for (const DatabaseFileDef& file : Schema::InstallationFiles())
        EXPECT_TRUE(QFile::exists(Folder() + '/' + file.fileName)) << file.fileName.toStdString();
    EXPECT_FALSE(QFile::exists(FilePath(DatabaseFiles::NetworkNodesOld)));
    EXPECT_THROW(Schema::CreateInstallationDatabases(Folder()), DatabaseException);
}

TEST_F(RecordsetClasses, ConstructorsClearFieldsButFloorsStartOnNodeA1)
{
    const CSetFloorNames floors;
    EXPECT_EQ(floors.m_Net, 1);
    EXPECT_EQ(floors.m_Node, 1);
    EXPECT_EQ(floors.m_Cab1, 0);
    const CSetUsers users;
    EXPECT_EQ(users.m_ExpirationDate, FromOleDate(0.0));
    OpenAll();
    g_setFloorNames.AddNew();
    g_setFloorNames.m_Name = QStringLiteral("Lobby");
    g_setFloorNames.Update();
    g_setFloorNames.Requery();
    EXPECT_EQ(g_setFloorNames.m_Net, 1);
    EXPECT_EQ(g_setFloorNames.m_Node, 1);
}

TEST(EntryCodes, CodeValuePacksDigitsIntoNibbles)
{
    struct Case
    {
        const char* code;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"", -1.0},
        {"0", -16.0},
        {"1234", -60876.0},
        {"9", -7.0},
        {"1234567890123", static_cast<double>(static_cast<std::int64_t>(0xFFF1234567890123ULL))},
        {"12345678901234", std::nullopt},
        {"12a4", std::nullopt},
        {"-1", std::nullopt},
        {"１２", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CSetEntryCodes codes;
        codes.m_Code = QString::fromUtf8(c.code);
        EXPECT_EQ(codes.GetCodeValue(), c.value);
    }
}

TEST(EntryCodes, HiddenCodesShowAsHashesOfTheSameLength)
{
    CSetEntryCodes codes;
    codes.m_Code = QStringLiteral("4711");
    EXPECT_EQ(codes.GetDisplayCode(), "4711");
    codes.m_Hidden = true;
    EXPECT_EQ(codes.GetDisplayCode(), "####");
}

TEST_F(RecordsetClasses, BlockContainsBothItsEnds)
{
    OpenAll();
    const std::pair<double, double> blocks[] = {{100, 199}, {200, 299}, {150, 250}};
    for (const auto& [begin, end] : blocks) {
        g_setCardBlocks.AddNew();
        g_setCardBlocks.m_BlockBegin = begin;
        g_setCardBlocks.m_BlockEnd = end;
        g_setCardBlocks.Update();
    }
    g_setCardBlocks.Requery();
    struct Case
    {
        double number;
        int block; // AutoNumIndex, 0 for none
    };
    const Case cases[] = {{100, 1}, {199, 1}, {200, 2}, {299, 2}, {250, 2}, {99, 0}, {300, 0}, {199.5, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const bool found = g_setCardBlocks.FindBlockContaining(c.number);
        EXPECT_EQ(found, c.block != 0);
        if (found)
            EXPECT_EQ(g_setCardBlocks.m_AutoNumIndex, c.block);
        else
            EXPECT_TRUE(g_setCardBlocks.IsEOF());
    }
    EXPECT_FALSE(g_setTransmitterBlocks.FindBlockContaining(100));
}

TEST_F(RecordsetClasses, OpenSortedAndFilteredSetTheirTextAndRequery)
{
    OpenAll();
    for (double begin : {500.0, 100.0}) {
        g_setTransmitterBlocks.AddNew();
        g_setTransmitterBlocks.m_BlockBegin = begin;
        g_setTransmitterBlocks.m_BlockEnd = begin + 9;
        g_setTransmitterBlocks.Update();
    }
    g_setTransmitterBlocks.OpenSorted(QStringLiteral("[BlockBegin]"));
    EXPECT_EQ(g_setTransmitterBlocks.m_BlockBegin, 100.0);
    g_setTransmitterBlocks.OpenFiltered(QStringLiteral("BlockBegin > 200"));
    EXPECT_EQ(g_setTransmitterBlocks.GetRecordCount(), 1);
    g_setCardBlocks.Close();
    g_setCardBlocks.OpenSorted(QStringLiteral("[AutoNumIndex]"));
    EXPECT_TRUE(g_setCardBlocks.IsOpen());
}

TEST_F(RecordsetClasses, DisplayMessagesFallBackToBuiltInTexts)
{
    OpenAll();
    ASSERT_TRUE(g_setDisplayMessages.SetMessage(QStringLiteral("WELCOME"), 1, 2, 3));
    struct Case
    {
        int index;
        int set;
        const char* text;
        int justification;
    };
    const Case cases[] = {
        {2, 3, "WELCOME", 1},       {2, 1, "TELEPHONE ENTRY", 0}, {1, 3, "QUORIN ACCESS", 1},
        {18, 1, "", 0},             {40, 8, "ENTER CODE:", 0},    {35, 2, "34", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index * 100 + c.set);
        QString text = QStringLiteral("unchanged");
        int justification = -1;
        EXPECT_TRUE(g_setDisplayMessages.GetMessage(text, justification, c.index, c.set));
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        EXPECT_EQ(justification, c.justification);
    }
}

TEST_F(RecordsetClasses, SetMessageWritesOneRowFoundByItsSlot)
{
    OpenAll();
    ASSERT_TRUE(g_setDisplayMessages.SetMessage(QStringLiteral("FIRST"), 0, 40, 8));
    ASSERT_TRUE(g_setDisplayMessages.SetMessage(QStringLiteral("SECOND"), 1, 40, 8));
    EXPECT_EQ(g_setDisplayMessages.GetRecordCount(), 1);
    ASSERT_TRUE(g_setDisplayMessages.FindFirst(QStringLiteral("MessagesID = 320")));
    EXPECT_EQ(g_setDisplayMessages.m_Message, "SECOND");
    EXPECT_EQ(g_setDisplayMessages.m_Justification, 1);
    EXPECT_EQ(g_setDisplayMessages.m_MessageSetDisplay, 8);
    QString text;
    int justification = 0;
    EXPECT_FALSE(g_setDisplayMessages.GetMessage(text, justification, 41, 1));
    EXPECT_FALSE(g_setDisplayMessages.SetMessage(text, 0, 1, 9));
}

TEST_F(RecordsetClasses, DisplayMessageErrorsAreReportedAndGiveFalse)
{
    MessageBoxScript boxes;
    QString text;
    int justification = 0;
    EXPECT_FALSE(g_setDisplayMessages.GetMessage(text, justification, 1, 1));
    ASSERT_EQ(boxes.Texts().size(), 2);
    EXPECT_EQ(boxes.Texts()[0], "DAO Database exception");
}

TEST_F(RecordsetClasses, CardholderTextsFollowTheNamesGiven)
{
    struct Case
    {
        const char* last;
        const char* first;
        const char* display;
        const char* label;
    };
    const Case cases[] = {
        {"Smith", "Ann", "Smith, Ann", "Smith Ann [42]"},
        {"", "Ann", "Ann", "Ann [42]"},
        {"Smith", "", "Smith, ", "Smith  [42]"},
        {"", "", "", "<blank> [42]"},
        // A name is never a template for the values after it.
        {"Smith%2", "Ann", "Smith%2, Ann", "Smith%2 Ann [42]"},
        {"", "Shift %1", "Shift %1", "Shift %1 [42]"},
    };
    CSetUsers users;
    users.m_UserID = 42;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        users.m_LastName = QString::fromUtf8(c.last);
        users.m_FirstName = QString::fromUtf8(c.first);
        EXPECT_EQ(users.GetDisplayName(), QString::fromUtf8(c.display));
        EXPECT_EQ(users.GetLabel(), QString::fromUtf8(c.label));
    }
    users.m_HomePhone = QStringLiteral("(555) 123-45 67 x");
    EXPECT_EQ(users.GetHomePhoneDigits(), "5551234567");
}

TEST_F(RecordsetClasses, StatusTextComparesTheExpiryWithTheClock)
{
    const FixedClock clock(QDateTime(QDate(2024, 6, 1), QTime(12, 0), QTimeZone::utc()),
                           QTimeZone(QByteArrayLiteral("America/New_York")));
    Clock::Install(&clock);
    struct Case
    {
        QDateTime expires;
        bool neverExpires;
        bool active;
        const char* status;
    };
    const QTimeZone utc = QTimeZone::utc();
    const Case cases[] = {
        {QDateTime(QDate(2024, 6, 1), QTime(7, 59), utc), false, true, "Expired"},
        {QDateTime(QDate(2024, 6, 1), QTime(8, 1), utc), false, true, "Active"},
        {QDateTime(QDate(2020, 1, 1), QTime(0, 0), utc), true, true, "Active"},
        {QDateTime(QDate(2020, 1, 1), QTime(0, 0), utc), true, false, "Suspended"},
        {QDateTime(QDate(2030, 1, 1), QTime(0, 0), utc), false, false, "Suspended"},
    };
    CSetUsers users;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expires.toString().toStdString());
        users.m_ExpirationDate = c.expires;
        users.m_NeverExpiers = c.neverExpires;
        users.m_Active = c.active;
        EXPECT_EQ(users.GetStatusText(), c.status);
    }
    Clock::Install(nullptr);
}

TEST_F(RecordsetClasses, FindHelpersMoveTheSharedRow)
{
    OpenAll();
    for (int id : {1, 2, 3}) {
        g_setUsers.AddNew();
        g_setUsers.m_FirstName = QStringLiteral("User%1").arg(id);
        g_setUsers.Update();
    }
    g_setUsers.Requery();
    EXPECT_TRUE(g_setUsers.FindByID(3));
    EXPECT_EQ(g_setUsers.m_FirstName, "User3");
    EXPECT_FALSE(g_setUsers.FindByID(9));
    EXPECT_EQ(g_setUsers.m_UserID, 3);

    for (int index : {1, 2}) {
        g_setUserGroups.AddNew();
        g_setUserGroups.m_CHSetIndex = static_cast<std::uint8_t>(index);
        g_setUserGroups.m_CHSetName = index == 1 ? QStringLiteral("All Access") : QStringLiteral("No Access");
        g_setUserGroups.Update();
    }
    g_setUserGroups.Requery();
    EXPECT_EQ(g_setUserGroups.GetSetName(2), "No Access");
    EXPECT_EQ(g_setUserGroups.GetSetLabel(), "No Access [2]");
    EXPECT_EQ(g_setUserGroups.GetSetName(7), "");

    g_setUserGroups.m_CHSetName = QStringLiteral("Shift %1");
    g_setUserGroups.m_CHSetIndex = 7;
    EXPECT_EQ(g_setUserGroups.GetSetLabel(), "Shift %1 [7]");
}

TEST_F(RecordsetClasses, ControllerAndNetworkLabels)
{
    OpenAll();
    for (int net : {1, 3}) {
        g_setVLNetworks.AddNew();
        g_setVLNetworks.m_Net = static_cast<std::uint8_t>(net);
        g_setVLNetworks.m_NetName = QStringLiteral("Net %1").arg(net);
        g_setVLNetworks.Update();
    }
    g_setVestrels.AddNew();
    g_setVestrels.m_NetAddress = 3;
    g_setVestrels.m_NodeAddress = 2;
    g_setVestrels.m_VestrelName = QStringLiteral("Gate");
    g_setVestrels.m_RelayBName = QStringLiteral("Back door");
    g_setVestrels.m_DoorScheduleB = static_cast<std::int32_t>(0x80000001U);
    g_setVestrels.Update();
    g_setVLNetworks.Requery();
    g_setVestrels.Requery();

    EXPECT_EQ(g_setVLNetworks.GetNetLabel(3), "[C] Net 3");
    EXPECT_EQ(g_setVLNetworks.GetNetLabel(0), "[C] Net 3");
    EXPECT_EQ(g_setVLNetworks.GetNetLabel(5), "Net not found");
    EXPECT_TRUE(g_setVLNetworks.FindByNodeID(1));
    EXPECT_EQ(g_setVLNetworks.GetNetLabel(0), "[A] Net 1");

    ASSERT_TRUE(g_setVestrels.FindByAddress(3, 2));
    EXPECT_FALSE(g_setVestrels.FindByAddress(1, 1));
    EXPECT_TRUE(g_setVestrels.FindByID(1));
    EXPECT_EQ(g_setVestrels.GetNodeLabel(), "[C2]  Gate");
    EXPECT_EQ(g_setVestrels.GetDoorLabel(2, true), "[C2B] Back door");
    EXPECT_EQ(g_setVestrels.GetDoorLabel(2, false), "Back door");
    EXPECT_EQ(g_setVestrels.GetDoorLabel(5, true), "[C2E] ");
    g_setVestrels.m_VestrelName = QStringLiteral("Gate %1");
    EXPECT_EQ(g_setVestrels.GetNodeLabel(), "[C2]  Gate %1");
    EXPECT_TRUE(g_setVestrels.IsDoorInSchedule(2, 1));
    EXPECT_TRUE(g_setVestrels.IsDoorInSchedule(2, 32));
    EXPECT_FALSE(g_setVestrels.IsDoorInSchedule(2, 2));
    EXPECT_FALSE(g_setVestrels.IsDoorInSchedule(1, 1));
    EXPECT_FALSE(g_setVestrels.IsDoorInSchedule(0, 1));
}

TEST_F(RecordsetClasses, GroupListsNameTheFirstRowByTheirOwnWords)
{
    OpenAll();
    for (CSetDoorValGroup* groups : {static_cast<CSetDoorValGroup*>(&g_setDoorValGroup),
                                     static_cast<CSetDoorValGroup*>(&g_setFloorValGroup)}) {
        for (const char* name : {"first", "", "Staff", ""}) {
            groups->AddNew();
            groups->m_Name = QString::fromUtf8(name);
            groups->Update();
        }
        groups->Requery();
    }
    QStringList door, floor, empty;
    g_setDoorValGroup.FillGroupList(door, false);
    g_setFloorValGroup.FillGroupList(floor, true);
    EXPECT_EQ(door, QStringList({"No access", "All Access", "2", "Staff", "4"}));
    EXPECT_EQ(floor, QStringList({"Not assigned", "All access", "2", "Staff", "4"}));

    QString name;
    QStringList names;
    for (bool more = g_setDoorValGroup.GetNextName(name, true); ; more = g_setDoorValGroup.GetNextName(name, false)) {
        names << name;
        if (!more)
            break;
    }
    EXPECT_EQ(names, QStringList({"first", "", "Staff", ""}));

    CSetDoorValGroup none;
    none.m_strDBFolder = m_env.Path(QStringLiteral("Empty"));
    Schema::CreateInstallationDatabases(none.m_strDBFolder);
    none.Open();
    none.FillGroupList(empty, true);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(none.GetNextName(name, true));
}
