#pragma once

#include "config/FloorGridCells.h"
#include "config/INetworkSettingsPage.h"

#include <QWidget>

class QTableWidget;
class QTableWidgetItem;

// Which floors each floor schedule opens: one column per floor, one row per
// schedule. Filled each time the page is shown; Apply saves it.
class CRPFloorGrid : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    explicit CRPFloorGrid(QWidget* parent = nullptr);

    void Store() override;
    void Fill();
    // A tick cell changed: column and row counted from 1.
    void OnCellChanged(int column, int row, int value);

    QTableWidget* Grid() const { return m_grid; }
    const FloorGridCells& Cells() const { return m_cells; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnItemChanged(QTableWidgetItem* item);

    QTableWidget* m_grid = nullptr;
    FloorGridCells m_cells;
};
