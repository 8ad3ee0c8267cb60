#pragma once

#include "platform/PrivateProfile.h"

#include <QString>

#include <functional>
#include <vector>

// One backup set: a folder named after the backup holding its log (an ini
// file "<name>.wfb"), "RegistyBackup.reg" and one copied folder per
// installation. Known backups are listed in the profile, section "Backups",
// "Backup 1" to "Backup 20".
class CInstallationBackup
{
public:
    static constexpr int kMaxBackups = 20;
    static constexpr int kNoNumber = -1;

    // Closes (false) and reopens (true) the open installation's data around
    // the copies, so its files can be copied whole.
    using InstallationDataSwitch = std::function<void(bool open)>;

    CInstallationBackup();
    virtual ~CInstallationBackup();

    // The backup named name in the chosen folder.
    void SetPaths(const QString& folder, const QString& name);
    // A backup the operator browsed to: its log file as chosen.
    void SetLogPath(const QString& path);
    // The scheduled run: every question is answered yes and nothing waits.
    void SetUnattended(bool unattended) { m_bUnattended = unattended; }
    void SetInstallationDataSwitch(InstallationDataSwitch dataSwitch) { m_dataSwitch = std::move(dataSwitch); }

    bool RunBackup();
    bool Restore(bool skipRegistry);
    // Moves everything in the backup's own folder to the trash in a progress
    // window, removes the folder and empties the list entry; refuses a log
    // that does not lie in a folder of its own name. False, after its
    // message, when a file could not go; a folder that stays is reported and
    // the backup is deleted all the same.
    bool DeleteBackup();

    bool LoadBackupEntry(int number);
    bool SaveBackupEntry();

    QString GetName() const;
    const QString& GetLogPath() const { return m_strLogPath; }
    int GetNumber() const { return m_nNumber; }
    // The folder holding the log, with a trailing separator; empty when the log is missing.
    QString GetBackupFolder() const;
    QString GetLastModified() const;
    // True when the log exists and lies in the folder named after the backup.
    bool LiesInOwnFolder() const;

    static bool HasInstallations();
    // "Backup %m-%d-%y" of today.
    static QString DefaultBackupName();
    static QString ProfileKey(int number);

    // The scheduled backup task: today's backup into the given folder, no
    // question asked. True on success.
    static bool RunScheduled(const QString& folder, const InstallationDataSwitch& dataSwitch);

private:
    bool Ask(const QString& question) const;
    void AddToLog(const QString& section, const QString& key, const QString& value);
    // Writes the log gathered so far into the set being made; false, shown,
    // when it could not be written whole.
    bool WriteLog(const QString& stagingFolder);
    bool PrepareBackupFolder();
    void ShowFolderError() const;
    // The copies and the registry file go into the set being made; the log
    // names the places they take once it stands.
    bool CopyInstallations(const QString& stagingFolder);
    bool WriteRegistryFile(const QString& stagingFolder) const;
    void FreeEntriesOf(const QString& logPath) const;
    // Everything in the folder to the trash, the log last; false at the
    // first entry that cannot go.
    bool TrashFolderContents(const QString& folder) const;

    QString m_strLogPath;
    // The log of the set being made, written once at its end.
    std::vector<PrivateProfile::Entry> m_log;
    QString m_strBackupFolder;
    QString m_strRequestedName;
    int m_nNumber = kNoNumber;
    bool m_bUnattended = false;
    InstallationDataSwitch m_dataSwitch;
};
