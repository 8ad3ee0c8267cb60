#include "app/CWFApp.h"

#include "app/AppObjects.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CSingleInstance.h"
#include "app/CWFDoc.h"
#include "app/CommandLine.h"
#include "app/DstChangeNotice.h"
#include "app/InstallationTemplate.h"
#include "app/RunState.h"
#include "app/ShellFileTypes.h"
#include "app/ShellHooks.h"
#include "app/TaskExitStatus.h"
#include "app/TaskLogMessageBoxes.h"
#include "app/TaskSchedulerLog.h"
#include "app/TaskState.h"
#include "app/ViewCommands.h"
#include "common/CLogFile.h"
#include "common/CommandIds.h"
#include "common/ICommControlForm.h"
#include "common/RecordsetWalk.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/InstallationVersion.h"
#include "image/DirectoryIndex.h"
#include "link/NetRunResults.h"
#include "platform/Clock.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/ProgramFolder.h"
#include "platform/WindowMessages.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

CWFApp* g_app = nullptr;

const QString kSetup = QStringLiteral("Setup");
const QString kOptions = QStringLiteral("Options");
const QString kProgramState = QStringLiteral("Program State");
const QString kSettingsSection = QStringLiteral("Settings");
const QString kNetworkStatesSection = QStringLiteral("Network States");
const QString kNodeStatesSection = QStringLiteral("Node States");
const QString kInstallations = QStringLiteral("Installations");
const QString kRecentFileList = QStringLiteral("Recent File List");
const QString kFirstLaunchKey = QStringLiteral("First launch of Wardix");
const QString kDontShowDialogKey = QStringLiteral("Don't show dialog");
const QString kDemoInstallation =
    QStringLiteral("Acme Manufacturing(DEMO)/Acme Manufacturing(DEMO).wfi");

// The highest numbered entry either list can hold.
constexpr int kLastListEntry = 99;

template <typename T>
struct SettingKey
{
    const QString& section;
    const char* key;
    T CColumnWidths::*field;
};

const SettingKey<int> kIntSettings[] = {
    {kSetup, "Selected events", &CColumnWidths::m_selectedEvents},
    {kSetup, "All dates checked", &CColumnWidths::m_allDatesChecked},
    {kSetup, "Selected Vestrels", &CColumnWidths::m_selectedVestrels},
    {kSetup, "The number of the modem selected", &CColumnWidths::m_selectedModem},
    {kSetup, "Wardenfold database version", &CColumnWidths::m_databaseVersion},
    {kSetup, "Wardenfold version", &CColumnWidths::m_programVersion},
    {kSetup, "Monitored events", &CColumnWidths::m_monitoredEvents},
    {kOptions, "Is the length of display 20 characters", &CColumnWidths::m_display20Characters},
    {kSetup, "Disconnect after upload", &CColumnWidths::m_disconnectAfterUpload},
    {kSettingsSection, "SplitterPanePos", &CColumnWidths::m_splitterPanePos},
    {kSetup, "Enable Backup Warning", &CColumnWidths::m_backupWarning},
};

const SettingKey<QString> kStringSettings[] = {
    {kOptions, "Default Locations of Installations data", &CColumnWidths::m_installationsFolder},
    {kOptions, "Default Location of Backups", &CColumnWidths::m_backupsFolder},
    {kSetup, "Event start search date", &CColumnWidths::m_eventStartSearchDate},
    {kSetup, "Event stop search date", &CColumnWidths::m_eventStopSearchDate},
    {kProgramState, "Column Widths", &CColumnWidths::m_columnWidths},
    {kSetup, "Printer Font", &CColumnWidths::m_printerFont},
};

QString NetworkKey(int network)
{
    return QStringLiteral("Network %1").arg(QChar(u'A' + network));
}

void ClearList(const QString& section, const char* keyFormat)
{
    const auto key = [keyFormat](int n) { return QString::asprintf(keyFormat, n); };
    int highest = kLastListEntry;
    while (highest >= 1 && Profile::GetString(section, key(highest)).isEmpty())
        --highest;
    for (int n = highest; n >= 1; --n)
        Profile::WriteString(section, key(n), QString());
}

} // namespace

CWFApp* GetApp()
{
    return g_app;
}

