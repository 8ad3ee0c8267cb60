#include "cardholders/CRPUser.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFDoc.h"
#include "cardholders/CUserCardsTab.h"
#include "cardholders/CUserEntryCodesTab.h"
#include "cardholders/CUserXmtrsTab.h"
#include "cardholders/CMenuUsers.h"
#include "cardholders/CUserDirectoryTab.h"
#include "cardholders/CardholderIcons.h"
#include "common/SharedHelpers.h"
#include "database/GlobalRecordsets.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCardholderPrivilege = 0;
constexpr int kIconSize = 16;
// Columns of the cardholder's fields: two pairs of caption and edit.
constexpr int kLeftLabel = 0;
constexpr int kLeftEdit = 1;
constexpr int kRightLabel = 2;
constexpr int kRightEdit = 3;
constexpr int kWholeRow = 3;
const QString kFillCode = QStringLiteral("0000");
constexpr const char* kPageTitles[CardholderRecord::kCredentials] = {"Transmitters", "Cards", "Directory Codes",
                                                                     "Entry Codes"};

CMenuUsers* Tree()
{
    auto* frame = qobject_cast<CMainFrame*>(GetMainWindow());
    return frame ? qobject_cast<CMenuUsers*>(frame->UpperLeftView()) : nullptr;
}

} // namespace

CRPUser::CRPUser(QWidget* parent) : CPaneView(parent)
{
    setObjectName(QStringLiteral("CRPUser"));
    m_pDoc = GetInstallationDoc();
    auto* outer = new QVBoxLayout(this);
    m_group = new QGroupBox(this);
    outer->addWidget(m_group);
    m_grid = new QGridLayout(m_group);
    // Both edit columns share the width the window gives the form.
    m_grid->setColumnStretch(kLeftEdit, 1);
    m_grid->setColumnStretch(kRightEdit, 1);
    m_firstName = AddEdit(0, kLeftLabel, QStringLiteral("First Name:"), CardholderRecord::kNameLength);
    m_middleName = AddEdit(0, kRightLabel, QStringLiteral("Middle:"), CardholderRecord::kNameLength);
    m_lastName = AddEdit(1, kLeftLabel, QStringLiteral("Last Name:"), CardholderRecord::kNameLength);
    m_street = AddEdit(2, kLeftLabel, QStringLiteral("Street:"), CardholderRecord::kStreetLength, nullptr, kWholeRow);
    m_city = AddEdit(3, kLeftLabel, QStringLiteral("City:"), CardholderRecord::kNameLength);
    m_state = AddEdit(3, kRightLabel, QStringLiteral("State:"), CardholderRecord::kNameLength);
    m_zip = AddEdit(4, kLeftLabel, QStringLiteral("Zip Code:"), CardholderRecord::kZipLength);
    m_homePhone = AddEdit(5, kLeftLabel, QStringLiteral("Home Phone:"), CardholderRecord::kNameLength);
    m_workPhone = AddEdit(5, kRightLabel, QStringLiteral("Work Phone:"), CardholderRecord::kNameLength);
    for (int i = 0; i < CardholderRecord::kCustomFields; ++i) {
        const auto n = static_cast<std::size_t>(i);
        m_custom[n] = AddEdit(6 + i / 2, i % 2 == 0 ? kLeftLabel : kRightLabel, QString(),
                              CardholderRecord::kCustomLength, &m_customLabels[n]);
    }
    m_neverExpires = new QCheckBox(QStringLiteral("Never expires"), m_group);
    m_expiration = new QDateEdit(m_group);
    m_expiration->setCalendarPopup(true);
    m_expiration->setDateRange(CardholderRecord::FirstExpiration(), CardholderRecord::LastExpiration());
    auto* expiry = new QHBoxLayout;
    expiry->addWidget(m_neverExpires);
    expiry->addWidget(m_expiration);
    expiry->addStretch();
    m_grid->addLayout(expiry, 4, kRightLabel, 1, 2);

    auto* credentials = new QHBoxLayout;
    outer->addLayout(credentials, 1);
    auto* buttons = new QGridLayout;
    credentials->addLayout(buttons);
    m_pageStack = new QStackedWidget(this);
    credentials->addWidget(m_pageStack, 1);
    for (int p = 0; p < CardholderRecord::kCredentials; ++p) {
        const auto i = static_cast<std::size_t>(p);
        m_pageButtons[i] = new QPushButton(QString::fromLatin1(kPageTitles[p]), this);
        m_pageButtons[i]->setCheckable(true);
        m_pageIcons[i] = new QLabel(this);
        m_pageIcons[i]->setPixmap(CardholderIcons::ButtonIcon(CardholderIcons::DirectoryCodes).pixmap(kIconSize));
        m_pageIcons[i]->setFixedSize(kIconSize, kIconSize);
        m_pageIcons[i]->hide();
        buttons->addWidget(m_pageButtons[i], p, 0);
        buttons->addWidget(m_pageIcons[i], p, 1);
        if (p == CardholderRecord::DirectoryCodes) {
            m_directory = new CUserDirectoryTab(m_pageStack);
            m_directory->m_pDoc = m_pDoc;
            m_pages[i] = m_directory;
            connect(m_directory, &CUserDirectoryTab::CredentialsChanged, m_pageIcons[i], &QWidget::setVisible);
        } else if (p == CardholderRecord::EntryCodes) {
            m_entryCodes = new CUserEntryCodesTab(m_pageStack);
            m_pages[i] = m_entryCodes;
            connect(m_entryCodes, &CUserEntryCodesTab::CredentialsChanged, m_pageIcons[i], &QWidget::setVisible);
        } else {
            auto* media = p == CardholderRecord::Cards ? static_cast<CUserMediaTab*>(new CUserCardsTab(m_pageStack))
                                                       : new CUserXmtrsTab(m_pageStack);
            (p == CardholderRecord::Cards ? m_cards : m_xmtrs) = media;
            m_pages[i] = media;
            connect(media, &CUserMediaTab::CredentialsChanged, m_pageIcons[i], &QWidget::setVisible);
        }
        m_pageStack->addWidget(m_pages[i]);
        connect(m_pageButtons[i], &QPushButton::clicked, this, [this, p] { ShowPage(p); });
    }
    m_apply = new QPushButton(QStringLiteral("Apply"), this);
    m_resetAntiPassback = new QPushButton(QStringLiteral("Reset Anti-passback Status"), this);
    buttons->setRowStretch(CardholderRecord::kCredentials, 1);
    buttons->addWidget(m_apply, CardholderRecord::kCredentials + 1, 0, 1, 2);
    buttons->addWidget(m_resetAntiPassback, CardholderRecord::kCredentials + 2, 0, 1, 2);
    // The form opens on the first page, so the credential area never stands
    // empty; the first cardholder loaded fills it.
    PressPage(CardholderRecord::Transmitters);

    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    for (QWidget* w : std::initializer_list<QWidget*>{m_firstName, m_middleName, m_lastName, m_street, m_city, m_state,
                                                      m_zip, m_homePhone, m_workPhone, m_neverExpires, m_expiration})
        w->setEnabled(editable);
    ApplyLabels();

    connect(m_neverExpires, &QCheckBox::clicked, this, &CRPUser::OnNeverExpiresClicked);
    connect(m_firstName, &QLineEdit::textEdited, this, &CRPUser::OnNameEdited);
    connect(m_lastName, &QLineEdit::textEdited, this, &CRPUser::OnNameEdited);
    for (QLineEdit* e : {m_firstName, m_lastName, m_homePhone})
        connect(e, &QLineEdit::editingFinished, this, [this] { SaveAndLoad(m_nUserID); });
    connect(m_apply, &QPushButton::clicked, this, &CRPUser::OnApply);
    connect(m_resetAntiPassback, &QPushButton::clicked, this, &CRPUser::OnResetAntiPassback);
    if (m_pDoc)
        m_pDoc->AddView(this);
}

