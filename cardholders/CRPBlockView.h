#pragma once

#include "cardholders/CCredentialListView.h"

class QTreeWidget;

// The blocks of one credential kind, with Add and Delete, above the list of
// all numbers.
class CRPBlockView : public CCredentialListView
{
    Q_OBJECT
public:
    CRPBlockView(CredentialKind kind, QWidget* parent = nullptr);

    void FillBlockList();
    void OnAddBlock();
    void OnDeleteBlock();

    QTreeWidget* BlockList() const { return m_blockList; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* DeleteButton() const { return m_delete; }

private:
    QTreeWidget* m_blockList = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
};