CWFApp::CWFApp() : m_lastUsed(Clock::Current().NowLocal())
{
    g_app = this;
    SetOperatorRights(&m_operators);
    SetProgramLogs(this);
    SetProgressFactory(&m_progressFactory);
}

CWFApp::~CWFApp()
{
    if (g_app != this)
        return;
    g_app = nullptr;
    SetOperatorRights(nullptr);
    SetProgramLogs(nullptr);
    SetProgressFactory(nullptr);
}


void CWFApp::LoadSettings()
{
    const CColumnWidths defaults;
    for (const auto& s : kIntSettings)
        m_settings.*s.field = Profile::GetInt(s.section, QLatin1String(s.key), defaults.*s.field);
    for (const auto& s : kStringSettings)
        m_settings.*s.field = Profile::GetString(s.section, QLatin1String(s.key), defaults.*s.field);
    m_settings.m_firstLaunch = Profile::GetInt(kSetup, kFirstLaunchKey, defaults.m_firstLaunch);

    if (m_settings.m_firstLaunch == 0) {
        m_settings.m_hideStartupDialog = Profile::GetInt(kSetup, kDontShowDialogKey, 0);
    } else if (Profile::GetString(kInstallations, QStringLiteral("Installation 1")).isEmpty()) {
        ClearInstallationLists();
        const QString demo = QDir(m_settings.m_installationsFolder).filePath(kDemoInstallation);
        Profile::WriteString(kRecentFileList, QStringLiteral("File1"), demo);
        Profile::WriteString(kInstallations, QStringLiteral("Installation 1"), demo);
        m_settings.m_hideStartupDialog = 0;
    }

    for (int net = 0; net < kNetworkCount; ++net) {
        const int state = Profile::GetInt(kNetworkStatesSection, NetworkKey(net), 0);
        NetQueueState[net] = static_cast<std::uint8_t>(state);
    }
    for (int net = 0; net < kNetworkCount; ++net) {
        const QString text = Profile::GetString(kNodeStatesSection, NetworkKey(net), QStringLiteral("11111111"));
        for (int node = 0; node < kNodesPerNetwork; ++node) {
            NodeCounters[net][node] = 0;
            const QChar c = node < text.size() ? text[node] : QChar();
            if (c == QLatin1Char('1')) {
                NodeLinkState[net][node] = kNodeStateAnswers;
            } else if (c == QLatin1Char('3')) {
                NodeLinkState[net][node] = kNodeStateFailed;
                NodeReprogramPending[net][node] = 1;
            }
        }
    }
}

void CWFApp::SaveSettings() const
{
    Profile::WriteInt(kSetup, kFirstLaunchKey, 0);
    for (const auto& s : kIntSettings)
        Profile::WriteInt(s.section, QLatin1String(s.key), m_settings.*s.field);
    for (const auto& s : kStringSettings)
        Profile::WriteString(s.section, QLatin1String(s.key), m_settings.*s.field);
    Profile::WriteInt(kSetup, kDontShowDialogKey, m_settings.m_hideStartupDialog);

    for (int net = 0; net < kNetworkCount; ++net)
        Profile::WriteInt(kNetworkStatesSection, NetworkKey(net), NetQueueState[net]);
    for (int net = 0; net < kNetworkCount; ++net) {
        QString text;
        for (std::uint8_t state : NodeLinkState[net]) {
            text += state == kNodeStateAnswers ? QLatin1Char('1')
                    : state == kNodeStateFailed ? QLatin1Char('3')
                                                : QLatin1Char('0');
        }
        Profile::WriteString(kNodeStatesSection, NetworkKey(net), text);
    }
}

void CWFApp::ClearInstallationLists() const
{
    ClearList(kInstallations, "Installation %d");
    ClearRecentFileList();
}

void CWFApp::ClearRecentFileList() const
{
    ClearList(kRecentFileList, "File%d");
}

void CWFApp::OpenLogs()
{
    for (int kind = 0; kind < static_cast<int>(m_logs.size()); ++kind) {
        m_logs[kind] = std::make_unique<CLogFile>();
        m_logs[kind]->Open(kind);
    }
}

void CWFApp::CloseLogs()
{
    for (auto& log : m_logs) {
        if (log)
            log->Close();
    }
}

