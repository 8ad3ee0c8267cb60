#pragma once

#include "database/OperatorAccounts.h"

#include <QAbstractItemDelegate>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The Operators page of the Setup sheet: adds, renames, deletes and edits
// operator accounts. Changes of the current operator are stored when another
// row is chosen and at the sheet's OK.
class CTabWFOperators : public QWidget
{
    Q_OBJECT

public:
    explicit CTabWFOperators(int loggedInSlot, QWidget* parent = nullptr);

    // The sheet's OK.
    void OnOK();

    int CurrentSlot() const { return m_nSlot; }
    QListWidget* OperatorList() const { return m_operators; }
    QLineEdit* PasswordEdit() const { return m_password; }
    QLineEdit* ConfirmEdit() const { return m_confirmation; }
    QCheckBox* AdministratorCheck() const { return m_administrator; }
    QListWidget* PrivilegeList() const { return m_privileges; }
    QLabel* DescriptionText() const { return m_description; }
    QPushButton* NewButton() const { return m_new; }

public slots:
    void OnNew();
    void OnDelete();

private:
    void OnRowChanged(QListWidgetItem* current);
    void OnLabelEdited(QListWidgetItem* item);
    void OnEditorClosed(QWidget* editor, QAbstractItemDelegate::EndEditHint hint);
    void OnPrivilegeRowChanged(int row);
    OperatorAccounts::Fields TakeFields() const;
    void ShowFields(const OperatorAccounts::Fields& fields);
    void ClearFields();
    void UpdatePrivilegeVisibility();
    void SaveCurrent();
    QListWidgetItem* AddRow(const OperatorAccounts::Row& row, int at);
    void RemoveRowOf(int slot);

    int m_nLoggedInSlot;
    int m_nSlot = COperatorStore::kNoOperator;
    int m_nNewSlot = COperatorStore::kNoOperator;
    bool m_bUpdating = false;
    QListWidget* m_operators = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_delete = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_confirmation = nullptr;
    QCheckBox* m_administrator = nullptr;
    QLabel* m_caption = nullptr;
    QListWidget* m_privileges = nullptr;
    QLabel* m_description = nullptr;
};
