#pragma once

#include "database/CInstallationBackup.h"

#include <QString>

#include <optional>
#include <vector>

// What the Installations dialog does, apart from its widgets: in mode 0 the
// installations of the profile list, in mode 1 the backups to restore. A
// row's slot is its entry number in the profile list.
class InstallationsList
{
public:
    enum Mode { kInstallationsMode = 0, kBackupsMode = 1 };
    // Privilege 4: configure the current installation.
    static constexpr int kConfigurePrivilege = 4;

    struct Row
    {
        QString text;
        int slot = 0;
        // Mode 1: when the backup was made.
        QString date;
    };

    explicit InstallationsList(int mode);

    int Mode() const { return m_nMode; }
    QString Title() const;

    // Mode 0 with cleanUp forgets the entries whose file is gone.
    std::vector<Row> Fill(bool cleanUp) const;

    // A browsed installation file: registered under its file title when its
    // version is recent enough, else a warning. True when the list changed.
    bool BrowseInstallation(const QString& path) const;
    // A browsed backup file: entered into the backup list.
    Row BrowseBackup(const QString& path) const;

    bool CanCopyOrDelete() const;
    // Copies the files of the slot's installation into folder itself.
    bool Copy(int slot, const QString& folder) const;
    // True when the row goes: mode 0 forgets the entry after asking, mode 1
    // deletes the backup.
    bool Delete(int slot) const;
    QString Properties(int slot) const;
    // A label edit: the installation of the slot gets the new name.
    bool Rename(int slot, const QString& text) const;

    bool HasValidInstallation() const;
    // Mode 1, before anything is replaced: asks whether the slot's backup
    // may replace the installations it holds, No being the default. True on
    // yes, and for an entry that cannot be read (Accept says so).
    bool ConfirmRestore(int slot) const;
    static QString RestoreQuestion(const QString& backup, const QString& date, const QStringList& installations);
    // OK on a row: mode 0 gives the installation's path; mode 1 restores the
    // backup. nullopt when the dialog stays open.
    std::optional<QString> Accept(std::optional<int> slot) const;

    void SetInstallationDataSwitch(CInstallationBackup::InstallationDataSwitch dataSwitch)
    {
        m_dataSwitch = std::move(dataSwitch);
    }

    static QString OldVersionWarning(const QString& path);

private:
    int m_nMode;
    CInstallationBackup::InstallationDataSwitch m_dataSwitch;
};
