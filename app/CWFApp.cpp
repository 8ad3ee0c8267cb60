#include "app/CWFApp.h"

#include "app/CLogFile.h"
#include "app/RunState.h"
#include "platform/Profile.h"

#include <QDir>

#include <cstdio>

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

CWFApp::CWFApp()
{
    g_app = this;
}

CWFApp::~CWFApp()
{
    if (g_app == this)
        g_app = nullptr;
}

int CWFApp::Run(const QStringList&)
{
    std::puts("Wardix: the main window is not built yet; this build keeps its settings and "
              "vocabulary and runs its tests.");
    return 0;
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
        NetworkStates[net] = static_cast<std::uint8_t>(state);
    }
    for (int net = 0; net < kNetworkCount; ++net) {
        const QString text = Profile::GetString(kNodeStatesSection, NetworkKey(net), QStringLiteral("11111111"));
        for (int node = 0; node < kNodesPerNetwork; ++node) {
            NodeCounters[net][node] = 0;
            const QChar c = node < text.size() ? text[node] : QChar();
            if (c == QLatin1Char('1')) {
                NodeStates[net][node] = kNodeStateAnswers;
            } else if (c == QLatin1Char('3')) {
                NodeStates[net][node] = kNodeStateFailed;
                NodeFailureMarks[net][node] = 1;
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
        Profile::WriteInt(kNetworkStatesSection, NetworkKey(net), NetworkStates[net]);
    for (int net = 0; net < kNetworkCount; ++net) {
        QString text;
        for (std::uint8_t state : NodeStates[net]) {
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
