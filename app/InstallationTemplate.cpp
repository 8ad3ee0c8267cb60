#include "app/InstallationTemplate.h"

#include "app/CWFDoc.h"
#include "app/DemoEvents.h"
#include "database/CSetCardBlocks.h"
#include "database/CSetCards.h"
#include "database/CSetDoorValGroup.h"
#include "database/CSetFloorNames.h"
#include "database/CSetFloorValGroup.h"
#include "database/CSetUserGroups.h"
#include "database/CSetUsers.h"
#include "database/CSetVLNetworks.h"
#include "database/CSetVestrels.h"
#include "database/FloorRows.h"
#include "database/FolderCopy.h"
#include "database/Schema.h"
#include "image/CVLGlobalMemory.h"
#include "image/CVLMemory.h"
#include "image/CardholderSetRecord.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"
#include "platform/Clock.h"
#include "platform/PrivateProfile.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace {

constexpr int kNetworks = 8;
constexpr int kValidationGroups = 32;
constexpr std::uint8_t kAllAccessSet = 1;
constexpr std::uint8_t kNoAccessSet = 2;
constexpr std::uint8_t kNoGroup = 255;
constexpr std::uint8_t kAllAccessGroup = 0;
constexpr std::uint8_t kNoAntiPassback = 0;
constexpr std::uint8_t kFirstComPort = 1;
const QString kDefaultPassword = QStringLiteral("580317");
const QString kInstallationVersion = QStringLiteral("2.00");
// The firmware the delivered images are made for until a panel reports its own.
constexpr FirmwareVersion kDeliveredFirmware = {'0', '0', '1'};

// Adds one row to a table through a recordset of its own.
template <typename Set>
void AddRows(const QString& databaseFolder, int count, const std::function<void(Set&, int)>& fill)
{
    Set set;
    set.m_strDBFolder = databaseFolder;
    set.Open();
    for (int i = 0; i < count; ++i) {
        set.AddNew();
        fill(set, i);
        set.Update();
    }
    set.Close();
}

// A cardholder set with one door group, one floor group and one time zone.
void SetFirstGroupsOnly(CSetUserGroups& set, std::uint8_t group)
{
    set.m_DoorVG1 = set.m_FloorVG1 = set.m_TimeZone1 = group;
    set.m_DoorVG2 = set.m_DoorVG3 = set.m_DoorVG4 = kNoGroup;
    set.m_FloorVG2 = set.m_FloorVG3 = set.m_FloorVG4 = kNoGroup;
    set.m_TimeZone2 = set.m_TimeZone3 = set.m_TimeZone4 = kNoGroup;
}

void FillTemplateRows(const QString& databaseFolder)
{
    AddRows<CSetVLNetworks>(databaseFolder, kNetworks, [](CSetVLNetworks& s, int i) {
        s.m_Net = static_cast<std::uint8_t>(i + 1);
        s.m_NetName = QStringLiteral("Network %1").arg(QChar(u'A' + i));
        s.m_Password = kDefaultPassword;
        s.m_Active = i == 0;
        s.m_ConnectUsing = kFirstComPort;
    });
    AddRows<CSetDoorValGroup>(databaseFolder, kValidationGroups, [](CSetDoorValGroup& s, int i) {
        s.m_ValidationGroupNumber = static_cast<std::uint8_t>(i);
    });
    AddRows<CSetFloorValGroup>(databaseFolder, kValidationGroups, [](CSetFloorValGroup& s, int i) {
        s.m_ValidationGroupNumber = static_cast<std::uint8_t>(i);
    });
    AddRows<CSetUserGroups>(databaseFolder, 2, [](CSetUserGroups& s, int i) {
        const bool allAccess = i == 0;
        s.m_CHSetIndex = allAccess ? kAllAccessSet : kNoAccessSet;
        s.m_CHSetName = allAccess ? QStringLiteral("All Access") : QStringLiteral("No Access");
        s.m_Suspend = !allAccess;
        SetFirstGroupsOnly(s, allAccess ? kAllAccessGroup : kNoGroup);
    });
}

