#include "app/CNewInstallationDlg.h"

#include "database/InstallationName.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CNewInstallationDlg::CNewInstallationDlg(const QString& parentFolder, QWidget* parent)
    : QDialog(parent), m_strParentFolder(parentFolder)
{
    setWindowTitle(QStringLiteral("New Installation"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter the name for the new installation:"), this));
    m_name = new QLineEdit(this);
    layout->addWidget(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewInstallationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNewInstallationDlg::reject);
    connect(m_name, &QLineEdit::textEdited, this, &CNewInstallationDlg::OnTextEdited);
}

QString CNewInstallationDlg::GetName() const
{
    return m_name->text();
}

void CNewInstallationDlg::OnTextEdited(const QString& text)
{
    if (!EndsWithForbiddenCharacter(text)) {
        m_lastGoodText = text;
        return;
    }
    ShowMessageBox(ForbiddenCharacterWarning(), MbButtons::Ok, MbIcon::Exclamation);
    m_name->setText(m_lastGoodText);
    m_name->setFocus();
    m_name->selectAll();
}

void CNewInstallationDlg::accept()
{
    // The whole name becomes a folder, pasted characters included.
    const QString problem =
        CheckFolderName(GetName(), m_strParentFolder, QStringLiteral("Please enter a name for the installation."));
    if (!problem.isEmpty()) {
        ShowMessageBox(problem);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}