void CWFApp::LogToFile(int log, const QString& text)
{
    if (log >= 0 && log < static_cast<int>(m_logs.size()) && m_logs[log])
        m_logs[log]->Write(text);
}

namespace {

constexpr double kFirstWardixVersion = 1.0;
constexpr int kRecentFileCount = 4;
// How long a scheduled run waits for a running copy to close.
constexpr int kRunningCopyCloseTimeoutMs = 30000;
// Wakes the event loop so idle calls keep coming while nothing else happens.
constexpr int kIdleKickMs = 100;

const char* const kAlreadyRunningText = "An instance of Wardenfold is already running.";
const char* const kTaskWhileProgrammingText =
    "Tasks started by Task Scheduler is not allowed when an instance of Wardenfold is already running and network "
    "is being programmed.";
const char* const kNoRecentInstallationText = "There is no recent installation to open: the task did not run.";
const char* const kRunningCopyStartingText =
    "Another copy of Wardenfold is still starting (its start-up dialog or login is open): the task did not run.";
const char* const kRunningCopyNotClosingText =
    "Another copy of Wardenfold is running and did not close: the task did not run.";

QString RecentKey(int n)
{
    return QStringLiteral("File%1").arg(n);
}

// The networks whose rows are active, with their hours offsets.
std::vector<NetworkOffset> ActiveNetworkOffsets()
{
    std::vector<NetworkOffset> networks;
    try {
        for (bool row = MoveToFirstRow(g_setVLNetworks); row && !g_setVLNetworks.IsEOF(); g_setVLNetworks.MoveNext()) {
            if (g_setVLNetworks.m_Active)
                networks.push_back({g_setVLNetworks.m_Net, g_setVLNetworks.m_HoursOffset});
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return networks;
}

bool IsProgrammingNetwork()
{
    return QueueBeingCreated || IsNetworkQueueBusy();
}

} // namespace

int CWFApp::Run(const QStringList& arguments)
{
    if (!InitInstance(arguments)) {
        ExitInstance();
        return kExitRefused;
    }
    StartIdleDriver();
    QApplication::exec();
    return ExitInstance();
}

bool CWFApp::InitInstance(const QStringList& arguments)
{
    SkipProfileSave = 0;
    ResetRunState();
    SetTaskMode(TaskMode::None);
    ResetTaskResults();
    bool administrator = true;

    const CommandLineRequest request = ParseCommandLine(arguments);
    if (request.showUsage) {
        ShowUsage();
        return false;
    }
    SetTaskMode(request.mode);
    if (request.mode != TaskMode::None)
        BeginTaskRun(request);

    if (!EnsureFolder(ProgramFolder())) {
        ShowMessageBox(QStringLiteral("Error in retrieving the current directory."));
        return false;
    }
    if (!ClaimSingleInstance())
        return false;
    RegisterShellFileTypes();

    m_doc = std::make_unique<CWFDoc>();
    m_startedUp = true;
    LinkReady = 0;
    LoadSettings();
    // What the program folder must hold is made by the program on its first start.
    InstallationTemplate::EnsureNewInstallationTemplate();
    if (m_settings.m_firstLaunch >= 1)
        InstallationTemplate::EnsureDemoInstallation(m_settings.m_installationsFolder);

    const bool interactive = request.mode == TaskMode::None;
    if (interactive && (m_settings.m_firstLaunch >= 1 || m_settings.m_hideStartupDialog == 0) &&
        Hooks().startupDialog)
        Hooks().startupDialog();
    LoadRecentFileList();

    if (interactive && Hooks().login) {
        const std::optional<bool> login = Hooks().login();
        if (!login)
            return false;
        administrator = *login;
    }
    if (!QFileInfo::exists(ProgramFolder() + QStringLiteral("/Operators.ini")) || m_operators.IsAdministrator())
        administrator = true;

    m_mainFrame = std::make_unique<CMainFrame>();
    if (!m_mainFrame->IsCreated())
        return false;
    ReadMostRecentFileTime();
    if (!OpenStartupInstallation(request))
        return false;

    m_mainFrame->SetAdministrator(administrator ? 1 : 0);
    m_mainFrame->ActivateFrame(request.minimised ? WindowPlacement::kShowMinimized : CMainFrame::kShowDefault);
    ShowFirstView();

    if (Hooks().createLinkObjects)
        Hooks().createLinkObjects();
    LinkReady = 1;

    if (!interactive) {
        // A box on the way may already have started the log under the name asked for.
        if (!m_taskLogStarted)
            m_taskInstallationName = m_doc->m_strInstallationName;
        if (!WriteTaskLogStart())
            return false;
    }
    if (interactive && m_settings.m_backupWarning == 1 && m_settings.m_firstLaunch == 0 &&
        m_doc->GetPendingCommandCount() == 0 && Hooks().backupReminder)
        Hooks().backupReminder();
    OpenLogs();
    if (interactive)
        CheckDaylightSavingChange(true);
    m_initialised = true;
    return true;
}

bool CWFApp::ClaimSingleInstance()
{
    m_singleInstance = std::make_unique<CSingleInstance>(ProgramFolder());
    if (!m_singleInstance->TryAcquire()) {
        if (CurrentTaskMode() == TaskMode::None) {
            ShowMessageBox(QString::fromLatin1(kAlreadyRunningText), MbButtons::Ok, MbIcon::Exclamation,
                           QString::fromLatin1(kStartupBoxTitle));
            return false;
        }
        switch (m_singleInstance->AskRunningCopyToClose(kRunningCopyCloseTimeoutMs)) {
        case CSingleInstance::CloseResult::Programming:
            ShowMessageBox(QString::fromLatin1(kTaskWhileProgrammingText), MbButtons::Ok, MbIcon::Exclamation,
                           QString::fromLatin1(kStartupBoxTitle));
            return false;
        case CSingleInstance::CloseResult::Starting:
            ShowMessageBox(QString::fromLatin1(kRunningCopyStartingText), MbButtons::Ok, MbIcon::Exclamation,
                           QString::fromLatin1(kStartupBoxTitle));
            return false;
        case CSingleInstance::CloseResult::NotAnswering:
            ShowMessageBox(QString::fromLatin1(kRunningCopyNotClosingText), MbButtons::Ok, MbIcon::Exclamation,
                           QString::fromLatin1(kStartupBoxTitle));
            return false;
        case CSingleInstance::CloseResult::Closed:
            break;
        }
    }
    m_singleInstance->Listen(IsProgrammingNetwork, [] {
        QObject* mainWindow = GetMainWindow();
        if (mainWindow)
            PostAppMessage(mainWindow, Msg::WM_CLOSE);
        return mainWindow != nullptr;
    });
    return true;
}

bool CWFApp::OpenStartupInstallation(const CommandLineRequest& request)
{
    if (request.mode == TaskMode::Update && !request.explicitSwitch)
        return OpenNamedInstallation(request.installationName);
    if (!request.openFile.isEmpty())
        return OpenStartupFile(QFileInfo(request.openFile).absoluteFilePath(), false);
    return OpenMostRecentInstallation();
}

bool CWFApp::OpenNamedInstallation(const QString& name)
{
    const QString folder = ProgramFolder() + QStringLiteral("/Installations");
    QString path = ResolveNamedInstallation(folder, name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        if (path.isEmpty())
            path = folder + QLatin1Char('/') + name;
        MessageBoxFormat(QStringLiteral("The installation file does not exist at:\n\n%s"), QDir::toNativeSeparators(path));
        return false;
    }
    return OpenDocumentFile(path);
}

bool CWFApp::OpenMostRecentInstallation()
{
    return OpenStartupFile(Profile::GetString(QStringLiteral("Recent File List"), RecentKey(1)), true);
}

bool CWFApp::OpenStartupFile(const QString& file, bool mostRecent)
{
    const auto askForInstallation = [this, &file]() -> bool {
        // Nobody is there to choose in a scheduled run.
        if (CurrentTaskMode() != TaskMode::None) {
            if (file.isEmpty())
                ShowMessageBox(QString::fromLatin1(kNoRecentInstallationText), MbButtons::Ok, MbIcon::Exclamation);
            return false;
        }
        const QString chosen = Hooks().openInstallationDialog ? Hooks().openInstallationDialog() : QString();
        return !chosen.isEmpty() && OpenDocumentFile(chosen);
    };
    if (file.isEmpty())
        return askForInstallation();
    // A missing file would read as version 0 and be taken for an old installation.
    if (!QFileInfo(file).isFile()) {
        MessageBoxFormat(QStringLiteral("Wardenfold cannot locate %s or there is a problem accessing it.If you have "
                                        "chosen the correct file and it cannot be accessed,you will need to open "
                                        "your most recent backup file."),
                         file);
        return askForInstallation();
    }
    if (ReadInstallationVersion(file) < kFirstWardixVersion) {
        ShowMessageBox(QStringLiteral("%1\n\nPath: %2\n\n%3\n\n%4\n\n%5")
                           .arg(QStringLiteral("The installation you are trying to open was created with a version "
                                               "of Wardenfold prior to Wardix."),
                                file, QStringLiteral("Wardix will now close."),
                                QStringLiteral("The Convert Wizard can be used to make this installation compatible "
                                               "with Wardix."),
                                QStringLiteral("The Convert Wizard is found with the Wardenfold programs in the "
                                               "applications menu.")),
                       MbButtons::Ok, MbIcon::Exclamation);
        // Only the recent list's own entry is refused from it.
        if (mostRecent) {
            ClearRecentFileList();
            m_recentFiles.clear();
        }
        SkipProfileSave = 1;
        return false;
    }
    return OpenDocumentFile(file);
}

bool CWFApp::OpenDocumentFile(const QString& path)
{
    if (!m_doc)
        return false;
    if (!m_doc->OnOpenDocument(path))
        return false;
    if (m_mainFrame)
        m_mainFrame->RefreshCaption();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > kRecentFileCount)
        m_recentFiles.removeLast();
    return true;
}

void CWFApp::OnOpenFailed(const QString& failedFolder, const QString& failedPath, const QString& previousPath)
{
    // Only an opening at start-up keeps the profile as it was.
    SkipProfileSave = 0;
    if (!previousPath.isEmpty() && QFileInfo(previousPath).absoluteFilePath() != failedPath) {
        MessageBoxFormat(QString::fromLatin1(kUnableToOpenReopenText), failedFolder);
        // Should this fail too, it comes back here with nothing open before, and the program closes.
        if (m_doc->OnOpenDocument(previousPath) && m_mainFrame)
            m_mainFrame->RefreshCaption();
        return;
    }
    MessageBoxFormat(QString::fromLatin1(kUnableToOpenCloseText), failedFolder);
    if (m_mainFrame) {
        m_mainFrame->setWindowTitle(QStringLiteral("Wardix"));
        PostAppMessage(m_mainFrame.get(), Msg::WM_CLOSE);
    }
}

double CWFApp::ReadInstallationVersion(const QString& path)
{
    return ::ReadInstallationVersion(path);
}

void CWFApp::ReadMostRecentFileTime()
{
    const QString file = Profile::GetString(QStringLiteral("Recent File List"), RecentKey(1));
    const QFileInfo info(file);
    if (!file.isEmpty() && info.isFile())
        m_lastUsed = info.lastModified();
}

void CWFApp::ShowFirstView()
{
    unsigned command = HasControllers ? CommandId::CardholdersView : CommandId::NetworkView;
    if (TaskModeUpdate || TaskModeBackup)
        command = CommandId::NavigationView;
    SendAppMessage(m_mainFrame.get(), Msg::WM_COMMAND, command);
}

void CWFApp::BeginTaskRun(const CommandLineRequest& request)
{
    // Until an installation is open the log names what the run was asked for.
    m_taskInstallationName = request.installationName;
    if (m_taskInstallationName.isEmpty())
        m_taskInstallationName = Profile::GetString(QStringLiteral("Recent File List"), RecentKey(1));
    if (m_taskInstallationName.isEmpty())
        m_taskInstallationName = request.parameter;
    m_taskLogStarted = false;
    m_taskBoxes = std::make_unique<TaskLogMessageBoxes>([this](const QString& line) { WriteTaskLogLine(line); });
}

bool CWFApp::WriteTaskLogStart()
{
    if (m_taskLogStarted)
        return true;
    const QString line =
        TaskSchedulerLog::StartLine(CurrentTaskMode(), Clock::Current().NowLocal(), m_taskInstallationName);
    m_taskLogStarted = TaskSchedulerLog::WriteStart(TaskSchedulerLog::FilePath(), line);
    return m_taskLogStarted;
}

void CWFApp::WriteTaskLogLine(const QString& line)
{
    if (WriteTaskLogStart())
        TaskSchedulerLog::Append(TaskSchedulerLog::FilePath(), QLatin1Char('\n') + line);
}

void CWFApp::StartIdleDriver()
{
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     [this] { OnIdle(); });
    m_idleKick.setInterval(kIdleKickMs);
    QObject::connect(&m_idleKick, &QTimer::timeout, [this] {
        if (m_mainFrame)
            m_mainFrame->UpdateCommandUI();
    });
    m_idleKick.start();
}

