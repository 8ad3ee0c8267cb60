#pragma once

#include <QDialog>

class QLineEdit;

// Saves the open installation as a copy under a new name in a chosen folder.
class CSaveAsInstallationDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CSaveAsInstallationDlg(const QString& name = QString(), const QString& folder = QString(),
                                    QWidget* parent = nullptr);

    QString GetName() const;
    QString GetFolder() const;
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* FolderEdit() const { return m_folder; }

public slots:
    void accept() override;
    void OnBrowse();

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_folder = nullptr;
};
