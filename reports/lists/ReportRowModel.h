#pragma once

#include "reports/lists/IReportRowSink.h"

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The rows and columns of a report list. Reports reach hundreds of thousands
// of rows, so all cell texts share one buffer and a row keeps only where its
// cells start and how long they are; views hear of appended rows in batches.
class ReportRowModel : public QAbstractTableModel, public IReportRowSink
{
    Q_OBJECT
public:
    // Appended rows reach the views at least this often while a report builds.
    static constexpr int kBatchRows = 4096;

    explicit ReportRowModel(QObject* parent = nullptr);

    // A row the buffer cannot take any more is left out, as a failed insertion.
    void AppendRow(const ReportCells& cells) override;
    // Tells the views of every row appended since the last batch.
    void FlushRows() override;
    void RemoveAllRows();
    // Every row appended, whether or not the views have heard of it yet.
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    QString Cell(int row, int column) const;

    // Inserts a column at the position, or at the end when the position lies
    // beyond it; returns where it went.
    int InsertColumn(int position, const QString& title, bool centred);
    void RemoveColumn(int column);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    QString ColumnTitle(int column) const;
    bool IsColumnCentred(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant ColumnAlignment(int column) const;

    struct Row
    {
        std::uint32_t start;
        std::array<std::uint16_t, kReportCells> lengths;
    };
    struct Column
    {
        QString title;
        bool centred;
    };

    std::vector<Row> m_rows;
    QString m_text;
    int m_shownRows = 0;
    std::vector<Column> m_columns;
};