void CWFApp::OnIdle()
{
    m_taskDriver.OnIdle(m_mainFrame.get());
}

int CWFApp::ExitInstance()
{
    const TaskMode mode = CurrentTaskMode();
    // What the run left undone fails its networks before anything reads their results.
    if ((mode == TaskMode::Update || mode == TaskMode::SetTime) && m_doc)
        NetRunResults::Settle(m_doc->m_netQueue, *m_doc);
    // Taken before closing the installation clears the run's step states; the
    // results decide, whether or not the task log can take them.
    const int status = TaskExitStatus();
    const QString taskLog = TaskSchedulerLog::FilePath();
    // A run that ended before its start line still says what it was for.
    const bool logged = mode != TaskMode::None && WriteTaskLogStart();
    // Closing the installation clears the networks' reasons.
    const std::array<int, kTaskNetworkCount> netResults = NetTaskResult;
    const TaskSchedulerLog::NetReasonLines reasons = TaskSchedulerLog::NetReasons();
    const TaskSchedulerLog::NetReasonLines notes = TaskSchedulerLog::NetNotes();
    if (m_startedUp) {
        if (m_doc)
            m_doc->OnCloseDocument();
        if (!SkipProfileSave) {
            SaveSettings();
            SaveRecentFileList();
        }
        if (Hooks().deleteLinkObjects)
            Hooks().deleteLinkObjects();
        LinkReady = 0;
    }
    // Closing the installation and saving the settings write files too: a
    // scheduled run that could not write one has failed, and its result
    // lines, written after them, say so.
    if (Profile::HasFailedWrite())
        NoteTaskFailure();
    if (logged)
        TaskSchedulerLog::Append(taskLog, TaskSchedulerLog::ResultLines(mode, netResults, TaskBackupResult, reasons,
                                                                        TaskRunFailed != 0, notes));
    if (mode != TaskMode::None)
        TaskSchedulerLog::Append(taskLog, TaskSchedulerLog::EndLine(mode, Clock::Current().NowLocal(),
                                                                     m_taskInstallationName));
    m_startedUp = false;
    m_taskBoxes.reset();
    CloseLogs();
    if (mode != TaskMode::None && TaskRunFailed)
        return kExitTaskFailed;
    return status;
}

