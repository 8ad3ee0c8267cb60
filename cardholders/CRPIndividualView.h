#pragma once

#include "cardholders/CCredentialListView.h"

class QTreeWidget;

// The individual numbers of one credential kind, with Add and Delete, above
// the list of all numbers.
class CRPIndividualView : public CCredentialListView
{
    Q_OBJECT
public:
    CRPIndividualView(CredentialKind kind, QWidget* parent = nullptr);

    void FillIndividualList();
    void OnAddIndividual();
    void OnDeleteIndividual();

    QTreeWidget* IndividualList() const { return m_individualList; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* DeleteButton() const { return m_delete; }

private:
    QTreeWidget* m_individualList = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
};
