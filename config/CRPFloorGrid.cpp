#include "config/CRPFloorGrid.h"

#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

// Characters of a floor column.
constexpr int kColumnWidthCharacters = 11;

} // namespace

CRPFloorGrid::CRPFloorGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CRPFloorGrid"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("S\nC\nH\nE\nD\nU\nL\nE\nS"), this));
    m_grid = new QTableWidget(FloorGridCells::kSchedules, 0, this);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setDefaultSectionSize(fontMetrics().horizontalAdvance(QLatin1Char('0'))
                                                      * kColumnWidthCharacters);
    QStringList schedules;
    for (int schedule = 1; schedule <= FloorGridCells::kSchedules; ++schedule)
        schedules << QString::number(schedule);
    m_grid->setVerticalHeaderLabels(schedules);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &QTableWidget::itemChanged, this, &CRPFloorGrid::OnItemChanged);
}

void CRPFloorGrid::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Fill();
}

void CRPFloorGrid::Fill()
{
    try {
        m_cells.Load(FloorRows::List(g_setFloorNames));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        m_cells.Load({});
    }
    const QSignalBlocker quiet(m_grid);
    m_grid->clearContents();
    m_grid->setColumnCount(m_cells.Columns());
    QStringList names;
    for (int column = 1; column <= m_cells.Columns(); ++column) {
        names << m_cells.Name(column);
        for (int schedule = 1; schedule <= FloorGridCells::kSchedules; ++schedule) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(m_cells.Cell(column, schedule) ? Qt::Checked : Qt::Unchecked);
            m_grid->setItem(schedule - 1, column - 1, item);
        }
    }
    m_grid->setHorizontalHeaderLabels(names);
}

void CRPFloorGrid::OnItemChanged(QTableWidgetItem* item)
{
    OnCellChanged(item->column() + 1, item->row() + 1, item->checkState() == Qt::Checked ? 1 : 0);
}

void CRPFloorGrid::OnCellChanged(int column, int row, int value)
{
    m_cells.SetCell(column, row, value);
}

void CRPFloorGrid::Store()
{
    try {
        FloorRows::WriteSchedules(g_setFloorNames, m_cells.Masks());
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return;
    }
    // The copy taken at the fill stays, so a later save marks again.
    if (m_cells.Changed())
        MarkDataToProgram();
}
