#pragma once

#include "app/ReportPages.h"
#include "common/IInstallationDocument.h"
#include "common/InstallationPaths.h"
#include "database/CSetNetCommands.h"
#include "image/CVLControllerMemory.h"
#include "image/CVLGlobalMemory.h"
#include "image/DirectoryWorkArea.h"
#include "image/IBindDocument.h"
#include "link/CNetCommandQueue.h"
#include "link/INetCommandStore.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class CBindManager;
class IDocumentView;
class CNetCommand;
class DurableFiles;
class CSetVLNetworks;
class CSetVestrels;
class ILongProperties;

// The message of an installation that cannot be opened; %s is its folder.
inline constexpr const char* kUnableToOpenCloseText = "Unable to open %s.\n\nWardix will close.";
inline constexpr const char* kUnableToOpenReopenText =
    "Unable to open %s.\n\nThe installation that was open before is opened again.";

// The open installation: its folder and installation file (an ini file, the
// document's path name), its two settings images, the stored network
// commands and the queue, and the flags the rest of the program reads.
class CWFDoc : public InstallationPaths,
               public IInstallationDocument,
               public INetCommandStore,
               public IBindDocument
{
public:
    static constexpr int kValidationGroups = 32;
    static constexpr int kUserTypeLabels = 4;

    CWFDoc();
    ~CWFDoc();
    CWFDoc(const CWFDoc&) = delete;
    CWFDoc& operator=(const CWFDoc&) = delete;

    // Every path of the system from a folder kind and a name; the
    // installation-relative kinds are built on this installation's folder.
    using InstallationPaths::BuildPath;
    QString BuildPath(int kind, const QString& name) const;

    // Document life. Open saves and closes a previous installation first; a
    // failed open leaves no installation open. A save is a close and a reopen.
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& path);
    void OnCloseDocument();
    // Ends an opening that failed, also the reopen inside a save: closes what
    // it left open and hands over to the application, which opens
    // previousPath again or, when that is the one that failed, closes.
    void AbandonOpening(const QString& previousPath);
    const QString& GetPathName() const override { return m_strPathName; }
    QString InstallationName() const override { return m_strInstallationName; }
    QString InstallationFolder() const override { return m_strInstallationFolder; }

    // Opens (true) or closes (false) what lives outside the document.
    void OpenInstallation(bool open);
    void CreateInstallationFolders() const;

    // Installation-wide settings: load (with the group names), or check and save.
    bool ExchangeGlobalSettings(bool load, bool ask);
    bool CheckSettingsChanges(bool ask);
    void SaveSettingsChanges();
    void LoadNetworkPasswords(int net);

    // Integrity checks run before the databases open.
    bool CheckInstallationCompatibility();
    bool CheckNetCommandsDatabase();
    bool CheckFloorNamesDatabase();
    bool RestoreFloorNamesDatabase();
    bool CheckNetworkNodesDatabase();
    bool ConvertNetworkNodes();
    void CompactDatabaseFile(const QString& relativeName);

    // Stored network commands: a NetCommands row plus its command file.
    bool StoreNetCommand(const CNetCommand& command) override;
    CNetCommandQueue& NetQueue() override { return m_netQueue; }
    void FilterNetCommands(const QString& filter) override;
    bool RemoveNetCommand(std::int32_t commandId) override;
    int GetPendingCommandCount() const override { return m_nPendingCommands; }
    bool ClearNetCommands();
    // Deletes every file of the folder under a "Cleaning folders..." progress
    // window; true when all of them went.
    static bool DeleteFolderContents(const QString& folder);
    void RemoveNodeCommands(int net, int node) override;
    void RemoveAllNetCommands() override;
    int CountQueuedCommands() override;
    bool HasQueuedCommand(int net, int node) override;
    bool GetNextStoredCommand(QString& path, std::int32_t& commandId) override;
    std::optional<SetAsideCommand> SetAsideNetCommand(std::int32_t commandId) override;
    bool IsCommandQueueEmpty();
    bool FindQueuedNet(int net);
    // The pending count taken afresh from the stored rows.
    void ResyncPendingCount();

    // Non-zero also shows the main window's data-to-program icon, zero removes it.
    void SetDataToProgram(int flag) override;
    int GetDataToProgram() const { return m_bDataToProgram; }
    void SetBindFlag(int value) override { m_bBindFlag = value; }
    int GetBindFlag() const { return m_bBindFlag; }
    bool IgnoreCaseDirCodes() const override { return m_bIgnoreCaseDirCodes != 0; }

    // Settings-image accessors: a non-zero get reads into the argument, zero
    // writes it. Indexes outside their tables read nothing and write nothing.
    QString DoorValGroupName(int group, QString& text, int get);
    QString FloorValGroupName(int group, int get, QString& text);
    std::uint8_t DoorValGroupFlags(int group, std::uint8_t value, int get);
    std::uint8_t FloorValGroupFlags(int group, std::uint8_t value, int get);
    std::uint8_t ValGroupByte(int kind, int group, int j, std::uint8_t value, int get);
    int TimeZoneDayBit(int zone, int bit, int get, int value);
    bool ExchangeTimeZone(std::array<std::uint8_t, 20>& record, ILongProperties& control, int zone, int toControl);
    static bool IsSameTimeZone(std::array<std::uint8_t, 20> a, std::array<std::uint8_t, 20> b);
    std::uint8_t ButtonSchedule(int button, std::uint8_t value, int get);
    int AntiPassbackTime(int minutes, int get);
    std::uint8_t CardholderSetAntiPassback(std::uint8_t value, int set, int get);
    void NonExpiringHoliday(std::uint8_t& a, std::uint8_t& b, int holiday, int get);
    void ExpiringHoliday(std::uint8_t& a, std::uint8_t& b, std::uint8_t& c, int holiday, int get);
    bool DownlightTimes(QString& on, QString& off, int get);
    void PbxDialingDigit(std::uint8_t& value, int get);
    void TalkTime(std::uint8_t& value, int get);
    void PostalKeyChannel(std::uint8_t& value, int get);
    void DirectoryCodeLength(std::uint8_t& value, int get) override;
    void DirectoryBeginsAt(bool& value, int get);
    void XmtrFacilityCode(std::uint16_t& code, int index, int get);
    void CardFacilityCode(std::uint16_t& code, int index, int get);

    bool LoadControllerSettings(std::int32_t vestrelId);
    // The path of the controller's image (kind 4) or of its last-programmed
    // copy (kind 5); empty when its row names no plain file name, which could
    // reach outside the folder.
    QString ControllerFilePath(int kind, const CSetVestrels& controller) const;
    // Refuses such a name, naming the controller and the name.
    static QString NotPlainFileNameText(const CSetVestrels& controller);
    bool AskSaveControllerSettings();
    bool ModuleActivationTime(std::uint8_t& value, int get);
    bool ControllerName(QString& text, int get);
    bool ControllerKeldara(bool& value, int get);
    bool ControllerNodeAddress(std::uint8_t& address);
    bool ControllerNetAddress(std::uint8_t& address);
    bool NetworkName(QString& text, int get);
    bool DoorLabel(QString& text, int door, bool withPrefix);
    bool MaskFloorCabRelays(int cab, std::int32_t mask);
    bool HasPanelType0Or2();
    bool DisplayMessageText(QString& text, int& justification, int index, int set, int get);

    // Document utilities.
    static constexpr int kMemoryStatusCounts = 9;
    void ShowBackupReminder();
    bool CanBackup() const;
    bool IsUserTableEmpty();
    bool IsCardholderSetsEmpty();
    int FindFreeCardholderSetIndex(std::uint8_t highest);
    void ClearCardholderSetRecord(int set);
    void GetMemoryStatus(std::array<int, kMemoryStatusCounts>& counts);
    // controller: 0 for the selected one, else network x 10 + node.
    bool ControllerDisplayMessageSet(std::uint8_t& value, int get, int controller) override;
    QString PanelModelName();
    bool GetFirmwareVersion(int& major, int& minor);
    int GetFirmwareLimit();
    QString ReaderTypeName(std::uint8_t address) const;
    bool HasCabDevice(int cab) const;
    QString FormatSubsets() const;
    std::int8_t GetReportKindByte() const { return m_nReportKind; }
    void WriteDoorSchedules(CVLMemory& image, const CSetVestrels& controller);
    void WriteFloorSchedules(CVLMemory& image, const CSetVestrels& controller);
    bool RunBinders(CBindManager& manager, DirectoryWorkArea& workArea, int full);
    void ListDisplayMessages();

    // Binds the site database and queues for every controller (controllerId
    // 0) or one the memory writes that bring it up to date.
    int PrepareNetworkProgramming(std::int32_t controllerId, int force);

    // Document commands of the main window.
    void OnPriorityAccess();
    void OnSetup();
    void OnFileBackup();
    void OnFileRestore();
    void OnFileSaveAs();
    // Save As after its dialog: saves, copies the installation folder to
    // folder/name, names the copy and opens it. False when a step failed.
    bool SaveAsCopy(const QString& name, const QString& folder);
    // File New: asks the name, makes the installation and opens it.
    bool OnNewDocument();
    // A copy of the template named name in the installations folder; its
    // installation file, or empty after a failure.
    QString MakeNewInstallation(const QString& name);
    QString GetDownloadFolder(int net, int node) const;
    // target and single select the cardholders; 0 and 0 for all.
    void ClearLastViolation(int target, int single);
    // A custom field label as stored: without one trailing ":".
    static QString StripLabelColon(const QString& label);
    // Stores the labels when any differs, and the views show them; true when
    // they were stored.
    bool ApplyUserTypeLabels(const std::array<QString, kUserTypeLabels>& labels);

    // The settings listing the report views show: its text, heading marks
    // and page starts (operations of ReportOp).
    void BuildSettingsListing();
    void RefreshSettingsListing();
    unsigned PaginateReport(std::uint8_t op, int offset = 0, int page = 0);
    unsigned MarkReportHeadings(std::uint8_t op, int offset = 0, int page = 0);
    void ListGlobalSettings();
    void ListNetworkSettings(CSetVLNetworks& network);
    // With unreadable, why the controller's image did not load: its section
    // says so in place of settings that would be another controller's.
    void ListControllerSettings(CSetVestrels& controller, const QString& unreadable = {});
    // Loads the controller's image for the listing; why it did not load, or empty.
    QString LoadListedControllerImage(const CSetVestrels& controller);
    // The sections of the listing, each appending to the text.
    void ListMemoryStatus();
    void ListNetworksNodesDoors();
    void ListValidationGroups();
    void ListSystemOperators();
    void ListCustomFieldLabels();
    void ListTimeZones();
    void ListDoorSchedules();
    void ListFloorNames();
    void ListTelephoneEntry();
    void ListTimeAndCalendar();
    void ListAntiPassback();
    void ListButtonSchedule();
    void ListFacilityCodes();
    // The blocks of a controller's section, from the loaded controller image.
    QString FormatControllerGeneral(const CSetVestrels& controller);
    QString FormatModemSettings();
    QString FormatPasswords();
    QString FormatRelaySettings(const CSetVestrels& controller);
    QString FormatRemoteDevices();
    QString FormatObstacleTransmitters();
    // n with one thousands comma from 1000 on.
    static QString FormatCount(int n);

    // Stores the report kind and refreshes every view before it returns.
    void SetReportKind(std::int8_t kind);
    std::int8_t GetReportKind() const { return m_nReportKind; }

    // The views that show this installation; a view leaves before it goes.
    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    void UpdateAllViews();

    CVLControllerMemory m_controllerMemory;
    CVLGlobalMemory m_globalMemory;
    int m_bIgnoreCaseDirCodes = 1;
    std::int32_t m_nControllerID = 0;
    QString m_strInstallationFolder;
    QString m_strInstallationName;
    CSetNetCommands m_netCommandsSet;
    CNetCommandQueue m_netQueue;
    std::array<QString, kUserTypeLabels> m_userTypeLabels;
    int m_bInstallationOpen = 0;
    QString m_strEventLogLabel;
    QString m_strEventLogFilter;
    QString m_strSettingsText;
    ReportPages m_reportPages;
    int m_nPendingCommands = 0;
    int m_bDataToProgram = 0;
    std::int8_t m_nReportKind = 0;
    std::array<QString, kValidationGroups> m_doorValGroupNames;
    std::array<QString, kValidationGroups> m_floorValGroupNames;
    int m_bBindFlag = 0;
    int m_bChecksDone = 0;
    // While a CommandStoreTransaction is open: the command files waiting for
    // their one sync. Otherwise each command file is made durable alone.
    DurableFiles* m_commandFiles = nullptr;

    // Deletes the queued rows of these command files in one transaction.
    void RemoveCommandRows(const QStringList& fileNames);

