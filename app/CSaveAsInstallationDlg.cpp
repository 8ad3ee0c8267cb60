#include "app/CSaveAsInstallationDlg.h"

#include "database/InstallationName.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSaveAsInstallationDlg::CSaveAsInstallationDlg(const QString& name, const QString& folder, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Save As"));
    auto* layout = new QVBoxLayout(this);
    m_name = new QLineEdit(name, this);
    m_folder = new QLineEdit(folder, this);
    auto* browse = new QPushButton(QStringLiteral("&Browse"), this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Type the name to save the installation as:"), m_name);
    form->addRow(QStringLiteral("Type the location to save the installation to:"), folderRow);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSaveAsInstallationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSaveAsInstallationDlg::reject);
    connect(browse, &QPushButton::clicked, this, &CSaveAsInstallationDlg::OnBrowse);
}

QString CSaveAsInstallationDlg::GetName() const
{
    return m_name->text();
}

QString CSaveAsInstallationDlg::GetFolder() const
{
    return m_folder->text().trimmed();
}

void CSaveAsInstallationDlg::OnBrowse()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Choose the directory to save to:"), GetFolder());
    if (!folder.isEmpty())
        m_folder->setText(folder);
}

void CSaveAsInstallationDlg::accept()
{
    // The name becomes the copy's folder inside the location.
    QString problem;
    if (GetFolder().isEmpty() || QDir::isRelativePath(GetFolder()))
        problem = QStringLiteral("Please enter the full path of the location to save the installation to.");
    else
        problem = CheckFolderName(GetName(), GetFolder(), QStringLiteral("Please enter a name for the installation."));
    if (!problem.isEmpty()) {
        ShowMessageBox(problem);
        return;
    }
    QDialog::accept();
}
