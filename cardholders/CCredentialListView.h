#pragma once

#include "app/CPaneView.h"
#include "cardholders/CredentialKind.h"

class CListCtrlEx2;
class CWFDoc;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// What the four credential views share: the list of all numbers of a range,
// filled by Show All, whose double-click edits a number's status.
class CCredentialListView : public CPaneView
{
    Q_OBJECT
public:
    CCredentialListView(CredentialKind kind, QWidget* parent = nullptr);

    void OnShowAll();
    void OnAllListDblClick();

    CListCtrlEx2* AllList() const { return m_allList; }
    QLineEdit* FromEdit() const { return m_fromEdit; }
    QLineEdit* ToEdit() const { return m_toEdit; }
    QPushButton* ShowAllButton() const { return m_showAll; }

protected:
    CredentialKind Kind() const { return m_kind; }
    // The view's own half goes above the shared list.
    void SetUpperHalf(QWidget* upper);
    void ClearAllList();

    CWFDoc* m_pDoc = nullptr;
    double m_dShowFrom;
    double m_dShowTo;

private:
    // Takes From and To; false, after saying why, when one is out of range.
    bool UpdateData();

    CredentialKind m_kind;
    QVBoxLayout* m_layout = nullptr;
    CListCtrlEx2* m_allList = nullptr;
    QLineEdit* m_fromEdit = nullptr;
    QLineEdit* m_toEdit = nullptr;
    QPushButton* m_showAll = nullptr;
};
