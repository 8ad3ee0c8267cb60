#include "cardholders/CChangeCredentialStatusDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

CChangeCredentialStatusDlg::CChangeCredentialStatusDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Change Credential Status"));
    auto* group = new QGroupBox(QStringLiteral("Status"), this);
    auto* boxes = new QVBoxLayout(group);
    m_assigned = new QCheckBox(QStringLiteral("&Assigned to Cardholder"), group);
    m_suspended = new QCheckBox(QStringLiteral("&Suspended"), group);
    m_lost = new QCheckBox(QStringLiteral("&Lost"), group);
    boxes->addWidget(m_assigned);
    boxes->addWidget(m_suspended);
    boxes->addWidget(m_lost);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CChangeCredentialStatusDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CChangeCredentialStatusDlg::LoadBoxes()
{
    m_assigned->setChecked(m_nAssigned != 0);
    m_assigned->setEnabled(m_nAssigned != 0);
    m_suspended->setChecked(m_bSuspended);
    m_lost->setChecked(m_bLost);
}

int CChangeCredentialStatusDlg::exec()
{
    LoadBoxes();
    return QDialog::exec();
}

void CChangeCredentialStatusDlg::accept()
{
    m_bSuspended = m_suspended->isChecked();
    m_bLost = m_lost->isChecked();
    if (!m_assigned->isChecked())
        m_nAssigned = 0;
    QDialog::accept();
}
