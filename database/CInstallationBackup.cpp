#include "database/CInstallationBackup.h"

#include "database/BackupLogKeys.h"
#include "database/CInstallation.h"
#include "database/FileTimeText.h"
#include "database/FolderCopy.h"
#include "database/InstallationName.h"
#include "database/RegistryFile.h"
#include "database/StagedFolder.h"
#include "common/IProgress.h"
#include "common/ProgramObjects.h"
#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/PrivateProfile.h"
#include "platform/Profile.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <vector>

using namespace BackupLogKeys;

namespace {

const QString kBackupsSection = QStringLiteral("Backups");
const QString kInstallationsSection = QStringLiteral("Installations");
const QString kLogExtension = QStringLiteral("wfb");
const QString kRegistryFileName = QStringLiteral("RegistyBackup.reg");
// Kept in the program folder, which no restore writes and no registry
// import reaches.
const QString kImportedFoldersFile = QStringLiteral("Imported Installation Folders.txt");

QString NoInstallationsWarning()
{
    return QStringLiteral("%1\n\n%2").arg(
        QStringLiteral("The Backup feature requires that installation icons exist in the Installations window."),
        QStringLiteral("Go to File -> Open, then browse to the installation you want to backup."));
}

void ShowCopyError(const QString& source, const QString& installationName)
{
    ShowMessageBox(QStringLiteral("%1%2.\n\nIf you currently have installation '%3' %4\n\n%5")
                       .arg(QStringLiteral("Error copying files for the installation at "), source, installationName,
                            QStringLiteral("open, close it and try again."),
                            QStringLiteral("Otherwise, the installation may either be corrupted, or missing files.")));
}

// Closes the open installation's data for the life of the guard.
class InstallationDataClosed
{
public:
    explicit InstallationDataClosed(const CInstallationBackup::InstallationDataSwitch& dataSwitch)
        : m_switch(dataSwitch)
    {
        if (m_switch)
            m_switch(false);
    }
    ~InstallationDataClosed()
    {
        if (m_switch)
            m_switch(true);
    }
    InstallationDataClosed(const InstallationDataClosed&) = delete;
    InstallationDataClosed& operator=(const InstallationDataClosed&) = delete;

private:
    const CInstallationBackup::InstallationDataSwitch& m_switch;
};

bool HasParentStep(const QString& path)
{
    return path.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

QString WithoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// The path with every link of its part that exists resolved, so a link
// cannot carry it out of a folder it seems to lie in.
QString ResolvedPath(const QString& path, int linksLeft = 8)
{
    QString existing = QDir::cleanPath(path);
    QString rest;
    while (!QFileInfo::exists(existing) && !QFileInfo(existing).isSymLink()
           && existing != QFileInfo(existing).path()) {
        rest = QLatin1Char('/') + QFileInfo(existing).fileName() + rest;
        existing = QFileInfo(existing).path();
    }
    const QFileInfo info(existing);
    const QString canonical = info.canonicalFilePath();
    // A link to nothing yet leads where its target will be.
    if (canonical.isEmpty() && info.isSymLink() && linksLeft > 0)
        return ResolvedPath(info.symLinkTarget() + rest, linksLeft - 1);
    return QDir::cleanPath((canonical.isEmpty() ? existing : canonical) + rest);
}

bool Contains(const std::vector<QString>& folders, const QString& folder)
{
    return std::find(folders.begin(), folders.end(), folder) != folders.end();
}

// The folders the installations list names, resolved. An entry names its
// folder also when the installation's files are lost.
std::vector<QString> ListedFolders()
{
    std::vector<QString> folders;
    for (int slot = 1; slot <= CInstallation::kMaxInstallations; ++slot) {
        const QString file = Profile::GetString(kInstallationsSection, CInstallation::ProfileKey(slot));
        if (!QDir::isRelativePath(file))
            folders.push_back(ResolvedPath(QFileInfo(file).path()));
    }
    return folders;
}

QString ImportedFoldersPath()
{
    return ProgramFolder() + QLatin1Char('/') + kImportedFoldersFile;
}

// The folders that a restore's registry import added to the installations
// list. The import takes the list from the backup, and a crafted backup could
// name any folder there for the next restore to write into.
std::vector<QString> ImportedFolders()
{
    std::vector<QString> folders;
    const QByteArray text = ReadWholeFile(ImportedFoldersPath()).value_or(QByteArray());
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        folders.push_back(line);
    return folders;
}

// Adds to them the folders listed now that were not before the import.
bool NoteImportedFolders(const std::vector<QString>& listedBefore)
{
    std::vector<QString> imported = ImportedFolders();
    const std::size_t known = imported.size();
    for (const QString& folder : ListedFolders()) {
        if (!Contains(listedBefore, folder) && !Contains(imported, folder))
            imported.push_back(folder);
    }
    if (imported.size() == known)
        return true;
    QByteArray text;
    for (const QString& folder : imported)
        text += folder.toUtf8() + '\n';
    return WriteWholeFile(ImportedFoldersPath(), text);
}

// Where a restore may write: the folders of the program's own installations,
// below its Installations folder or named by the installations list, except
// those only a registry import put there. Taken before anything is restored.
class RestoreDestinations
{
public:
    RestoreDestinations()
        : m_installations(ResolvedPath(ProgramFolder() + QStringLiteral("/Installations")))
    {
        const std::vector<QString> imported = ImportedFolders();
        for (const QString& folder : ListedFolders()) {
            if (!Contains(imported, folder))
                m_listed.push_back(folder);
        }
    }

    bool Allows(const QString& folder) const
    {
        const QString resolved = ResolvedPath(folder);
        return (resolved != m_installations && IsSameOrInsideFolder(resolved, m_installations))
               || Contains(m_listed, resolved);
    }

private:
    QString m_installations;
    std::vector<QString> m_listed;
};

struct RestoreStep
{
    QString from; // the copy inside the backup folder
    QString to;   // the installation folder it came from
    QString name;
};

} // namespace

bool CInstallationBackup::TrashFolderContents(const QString& folder) const
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    // The log goes last: a delete that stops half-way leaves the backup
    // listed, to be deleted again, not its copies without a log.
    const QString log = QFileInfo(m_strLogPath).fileName();
    if (names.removeAll(log) > 0)
        names.append(log);
    IProgressFactory* factory = GetProgressFactory();
    const std::unique_ptr<IProgress> progress =
        factory ? factory->Open(IProgress::Bar, QStringLiteral("Deleting backup files..."), QString(),
                                static_cast<int>(names.size()))
                : nullptr;
    for (qsizetype n = 0; n < names.size(); ++n) {
        if (!QFile::moveToTrash(QDir(folder).filePath(names[n])))
            return false;
        if (progress)
            progress->SetPos(static_cast<int>(n + 1));
    }
    return true;
}

