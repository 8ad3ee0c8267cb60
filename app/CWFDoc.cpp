#include "app/CWFDoc.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/RunState.h"
#include "app/TaskState.h"
#include "common/ICommControlForm.h"
#include "common/RecordsetWalk.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/InstallationDatabases.h"
#include "image/NetworkPasswords.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/PrivateProfile.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

namespace {

const QString kSettingsSection = QStringLiteral("Installation Settings");
const QString kDataToProgramKey = QStringLiteral("Data To Program To Network");
const QString kNameKey = QStringLiteral("Installation Name");
const QString kIgnoreCaseKey = QStringLiteral("Ignore Case for Directory Codes");
constexpr int kMaxKeyText = 49;
constexpr int kMasterNode = 1;

QString LabelKey(int i)
{
    return QStringLiteral("UserTypeLabel%1").arg(i + 1);
}

// Names of a validation-group table, row by row from the first.
void ReadGroupNames(CSetDoorValGroup& set, std::array<QString, CWFDoc::kValidationGroups>& names)
{
    // Groups beyond a short table have no name, not the last one read.
    names.fill(QString());
    if (!MoveToFirstRow(set))
        return;
    for (std::size_t i = 0; i < names.size() && !set.IsEOF(); ++i, set.MoveNext())
        names[i] = set.m_Name;
}

// Writes each differing name; with ask, only those the operator agrees to.
bool WriteGroupNames(CSetDoorValGroup& set, const std::array<QString, CWFDoc::kValidationGroups>& names, bool ask)
{
    bool written = false;
    if (!MoveToFirstRow(set))
        return false;
    for (std::size_t i = 0; i < names.size() && !set.IsEOF(); ++i, set.MoveNext()) {
        if (set.m_Name == names[i])
            continue;
        if (ask && ShowMessageBox(QStringLiteral("The name for validation group %1 has changed\nSave the changes?").arg(i),
                                  MbButtons::YesNo, MbIcon::Question) != IDYES)
            continue;
        set.Edit();
        set.m_Name = names[i];
        set.Update();
        written = true;
    }
    return written;
}

} // namespace

CWFDoc::CWFDoc()
    : m_netQueue(this)
{
    SkipProfileSave = 0;
    SetInstallationDoc(this);
}

CWFDoc::~CWFDoc()
{
    if (m_bInstallationOpen)
        CloseInstallationData();
    if (GetInstallationDoc() == this)
        SetInstallationDoc(nullptr);
}

QString CWFDoc::BuildPath(int kind, const QString& name) const
{
    return BuildPath(kind, name, m_strInstallationFolder);
}

void CWFDoc::CreateInstallationFolders() const
{
    for (int kind : {kNetCommands, kVestrels, kLastProgrammed, kEventLogs, kInstallationDatabase})
        EnsureFolder(BuildPath(kind, QString()));
}

bool CWFDoc::OnOpenDocument(const QString& path)
{
    const QString previous = m_bInstallationOpen ? m_strPathName : QString();
    if (m_bInstallationOpen) {
        OnSaveDocument(m_strPathName);
        OpenInstallation(false);
        m_bInstallationOpen = 0;
    }
    // Each open starts afresh: a refusal of an earlier one must not turn this into a close.
    SkipProfileSave = 0;
    const QFileInfo file(path);
    m_strPathName = file.absoluteFilePath();
    m_strInstallationFolder = file.absolutePath();
    if (file.isFile()) {
        CreateInstallationFolders();
        m_bChecksDone = 0;
        OpenInstallation(true);
    } else {
        SkipProfileSave = 1;
    }
    if (SkipProfileSave) {
        AbandonOpening(previous);
        return false;
    }
    m_bInstallationOpen = 1;
    if (ICommControlForm* form = GetCommControlForm())
        form->RefreshAfterOpen();
    return true;
}

