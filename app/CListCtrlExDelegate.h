#pragma once

#include <QStyledItemDelegate>

class CListCtrlEx;

// Draws one cell of a CListCtrlEx row: the row's colours, the state image and
// the small icon (blended when cut or selected) in column 0, and the text
// shortened to its column.
class CListCtrlExDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CListCtrlExDelegate(CListCtrlEx* list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CListCtrlEx* m_list;
};
