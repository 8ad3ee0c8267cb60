#pragma once

#include "app/CPaneView.h"

class QListWidget;

// The monitor's navigation form (left pane): the current network's panels
// and the doors of the chosen ones; chosen doors go to the live monitor.
class CMenuMonitorDlg : public CPaneView
{
    Q_OBJECT

public:
    static constexpr int kDataRole = Qt::UserRole;

    explicit CMenuMonitorDlg(QWidget* parent = nullptr);

    QListWidget* Nodes() const { return m_nodes; }
    QListWidget* Doors() const { return m_doors; }

    void FillNodes();
    void FillDoors();
    void SendSelectedDoors();

protected:
    qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam) override;

private:
    QListWidget* m_nodes;
    QListWidget* m_doors;
};
