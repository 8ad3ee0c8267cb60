#pragma once

#include "database/InstallationsList.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;

// The Installations dialog: mode 0 picks an installation to open, mode 1 a
// backup to restore. Rows carry their profile entry number.
class CInstallationsDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CInstallationsDlg(int mode, QWidget* parent = nullptr);

    void SetInstallationDataSwitch(CInstallationBackup::InstallationDataSwitch dataSwitch)
    {
        m_list.SetInstallationDataSwitch(std::move(dataSwitch));
    }
    // The installation chosen (mode 0) or the backup restored (mode 1) after OK.
    const QString& GetPath() const { return m_strPath; }

    QListWidget* List() const { return m_rows; }
    // The actions of the row's pop-up menu, as they stand for the current row.
    bool CanCopy() const;
    bool CanDelete() const;

public slots:
    void accept() override;
    void OnProperties();
    void OnCopy();
    void OnDelete();
    void OnBrowse();

private:
    void FillRows(bool cleanUp);
    void AddRow(const InstallationsList::Row& row);
    void OnContextMenu(const QPoint& at);
    void OnLabelEdited(QListWidgetItem* item);
    std::optional<int> SelectedSlot() const;

    InstallationsList m_list;
    QListWidget* m_rows = nullptr;
    QString m_strPath;
    bool m_bFilling = false;
};