void CWFApp::ResetRunState()
{
    for (auto& row : NodeReprogramPending)
        row.fill(0);
    for (auto& row : NodeCounters)
        row.fill(0);
    ClearPendingNodeRequest();
    m_taskDriver.Reset();
    TaskStepProgram = kStepNotStarted;
    TaskStepSend = kStepNotStarted;
    TaskStepEventLogs = kStepNotStarted;
    HasControllers = 0;
    QueueBeingCreated = 0;
    TestMode = 0;
    ResetLinkRunState();
    g_nDirectoryPages = 0;
    if (Hooks().resetLinkRunState)
        Hooks().resetLinkRunState();
}

void CWFApp::CheckDaylightSavingChange(bool atStartup)
{
    const Clock& clock = Clock::Current();
    const std::vector<NetworkOffset> networks = ActiveNetworkOffsets();
    const bool changed = atStartup ? m_dstWatch.CheckAtStartup(networks, clock.NowUtc(), m_lastUsed, clock.TimeZone())
                                   : m_dstWatch.CheckOnTick(networks, clock.NowUtc(), clock.TimeZone());
    if (!changed)
        return;
    QueueSetTimeForAllNetworks();
    const ICommControlForm* form = GetCommControlForm();
    ShowDstChangeNotice(atStartup, form && form->IsConnected());
}

