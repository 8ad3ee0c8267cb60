#pragma once

#include <QTreeWidget>

#include <functional>

// The cardholder tree: a drag start goes to its owner and no further.
class CardholderTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CardholderTreeWidget(QWidget* parent = nullptr) : QTreeWidget(parent) { setDragEnabled(true); }

    std::function<void(QTreeWidgetItem*)> onBeginDrag;

protected:
    void startDrag(Qt::DropActions) override
    {
        if (onBeginDrag)
            onBeginDrag(currentItem());
    }
};
