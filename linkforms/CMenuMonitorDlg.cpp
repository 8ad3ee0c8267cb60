#include "linkforms/CMenuMonitorDlg.h"

#include "app/AppObjects.h"
#include "database/DatabaseErrors.h"
#include "database/WaitCursor.h"
#include "link/MonitoredDoors.h"
#include "linkforms/MonitorNetwork.h"
#include "platform/DatabaseException.h"
#include "platform/WindowMessages.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
constexpr int kRightPaneRow = 0;
constexpr int kRightPaneColumn = 1;

QListWidget* SortedMultipleList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setSortingEnabled(true);
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    return list;
}
} // namespace

CMenuMonitorDlg::CMenuMonitorDlg(QWidget* parent)
    : CPaneView(parent), m_nodes(SortedMultipleList(this)), m_doors(SortedMultipleList(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Network Nodes:"), this));
    layout->addWidget(m_nodes);
    layout->addWidget(new QLabel(QStringLiteral("Doors:"), this));
    layout->addWidget(m_doors);
    connect(m_nodes, &QListWidget::itemSelectionChanged, this, &CMenuMonitorDlg::FillDoors);
    connect(m_doors, &QListWidget::itemSelectionChanged, this, &CMenuMonitorDlg::SendSelectedDoors);
    FillNodes();
}

qintptr CMenuMonitorDlg::OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam)
{
    if (msg != Msg::NetworkChanged)
        return 0;
    FillNodes();
    m_doors->clear();
    SendAppMessage(GetPaneWindow(kRightPaneRow, kRightPaneColumn), msg, wParam, lParam);
    return 1;
}

void CMenuMonitorDlg::FillNodes()
{
    const QSignalBlocker quiet(m_nodes);
    m_nodes->clear();
    try {
        for (const MonitoredDoors::Panel& panel : MonitoredDoors::NetworkPanels(MonitorNetwork())) {
            auto* item = new QListWidgetItem(panel.label, m_nodes);
            item->setData(kDataRole, panel.vestrelId);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    FillDoors();
    SendSelectedDoors();
}

void CMenuMonitorDlg::FillDoors()
{
    const WaitCursor wait;
    const QSignalBlocker quiet(m_doors);
    m_doors->clear();
    std::vector<std::int32_t> panels;
    for (const QListWidgetItem* item : m_nodes->selectedItems())
        panels.push_back(item->data(kDataRole).toInt());
    try {
        for (const MonitoredDoors::Door& door : MonitoredDoors::PanelDoors(panels)) {
            auto* item = new QListWidgetItem(door.label, m_doors);
            item->setData(kDataRole, door.key);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void CMenuMonitorDlg::SendSelectedDoors()
{
    QObject* monitor = GetPaneWindow(kRightPaneRow, kRightPaneColumn);
    for (const QListWidgetItem* item : m_doors->selectedItems()) {
        const QString label = item->text();
        SendAppMessage(monitor, Msg::AddDoor, item->data(kDataRole).toUInt(), reinterpret_cast<qintptr>(&label));
    }
}
