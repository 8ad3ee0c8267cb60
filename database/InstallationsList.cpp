#include "database/InstallationsList.h"

#include "common/SharedHelpers.h"
#include "database/BackupSummary.h"
#include "database/CInstallation.h"
#include "database/FolderCopy.h"
#include "database/InstallationName.h"
#include "database/InstallationVersion.h"
#include "platform/MessageBox.h"

#include <QFileInfo>

namespace {

constexpr qint64 kBytesPerKilobyte = 1024;
constexpr double kFirstWardixVersion = 1.0;

QString WithoutTrailingSeparator(QString folder)
{
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace

InstallationsList::InstallationsList(int mode) : m_nMode(mode)
{
}

QString InstallationsList::Title() const
{
    return m_nMode == kBackupsMode ? QStringLiteral("Select a backup to restore") : QStringLiteral("Installations");
}

std::vector<InstallationsList::Row> InstallationsList::Fill(bool cleanUp) const
{
    std::vector<Row> rows;
    if (m_nMode == kBackupsMode) {
        for (int n = 1; n <= CInstallationBackup::kMaxBackups; ++n) {
            CInstallationBackup backup;
            if (backup.LoadBackupEntry(n))
                rows.push_back({backup.GetName(), n, BackupDate(backup.GetLogPath())});
        }
        return rows;
    }
    for (int slot = 1; slot <= CInstallation::kMaxInstallations; ++slot) {
        CInstallation installation(slot);
        if (installation.Load())
            rows.push_back({installation.GetName(), slot, QString()});
        else if (cleanUp && !installation.GetPath().isEmpty() && !QFileInfo::exists(installation.GetPath()))
            installation.Forget();
    }
    return rows;
}

QString InstallationsList::OldVersionWarning(const QString& path)
{
    return QStringLiteral("%1\n\nPath: %2\n\n%3\n\n%4")
        .arg(QStringLiteral("The installation you are trying to open was created with a version of Wardenfold prior "
                            "to Wardix."),
             path, QStringLiteral("The Convert Wizard can be used to make this installation compatible with Wardix."),
             QStringLiteral("The Convert Wizard is found with the Wardenfold programs in the applications menu."));
}

bool InstallationsList::BrowseInstallation(const QString& path) const
{
    if (ReadInstallationVersion(path) < kFirstWardixVersion) {
        ShowMessageBox(OldVersionWarning(path), MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    return CInstallation(path).UpdateNameFromFile();
}

InstallationsList::Row InstallationsList::BrowseBackup(const QString& path) const
{
    CInstallationBackup backup;
    backup.SetLogPath(path);
    backup.SaveBackupEntry();
    return {backup.GetName(), backup.GetNumber(), BackupDate(backup.GetLogPath())};
}

bool InstallationsList::CanCopyOrDelete() const
{
    return m_nMode == kBackupsMode || OperatorHasPrivilege(kConfigurePrivilege);
}

bool InstallationsList::Copy(int slot, const QString& folder) const
{
    CInstallation installation(slot);
    if (!installation.Load() || folder.isEmpty())
        return false;
    if (installation.IsOpen() && !GoOfflineForCommand(true, false))
        return false;
    if (!CInstallation::CopyTo(WithoutTrailingSeparator(installation.GetFolder()), folder,
                               QString::fromLatin1(kCopingInstallationTitle),
                               QStringLiteral("Error in copying the installation!")))
        return false;
    ShowMessageBox(QStringLiteral("Installation copied successfully."));
    return true;
}

bool InstallationsList::Delete(int slot) const
{
    if (m_nMode == kBackupsMode) {
        CInstallationBackup backup;
        if (backup.LoadBackupEntry(slot) && backup.DeleteBackup())
            return true;
        ShowMessageBox(QStringLiteral("Error deleting the selected backup."));
        return false;
    }
    CInstallation installation(slot);
    const QString question = QStringLiteral("%1\n\n%2\n\n%3\n\nDo you want to delete the icon?")
                                 .arg(QStringLiteral("This will delete the icon for the installation at"),
                                      WithoutTrailingSeparator(installation.GetFolder()),
                                      QStringLiteral("If you want to delete the installation, you will need to use "
                                                     "Windows Explorer after deleting the icon."));
    if (ShowMessageBox(question, MbButtons::YesNo, MbIcon::Question) != IDYES)
        return false;
    if (!installation.Forget()) {
        ShowMessageBox(QStringLiteral("Error deleting this icon."));
        return false;
    }
    return true;
}

QString InstallationsList::Properties(int slot) const
{
    if (m_nMode == kBackupsMode) {
        CInstallationBackup backup;
        if (!backup.LoadBackupEntry(slot))
            return QStringLiteral("Error getting information from the selected installation.");
        return QStringLiteral("Name:\t\t%1\nPath:\t\t%2\nLast Modified:\t%3\nSize:\t\t%4 KB")
            .arg(backup.GetName(), backup.GetLogPath(), backup.GetLastModified(),
                 QString::number(GetFolderSize(backup.GetBackupFolder()) / kBytesPerKilobyte));
    }
    CInstallation installation(slot);
    if (!installation.Load())
        return QStringLiteral("Error getting information from the selected installation.");
    return QStringLiteral("Name:\t\t%1\nPath:\t\t%2\nSize:\t\t%3 KB\nLast Modified:\t%4\nOpen:\t\t%5")
        .arg(installation.GetName(), installation.GetPath(),
             QString::number(GetFolderSize(installation.GetFolder()) / kBytesPerKilobyte),
             installation.GetLastModified(), installation.IsOpen() ? QStringLiteral("Yes") : QStringLiteral("No"));
}

bool InstallationsList::Rename(int slot, const QString& text) const
{
    const QString problem = CheckFolderName(text, QString(), QStringLiteral("Please enter a name for the installation."));
    if (!problem.isEmpty()) {
        ShowMessageBox(problem, MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    CInstallation installation(slot);
    return installation.Load() && installation.SetName(text);
}

bool InstallationsList::HasValidInstallation() const
{
    for (int slot = 1; slot <= CInstallation::kMaxInstallations; ++slot) {
        if (CInstallation(slot).Load())
            return true;
    }
    return false;
}

QString InstallationsList::RestoreQuestion(const QString& backup, const QString& date,
                                           const QStringList& installations)
{
    QStringList quoted;
    for (const QString& name : installations)
        quoted << QStringLiteral("\"%1\"").arg(name);
    const QString replaced =
        quoted.isEmpty() ? QString()
                         : (quoted.size() == 1 ? QStringLiteral("the installation ") : QStringLiteral("the installations "))
                               + quoted.join(QStringLiteral(", ")) + QStringLiteral(" and ");
    return QStringLiteral("Restoring the backup \"%1\" of %2 replaces %3the program's settings with what they were "
                          "then. Every change made since that backup is lost.\n\nDo you want to restore this backup?")
        .arg(backup, date, replaced);
}

bool InstallationsList::ConfirmRestore(int slot) const
{
    CInstallationBackup backup;
    if (!backup.LoadBackupEntry(slot))
        return true;
    const QString question =
        RestoreQuestion(backup.GetName(), BackupDate(backup.GetLogPath()), BackupInstallations(backup.GetLogPath()));
    return ShowMessageBox(question, MbButtons::YesNo, MbIcon::Question, QString(), MbDefault::Second) == IDYES;
}

std::optional<QString> InstallationsList::Accept(std::optional<int> slot) const
{
    if (!slot) {
        ShowMessageBox(QStringLiteral("Please select the installation to open."));
        return std::nullopt;
    }
    if (m_nMode == kInstallationsMode)
        return CInstallation(*slot).GetPath();
    CInstallationBackup backup;
    backup.SetInstallationDataSwitch(m_dataSwitch);
    if (backup.LoadBackupEntry(*slot) && backup.Restore(false))
        return backup.GetLogPath();
    ShowMessageBox(QStringLiteral("Error restoring the selected backup."));
    return std::nullopt;
}