void CWFDoc::AbandonOpening(const QString& previousPath)
{
    const QString folder = m_strInstallationFolder;
    const QString failedPath = m_strPathName;
    CloseInstallationData();
    m_bInstallationOpen = 0;
    m_netQueue.RemoveAllNodes();
    m_nPendingCommands = 0;
    HasControllers = 0;
    m_strPathName.clear();
    m_strInstallationFolder.clear();
    m_strInstallationName.clear();
    if (CWFApp* app = GetApp(); app && app->IsInitialised()) {
        app->OnOpenFailed(folder, failedPath, previousPath);
    } else {
        MessageBoxFormat(QString::fromLatin1(kUnableToOpenCloseText), folder);
        if (app)
            app->ClearRecentFileList();
    }
}

bool CWFDoc::OnSaveDocument(const QString&)
{
    OpenInstallation(false);
    // Before the reopen, which sets again what the reset clears (HasControllers).
    if (CWFApp* app = GetApp())
        app->ResetRunState();
    OpenInstallation(true);
    return !SkipProfileSave;
}

void CWFDoc::OnCloseDocument()
{
    if (!m_bInstallationOpen)
        return;
    OnSaveDocument(m_strPathName);
    OpenInstallation(false);
    m_bInstallationOpen = 0;
}

void CWFDoc::OpenInstallation(bool open)
{
    g_bDatabasesClosed = false;
    ClearPendingNodeRequest();
    if (open && !SkipProfileSave) {
        ReadInstallationFile();
        if (!OpenInstallationData()) {
            SkipProfileSave = 1;
            return;
        }
        if (RebuildQueueNodes())
            ShowNetworkStatus();
        ResyncPendingCount();
        return;
    }
    CloseInstallationData();
    WriteInstallationFile();
}

bool CWFDoc::OpenInstallationData()
{
    if (!m_bChecksDone) {
        m_bChecksDone = 1;
        if (!CheckInstallationCompatibility())
            return false;
    }
    return CheckNetCommandsDatabase() && OpenInstallationDatabases(BuildPath(kInstallation, QStringLiteral("Database")))
           && ExchangeGlobalSettings(true, true);
}

void CWFDoc::CloseInstallationData()
{
    m_netCommandsSet.Close();
    CloseInstallationDatabases();
}

