#include "app/CLoginDlg.h"

#include "common/SharedHelpers.h"
#include "database/COperatorStore.h"
#include "database/OperatorLogin.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

CLoginDlg::CLoginDlg(COperatorStore& loggedIn, QWidget* parent) : QDialog(parent), m_loggedIn(loggedIn)
{
    setWindowTitle(QStringLiteral("Welcome to Wardix..."));
    auto* layout = new QVBoxLayout(this);
    auto* listLabel = new QLabel(QStringLiteral("Select &Operator:"), this);
    m_operators = new QListWidget(this);
    m_operators->setSortingEnabled(true);
    listLabel->setBuddy(m_operators);
    auto* passwordLabel = new QLabel(QStringLiteral("Enter &Password:"), this);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kMaxPasswordLength);
    passwordLabel->setBuddy(m_password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLoginDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLoginDlg::reject);
    for (QWidget* w : {static_cast<QWidget*>(listLabel), static_cast<QWidget*>(m_operators),
                       static_cast<QWidget*>(passwordLabel), static_cast<QWidget*>(m_password),
                       static_cast<QWidget*>(buttons)})
        layout->addWidget(w);
    FillOperatorList();
}

void CLoginDlg::FillOperatorList()
{
    const std::vector<OperatorLogin::Entry> entries = OperatorLogin::FillOperatorList();
    for (const OperatorLogin::Entry& entry : entries) {
        auto* item = new QListWidgetItem(entry.name, m_operators);
        item->setData(Qt::UserRole, entry.slot);
    }
    m_bSkipLogin = OperatorLogin::IsLoginSkipped(entries);
    if (!m_bSkipLogin) {
        m_operators->setCurrentRow(0);
        m_password->setFocus();
    }
}

int CLoginDlg::exec()
{
    if (m_bSkipLogin) {
        m_loggedIn.SelectOperator(COperatorStore::kNoOperator);
        setResult(Accepted);
        return Accepted;
    }
    return QDialog::exec();
}

void CLoginDlg::accept()
{
    ClearPendingNodeRequest();
    const QListWidgetItem* item = m_operators->currentItem();
    const int slot = item ? item->data(Qt::UserRole).toInt() : COperatorStore::kNoOperator;
    const OperatorLogin::Result result = OperatorLogin::CheckLogin(slot, m_password->text(), m_loggedIn, m_bAdministrator);
    if (result == OperatorLogin::Result::Accepted) {
        QDialog::accept();
        return;
    }
    ShowMessageBox(OperatorLogin::MessageFor(result));
    if (result == OperatorLogin::Result::WrongPassword) {
        m_password->setFocus();
        m_password->selectAll();
    }
}
