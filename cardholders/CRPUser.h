#pragma once

#include "app/CPaneView.h"
#include "app/IDocumentView.h"
#include "cardholders/CardholderRecord.h"

#include <array>

class CUserDirectoryTab;
class CUserEntryCodesTab;
class CUserMediaTab;
class CWFDoc;
class ICredentialPage;
class QCheckBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// The cardholder form: one cardholder's name, address, telephones,
// expiration and custom fields, with the credential pages below.
class CRPUser : public CPaneView, public IDocumentView
{
    Q_OBJECT
public:
    explicit CRPUser(QWidget* parent = nullptr);
    ~CRPUser() override;

    void OnUpdate() override;
    void OnApply();
    void OnResetAntiPassback();
    void ShowPage(int page);
    // Saves the cardholder given (0 for none), then shows the one loaded.
    void SaveAndLoad(std::int32_t saveId);

    std::int32_t UserID() const { return m_nUserID; }
    QLineEdit* FirstNameEdit() const { return m_firstName; }
    QLineEdit* LastNameEdit() const { return m_lastName; }
    QLineEdit* CustomEdit(int i) const { return m_custom[static_cast<std::size_t>(i)]; }
    QLabel* CustomLabel(int i) const { return m_customLabels[static_cast<std::size_t>(i)]; }
    QCheckBox* NeverExpires() const { return m_neverExpires; }
    QDateEdit* ExpirationPicker() const { return m_expiration; }
    QGroupBox* SetGroup() const { return m_group; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* PageButton(int page) const { return m_pageButtons[static_cast<std::size_t>(page)]; }
    QLabel* PageIcon(int page) const { return m_pageIcons[static_cast<std::size_t>(page)]; }
    CUserDirectoryTab* DirectoryPage() const { return m_directory; }
    CUserMediaTab* CardsPage() const { return m_cards; }
    CUserMediaTab* XmtrsPage() const { return m_xmtrs; }
    CUserEntryCodesTab* EntryCodesPage() const { return m_entryCodes; }

protected:
    qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* AddEdit(int row, int column, const QString& label, int limit, QLabel** labelOut = nullptr,
                       int span = 1);
    void LoadCardholder(std::int32_t userId);
    void HandUserToPages();
    void RefreshShownPage();
    // Presses the page's button alone and shows the page, without refreshing it.
    void PressPage(int page);
    void ReadForm(CardholderRecord& record) const;
    void ShowRecord(const CardholderRecord& record);
    void ApplyLabels();
    void OnNeverExpiresClicked();
    void OnNameEdited();
    int PressedPage() const;
    ICredentialPage* Page(int page) const;

    CWFDoc* m_pDoc = nullptr;
    QGroupBox* m_group = nullptr;
    QGridLayout* m_grid = nullptr;
    QLineEdit* m_firstName = nullptr;
    QLineEdit* m_middleName = nullptr;
    QLineEdit* m_lastName = nullptr;
    QLineEdit* m_street = nullptr;
    QLineEdit* m_city = nullptr;
    QLineEdit* m_state = nullptr;
    QLineEdit* m_zip = nullptr;
    QLineEdit* m_homePhone = nullptr;
    QLineEdit* m_workPhone = nullptr;
    std::array<QLineEdit*, CardholderRecord::kCustomFields> m_custom{};
    std::array<QLabel*, CardholderRecord::kCustomFields> m_customLabels{};
    QCheckBox* m_neverExpires = nullptr;
    QDateEdit* m_expiration = nullptr;
    std::array<QPushButton*, CardholderRecord::kCredentials> m_pageButtons{};
    std::array<QLabel*, CardholderRecord::kCredentials> m_pageIcons{};
    std::array<QWidget*, CardholderRecord::kCredentials> m_pages{};
    QStackedWidget* m_pageStack = nullptr;
    CUserDirectoryTab* m_directory = nullptr;
    CUserMediaTab* m_cards = nullptr;
    CUserMediaTab* m_xmtrs = nullptr;
    CUserEntryCodesTab* m_entryCodes = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_resetAntiPassback = nullptr;
    std::int32_t m_nUserID = 0;
    QString m_shownLastName;
    bool m_saving = false;
    bool m_closed = false;
};
