#include "reports/lists/ReportList.h"

#include "app/CColumnWidths.h"
#include "database/DatabaseErrors.h"
#include "database/WaitCursor.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "reports/lists/BlockReport.h"
#include "reports/lists/ReportBuilders.h"
#include "reports/lists/ReportColumns.h"

namespace {

const char* const kCannotSortText = "This column cannot be sorted.";
const char* const kDirectoryCodesTitle = "Directory codes";

// The column of each kind that cannot be sorted.
struct UnsortableColumn
{
    int kind;
    int column;
};

constexpr UnsortableColumn kUnsortable[] = {
    {kReportKindBlockTransmitters, 3}, {kReportKindBlockCards, 3},
    {kReportKindAllTransmitters, 1},   {kReportKindAllCards, 1},
    {kReportKindCardholdersWithCredentials, 8}, {kReportKindCardholdersWithoutCredentials, 8},
};

bool IsUnsortable(int kind, int column)
{
    for (const UnsortableColumn& u : kUnsortable) {
        if (u.kind == kind && u.column == column)
            return true;
    }
    return false;
}

bool IsBlockKind(int kind)
{
    return kind == kReportKindBlockTransmitters || kind == kReportKindBlockCards;
}

// Kinds whose column click rebuilds through a sort variant.
bool IsVariantKind(int kind)
{
    return kind == kReportKindAllTransmitters || kind == kReportKindAllCards ||
           (kind >= kReportKindCardholdersWithCredentials && kind <= kReportKindDirectoryCodes);
}

} // namespace

ReportList::ReportList(CColumnWidths& widths) : m_widths(widths) {}

int ReportList::ColumnWidth(int column) const
{
    return column >= 0 && column < m_nColumns ? m_columnWidth[static_cast<std::size_t>(column)] : 0;
}

void ReportList::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < m_nColumns)
        m_columnWidth[static_cast<std::size_t>(column)] = width;
}

void ReportList::Rebuild(int kind)
{
    m_model.RemoveAllRows();
    RemoveColumns();
    if (kind == kReportKindNone) {
        m_strReportTitle.clear();
        return;
    }
    QString title;
    int columnSet = 0;
    if (!ReportKindColumns(kind, title, columnSet))
        return;
    m_strReportTitle = title;
    SetupColumns(columnSet);
    RunBuilder(FindReportBuilder(kind));
}

void ReportList::OnColumnClick(int kind, int column)
{
    const WaitCursor wait;
    if (IsUnsortable(kind, column)) {
        ShowMessageBox(QString::fromLatin1(kCannotSortText));
        return;
    }
    if (IsBlockKind(kind)) {
        SortBlocks(kind, column);
        return;
    }
    if (!IsVariantKind(kind))
        return;
    QString title;
    int columnSet = 0;
    ReportKindColumns(kind, title, columnSet);
    if (kind == kReportKindDirectoryCodes)
        title = QString::fromLatin1(kDirectoryCodesTitle);
    Prepare(title, columnSet);
    RunBuilder(FindSortVariant(kind, column));
}

void ReportList::SortBlocks(int kind, int column)
{
    const QString sort = BlockSortText(column);
    if (sort.isEmpty())
        return;
    try {
        OpenBlockSetSorted(kind, sort);
        Rebuild(kind);
        // The order lasts for this showing only.
        OpenBlockSetSorted(kind, QString());
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void ReportList::Prepare(const QString& title, int columnSet)
{
    m_model.RemoveAllRows();
    RemoveColumns();
    m_strReportTitle = title;
    SetupColumns(columnSet);
}

void ReportList::RunBuilder(void (*builder)(IReportRowSink&))
{
    if (m_columnsReady)
        m_columnsReady();
    if (builder)
        builder(m_model);
    m_model.FlushRows();
}

void ReportList::SetupColumns(int set)
{
    int first = 0;
    int last = -1;
    if (!ColumnSetEntries(set, first, last))
        return;
    for (int entry = first; entry <= last; ++entry)
        AddColumn(entry, FindReportColumn(entry)->centred);
}

void ReportList::AddColumn(int entry, bool centred)
{
    const ReportColumn* column = FindReportColumn(entry);
    if (!column || m_nColumns >= kMaxColumns)
        return;
    int width = m_widths.GetWidth(entry);
    if (width == 0)
        width = column->defaultWidth;
    // A set's entries come in position order, so each lands at the end.
    const int at = m_model.InsertColumn(column->position, QString::fromLatin1(column->title), centred);
    m_columnEntry[static_cast<std::size_t>(at)] = entry;
    m_columnWidth[static_cast<std::size_t>(at)] = width;
    ++m_nColumns;
}

void ReportList::RemoveColumns()
{
    const WaitCursor wait;
    m_model.RemoveAllRows();
    while (m_nColumns != 0) {
        --m_nColumns;
        const auto i = static_cast<std::size_t>(m_nColumns);
        m_widths.SetWidth(m_columnEntry[i], m_columnWidth[i]);
        m_model.RemoveColumn(m_nColumns);
    }
}

void ReportList::StoreTrackedWidths()
{
    for (int i = 0; i + 1 < m_nColumns; ++i)
        m_widths.SetWidth(m_columnEntry[static_cast<std::size_t>(i)], m_columnWidth[static_cast<std::size_t>(i)]);
}
