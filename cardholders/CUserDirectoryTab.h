#pragma once

#include "cardholders/DirectoryCodes.h"
#include "cardholders/ICredentialPage.h"

#include <QWidget>

class CWFDoc;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The cardholder form's "Directory Codes" page: the cardholder's
// telephone-directory codes, their tenant names, numbers and subsets.
class CUserDirectoryTab : public QWidget, public ICredentialPage
{
    Q_OBJECT
public:
    explicit CUserDirectoryTab(QWidget* parent = nullptr);
    ~CUserDirectoryTab() override;

    void SetUserID(std::int32_t userId) override;
    bool HasCredentials() const override { return m_bHasCredentials; }
    void SetHasCredentials(bool has) override { m_bHasCredentials = has; }
    void Reload() override;
    bool IsBusy() const override { return m_bBusy; }

    // Fills the page for the cardholder, selecting the code given when listed.
    bool Fill(const QString& code);
    void SelectEntry();
    void Refresh(const QString& code);
    // Stores the fields into the loaded entry's row.
    void StoreEntry();
    void OnAssign();
    void OnSurrender();
    // The code edit with its text selected, for the operator's next code.
    void FocusCode();

    CWFDoc* m_pDoc = nullptr;
    QLineEdit* CodeEdit() const { return m_code; }
    QLineEdit* PhoneEdit() const { return m_phone; }
    QLineEdit* TenantEdit() const { return m_tenant; }
    QListWidget* CodeList() const { return m_list; }
    QListWidget* SubsetList() const { return m_subsets; }
    QPushButton* AssignButton() const { return m_assign; }
    QPushButton* SurrenderButton() const { return m_surrender; }

signals:
    // The cardholder form shows or hides its directory icon.
    void CredentialsChanged(bool has);

private:
    int CodeLength() const;
    void ShowEntry(const DirectoryCodes::Entry& entry);
    DirectoryCodes::Entry FieldsEntry() const;
    void EnableEntryControls(bool enabled);
    void OnCodeEdited(const QString& text);
    void OnPhoneEdited(const QString& text);
    void OnTenantEdited(const QString& text);

    QLineEdit* m_code = nullptr;
    QLineEdit* m_phone = nullptr;
    QLineEdit* m_tenant = nullptr;
    QPushButton* m_surrender = nullptr;
    QPushButton* m_assign = nullptr;
    QCheckBox* m_extended = nullptr;
    QListWidget* m_list = nullptr;
    QListWidget* m_subsets = nullptr;
    bool m_bHasCredentials = false;
    bool m_bChanged = false;
    std::int32_t m_nUserID = 0;
    bool m_bEntryLoaded = false;
    bool m_bBusy = false;
    bool m_bWarnAllAssigned = false;
    std::int32_t m_nEntryID = 0;
    QString m_previousCode;
    QString m_previousTenant;
};