CInstallationBackup::CInstallationBackup() = default;

CInstallationBackup::~CInstallationBackup() = default;

QString CInstallationBackup::ProfileKey(int number)
{
    return QStringLiteral("Backup %1").arg(number);
}

QString CInstallationBackup::DefaultBackupName()
{
    return QStringLiteral("Backup ") + Clock::Current().NowLocal().toString(QStringLiteral("MM-dd-yy"));
}

void CInstallationBackup::SetPaths(const QString& folder, const QString& name)
{
    m_strRequestedName = name;
    m_strBackupFolder = QDir(folder).filePath(name);
    // The extension is always added, so a name holding a dot keeps it whole.
    m_strLogPath = QDir(m_strBackupFolder).filePath(name + QLatin1Char('.') + kLogExtension);
}

void CInstallationBackup::SetLogPath(const QString& path)
{
    m_strLogPath = path;
    m_strBackupFolder = QFileInfo(path).path();
    m_strRequestedName = GetName();
}

QString CInstallationBackup::GetName() const
{
    return QFileInfo(m_strLogPath).completeBaseName();
}

QString CInstallationBackup::GetBackupFolder() const
{
    const QFileInfo log(m_strLogPath);
    return log.isFile() ? log.path() + QLatin1Char('/') : QString();
}

QString CInstallationBackup::GetLastModified() const
{
    return FormatLastModified(m_strLogPath);
}

bool CInstallationBackup::LiesInOwnFolder() const
{
    const QFileInfo log(m_strLogPath);
    return log.isFile() && log.suffix().compare(kLogExtension, Qt::CaseInsensitive) == 0
           && log.dir().dirName() == log.completeBaseName();
}

bool CInstallationBackup::HasInstallations()
{
    return !Profile::GetString(QStringLiteral("Installations"), CInstallation::ProfileKey(1)).isEmpty();
}

bool CInstallationBackup::LoadBackupEntry(int number)
{
    const QString path = Profile::GetString(kBackupsSection, ProfileKey(number));
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    SetLogPath(path);
    m_nNumber = number;
    return true;
}

bool CInstallationBackup::SaveBackupEntry()
{
    if (m_nNumber < 1 || m_nNumber > kMaxBackups) {
        m_nNumber = kNoNumber;
        // A backup already listed keeps its entry instead of taking a second one.
        for (int n = 1; n <= kMaxBackups && m_nNumber == kNoNumber; ++n) {
            if (Profile::GetString(kBackupsSection, ProfileKey(n)) == m_strLogPath)
                m_nNumber = n;
        }
        for (int n = 1; n <= kMaxBackups && m_nNumber == kNoNumber; ++n) {
            if (!CInstallationBackup().LoadBackupEntry(n))
                m_nNumber = n;
        }
        if (m_nNumber == kNoNumber) // all listed: the backup stays on disk, unlisted
            return true;
    }
    return Profile::WriteString(kBackupsSection, ProfileKey(m_nNumber), m_strLogPath);
}

