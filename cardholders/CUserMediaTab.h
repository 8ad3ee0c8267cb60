#pragma once

#include "cardholders/CredentialKind.h"
#include "cardholders/ICredentialPage.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;
class SpareComboBox;

// The cardholder form's page of cards or of transmitters: the numbers the
// cardholder holds, the spares to give, and the held number's state.
class CUserMediaTab : public QWidget, public ICredentialPage
{
    Q_OBJECT
public:
    explicit CUserMediaTab(CredentialKind kind, QWidget* parent = nullptr);

    void SetUserID(std::int32_t userId) override;
    bool HasCredentials() const override { return m_bHasCredentials; }
    void SetHasCredentials(bool has) override { m_bHasCredentials = has; }
    void Reload() override;

    void OnSpareDropDown();
    void OnAssign();
    void OnSurrender();
    void OnAssignedSelChange();
    void StoreStatus();
    void OnAssignNewIndividual();

    SpareComboBox* SpareList() const { return m_spares; }
    QListWidget* AssignedList() const { return m_assigned; }
    QCheckBox* SuspendedBox() const { return m_suspended; }
    QCheckBox* LostBox() const { return m_lost; }
    QPushButton* AssignButton() const { return m_assign; }
    QPushButton* SurrenderButton() const { return m_surrender; }
    QPushButton* AssignNewIndividualButton() const { return m_assignNew; }

signals:
    // The cardholder form shows or hides the page's icon.
    void CredentialsChanged(bool has);

private:
    void Refresh();
    double SelectedNumber() const;

    CredentialKind m_kind;
    SpareComboBox* m_spares = nullptr;
    QListWidget* m_assigned = nullptr;
    QCheckBox* m_suspended = nullptr;
    QCheckBox* m_lost = nullptr;
    QPushButton* m_assign = nullptr;
    QPushButton* m_surrender = nullptr;
    QPushButton* m_assignNew = nullptr;
    std::vector<double> m_numbers;
    std::int32_t m_nUserID = 0;
    bool m_bHasCredentials = false;
    bool m_bSpareListValid = false;
};
