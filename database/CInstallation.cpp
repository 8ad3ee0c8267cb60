#include "database/CInstallation.h"

#include "common/IInstallationDocument.h"
#include "common/ProgramObjects.h"
#include "database/FileTimeText.h"
#include "database/FolderCopy.h"
#include "database/InstallationVersion.h"
#include "platform/MessageBox.h"
#include "platform/PrivateProfile.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kInstallationsSection = QStringLiteral("Installations");
const QString kSettingsSection = QStringLiteral("Installation Settings");
const QString kNameKey = QStringLiteral("Installation Name");
const QString kExtension = QStringLiteral(".wfi");
// The name was read into a buffer of 50 characters.
constexpr int kMaxNameLength = 49;
constexpr double kFirstWardixVersion = 1.0;

} // namespace

CInstallation::CInstallation() = default;

CInstallation::CInstallation(int slot)
    : m_nSlot(slot), m_strPath(Profile::GetString(kInstallationsSection, ProfileKey(slot)))
{
}

CInstallation::CInstallation(const QString& path, int slot) : m_nSlot(slot), m_strPath(path)
{
}

CInstallation::~CInstallation() = default;

QString CInstallation::ProfileKey(int slot)
{
    return QStringLiteral("Installation %1").arg(slot);
}

bool CInstallation::Load()
{
    if (m_strPath.isEmpty() || !QFileInfo(m_strPath).isFile()) {
        if (!m_strPath.isEmpty())
            m_strName = m_strPath;
        return false;
    }
    if (ReadInstallationVersion(m_strPath) < kFirstWardixVersion)
        return false;
    m_strName = PrivateProfile::GetString(kSettingsSection, kNameKey, QString(), m_strPath).left(kMaxNameLength);
    return true;
}

bool CInstallation::UpdateNameFromFile()
{
    if (!QFileInfo(m_strPath).isFile())
        return false;
    m_strName = GetNameFromPath();
    return WriteName();
}

bool CInstallation::SetName(const QString& name)
{
    m_strName = name;
    return WriteName();
}

bool CInstallation::WriteName()
{
    if (!PrivateProfile::WriteString(kSettingsSection, kNameKey, m_strName, m_strPath)) {
        const QFileInfo file(m_strPath);
        if (file.exists() && !file.isWritable())
            ShowMessageBox(QStringLiteral("Error writing installation name to file: %1.\n\nMake sure it is not a read-only file.")
                               .arg(m_strPath));
        else
            ShowMessageBox(QStringLiteral("Error writing installation name to file: %1").arg(m_strPath));
    }
    Register();
    return true;
}

bool CInstallation::Register()
{
    int freeSlot = kNoSlot;
    for (int slot = 1; slot <= kMaxInstallations; ++slot) {
        CInstallation entry(slot);
        const bool valid = entry.Load();
        if (valid && entry.GetPath() == m_strPath) { // already listed: keep that entry
            m_nSlot = slot;
            return true;
        }
        if (!valid && freeSlot == kNoSlot)
            freeSlot = slot;
    }
    if (freeSlot == kNoSlot) {
        ShowMessageBox(QStringLiteral("You have exceeded the maximum allowable installations to be saved - which is %1.")
                           .arg(kMaxInstallations));
        return false;
    }
    m_nSlot = freeSlot;
    Profile::WriteString(kInstallationsSection, ProfileKey(freeSlot), m_strPath);
    return true;
}

bool CInstallation::Forget()
{
    if (m_nSlot < 1 || m_nSlot > kMaxInstallations)
        return false;
    Profile::WriteString(kInstallationsSection, ProfileKey(m_nSlot), QString());
    return true;
}

QString CInstallation::GetFolder() const
{
    return QFileInfo(m_strPath).path() + QLatin1Char('/');
}

QString CInstallation::GetInstallationNameFromPath(const QString& path)
{
    QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.endsWith(kExtension, Qt::CaseInsensitive))
        name.chop(kExtension.size());
    return name;
}

QString CInstallation::GetNameFromPath() const
{
    return GetInstallationNameFromPath(m_strPath);
}

bool CInstallation::CopyTo(const QString& fromFolder, const QString& toFolder, const QString& progressTitle,
                          const QString& copyError)
{
    if (!QFileInfo(fromFolder).isDir()) {
        ShowMessageBox(QStringLiteral("Could not find the directory [%1] to copy from.").arg(fromFolder));
        return false;
    }
    if (IsSameOrInsideFolder(toFolder, fromFolder)) {
        ShowMessageBox(QStringLiteral("Could not copy the installation into [%1].\nAn installation cannot be copied into its own folder.")
                           .arg(toFolder),
                       MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    if (!QFileInfo(toFolder).isDir() && !QDir().mkdir(toFolder)) {
        ShowMessageBox(QStringLiteral("Could not create the directory [%1] to copy to.\nMake sure the path to the directory exists.")
                           .arg(toFolder));
        return false;
    }
    if (CopyWouldOverwrite(fromFolder, toFolder)
        && ShowMessageBox(QStringLiteral("The directory [%1] already holds files of the same names.\nDo you want to overwrite them?")
                              .arg(toFolder),
                          MbButtons::YesNo, MbIcon::Question)
               != IDYES)
        return false;
    if (!CopyFolderShowingProgress(progressTitle, fromFolder, toFolder)) {
        ShowMessageBox(copyError);
        return false;
    }
    return true;
}

bool CInstallation::Rename(const QString& newName)
{
    const QString newPath = GetFolder() + newName + kExtension;
    if (QFileInfo::exists(newPath) || !QFile::rename(m_strPath, newPath)) {
        ShowMessageBox(QStringLiteral("Error renaming file %1.").arg(QFileInfo(m_strPath).fileName()));
        return false;
    }
    m_strPath = newPath;
    return Register();
}

bool CInstallation::IsOpen() const
{
    const IInstallationDocument* doc = GetOpenInstallation();
    return doc && !m_strPath.isEmpty() && doc->GetPathName() == m_strPath;
}

QString CInstallation::GetLastModified() const
{
    const QString text = FormatLastModified(m_strPath);
    return text.isEmpty() ? QStringLiteral("-") : text;
}
