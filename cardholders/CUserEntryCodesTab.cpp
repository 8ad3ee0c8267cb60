#include "cardholders/CUserEntryCodesTab.h"

#include "cardholders/EntryCodeAssignment.h"
#include "common/SharedHelpers.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr int kCardholderPrivilege = 0;

} // namespace

CUserEntryCodesTab::CUserEntryCodesTab(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    auto* assignGroup = new QGroupBox(QStringLiteral("Assign code"), this);
    auto* assignLayout = new QHBoxLayout(assignGroup);
    m_code = new QLineEdit(assignGroup);
    // Room for a whole hidden code, so that one pasted is not cut short:
    // the code's own limit is checked at Assign.
    m_code->setMaxLength(EntryCodeAssignment::kMaxMarkedLength);
    m_assign = new QPushButton(QStringLiteral("&Assign"), assignGroup);
    assignLayout->addWidget(m_code, 1);
    assignLayout->addWidget(m_assign);
    auto* surrenderGroup = new QGroupBox(QStringLiteral("Surrender code"), this);
    auto* surrenderLayout = new QHBoxLayout(surrenderGroup);
    m_surrender = new QPushButton(QStringLiteral("&Surrender"), surrenderGroup);
    surrenderLayout->addWidget(m_surrender);
    m_list = new QListWidget(this);
    m_suspended = new QCheckBox(QStringLiteral("Suspended"), this);
    layout->addWidget(assignGroup, 0, 0);
    layout->addWidget(surrenderGroup, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Entry Codes assigned to this cardholder:"), this), 1, 0);
    layout->addWidget(m_list, 2, 0);
    layout->addWidget(m_suspended, 2, 1, Qt::AlignTop);

    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    m_suspended->setEnabled(editable);
    assignGroup->setVisible(editable);
    surrenderGroup->setVisible(editable);

    connect(m_assign, &QPushButton::clicked, this, &CUserEntryCodesTab::OnAssign);
    connect(m_surrender, &QPushButton::clicked, this, &CUserEntryCodesTab::OnSurrender);
    connect(m_list, &QListWidget::currentRowChanged, this, &CUserEntryCodesTab::OnSelChange);
    connect(m_suspended, &QCheckBox::clicked, this, &CUserEntryCodesTab::OnSuspendedClick);
}

void CUserEntryCodesTab::Reload()
{
    {
        const QSignalBlocker block(m_list);
        m_list->clear();
    }
    m_code->clear();
    for (const EntryCodeAssignment::Listed& listed : EntryCodeAssignment::List(m_nUserID)) {
        auto* item = new QListWidgetItem(listed.text, m_list);
        item->setData(Qt::UserRole, listed.entryCodeId);
    }
    m_bHasCredentials = m_list->count() > 0;
    if (m_bHasCredentials)
        m_list->setCurrentRow(0);
}

void CUserEntryCodesTab::Refresh()
{
    Reload();
    emit CredentialsChanged(m_bHasCredentials);
}

std::int32_t CUserEntryCodesTab::SelectedId() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void CUserEntryCodesTab::OnSelChange()
{
    const std::int32_t id = SelectedId();
    if (id == 0)
        return;
    if (const std::optional<bool> suspended = EntryCodeAssignment::IsSuspended(id))
        m_suspended->setChecked(*suspended);
}

void CUserEntryCodesTab::OnSuspendedClick()
{
    const std::int32_t id = SelectedId();
    if (id != 0)
        EntryCodeAssignment::StoreSuspended(id, m_suspended->isChecked());
}

void CUserEntryCodesTab::OnAssign()
{
    const EntryCodeAssignment::AssignResult result
        = EntryCodeAssignment::Assign(m_nUserID, m_code->text(), m_suspended->isChecked());
    if (result == EntryCodeAssignment::AssignResult::Refused) {
        m_code->setFocus();
        m_code->selectAll();
        return;
    }
    if (result == EntryCodeAssignment::AssignResult::AlreadyAssigned)
        m_code->setFocus();
    Refresh();
    m_code->clear();
}

void CUserEntryCodesTab::OnSurrender()
{
    const std::int32_t id = SelectedId();
    if (id == 0)
        return;
    if (ShowMessageBox(QStringLiteral("Are you sure you want to remove this?"), MbButtons::YesNo, MbIcon::Question)
        != IDYES)
        return;
    EntryCodeAssignment::Surrender(id);
    Refresh();
}
