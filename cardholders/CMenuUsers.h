#pragma once

#include "app/CPaneView.h"
#include "app/CToolTipCtrlEx.h"
#include "cardholders/CardholderStore.h"

#include <QString>

class CWFDoc;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The cardholders' navigation form: the cardholder sets with their
// cardholders, and the buttons that add, delete and suspend them.
class CMenuUsers : public CPaneView
{
    Q_OBJECT
public:
    static constexpr int kDataRole = Qt::UserRole;
    static constexpr int kImageRole = Qt::UserRole + 1;
    static constexpr int kSuspendedRole = Qt::UserRole + 2;

    explicit CMenuUsers(QWidget* parent = nullptr);

    // The right-pane forms follow the operator's typing in the tree.
    void RenameSelectedItem(std::int32_t data, const QString& text);
    void FillTree();

    QTreeWidget* Tree() const { return m_tree; }
    QPushButton* Button(int id) const;
    void OnAddCardholder();
    void OnDeleteCardholder();
    void OnSuspendCardholder();
    void OnAddSet();
    void OnDeleteSet();
    void OnSuspendSet();
    // The drag start: the move dialog for a cardholder item.
    void OnBeginDrag(QTreeWidgetItem* item);

    static void UpdateSetItemText(QTreeWidgetItem* item);

private:
    QTreeWidgetItem* InsertSet(const CardholderSetItem& set);
    void FillSetCardholders(QTreeWidgetItem* setItem);
    QTreeWidgetItem* InsertCardholder(QTreeWidgetItem* setItem, const CardholderItem& cardholder);
    void OnSelectionChanged();
    void OnItemExpanding(QTreeWidgetItem* item);
    void SendToRightPane(unsigned msg, quintptr wParam);
    void ShowCardholderButtonIcon(int image);
    void ShowSetButtonIcon(bool suspended);

    QPushButton* m_suspendSet = nullptr;
    QPushButton* m_addSet = nullptr;
    QPushButton* m_deleteSet = nullptr;
    QPushButton* m_suspendCardholder = nullptr;
    QPushButton* m_deleteCardholder = nullptr;
    QPushButton* m_addCardholder = nullptr;
    QTreeWidget* m_tree = nullptr;
    CWFDoc* m_pDoc = nullptr;
    bool m_bNewRightView = true;
    CToolTipCtrlEx m_toolTip;
    bool m_bUserFormShown = false;
};