void CWFApp::QueueSetTimeForAllNetworks()
{
    if (m_doc)
        m_doc->m_netQueue.QueueSetTimeForAllNetworks();
    if (ICommControlForm* form = GetCommControlForm())
        form->ServiceQueue();
}

void CWFApp::ShowUsage()
{
    ShowMessageBox(UsageText(), MbButtons::Ok, MbIcon::Exclamation);
}

void CWFApp::LoadRecentFileList()
{
    m_recentFiles.clear();
    for (int n = 1; n <= kRecentFileCount; ++n) {
        const QString file = Profile::GetString(QStringLiteral("Recent File List"), RecentKey(n));
        if (!file.isEmpty())
            m_recentFiles << file;
    }
}

void CWFApp::SaveRecentFileList() const
{
    for (int n = 1; n <= kRecentFileCount; ++n)
        Profile::WriteString(QStringLiteral("Recent File List"), RecentKey(n), m_recentFiles.value(n - 1));
}

bool CWFApp::HandlesCommand(unsigned command) const
{
    if (command == CommandId::AppAbout || command == CommandId::FilePrintSetup)
        return true;
    if (command == CommandId::FileNew)
        return Hooks().commands.count(CommandId::FileNew) != 0;
    if (command == CommandId::FileOpen)
        return static_cast<bool>(Hooks().installationsDialog);
    if (command >= CommandId::FileMruFirst && command <= CommandId::FileMruLast)
        return static_cast<qsizetype>(command - CommandId::FileMruFirst) < m_recentFiles.size();
    return false;
}

