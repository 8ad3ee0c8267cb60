#include "app/CBackupDlg.h"

#include "database/WaitCursor.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CBackupDlg::CBackupDlg(const QString& defaultFolder, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Backup"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Backup copies an image of the current Wardenfold settings and all "
                                            "installations to the specified folder."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_name = new QLineEdit(CInstallationBackup::DefaultBackupName(), this);
    m_folder = new QLineEdit(defaultFolder, this);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Specify the Name for the backup:"), m_name);
    // A label beside a layout gets no buddy from the form, and without one its
    // mnemonic shows as a literal "&".
    auto* folderLabel = new QLabel(QStringLiteral("&Select the folder to store the backup in:"), this);
    folderLabel->setBuddy(m_folder);
    form->addRow(folderLabel, folderRow);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(QStringLiteral("&Start Backup"), QDialogButtonBox::AcceptRole)->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBackupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBackupDlg::reject);
    connect(browse, &QPushButton::clicked, this, &CBackupDlg::OnBrowse);
}

void CBackupDlg::OnBrowse()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Choose the directory to backup to:"),
                                                             m_folder->text());
    if (!folder.isEmpty())
        m_folder->setText(folder);
}

void CBackupDlg::accept()
{
    bool done = false;
    {
        const WaitCursor wait;
        CInstallationBackup backup;
        backup.SetInstallationDataSwitch(m_dataSwitch);
        backup.SetPaths(m_folder->text().trimmed(), m_name->text().trimmed());
        done = backup.RunBackup();
    }
    if (done)
        QDialog::accept();
    else
        ShowMessageBox(QStringLiteral("Error creating the backup."));
}