CRPUser::~CRPUser()
{
    if (m_pDoc)
        m_pDoc->RemoveView(this);
}

QLineEdit* CRPUser::AddEdit(int row, int column, const QString& label, int limit, QLabel** labelOut, int span)
{
    auto* caption = new QLabel(label, m_group);
    auto* edit = new QLineEdit(m_group);
    edit->setMaxLength(limit);
    caption->setBuddy(edit);
    if (labelOut)
        *labelOut = caption;
    m_grid->addWidget(caption, row, column);
    m_grid->addWidget(edit, row, column + 1, 1, span);
    return edit;
}

ICredentialPage* CRPUser::Page(int page) const
{
    return dynamic_cast<ICredentialPage*>(m_pages[static_cast<std::size_t>(page)]);
}

int CRPUser::PressedPage() const
{
    for (int p = 0; p < CardholderRecord::kCredentials; ++p) {
        if (m_pageButtons[static_cast<std::size_t>(p)]->isChecked())
            return p;
    }
    return -1;
}

void CRPUser::ApplyLabels()
{
    const bool editable = OperatorHasPrivilege(kCardholderPrivilege);
    for (int i = 0; i < CardholderRecord::kCustomFields; ++i) {
        const auto n = static_cast<std::size_t>(i);
        QString label = m_pDoc ? m_pDoc->m_userTypeLabels[n] : QString();
        if (!label.isEmpty())
            label += QLatin1Char(':');
        m_customLabels[n]->setText(label);
        m_custom[n]->setEnabled(editable && !label.isEmpty());
    }
}

void CRPUser::OnUpdate()
{
    ApplyLabels();
}

qintptr CRPUser::OnAppMessage(unsigned msg, quintptr wParam, qintptr)
{
    switch (msg) {
    case Msg::ShowCardholder:
        LoadCardholder(static_cast<std::int32_t>(wParam));
        break;
    case Msg::RefreshAfterAdd:
        m_firstName->setFocus();
        m_firstName->selectAll();
        break;
    case Msg::CardholderChanged:
        if (PressedPage() == CardholderRecord::DirectoryCodes)
            m_directory->FocusCode();
        break;
    default:
        break;
    }
    return 0;
}