void CWFApp::OnCommand(unsigned command)
{
    if (command == CommandId::AppAbout)
        OnAppAbout();
    else if (command == CommandId::FilePrintSetup)
        OnFilePrintSetup();
    else if (command == CommandId::FileNew)
        OnFileNew();
    else if (command == CommandId::FileOpen)
        OnFileOpen();
    else if (command >= CommandId::FileMruFirst && command <= CommandId::FileMruLast)
        OnOpenRecentFile(command);
}

void CWFApp::OnFileNew()
{
    TaskTargetWindow = nullptr;
    Hooks().commands.at(CommandId::FileNew)();
    // The communication form lives on across documents; it serves the new one too.
    TaskTargetWindow = dynamic_cast<QObject*>(GetCommControlForm());
}

void CWFApp::OnFileOpen()
{
    if (!GoOfflineForCommand(true, true))
        return;
    const QString chosen = Hooks().installationsDialog();
    if (chosen.isEmpty())
        return;
    ResetNetworkAndNodeStates();
    OpenDocumentFile(chosen);
    SendAppMessage(GetMainWindow(), Msg::WM_COMMAND, CommandId::NavigationView);
}

bool CWFApp::OnOpenRecentFile(unsigned command)
{
    const qsizetype index = command - CommandId::FileMruFirst;
    if (index < 0 || index >= m_recentFiles.size())
        return false;
    if (IsNetworkQueueBusy()) {
        ShowMessageBox(QStringLiteral("You cannot open another installation file while the network is being programmed."));
        return false;
    }
    if (!GoOfflineForCommand(true, false))
        return false;
    const QString file = m_recentFiles[index];
    SendAppMessage(GetMainWindow(), Msg::WM_COMMAND, CommandId::NavigationView);
    ResetNetworkAndNodeStates();
    return OpenDocumentFile(file);
}

void CWFApp::ResetNetworkAndNodeStates()
{
    NetQueueState.fill(kNodeStateUnknown);
    for (auto& row : NodeCounters)
        row.fill(0);
    for (auto& row : NodeLinkState)
        row.fill(kNodeStateAnswers);
}

QString CWFApp::GetProgramDateStamp() const
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    if (!program.isFile()) {
        ShowMessageBox(QStringLiteral("%1\n\n%2\n\n%3")
                           .arg(QStringLiteral("Problem getting the date-stamp for Wardix."),
                                QStringLiteral("Unable to access the file at:"), program.filePath()));
        return QString();
    }
    const QDateTime t = program.lastModified();
    return QString::asprintf("%d-%d-%d  %02d:%02d", t.date().month(), t.date().day(), t.date().year(),
                             t.time().hour(), t.time().minute());
}

void CWFApp::OnFilePrintSetup()
{
    m_printSetup.Run(m_mainFrame.get());
}

void CWFApp::OnAppAbout()
{
    CAboutDlg dialog(GetProgramDateStamp(), m_mainFrame.get());
    dialog.exec();
}