bool WriteInstallationFile(const QString& path, const QString& name)
{
    return PrivateProfile::WriteString(QStringLiteral("Installation Settings"), QStringLiteral("Installation Name"), name, path)
           && PrivateProfile::WriteString(QStringLiteral("Installation Settings"), QStringLiteral("Data To Program To Network"),
                                          QStringLiteral("1"), path)
           && PrivateProfile::WriteString(QStringLiteral("Version"), QStringLiteral("Installation Version"),
                                          kInstallationVersion, path);
}

// Builds a whole installation in a folder beside target and renames it into
// place, so a half-made one is never left under the real name.
bool BuildFolder(const QString& target, const std::function<void(const QString&)>& build, QString* error)
{
    if (QFileInfo::exists(target))
        return true;
    const QString staging = target + QStringLiteral(".making");
    QDir(staging).removeRecursively();
    try {
        build(staging);
        Database::CloseAllConnections();
    } catch (const DatabaseException& e) {
        Database::CloseAllConnections();
        QDir(staging).removeRecursively();
        if (error)
            *error = e.Description();
        return false;
    }
    if (!QDir().rename(staging, target)) {
        QDir(staging).removeRecursively();
        if (error)
            *error = QStringLiteral("Unable to create %1.").arg(target);
        return false;
    }
    return true;
}

void WriteGlobalSettings(const QString& vestrelsFolder)
{
    EnsureFolder(vestrelsFolder);
    CVLGlobalMemory image;
    if (!image.LoadFile(QDir(vestrelsFolder).filePath(QString::fromLatin1(kGlobalSettingsFile)), 1, 0, kDeliveredFirmware))
        throw DatabaseException(0, QStringLiteral("Unable to write %1.").arg(kGlobalSettingsFile));
}

struct DemoController
{
    int node;
    const char* name;
};

// The demo's one card block; its first numbers are the cardholders' cards,
// in their order.
constexpr double kDemoBlockBegin = 10001;
constexpr double kDemoBlockEnd = 10100;
// Lobby, Floor 2 and Floor 3, each a whole floor for every node.
constexpr int kDemoFloors = 3;

struct DemoCardholder
{
    const char* first;
    const char* last;
    std::uint8_t set;
};

void AddDemoSite(const QString& folder)
{
    const QString databases = QDir(folder).filePath(QStringLiteral("Database"));
    const QString vestrels = QDir(folder).filePath(QStringLiteral("Vestrels"));
    {
        CSetVLNetworks networks;
        networks.m_strDBFolder = databases;
        networks.Open();
        networks.MoveFirst();
        networks.Edit();
        networks.m_NetName = QStringLiteral("Main Building");
        networks.Update();
        const std::int32_t networkId = networks.m_NodeID;
        networks.Close();

        const DemoController controllers[] = {{1, "Front Entrance"}, {2, "Warehouse"}, {3, "Elevator Lobby"}};
        AddRows<CSetVestrels>(databases, static_cast<int>(std::size(controllers)), [&](CSetVestrels& s, int i) {
            const DemoController& c = controllers[i];
            s.m_VestrelName = QString::fromLatin1(c.name);
            s.m_NetAddress = 1;
            s.m_NodeAddress = static_cast<std::uint8_t>(c.node);
            s.m_NodeID = networkId;
            s.m_FileName = QStringLiteral("Vestrel1%1.dat").arg(c.node);
            s.m_PanelType = 1;
            s.m_RelayAName = QStringLiteral("Door");
            CVLMemory image;
            if (!image.LoadFile(QDir(vestrels).filePath(s.m_FileName), 1, static_cast<std::uint8_t>(10 + c.node), kDeliveredFirmware))
                throw DatabaseException(0, QStringLiteral("Unable to write %1.").arg(s.m_FileName));
        });
    }
    {
        // The sets' records go into the settings image as the set form saves them.
        CVLGlobalMemory image;
        const QString settings = QDir(vestrels).filePath(QString::fromLatin1(kGlobalSettingsFile));
        if (!image.LoadFile(settings, 0, 0, kDeliveredFirmware))
            throw DatabaseException(0, QStringLiteral("Unable to read %1.").arg(kGlobalSettingsFile));
        AddRows<CSetUserGroups>(databases, 2, [&image](CSetUserGroups& s, int i) {
            s.m_CHSetIndex = static_cast<std::uint8_t>(3 + i);
            s.m_CHSetName = i == 0 ? QStringLiteral("Office Staff") : QStringLiteral("Warehouse Crew");
            SetFirstGroupsOnly(s, kAllAccessGroup);
            CardholderSetRecord::Write(image, s, kNoAntiPassback);
        });
        if (!image.SaveFile())
            throw DatabaseException(0, QStringLiteral("Unable to write %1.").arg(kGlobalSettingsFile));
        image.File().close();
    }
    const DemoCardholder people[] = {{"Ada", "Ramirez", 3}, {"Ben", "Okafor", 3},
                                     {"Chloe", "Lindqvist", 4}, {"Dev", "Patel", 4}};
    std::vector<std::int32_t> userIds;
    {
        CSetUsers users;
        users.m_strDBFolder = databases;
        users.Open();
        for (const DemoCardholder& p : people) {
            users.AddNew();
            users.m_FirstName = QString::fromLatin1(p.first);
            users.m_LastName = QString::fromLatin1(p.last);
            users.m_CHSetIndex = p.set;
            users.m_Active = true;
            users.m_NeverExpiers = true;
            users.m_GotCards = true;
            users.Update();
            users.SetBookmark(users.GetLastModifiedBookmark());
            userIds.push_back(users.m_UserID);
        }
        users.Close();
    }
    AddRows<CSetCardBlocks>(databases, 1, [](CSetCardBlocks& s, int) {
        s.m_BlockBegin = kDemoBlockBegin;
        s.m_BlockEnd = kDemoBlockEnd;
        s.m_BlockName = QStringLiteral("[01] Staff");
        s.m_Deleted = false;
    });
    AddRows<CSetCards>(databases, static_cast<int>(kDemoBlockEnd - kDemoBlockBegin) + 1, [&](CSetCards& s, int i) {
        const auto held = static_cast<std::size_t>(i);
        s.m_CardID = kDemoBlockBegin + i;
        s.m_Lost = false;
        s.m_Suspended = held >= std::size(people);
        s.m_UserID = held < std::size(people) ? userIds[held] : 0;
    });
    CSetFloorNames floors;
    floors.m_strDBFolder = databases;
    floors.Open();
    for (int index = 0; index < kDemoFloors; ++index)
        FloorRows::Add(floors, index, index == 0 ? QStringLiteral("Lobby") : QStringLiteral("Floor %1").arg(index + 1));
    floors.Close();
    AddDemoEvents(folder, userIds, Clock::Current().NowLocal());
}

} // namespace

