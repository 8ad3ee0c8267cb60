#pragma once

#include "reports/lists/ReportRowModel.h"

#include <QString>

#include <array>
#include <functional>

class CColumnWidths;

// What the report list view shows, without the widgets: the kind's title,
// columns and rows, the column widths kept per table entry, and the
// rebuilds that a new kind and a column click ask for.
class ReportList
{
public:
    static constexpr int kMaxColumns = 10;

    explicit ReportList(CColumnWidths& widths);

    ReportRowModel& Model() { return m_model; }
    const ReportRowModel& Model() const { return m_model; }
    const QString& Title() const { return m_strReportTitle; }

    int ColumnCount() const { return m_nColumns; }
    int ColumnWidth(int column) const;
    // The width the operator gave a column on the screen.
    void SetColumnWidth(int column, int width);

    // Called when a rebuild's columns stand, before its rows are built: a
    // builder may show a box while the list is on the screen.
    void SetColumnsReady(std::function<void()> ready) { m_columnsReady = std::move(ready); }

    // Empties the list (storing the widths) and builds the kind's report.
    void Rebuild(int kind);
    // A click on a column heading of the kind shown.
    void OnColumnClick(int kind, int column);

    void SetupColumns(int set);
    void AddColumn(int entry, bool centred);
    // Deletes the rows, then the columns from the last, storing each width.
    void RemoveColumns();
    // The end of a divider drag: every column's width but the last's.
    void StoreTrackedWidths();

private:
    // Empties the list and shows the title and column set, ready for a builder.
    void Prepare(const QString& title, int columnSet);
    void RunBuilder(void (*builder)(IReportRowSink&));
    void SortBlocks(int kind, int column);

    CColumnWidths& m_widths;
    ReportRowModel m_model;
    QString m_strReportTitle;
    std::array<int, kMaxColumns> m_columnEntry{};
    std::array<int, kMaxColumns> m_columnWidth{};
    int m_nColumns = 0;
    std::function<void()> m_columnsReady;
};
