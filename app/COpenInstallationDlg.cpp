#include "app/COpenInstallationDlg.h"

#include "common/SharedHelpers.h"
#include "platform/ProgramFolder.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

COpenInstallationDlg::COpenInstallationDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Open an Installation"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("To start Wardix, you must have a valid Installation to open.\n What would you like to do?"), this));
    m_open = new QRadioButton(QStringLiteral("&Open an existing Wardix installation."), this);
    m_new = new QRadioButton(QStringLiteral("Create a &new installation."), this);
    m_open->setChecked(true);
    layout->addWidget(m_open);
    layout->addWidget(m_new);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &COpenInstallationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COpenInstallationDlg::reject);
}

void COpenInstallationDlg::accept()
{
    ClearPendingNodeRequest();
    if (m_new->isChecked()) {
        m_request = {0, QLatin1String(kNewInstallationPath)};
        QDialog::accept();
        return;
    }
    const QString path = QFileDialog::getOpenFileName(this, QString(), ProgramFolder(),
                                                      QStringLiteral("Wardix Installation Files (*.wfi);;All Files (*)"));
    if (path.isEmpty()) // cancelled: the choice stays open
        return;
    m_request = {1, path};
    QDialog::accept();
}
