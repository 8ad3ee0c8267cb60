#include "cardholders/ReportListColumns.h"

#include "app/CListCtrlEx.h"

#include <QTreeWidget>

static_assert(kItemDataRole == Qt::UserRole);

void SetListColumns(QTreeWidget* list, std::span<const ListColumn> columns)
{
    QStringList titles;
    for (const ListColumn& c : columns)
        titles << QString::fromLatin1(c.title);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(titles);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const ListColumn& c = columns[static_cast<std::size_t>(i)];
        list->setColumnWidth(i, c.width);
        list->headerItem()->setTextAlignment(i, c.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QTreeWidgetItem* NewListItem(const QTreeWidget* list, const QStringList& texts, std::int32_t itemData, int image)
{
    auto* item = new QTreeWidgetItem(texts);
    item->setData(0, kItemDataRole, itemData);
    if (image >= 0)
        item->setData(0, CListCtrlEx::kImageIndexRole, image);
    for (int i = 1; i < list->columnCount(); ++i)
        item->setTextAlignment(i, Qt::Alignment(list->headerItem()->textAlignment(i)));
    return item;
}

std::int32_t ItemDataOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kItemDataRole).toInt() : 0;
}