void CInstallationBackup::FreeEntriesOf(const QString& logPath) const
{
    for (int n = 1; n <= kMaxBackups; ++n) {
        if (Profile::GetString(kBackupsSection, ProfileKey(n)) == logPath)
            Profile::WriteString(kBackupsSection, ProfileKey(n), QString());
    }
}

bool CInstallationBackup::Ask(const QString& question) const
{
    return m_bUnattended || ShowMessageBox(question, MbButtons::YesNo, MbIcon::Question) == IDYES;
}

void CInstallationBackup::AddToLog(const QString& section, const QString& key, const QString& value)
{
    m_log.push_back({section, key, value});
}

bool CInstallationBackup::WriteLog(const QString& stagingFolder)
{
    const QString path = QDir(stagingFolder).filePath(QFileInfo(m_strLogPath).fileName());
    const bool written = PrivateProfile::WriteStrings(m_log, path);
    m_log.clear();
    if (!written)
        ShowMessageBox(QStringLiteral("Error writing to backup file."));
    return written;
}

bool CInstallationBackup::PrepareBackupFolder()
{
    const QString nameProblem =
        CheckFolderName(m_strRequestedName, QString(), QStringLiteral("Please enter a name for the backup."));
    if (!nameProblem.isEmpty()) {
        ShowMessageBox(nameProblem, MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    if (QFileInfo::exists(m_strLogPath)) {
        if (!Ask(QStringLiteral("The specified backup file already exists.\nDo you want to overwrite the existing backup?")))
            return false;
    }
    if (QFileInfo(m_strBackupFolder).isDir()) {
        if (!Ask(QStringLiteral("The target folder for the specified backup exists.\nProceeding may overwrite files and "
                                "folders in the target folder.\nDo you want to proceed?")))
            return false;
    } else if (QDir::isRelativePath(m_strBackupFolder) || !QDir().mkpath(m_strBackupFolder)) {
        ShowFolderError();
        return false;
    }
    return true;
}

void CInstallationBackup::ShowFolderError() const
{
    ShowMessageBox(QStringLiteral("Error in creating directory [%1] for backup").arg(m_strBackupFolder));
}

bool CInstallationBackup::CopyInstallations(const QString& stagingFolder)
{
    QSet<QString> usedFolders;
    bool copiedAny = false;
    for (int slot = 1; slot <= CInstallation::kMaxInstallations; ++slot) {
        CInstallation installation(slot);
        if (!installation.Load())
            continue;
        // The name becomes a folder of the backup: a name that cannot be one
        // falls back to the file's title, and two installations of one name
        // get folders of their own instead of one overwriting the other.
        QString folderName = installation.GetName();
        if (!CheckFolderName(folderName, QString(), QStringLiteral("-")).isEmpty())
            folderName = installation.GetNameFromPath();
        const QString baseName = folderName;
        for (int n = 2; usedFolders.contains(folderName.toLower()); ++n)
            folderName = QStringLiteral("%1 (%2)").arg(baseName, QString::number(n));
        usedFolders.insert(folderName.toLower());

        const QString from = WithoutTrailingSeparator(installation.GetFolder());
        const QString to = QDir(m_strBackupFolder).filePath(folderName);
        if (!CopyFolderShowingProgress(QString::fromLatin1(kBackingUpInstallationTitle), from,
                                       QDir(stagingFolder).filePath(folderName))) {
            ShowCopyError(from, installation.GetName());
            return false;
        }
        const QString section = InstallationSection(slot);
        AddToLog(section, kInstallationNameKey, installation.GetName());
        AddToLog(section, kToFolderKey, to);
        AddToLog(section, kFromFolderKey, from);
        copiedAny = true;
    }
    if (!copiedAny) {
        ShowMessageBox(NoInstallationsWarning(), MbButtons::Ok, MbIcon::Exclamation);
        return false;
    }
    return true;
}

bool CInstallationBackup::WriteRegistryFile(const QString& stagingFolder) const
{
    if (WriteWholeFile(QDir(stagingFolder).filePath(kRegistryFileName), ExportProfileAsRegistry()))
        return true;
    ShowMessageBox(QStringLiteral("Error writing to registry file: %1").arg(kRegistryFileName));
    return false;
}

bool CInstallationBackup::RunBackup()
{
    if (!PrepareBackupFolder())
        return false;
    // The new set is made beside the old one and replaces it only when whole,
    // so a run that fails leaves the old backup restorable and listed.
    StagedFolder staged(m_strBackupFolder);
    if (!staged.IsValid()) {
        ShowFolderError();
        return false;
    }
    // The log is written once, whole, when the set is complete: a log that
    // stands names a set that does.
    m_log.clear();
    AddToLog(kOptionsSection, kStartTimeKey, FormatBackupTime(Clock::Current().NowLocal()));
    AddToLog(kOptionsSection, kTargetFolderKey, WithoutTrailingSeparator(m_strBackupFolder));
    {
        const InstallationDataClosed closed(m_dataSwitch);
        if (!CopyInstallations(staged.Path()) || !WriteRegistryFile(staged.Path()))
            return false;
        AddToLog(kOptionsSection, kStopTimeKey, FormatBackupTime(Clock::Current().NowLocal()));
        if (!WriteLog(staged.Path()))
            return false;
    }
    if (!staged.Commit(QFileInfo(m_strLogPath).fileName())) {
        ShowMessageBox(QStringLiteral("Error writing to backup file."));
        return false;
    }
    // A set the list does not name cannot be restored from the program.
    return SaveBackupEntry();
}

bool CInstallationBackup::Restore(bool skipRegistry)
{
    if (!LiesInOwnFolder()) {
        ShowMessageBox(QStringLiteral("The backup file [%1] does not lie in a backup folder of its own name and "
                                      "cannot be restored.")
                           .arg(m_strLogPath));
        return false;
    }
    const QString backupFolder = QFileInfo(m_strLogPath).path();
    // Every folder is checked before anything is written.
    const RestoreDestinations destinations;
    std::vector<RestoreStep> steps;
    for (int n = 1; n <= CInstallation::kMaxInstallations; ++n) {
        const QString section = InstallationSection(n);
        const QString from = PrivateProfile::GetString(section, kFromFolderKey, QString(), m_strLogPath);
        const QString to = PrivateProfile::GetString(section, kToFolderKey, QString(), m_strLogPath);
        if (from.isEmpty() || to.isEmpty())
            continue;
        // The copy is looked for in this backup's own folder, wherever the
        // backup was moved to since.
        const QString copyName = QFileInfo(WithoutTrailingSeparator(to)).fileName();
        const QString copy = QDir(backupFolder).filePath(copyName);
        if (QDir::isRelativePath(from) || HasParentStep(from) || !destinations.Allows(from)
            || !CheckFolderName(copyName, QString(), QStringLiteral("-")).isEmpty() || !QFileInfo(copy).isDir()) {
            ShowMessageBox(QStringLiteral("The backup names a folder that cannot be restored: %1").arg(from));
            return false;
        }
        steps.push_back({copy, from, PrivateProfile::GetString(section, kInstallationNameKey, QString(), m_strLogPath)});
    }
    {
        const InstallationDataClosed closed(m_dataSwitch);
        for (const RestoreStep& step : steps) {
            // The same copy as the backup's, swapped round, under the same title.
            if (!CopyFolderShowingProgress(QString::fromLatin1(kBackingUpInstallationTitle), step.from, step.to)) {
                ShowCopyError(step.from, step.name);
                return false;
            }
        }
    }
    if (skipRegistry)
        return true;
    const QString registryFile = QDir(backupFolder).filePath(kRegistryFileName);
    const std::optional<QByteArray> registry = ReadWholeFile(registryFile);
    const std::vector<QString> listedBefore = ListedFolders();
    const RegistryImport imported = registry ? ImportRegistryIntoProfile(*registry) : RegistryImport::Unreadable;
    if (imported == RegistryImport::Unreadable)
        ShowMessageBox(QStringLiteral("Error reading the registry file: %1").arg(registryFile));
    if (imported != RegistryImport::Done)
        return false;
    if (!NoteImportedFolders(listedBefore)) {
        ShowMessageBox(QStringLiteral("Error writing the list of imported installation folders: %1")
                           .arg(ImportedFoldersPath()));
        return false;
    }
    return true;
}

bool CInstallationBackup::DeleteBackup()
{
    if (!LiesInOwnFolder())
        return false;
    const QString folder = QFileInfo(m_strLogPath).path();
    if (!TrashFolderContents(folder)) {
        ShowMessageBox(QStringLiteral("Error deleting backup files."));
        return false;
    }
    // The files are gone: the entry goes too, whatever is left of the folder.
    if (!QDir().rmdir(folder))
        ShowMessageBox(QStringLiteral("Error deleting backup folder."));
    if (m_nNumber >= 1 && m_nNumber <= kMaxBackups)
        Profile::WriteString(kBackupsSection, ProfileKey(m_nNumber), QString());
    else
        FreeEntriesOf(m_strLogPath);
    return true;
}

bool CInstallationBackup::RunScheduled(const QString& folder, const InstallationDataSwitch& dataSwitch)
{
    CInstallationBackup backup;
    backup.SetUnattended(true);
    backup.SetInstallationDataSwitch(dataSwitch);
    backup.SetPaths(folder, DefaultBackupName());
    return backup.RunBackup();
}
