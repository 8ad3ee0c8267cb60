#pragma once

#include "cardholders/ICredentialPage.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The cardholder form's "Entry Codes" page: the cardholder's keypad codes,
// hidden ones shown as "#".
class CUserEntryCodesTab : public QWidget, public ICredentialPage
{
    Q_OBJECT
public:
    explicit CUserEntryCodesTab(QWidget* parent = nullptr);

    void SetUserID(std::int32_t userId) override { m_nUserID = userId; }
    bool HasCredentials() const override { return m_bHasCredentials; }
    void SetHasCredentials(bool has) override { m_bHasCredentials = has; }
    void Reload() override;

    void OnAssign();
    void OnSurrender();
    void OnSelChange();
    void OnSuspendedClick();

    QLineEdit* CodeEdit() const { return m_code; }
    QListWidget* CodeList() const { return m_list; }
    QCheckBox* SuspendedBox() const { return m_suspended; }
    QPushButton* AssignButton() const { return m_assign; }
    QPushButton* SurrenderButton() const { return m_surrender; }

signals:
    // The cardholder form shows or hides the page's icon.
    void CredentialsChanged(bool has);

private:
    void Refresh();
    std::int32_t SelectedId() const;

    QLineEdit* m_code = nullptr;
    QListWidget* m_list = nullptr;
    QCheckBox* m_suspended = nullptr;
    QPushButton* m_assign = nullptr;
    QPushButton* m_surrender = nullptr;
    std::int32_t m_nUserID = 0;
    bool m_bHasCredentials = false;
};
