#pragma once

#include "database/CInstallationBackup.h"

#include <QDialog>

class QLineEdit;

// Starts a backup of every installation and of the program's settings.
class CBackupDlg : public QDialog
{
    Q_OBJECT

public:
    // defaultFolder: the profile's default location of backups.
    explicit CBackupDlg(const QString& defaultFolder, QWidget* parent = nullptr);

    void SetInstallationDataSwitch(CInstallationBackup::InstallationDataSwitch dataSwitch)
    {
        m_dataSwitch = std::move(dataSwitch);
    }

    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* FolderEdit() const { return m_folder; }

public slots:
    void accept() override;
    void OnBrowse();

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_folder = nullptr;
    CInstallationBackup::InstallationDataSwitch m_dataSwitch;
};