bool CWFDoc::RebuildQueueNodes()
{
    bool suspended = false;
    m_netQueue.RemoveAllNodes();
    HasControllers = 0;
    try {
        for (bool row = MoveToFirstRow(g_setVestrels); row && !g_setVestrels.IsEOF(); g_setVestrels.MoveNext()) {
            HasControllers = 1;
            m_netQueue.AddNode(g_setVestrels);
            const int net = g_setVestrels.m_NetAddress;
            if (!IsNodeInRange(net, g_setVestrels.m_NodeAddress))
                continue;
            const bool networkSilent = NetQueueState[net - 1] == kNetworkStateNoAnswer;
            for (int node = 1; node <= kNodesPerNetwork; ++node) {
                CNetQueueNode* entry = m_netQueue.GetNode(net, node);
                if (!entry)
                    continue;
                std::uint8_t& state = NodeLinkState[net - 1][node - 1];
                if (networkSilent || state == kNodeStateFailed) {
                    suspended = entry->SetState(CNetQueueNode::Suspended) != 0 || suspended;
                    NodeTimedOut[net - 1][node - 1] = 1;
                    state = kNodeStateFailed;
                    NodeReprogramPending[net - 1][node - 1] = 1;
                } else if (state == kNodeStateAnswers) {
                    entry->SetState(CNetQueueNode::InService);
                }
            }
            if (g_setVestrels.m_NodeAddress == kMasterNode)
                LoadNetworkPasswords(net);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
    }
    return suspended;
}

void CWFDoc::ShowNetworkStatus()
{
    if (auto* frame = qobject_cast<CMainFrame*>(GetMainWindow()))
        frame->ShowNetworkStatusPanes();
}

void CWFDoc::ReadInstallationFile()
{
    for (int i = 0; i < kUserTypeLabels; ++i)
        m_userTypeLabels[i] =
            PrivateProfile::GetString(kSettingsSection, LabelKey(i), QString(), m_strPathName).left(kMaxKeyText);
    m_bDataToProgram = PrivateProfile::GetInt(kSettingsSection, kDataToProgramKey, 1, m_strPathName);
    m_strInstallationName =
        PrivateProfile::GetString(kSettingsSection, kNameKey, m_strPathName, m_strPathName).left(kMaxKeyText);
    m_bIgnoreCaseDirCodes = PrivateProfile::GetInt(kSettingsSection, kIgnoreCaseKey, 1, m_strPathName);
}

bool CWFDoc::WriteInstallationFile() const
{
    if (m_strPathName.isEmpty())
        return true;
    std::vector<PrivateProfile::Entry> entries;
    for (int i = 0; i < kUserTypeLabels; ++i)
        entries.push_back({kSettingsSection, LabelKey(i), m_userTypeLabels[i]});
    entries.push_back({kSettingsSection, kDataToProgramKey, QString::number(m_bDataToProgram ? 1 : 0)});
    entries.push_back({kSettingsSection, kIgnoreCaseKey, m_bIgnoreCaseDirCodes ? QStringLiteral("1") : QStringLiteral("0")});
    if (PrivateProfile::WriteStrings(entries, m_strPathName))
        return true;
    ShowMessageBox(QStringLiteral("Error writing installation settings to file: %1").arg(m_strPathName));
    NoteTaskFailure();
    return false;
}

QString CWFDoc::ShowGlobalSettingsWriteError() const
{
    const QString text = QStringLiteral("Error writing to the settings file %1.")
                             .arg(BuildPath(kVestrels, QString::fromLatin1(kGlobalSettingsFile)));
    ShowMessageBox(text);
    return text;
}

bool CWFDoc::ExchangeGlobalSettings(bool load, bool ask)
{
    if (SkipProfileSave)
        return false;
    try {
        if (load) {
            const QString path = BuildPath(kVestrels, QString::fromLatin1(kGlobalSettingsFile));
            if (!m_globalMemory.LoadGlobalSettings(BuildPath(kVestrels, QString()))) {
                ShowMessageBox(QStringLiteral("Cannot locate %1\n\n%2").arg(path, QStringLiteral("Exit Wardix and check your installation.")),
                               MbButtons::Ok, MbIcon::Exclamation);
                return false;
            }
            m_globalMemory.File().close();
            // The image in memory is whole; only the file stays short.
            if (NetworkPasswords::ConsumeShortFileFlag() && !m_globalMemory.SaveFile()) {
                ShowGlobalSettingsWriteError();
                NoteTaskFailure();
            }
            ReadGroupNames(g_setDoorValGroup, m_doorValGroupNames);
            ReadGroupNames(g_setFloorValGroup, m_floorValGroupNames);
        } else {
            if (CheckSettingsChanges(ask))
                MarkDataToProgram();
            SaveSettingsChanges();
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
    }
    return true;
}

bool CWFDoc::CheckSettingsChanges(bool ask)
{
    const bool imageChanged = m_globalMemory.CheckSettingsChanged(ask ? 1 : 0) != 0;
    const bool doorNames = WriteGroupNames(g_setDoorValGroup, m_doorValGroupNames, ask);
    const bool floorNames = WriteGroupNames(g_setFloorValGroup, m_floorValGroupNames, ask);
    return imageChanged || doorNames || floorNames;
}

void CWFDoc::SaveSettingsChanges()
{
    if (!m_globalMemory.SaveFile())
        ShowMessageBox(QStringLiteral("File Error"), MbButtons::Ok, MbIcon::Exclamation);
    WriteGroupNames(g_setDoorValGroup, m_doorValGroupNames, false);
    WriteGroupNames(g_setFloorValGroup, m_floorValGroupNames, false);
}

void CWFDoc::LoadNetworkPasswords(int net)
{
    // An image of its own: an editor may be holding m_controllerMemory.
    // A name that is not plain is refused when the image is edited or programmed.
    const QString path = ControllerFilePath(kVestrels, g_setVestrels);
    if (path.isEmpty())
        return;
    CVLControllerMemory image;
    image.SetNetworkOverride(static_cast<std::uint8_t>(net));
    if (!image.LoadFile(path, 0, 0, {}))
        return;
    image.File().close();
    RemotePassword remote{};
    PriorityPassword priority{};
    image.GetLoadedPasswords(remote, priority);
    NetworkPasswords::Store(net, remote, priority);
}
