#include "database/Schema.h"

#include "database/DatabaseFiles.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"

#include <QDir>

namespace
{
using T = FieldType;

ColumnDef Counter(const QString& name) { return {name, T::Long, ColumnDef::Counter, {}}; }
ColumnDef Key(const QString& name) { return {name, T::Long, ColumnDef::Key, {}}; }

// Numbers and flags read 0 (FALSE) until written, texts empty.
ColumnDef F(const QString& name, FieldType type, const QString& defaultValue = {})
{
    if (!defaultValue.isEmpty() || type == T::Text || type == T::DateTime)
        return {name, type, ColumnDef::NotKey, defaultValue};
    return {name, type, ColumnDef::NotKey, QStringLiteral("0")};
}

std::vector<ColumnDef> FacilityCodeSelections()
{
    return {F("FacCode Sel A", T::Byte), F("FacCode Sel B", T::Byte), F("FacCode Sel C", T::Byte),
            F("FacCode Sel D", T::Byte)};
}

std::vector<ColumnDef> Concat(std::vector<ColumnDef> first, const std::vector<ColumnDef>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TableDef NetworkNodesTable()
{
    return {"NetworkNodes",
            {Counter("NodeID"), F("PhoneNo", T::Text), F("Net", T::Byte), F("Password", T::Text), F("Active", T::Bool),
             F("AreaCode", T::Text), F("CountryID", T::Long), F("ConnectUsing", T::Byte),
             F("CountryAndAreaCode", T::Bool), F("strCountyCode", T::Text), F("DaylightSavings", T::Bool),
             F("HoursOffset", T::Short), F("NetName", T::Text)},
            {{{"Net"}}}};
}

TableDef ValidationGroupsTable()
{
    return {"ValidationGroups",
            {Counter("ValidationGroupID"), F("ValidationGroupNumber", T::Byte), F("Name", T::Text)},
            {{{"ValidationGroupNumber"}}}};
}

std::vector<DatabaseFileDef> MakeFiles()
{
    using namespace DatabaseFiles;
    return {
        {Vestrels,
         {{"Vestrels",
           {Counter("VestrelID"), F("VestrelName", T::Text), F("LastEventLog", T::Byte), F("LastMonitored", T::Byte),
            F("NodeAddress", T::Byte), F("DisplayMessageSet", T::Byte), F("NodeID", T::Long),
            F("RelayAName", T::Text), F("RelayBName", T::Text), F("RelayCName", T::Text), F("RelayDName", T::Text),
            F("FileName", T::Text), F("Keldara", T::Bool), F("NetAddress", T::Byte), F("EmergA", T::Bool),
            F("EmergB", T::Bool), F("EmergC", T::Bool), F("EmergD", T::Bool), F("DoorScheduleA", T::Long),
            F("DoorScheduleB", T::Long), F("DoorScheduleC", T::Long), F("DoorScheduleD", T::Long),
            F("Flags", T::Long), F("PanelType", T::Byte), F("FirmwareVersion", T::Long)},
           {{{"NetAddress", "NodeAddress"}}, {{"NodeID"}}}}}},
        {NetworkNodes, {NetworkNodesTable()}},
        {Cards,
         {{"CardBlocks",
           Concat({Counter("AutoNumIndex"), F("BlockBegin", T::Double), F("BlockEnd", T::Double),
                   F("BlockName", T::Text), F("Deleted", T::Bool)},
                  FacilityCodeSelections()),
           {{{"BlockBegin"}}}},
          {"Cards",
           {Counter("AutoNumIndex"), F("CardID", T::Double), F("Lost", T::Bool), F("Suspended", T::Bool),
            F("UserID", T::Long)},
           {{{"CardID"}}, {{"UserID"}}}},
          {"CardsSingle",
           Concat(Concat({Counter("AutoNumIndexSingle"), F("CardIDSingle", T::Double), F("DeletedSingle", T::Bool)},
                         FacilityCodeSelections()),
                  {F("LostSingle", T::Bool), F("SuspendedSingle", T::Bool), F("UserIDSingle", T::Long)}),
           {{{"CardIDSingle"}}, {{"UserIDSingle"}}}}}},
        {Transmitters,
         {{"TransmitterBlocks",
           Concat({Counter("AutoNumIndex"), F("BlockBegin", T::Double), F("BlockEnd", T::Double),
                   F("BlockName", T::Text), F("Deleted", T::Bool), F("Dirty", T::Bool)},
                  FacilityCodeSelections()),
           {{{"BlockBegin"}}}},
          {"Transmitters",
           {Counter("AutoNumIndex"), F("Lost", T::Bool), F("Suspended", T::Bool), F("UserID", T::Long),
            F("XmtrID", T::Double)},
           {{{"XmtrID"}}, {{"UserID"}}}},
          {"TransmittersSingle",
           Concat(Concat({Counter("AutoNumIndexSingle"), F("DeletedSingle", T::Bool)}, FacilityCodeSelections()),
                  {F("LostSingle", T::Bool), F("SuspendedSingle", T::Bool), F("UserIDSingle", T::Long),
                   F("XmtrIDSingle", T::Double)}),
           {{{"XmtrIDSingle"}}, {{"UserIDSingle"}}}}}},
        // MessagesID is (set - 1) * 40 + index, given by the program, not a counter.
        {DisplayMessages,
         {{"DisplayMessages",
           {Key("MessagesID"), F("Message", T::Text), F("Justification", T::Byte), F("MessageSetDisplay", T::Byte)},
           {}}}},
        {DoorValidationGroups, {ValidationGroupsTable()}},
        {FloorValidationGroups, {ValidationGroupsTable()}},
        {EntryCodes,
         {{"EntryCodes",
           {Counter("EntryCodeID"), F("Code", T::Text), F("Suspended", T::Bool), F("Hidden", T::Bool),
            F("UserID", T::Long), F("Deleted", T::Bool), F("dCode", T::Double), F("CHSet", T::Byte)},
           {{{"Code"}}, {{"UserID"}}, {{"dCode"}}}}}},
        {EventLog,
         {{"Eventlog",
           {Counter("LogID"), F("Time", T::DateTime), F("Type", T::Byte), F("Id0", T::Byte), F("Id1", T::Byte),
            F("Id2", T::Byte), F("Id3", T::Byte), F("Mod", T::Byte), F("Ctx", T::Byte), F("Ctx2", T::Byte),
            F("NetNode", T::Byte), F("UserID", T::Long), F("Door", T::Byte), F("Ctx3", T::Byte), F("Id4", T::Byte),
            F("Id5", T::Byte), F("Id6", T::Byte)},
           // The report lists a type's, a node's or a cardholder's events
           // newest first straight from these. A node's index holds the door
           // too, so a door's search skips the node's other events without
           // reading their rows, and LogID keeps equal times in order.
           {{{"Time"}},
            {{"UserID"}},
            {{"Type", "Time"}},
            {{"NetNode", "Time", "LogID", "Door"}},
            {{"UserID", "Time"}}}}}},
        // A new floor starts on node A1.
        {FloorNames,
         {{"FloorNames",
           {Counter("Name ID"), F("Index", T::Byte), F("Name", T::Text), F("Net", T::Byte, "1"),
            F("Node", T::Byte, "1"), F("Sched", T::Long), F("Cab1", T::Long), F("Cab2", T::Long), F("Cab3", T::Long),
            F("Cab4", T::Long)},
           {{{"Net", "Node"}}}}}},
        {NetCommands,
         {{"NetCommands",
           {Counter("NetCommandID"), F("FileName", T::Text), F("Net", T::Byte), F("Node", T::Byte),
            F("Priority", T::Byte)},
           {{{"Net", "Node"}}}}}},
        {EntryNumbers,
         {{"EntryNumbers",
           {F("DirectoryCode", T::Long), Counter("EntryNumberID"), F("ExtendedTalkTime", T::Bool),
            F("PhoneNumber", T::Text), F("UserID", T::Long), F("EEAddress", T::Long), F("BackLink", T::Long),
            F("ForwardLink", T::Long), F("UserDirectoryCode", T::Text), F("SubsetA", T::Bool), F("SubsetB", T::Bool),
            F("SubsetC", T::Bool), F("SubsetD", T::Bool), F("SubsetE", T::Bool), F("SubsetF", T::Bool),
            F("SubsetG", T::Bool), F("SubsetH", T::Bool), F("TenantName", T::Text)},
           {{{"UserID"}}, {{"DirectoryCode"}}, {{"UserDirectoryCode"}}}}}},
        {Users,
         {{"UserGroups",
           {F("Description", T::Text), F("Suspend", T::Bool), F("CHSetName", T::Text), F("DoorVG1", T::Byte),
            F("DoorVG2", T::Byte), F("DoorVG3", T::Byte), F("DoorVG4", T::Byte), F("FloorVG1", T::Byte),
            F("FloorVG2", T::Byte), F("FloorVG3", T::Byte), F("FloorVG4", T::Byte), F("TimeZone1", T::Byte),
            F("TimeZone2", T::Byte), F("TimeZone3", T::Byte), F("TimeZone4", T::Byte), Counter("CHSetID"),
            F("CHSetIndex", T::Byte), F("Deleted", T::Bool)},
           {{{"CHSetIndex"}}}},
          {"Users",
           {Counter("UserID"), F("FirstName", T::Text), F("LastName", T::Text), F("MiddleName", T::Text),
            F("Street", T::Text), F("City", T::Text), F("Zip", T::Text), F("State", T::Text),
            F("HomePhone", T::Text), F("WorkPhone", T::Text), F("LastEventLog", T::Byte),
            F("ExpirationDate", T::DateTime), F("NeverExpiers", T::Bool), F("Active", T::Bool),
            F("Deleted", T::Bool), F("GotTransmitters", T::Bool), F("GotCards", T::Bool),
            F("GotEntryCodes", T::Bool), F("GotPhoneEntryNumbers", T::Bool), F("CustomType1", T::Text),
            F("CustomType2", T::Text), F("CustomType3", T::Text), F("CustomType4", T::Text),
            F("CHSetIndex", T::Byte)},
           {{{"CHSetIndex"}}, {{"LastName", "FirstName"}}}}}},
    };
}
} // namespace

namespace Schema
{
const std::vector<DatabaseFileDef>& InstallationFiles()
{
    static const std::vector<DatabaseFileDef> files = MakeFiles();
    return files;
}

const DatabaseFileDef* FindFile(const QString& fileName)
{
    for (const DatabaseFileDef& file : InstallationFiles())
        if (file.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &file;
    return nullptr;
}

const TableDef* FindTable(const QString& fileName, const QString& tableName)
{
    const DatabaseFileDef* file = FindFile(fileName);
    if (!file)
        return nullptr;
    for (const TableDef& table : file->tables)
        if (table.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

void CreateDatabaseFile(const QString& path, const DatabaseFileDef& file)
{
    const std::shared_ptr<Database> database = Database::Create(path);
    database->Execute(QStringLiteral("BEGIN"));
    try {
        for (const TableDef& table : file.tables)
            database->CreateTable(table);
        database->Execute(QStringLiteral("COMMIT"));
    } catch (...) {
        database->Execute(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void CreateInstallationDatabases(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw DatabaseException(JetError::ReservedError, QStringLiteral("Unable to create the folder '%1'.").arg(folder));
    for (const DatabaseFileDef& file : InstallationFiles())
        CreateDatabaseFile(folder + QLatin1Char('/') + file.fileName, file);
}
} // namespace Schema
