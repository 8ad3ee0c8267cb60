#include "cardholders/CUserDirectoryTab.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "database/GlobalRecordsets.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kCardholderPrivilege = 0;
constexpr int kLongestCode = 4;
constexpr char kFirstSubset = 'A';
const QString kFillCode = QStringLiteral("0000");

} // namespace

CUserDirectoryTab::CUserDirectoryTab(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    m_code = new QLineEdit(this);
    m_code->setMaxLength(kLongestCode);
    m_phone = new QLineEdit(this);
    m_phone->setMaxLength(DirectoryCodes::kPhoneLength);
    m_tenant = new QLineEdit(this);
    m_tenant->setMaxLength(DirectoryCodes::kTenantLength);
    m_surrender = new QPushButton(QStringLiteral("Surrender Dir Code"), this);
    m_assign = new QPushButton(QStringLiteral("Assign"), this);
    m_extended = new QCheckBox(QStringLiteral("Extended talk time"), this);
    m_list = new QListWidget(this);
    m_subsets = new QListWidget(this);
    for (int i = 0; i < DirectoryCodes::kSubsets; ++i) {
        auto* item = new QListWidgetItem(QStringLiteral("Subset %1").arg(QChar(kFirstSubset + i)), m_subsets);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    grid->addWidget(new QLabel(QStringLiteral("Telephone Directory"), this), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Directory code:"), this), 1, 0);
    grid->addWidget(m_code, 1, 1);
    grid->addWidget(m_assign, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Dir codes assigned to this cardholder:"), this), 2, 0, 1, 2);
    grid->addWidget(m_list, 3, 0, 3, 2);
    grid->addWidget(m_surrender, 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("Tenant name:"), this), 6, 0);
    grid->addWidget(m_tenant, 6, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Telephone number:"), this), 7, 0);
    grid->addWidget(m_phone, 7, 1, 1, 2);
    grid->addWidget(m_extended, 8, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Directory Subsets:"), this), 0, 3);
    grid->addWidget(m_subsets, 1, 3, 8, 1);

    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    m_assign->setVisible(editable);
    m_surrender->setVisible(editable);
    for (QWidget* w : std::initializer_list<QWidget*>{m_phone, m_tenant, m_extended})
        w->setEnabled(editable);

    connect(m_assign, &QPushButton::clicked, this, &CUserDirectoryTab::OnAssign);
    connect(m_surrender, &QPushButton::clicked, this, &CUserDirectoryTab::OnSurrender);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CUserDirectoryTab::SelectEntry);
    connect(m_code, &QLineEdit::textEdited, this, &CUserDirectoryTab::OnCodeEdited);
    connect(m_phone, &QLineEdit::textEdited, this, &CUserDirectoryTab::OnPhoneEdited);
    connect(m_tenant, &QLineEdit::textEdited, this, &CUserDirectoryTab::OnTenantEdited);
}

CUserDirectoryTab::~CUserDirectoryTab()
{
    StoreEntry();
}

int CUserDirectoryTab::CodeLength() const
{
    std::uint8_t setting = 0;
    if (m_pDoc)
        m_pDoc->DirectoryCodeLength(setting, 1);
    return std::min<int>(setting, kLongestCode - 1) + 1;
}

void CUserDirectoryTab::SetUserID(std::int32_t userId)
{
    StoreEntry();
    m_nUserID = userId;
    m_bEntryLoaded = false;
    m_bChanged = false;
}

void CUserDirectoryTab::Reload()
{
    Fill(kFillCode);
    FocusCode();
}

void CUserDirectoryTab::FocusCode()
{
    m_bBusy = true;
    m_code->setFocus();
    m_code->selectAll();
    m_bBusy = false;
}

DirectoryCodes::Entry CUserDirectoryTab::FieldsEntry() const
{
    DirectoryCodes::Entry entry{m_tenant->text(), m_phone->text(), m_extended->isChecked(), {}};
    for (int i = 0; i < DirectoryCodes::kSubsets; ++i)
        entry.subsets[static_cast<std::size_t>(i)] = m_subsets->item(i)->checkState() == Qt::Checked;
    return entry;
}

void CUserDirectoryTab::ShowEntry(const DirectoryCodes::Entry& entry)
{
    m_tenant->setText(entry.tenant);
    m_phone->setText(entry.phone);
    m_extended->setChecked(entry.extendedTalkTime);
    for (int i = 0; i < DirectoryCodes::kSubsets; ++i)
        m_subsets->item(i)->setCheckState(entry.subsets[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
}

void CUserDirectoryTab::EnableEntryControls(bool enabled)
{
    const bool editable = enabled && OperatorHasPrivilege(kCardholderPrivilege);
    for (QWidget* w : std::initializer_list<QWidget*>{m_subsets, m_extended, m_phone, m_tenant})
        w->setEnabled(editable);
    m_list->setEnabled(enabled);
}

bool CUserDirectoryTab::Fill(const QString& code)
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    DirectoryCodes::Subsets first{};
    const std::vector<DirectoryCodes::Listed> codes = DirectoryCodes::ListCodes(m_nUserID, first);
    DirectoryCodes::Entry shown;
    shown.subsets = first;
    ShowEntry(shown);
    if (codes.empty())
        m_code->clear();
    for (const DirectoryCodes::Listed& listed : codes) {
        auto* item = new QListWidgetItem(listed.code, m_list);
        item->setData(Qt::UserRole, listed.entryId);
    }
    if (!codes.empty()) {
        const QList<QListWidgetItem*> matches = m_list->findItems(code, Qt::MatchExactly);
        m_list->setCurrentItem(matches.isEmpty() ? m_list->item(0) : matches.first());
    }
    m_bHasCredentials = !codes.empty();
    if (codes.empty()) {
        m_bWarnAllAssigned = true;
        SelectEntry();
        m_bWarnAllAssigned = false;
    } else {
        SelectEntry();
        m_bEntryLoaded = true;
    }
    EnableEntryControls(!codes.empty());
    return m_bHasCredentials;
}

void CUserDirectoryTab::StoreEntry()
{
    if (!m_bEntryLoaded || m_nEntryID == 0 || !g_setPhoneEntries.IsOpen())
        return;
    if (DirectoryCodes::StoreEntry(m_nEntryID, FieldsEntry()))
        m_bChanged = true;
}

void CUserDirectoryTab::SelectEntry()
{
    StoreEntry();
    QListWidgetItem* item = m_list->currentItem();
    DirectoryCodes::Entry entry;
    if (item) {
        m_nEntryID = item->data(Qt::UserRole).toInt();
        m_bEntryLoaded = true;
        DirectoryCodes::LoadEntry(m_nEntryID, entry);
        ShowEntry(entry);
    } else {
        m_nEntryID = 0;
        m_bEntryLoaded = false;
        m_tenant->clear();
        m_phone->clear();
        m_extended->setChecked(false);
    }
    m_code->setText(DirectoryCodes::FindFreeCode(CodeLength(), m_bWarnAllAssigned));
    m_previousCode = m_code->text();
    m_previousTenant = m_tenant->text();
}

void CUserDirectoryTab::Refresh(const QString& code)
{
    Fill(code);
    emit CredentialsChanged(m_bHasCredentials);
}

void CUserDirectoryTab::OnAssign()
{
    const QString code = m_code->text();
    if (!DirectoryCodes::CheckCode(code, CodeLength())) {
        FocusCode();
        return;
    }
    if (!DirectoryCodes::Assign(m_nUserID, code, FieldsEntry().subsets))
        return;
    m_bEntryLoaded = false;
    m_bChanged = true;
    m_code->clear();
    m_bWarnAllAssigned = true;
    Refresh(code);
    m_bWarnAllAssigned = false;
}

void CUserDirectoryTab::OnSurrender()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    if (ShowMessageBox(QStringLiteral("Are you sure you want to remove this directory entry?"), MbButtons::YesNo,
                       MbIcon::Question) != IDYES)
        return;
    if (!DirectoryCodes::Surrender(item->data(Qt::UserRole).toInt()))
        return;
    m_bChanged = true;
    m_bEntryLoaded = false;
    Refresh(kFillCode);
}

void CUserDirectoryTab::OnCodeEdited(const QString& text)
{
    const int length = CodeLength();
    if (text.size() > length) {
        ShowMessageBox(QStringLiteral("Please enter a %1 digit directory code.").arg(length));
        m_code->setText(m_previousCode);
        return;
    }
    m_previousCode = text;
}

void CUserDirectoryTab::OnPhoneEdited(const QString& text)
{
    QString digits;
    for (const QChar c : text)
        if (c.isDigit() && c.unicode() < 0x80)
            digits += c;
    if (digits == text)
        return;
    m_phone->setText(digits);
    ShowMessageBox(QStringLiteral("Please enter an integer."));
}

void CUserDirectoryTab::OnTenantEdited(const QString& text)
{
    if (text.startsWith(QLatin1Char('^'))) {
        ShowMessageBox(QStringLiteral("The caret (^) is an invalid first character for the tenant name."));
        m_tenant->setText(m_previousTenant);
        return;
    }
    m_previousTenant = text;
}
