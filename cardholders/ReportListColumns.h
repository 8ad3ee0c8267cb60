#pragma once

#include <QStringList>

#include <cstdint>
#include <span>

class QTreeWidget;
class QTreeWidgetItem;

// The columns of a report list and its rows, whose item data is a row key.
struct ListColumn
{
    const char* title;
    int width;
    bool centred = false;
};

inline constexpr int kItemDataRole = 0x0100; // Qt::UserRole

void SetListColumns(QTreeWidget* list, std::span<const ListColumn> columns);
// A row aligned as the list's columns are; image < 0 draws none.
QTreeWidgetItem* NewListItem(const QTreeWidget* list, const QStringList& texts, std::int32_t itemData, int image = -1);
std::int32_t ItemDataOf(const QTreeWidgetItem* item);