namespace InstallationTemplate {

bool EnsureNewInstallationTemplate(QString* error)
{
    const QString target = CWFDoc::BuildPath(CWFDoc::kNewInstallation, QString(), QString()).chopped(1);
    return BuildFolder(target, [](const QString& folder) {
        const QString databases = QDir(folder).filePath(QStringLiteral("Database"));
        Schema::CreateInstallationDatabases(databases);
        FillTemplateRows(databases);
        WriteGlobalSettings(QDir(folder).filePath(QStringLiteral("Vestrels")));
        if (!WriteInstallationFile(QDir(folder).filePath(QString::fromLatin1(kTemplateFileName)), QStringLiteral("New installation")))
            throw DatabaseException(0, QStringLiteral("Unable to write %1.").arg(kTemplateFileName));
    }, error);
}

QString EnsureDemoInstallation(const QString& installationsFolder, QString* error)
{
    const QString name = QString::fromLatin1(kDemoName);
    const QString target = QDir(installationsFolder).filePath(name);
    const QString file = QDir(target).filePath(name + QStringLiteral(".wfi"));
    if (!EnsureNewInstallationTemplate(error))
        return QString();
    const QString source = CWFDoc::BuildPath(CWFDoc::kNewInstallation, QString(), QString()).chopped(1);
    const bool made = BuildFolder(target, [&](const QString& folder) {
        EnsureFolder(installationsFolder);
        if (!CopyFolderContents(source, folder))
            throw DatabaseException(0, QStringLiteral("Unable to copy %1.").arg(source));
        QFile::remove(QDir(folder).filePath(QString::fromLatin1(kTemplateFileName)));
        AddDemoSite(folder);
        if (!WriteInstallationFile(QDir(folder).filePath(name + QStringLiteral(".wfi")), QStringLiteral("Acme Manufacturing")))
            throw DatabaseException(0, QStringLiteral("Unable to write the installation file."));
    }, error);
    return made ? file : QString();
}

} // namespace InstallationTemplate