private:
    void ReadInstallationFile();
    // False, shown, when the file could not be written.
    bool WriteInstallationFile() const;
    // Shows that GlobalSettings.dat could not be written; the text, for the
    // task log.
    QString ShowGlobalSettingsWriteError() const;
    bool OpenInstallationData();
    // True when a node of a failed network or a failed node was suspended.
    bool RebuildQueueNodes();
    // Puts the network status in front, so the operator sees the failed nodes.
    static void ShowNetworkStatus();
    void CloseInstallationData();
    bool FindSelectedController();
    bool PrepareControllerImage(const CSetVestrels& controller, std::uint8_t net, DirectoryWorkArea& workArea);
    // A controller whose image cannot be used fails its network: the
    // operator is told, a scheduled run logs the reason, and the data stays
    // to program.
    void FailControllerImage(std::uint8_t net, const QString& reason);
    // What a node's stored commands settle, done once the run's commands
    // are committed.
    using Settlements = std::vector<std::function<void()>>;
    bool ProgramController(CSetVestrels& controller, CBindManager& manager, DirectoryWorkArea& workArea, int force,
                           Settlements& settled);
    QString StoredCommandPath(const QString& fileName) const;
    void RequeryNetCommands();
    // Removes the command files that no queued row names (set-aside ones
    // excepted) and the rows whose file is gone: what a run whose rows went
    // back, a removal that could not be recorded, or a crash left behind.
    void RemoveUnlistedCommandFiles();
    void ClearSettingsListing();
    // Appends the text as a marked heading.
    void AppendReportHeading(const QString& heading);

    // A controller's image was held back by the programming run.
    bool m_imageHeldBack = false;
    QString m_strPathName;
    std::vector<IDocumentView*> m_views;
};