void CRPUser::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        m_directory->StoreEntry();
        SaveAndLoad(m_nUserID);
    }
    CPaneView::closeEvent(event);
}

void CRPUser::HandUserToPages()
{
    for (int p = 0; p < CardholderRecord::kCredentials; ++p)
        Page(p)->SetUserID(m_nUserID);
}

void CRPUser::RefreshShownPage()
{
    const int page = PressedPage();
    if (page < 0)
        return;
    if (page == CardholderRecord::DirectoryCodes) {
        m_directory->Fill(kFillCode);
        m_directory->FocusCode();
    } else {
        Page(page)->Reload();
    }
}

void CRPUser::LoadCardholder(std::int32_t userId)
{
    const std::int32_t previous = m_nUserID;
    m_nUserID = userId;
    HandUserToPages();
    SaveAndLoad(previous);
    RefreshShownPage();
}

void CRPUser::PressPage(int page)
{
    for (int p = 0; p < CardholderRecord::kCredentials; ++p)
        m_pageButtons[static_cast<std::size_t>(p)]->setChecked(p == page);
    m_pageStack->setCurrentIndex(page);
}

void CRPUser::ShowPage(int page)
{
    PressPage(page);
    RefreshShownPage();
}

void CRPUser::ReadForm(CardholderRecord& r) const
{
    r.firstName = m_firstName->text();
    r.middleName = m_middleName->text();
    r.lastName = m_lastName->text();
    r.street = m_street->text();
    r.city = m_city->text();
    r.state = m_state->text();
    r.zip = m_zip->text();
    r.homePhone = m_homePhone->text();
    r.workPhone = m_workPhone->text();
    for (std::size_t i = 0; i < r.custom.size(); ++i)
        r.custom[i] = m_custom[i]->text();
    r.neverExpires = m_neverExpires->isChecked();
    r.expiration = m_expiration->date();
    for (int p = 0; p < CardholderRecord::kCredentials; ++p)
        r.got[static_cast<std::size_t>(p)] = Page(p)->HasCredentials();
}

void CRPUser::ShowRecord(const CardholderRecord& r)
{
    m_firstName->setText(r.firstName);
    m_middleName->setText(r.middleName);
    m_lastName->setText(r.lastName);
    m_shownLastName = r.lastName;
    m_street->setText(r.street);
    m_city->setText(r.city);
    m_state->setText(r.state);
    m_zip->setText(r.zip);
    m_homePhone->setText(r.homePhone);
    m_workPhone->setText(r.workPhone);
    for (std::size_t i = 0; i < r.custom.size(); ++i)
        m_custom[i]->setText(r.custom[i]);
    m_neverExpires->setChecked(r.neverExpires);
    m_expiration->setDate(r.expiration);
    m_expiration->setVisible(!r.neverExpires);
    for (int p = 0; p < CardholderRecord::kCredentials; ++p) {
        const auto i = static_cast<std::size_t>(p);
        Page(p)->SetHasCredentials(r.got[i]);
        m_pageIcons[i]->setVisible(r.got[i]);
    }
}

void CRPUser::SaveAndLoad(std::int32_t saveId)
{
    // A box shown inside may move the focus, which must not save again.
    if (m_saving || m_directory->IsBusy() || m_nUserID == 0 || !g_setUsers.IsOpen())
        return;
    m_saving = true;
    CardholderRecord record;
    if (saveId != 0) {
        ReadForm(record);
        if (!record.Save(saveId)) {
            m_saving = false;
            return;
        }
    }
    if (record.Load(m_nUserID)) {
        ShowRecord(record);
        if (!record.neverExpires && record.expired)
            ShowMessageBox(QStringLiteral("The cardholder's expiration date is not valid."), MbButtons::Ok,
                           MbIcon::Information);
        if (record.setIndex != 0) {
            const QString name = g_setUserGroups.GetSetName(record.setIndex);
            m_group->setTitle(QStringLiteral("Cardholders for %1").arg(name));
        }
    }
    m_saving = false;
}

void CRPUser::OnNeverExpiresClicked()
{
    const bool never = m_neverExpires->isChecked();
    m_expiration->setVisible(!never);
    if (!never)
        m_expiration->setDate(Clock::Current().NowLocal().date());
}

void CRPUser::OnNameEdited()
{
    const QString last = m_lastName->text();
    if (last.startsWith(QLatin1Char('^'))) {
        ShowMessageBox(QStringLiteral("The caret (^) is an invalid first character for the cardholder's last name."));
        m_lastName->setText(m_shownLastName);
        return;
    }
    m_shownLastName = last;
    CardholderRecord record;
    record.firstName = m_firstName->text();
    record.lastName = last;
    if (CMenuUsers* tree = Tree())
        tree->RenameSelectedItem(m_nUserID, record.TypedTreeText());
}

void CRPUser::OnApply()
{
    if (m_nUserID == 0)
        return;
    ClearPendingNodeRequest();
    HandUserToPages();
    SaveAndLoad(m_nUserID);
    RefreshShownPage();
}

void CRPUser::OnResetAntiPassback()
{
    if (m_pDoc)
        m_pDoc->ClearLastViolation(m_nUserID, 1);
}
