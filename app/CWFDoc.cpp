#include "app/CWFDoc.h"

#include "app/AppObjects.h"
#include "app/CWFApp.h"
#include "app/RunState.h"
#include "app/SharedHelpers.h"
#include "platform/PrivateProfile.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

namespace {

struct PathRule
{
    bool inInstallation;
    const char* subFolder;
};

// Indexed by PathKind; the reflasher is handled apart.
constexpr PathRule kPathRules[] = {
    {false, "Installations"},
    {false, nullptr},
    {true, nullptr},
    {true, "NetCommands"},
    {true, "Vestrels"},
    {true, "Last Programmed On Net"},
    {true, "Event Logs"},
    {true, "Database"},
    {false, "New Installation"},
    {false, "HTML"},
    {true, "Backups"},
    {false, "Database"},
    {true, "Vestrels"},
};

const QString kSettingsSection = QStringLiteral("Installation Settings");
const QString kDataToProgramKey = QStringLiteral("Data To Program To Network");
const QString kNameKey = QStringLiteral("Installation Name");
const QString kIgnoreCaseKey = QStringLiteral("Ignore Case for Directory Codes");
constexpr int kMaxKeyText = 49;

QString LabelKey(int i)
{
    return QStringLiteral("UserTypeLabel%1").arg(i + 1);
}

} // namespace

CWFDoc::CWFDoc()
{
    SkipProfileSave = 0;
    SetInstallationDoc(this);
}

CWFDoc::~CWFDoc()
{
    if (GetInstallationDoc() == this)
        SetInstallationDoc(nullptr);
}

QString CWFDoc::BuildPath(int kind, const QString& name, const QString& installationFolder)
{
    if (kind == kReflasher)
        return ProgramFolder() + QStringLiteral("/Reflashers/Reflasher.exe");
    if (kind < 0 || kind >= static_cast<int>(std::size(kPathRules)))
        return QString();
    const PathRule& rule = kPathRules[kind];
    QString path = rule.inInstallation ? installationFolder : ProgramFolder();
    if (rule.subFolder)
        path += QLatin1Char('/') + QLatin1String(rule.subFolder);
    return path + QLatin1Char('/') + name;
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
    if (m_bInstallationOpen) {
        OnSaveDocument(m_strPathName);
        OpenInstallation(false);
        m_bInstallationOpen = 0;
    }
    const QFileInfo file(path);
    if (!file.isFile())
        return false;
    m_strPathName = file.absoluteFilePath();
    m_strInstallationFolder = file.absolutePath();
    CreateInstallationFolders();
    m_bChecksDone = 0;
    OpenInstallation(true);
    if (SkipProfileSave) {
        MessageBoxFormat(QStringLiteral("Unable to open %s.\n\nWardix will close."), m_strInstallationFolder);
        if (CWFApp* app = GetApp())
            app->ClearRecentFileList();
        return false;
    }
    m_bInstallationOpen = 1;
    return true;
}

bool CWFDoc::OnSaveDocument(const QString&)
{
    OpenInstallation(false);
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
    ClearPendingNodeRequest();
    if (open && !SkipProfileSave) {
        ReadInstallationFile();
        return;
    }
    WriteInstallationFile();
}

void CWFDoc::ReadInstallationFile()
{
    for (int i = 0; i < static_cast<int>(m_userTypeLabels.size()); ++i)
        m_userTypeLabels[i] = PrivateProfile::GetString(kSettingsSection, LabelKey(i), QString(), m_strPathName).left(kMaxKeyText);
    m_bDataToProgram = PrivateProfile::GetInt(kSettingsSection, kDataToProgramKey, 1, m_strPathName);
    m_strInstallationName = PrivateProfile::GetString(kSettingsSection, kNameKey, m_strPathName, m_strPathName).left(kMaxKeyText);
    m_bIgnoreCaseDirCodes = PrivateProfile::GetInt(kSettingsSection, kIgnoreCaseKey, 1, m_strPathName);
}

void CWFDoc::WriteInstallationFile() const
{
    if (m_strPathName.isEmpty())
        return;
    for (int i = 0; i < static_cast<int>(m_userTypeLabels.size()); ++i)
        PrivateProfile::WriteString(kSettingsSection, LabelKey(i), m_userTypeLabels[i], m_strPathName);
    PrivateProfile::WriteString(kSettingsSection, kDataToProgramKey, QString::number(m_bDataToProgram ? 1 : 0),
                                m_strPathName);
    PrivateProfile::WriteString(kSettingsSection, kIgnoreCaseKey, m_bIgnoreCaseDirCodes ? QStringLiteral("1") : QStringLiteral("0"),
                                m_strPathName);
}
