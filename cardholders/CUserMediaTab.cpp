#include "cardholders/CUserMediaTab.h"

#include "app/AppObjects.h"
#include "cardholders/CIndividualDlg.h"
#include "cardholders/CredentialAssignment.h"
#include "cardholders/CredentialIndividuals.h"
#include "cardholders/SpareComboBox.h"
#include "common/Formatting.h"
#include "common/SharedHelpers.h"
#include "database/WaitCursor.h"
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
constexpr int kLongestTypedText = 30;

} // namespace

CUserMediaTab::CUserMediaTab(CredentialKind kind, QWidget* parent) : QWidget(parent), m_kind(kind)
{
    const CredentialTexts& texts = TextsOf(kind);
    auto* layout = new QGridLayout(this);
    auto* assignGroup = new QGroupBox(texts.assignFrame, this);
    auto* assignLayout = new QHBoxLayout(assignGroup);
    m_spares = new SpareComboBox(assignGroup);
    m_spares->lineEdit()->setMaxLength(kLongestTypedText);
    m_spares->setInsertPolicy(QComboBox::NoInsert);
    m_assign = new QPushButton(QStringLiteral("&Assign"), assignGroup);
    assignLayout->addWidget(m_spares, 1);
    assignLayout->addWidget(m_assign);
    auto* surrenderGroup = new QGroupBox(texts.surrenderFrame, this);
    auto* surrenderLayout = new QHBoxLayout(surrenderGroup);
    m_surrender = new QPushButton(QStringLiteral("&Surrender"), surrenderGroup);
    surrenderLayout->addWidget(m_surrender);
    m_assigned = new QListWidget(this);
    auto* statusGroup = new QGroupBox(texts.statusFrame, this);
    auto* statusLayout = new QVBoxLayout(statusGroup);
    m_suspended = new QCheckBox(QStringLiteral("Suspended"), statusGroup);
    m_lost = new QCheckBox(QStringLiteral("Lost"), statusGroup);
    statusLayout->addWidget(m_suspended);
    statusLayout->addWidget(m_lost);
    layout->addWidget(assignGroup, 0, 0);
    layout->addWidget(surrenderGroup, 0, 1);
    layout->addWidget(new QLabel(texts.assignedLabel, this), 1, 0);
    layout->addWidget(m_assigned, 2, 0);
    layout->addWidget(statusGroup, 2, 1);
    m_assignNew = new QPushButton(texts.assignNewIndividual, this);
    layout->addWidget(m_assignNew, 3, 1);

    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    m_suspended->setEnabled(editable);
    m_lost->setEnabled(editable);
    assignGroup->setVisible(editable);
    surrenderGroup->setVisible(editable);

    connect(m_spares, &SpareComboBox::aboutToOpen, this, &CUserMediaTab::OnSpareDropDown);
    connect(m_assign, &QPushButton::clicked, this, &CUserMediaTab::OnAssign);
    connect(m_surrender, &QPushButton::clicked, this, &CUserMediaTab::OnSurrender);
    connect(m_assigned, &QListWidget::currentRowChanged, this, &CUserMediaTab::OnAssignedSelChange);
    connect(m_suspended, &QCheckBox::clicked, this, &CUserMediaTab::StoreStatus);
    connect(m_lost, &QCheckBox::clicked, this, &CUserMediaTab::StoreStatus);
    connect(m_assignNew, &QPushButton::clicked, this, &CUserMediaTab::OnAssignNewIndividual);
}

void CUserMediaTab::SetUserID(std::int32_t userId)
{
    m_nUserID = userId;
    m_bSpareListValid = false;
}

void CUserMediaTab::Reload()
{
    {
        const QSignalBlocker block(m_assigned);
        m_assigned->clear();
    }
    m_spares->clear();
    m_numbers.clear();
    m_bSpareListValid = false;
    for (const CredentialAssignment::Held& held : CredentialAssignment::ListHeld(m_kind, m_nUserID)) {
        auto* item = new QListWidgetItem(held.text, m_assigned);
        item->setData(Qt::UserRole, static_cast<int>(m_numbers.size()));
        m_numbers.push_back(held.number);
    }
    m_bHasCredentials = !m_numbers.empty();
    if (m_bHasCredentials)
        m_assigned->setCurrentRow(0);
}

void CUserMediaTab::Refresh()
{
    Reload();
    emit CredentialsChanged(m_bHasCredentials);
}

double CUserMediaTab::SelectedNumber() const
{
    const QListWidgetItem* item = m_assigned->currentItem();
    if (!item)
        return 0.0;
    const auto index = static_cast<std::size_t>(item->data(Qt::UserRole).toInt());
    return index < m_numbers.size() ? m_numbers[index] : 0.0;
}

void CUserMediaTab::OnAssignedSelChange()
{
    const double number = SelectedNumber();
    if (number == 0.0)
        return;
    const std::optional<CredentialAssignment::Status> status = CredentialAssignment::LoadStatus(m_kind, number);
    if (!status)
        return;
    m_suspended->setChecked(status->suspended);
    m_lost->setChecked(status->lost);
}

void CUserMediaTab::OnSpareDropDown()
{
    if (m_bSpareListValid)
        return;
    WaitCursor wait;
    m_bSpareListValid = true;
    const QString typed = m_spares->currentText();
    const QSignalBlocker block(m_spares);
    m_spares->clear();
    for (const CredentialAssignment::Spare& spare : CredentialAssignment::ListSpares(m_kind))
        m_spares->addItem(spare.text, spare.index);
    m_spares->setCurrentIndex(-1);
    m_spares->setEditText(typed);
}

void CUserMediaTab::OnAssign()
{
    WaitCursor wait;
    const CredentialAssignment::AssignResult result = CredentialAssignment::Assign(
        m_kind, m_nUserID, m_assigned->count(), m_spares->currentText());
    if (result == CredentialAssignment::AssignResult::Refused) {
        m_spares->setFocus();
        return;
    }
    if (result == CredentialAssignment::AssignResult::Assigned) {
        m_bSpareListValid = false;
        // The number is hers now: left in the box, a second Assign would
        // call it not available.
        m_spares->clearEditText();
    } else {
        m_spares->setFocus();
    }
    Refresh();
}

void CUserMediaTab::OnSurrender()
{
    const double number = SelectedNumber();
    if (number == 0.0)
        return;
    WaitCursor wait;
    if (ShowMessageBox(TextsOf(m_kind).confirmSurrender, MbButtons::YesNo, MbIcon::Question) != IDYES)
        return;
    if (CredentialAssignment::Surrender(m_kind, number))
        m_bSpareListValid = false;
    Refresh();
}

void CUserMediaTab::StoreStatus()
{
    const double number = SelectedNumber();
    if (number == 0.0)
        return;
    CredentialAssignment::StoreStatus(m_kind, number, {m_suspended->isChecked(), m_lost->isChecked()});
}

void CUserMediaTab::OnAssignNewIndividual()
{
    if (!CredentialIndividuals::MayAddIndividual(m_kind))
        return;
    const std::unique_ptr<CIndividualDlg> dialog = CIndividualDlg::Make(m_kind, GetInstallationDoc(), this);
    if (dialog->exec() != QDialog::Accepted)
        return;
    m_spares->setEditText(FormatWholeNumber(dialog->Number()));
    OnAssign();
    m_bSpareListValid = false;
}
