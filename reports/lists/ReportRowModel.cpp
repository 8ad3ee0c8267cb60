#include "reports/lists/ReportRowModel.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qsizetype kMaxCellLength = std::numeric_limits<std::uint16_t>::max();
constexpr qsizetype kMaxBufferLength = std::numeric_limits<std::uint32_t>::max();

} // namespace

ReportRowModel::ReportRowModel(QObject* parent) : QAbstractTableModel(parent) {}

void ReportRowModel::AppendRow(const ReportCells& cells)
{
    qsizetype length = 0;
    for (const QString& cell : cells)
        length += std::min(cell.size(), kMaxCellLength);
    if (m_text.size() + length > kMaxBufferLength)
        return;
    Row row{static_cast<std::uint32_t>(m_text.size()), {}};
    for (int i = 0; i < kReportCells; ++i) {
        const qsizetype cellLength = std::min(cells[i].size(), kMaxCellLength);
        m_text.append(QStringView(cells[i]).left(cellLength));
        row.lengths[i] = static_cast<std::uint16_t>(cellLength);
    }
    m_rows.push_back(row);
    if (RowCount() - m_shownRows >= kBatchRows)
        FlushRows();
}

void ReportRowModel::FlushRows()
{
    if (m_shownRows == RowCount())
        return;
    beginInsertRows(QModelIndex(), m_shownRows, RowCount() - 1);
    m_shownRows = RowCount();
    endInsertRows();
}

void ReportRowModel::RemoveAllRows()
{
    if (m_shownRows > 0)
        beginRemoveRows(QModelIndex(), 0, m_shownRows - 1);
    const bool notify = m_shownRows > 0;
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_text.clear();
    m_text.squeeze();
    m_shownRows = 0;
    if (notify)
        endRemoveRows();
}

QString ReportRowModel::Cell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= kReportCells)
        return QString();
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    qsizetype start = r.start;
    for (int i = 0; i < column; ++i)
        start += r.lengths[i];
    return m_text.mid(start, r.lengths[column]);
}

int ReportRowModel::InsertColumn(int position, const QString& title, bool centred)
{
    const int at = std::clamp(position, 0, ColumnCount());
    beginInsertColumns(QModelIndex(), at, at);
    m_columns.insert(m_columns.begin() + at, Column{title, centred});
    endInsertColumns();
    return at;
}

void ReportRowModel::RemoveColumn(int column)
{
    if (column < 0 || column >= ColumnCount())
        return;
    beginRemoveColumns(QModelIndex(), column, column);
    m_columns.erase(m_columns.begin() + column);
    endRemoveColumns();
}

QString ReportRowModel::ColumnTitle(int column) const
{
    return column >= 0 && column < ColumnCount() ? m_columns[static_cast<std::size_t>(column)].title : QString();
}

bool ReportRowModel::IsColumnCentred(int column) const
{
    return column >= 0 && column < ColumnCount() && m_columns[static_cast<std::size_t>(column)].centred;
}

int ReportRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int ReportRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant ReportRowModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shownRows)
        return QVariant();
    if (role == Qt::DisplayRole)
        return Cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return ColumnAlignment(index.column());
    return QVariant();
}

QVariant ReportRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::DisplayRole)
        return ColumnTitle(section);
    if (role == Qt::TextAlignmentRole)
        return ColumnAlignment(section);
    return QVariant();
}

QVariant ReportRowModel::ColumnAlignment(int column) const
{
    return QVariant::fromValue(
        Qt::Alignment((IsColumnCentred(column) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter));
}
