#include "link/MonitoredDoors.h"

#include "database/GlobalRecordsets.h"
#include "link/DoorKey.h"

#include <QStringList>

namespace {

constexpr int kDoorsPerPanel = 4;
constexpr std::int32_t kNoNetworkRow = -1;

// The NodeID of the network's row; kNoNetworkRow when there is none.
std::int32_t NetworkRowId(int network)
{
    if (!g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(network)))
        return kNoNetworkRow;
    return g_setVLNetworks.m_NodeID;
}

// The network number of the row with that NodeID; 0 when there is none.
int NetworkOfRow(std::int32_t nodeId)
{
    if (!g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindFirst(QStringLiteral("NodeID = %1").arg(nodeId)))
        return 0;
    return g_setVLNetworks.m_Net;
}

// The controller rows the filter selects, on a recordset of their own so the
// program-wide one keeps its row.
void ForEachPanel(const QString& filter, const std::function<void(CSetVestrels&)>& use)
{
    if (!g_setVestrels.IsOpen())
        return;
    CSetVestrels panels;
    panels.m_strDBFolder = g_setVestrels.m_strDBFolder;
    panels.m_strFilter = filter;
    panels.Open();
    for (; !panels.IsEOF(); panels.MoveNext())
        use(panels);
}

} // namespace

namespace MonitoredDoors {

std::vector<Panel> NetworkPanels(int network)
{
    std::vector<Panel> panels;
    ForEachPanel(QStringLiteral("NodeID = %1").arg(NetworkRowId(network)),
                 [&](CSetVestrels& row) { panels.push_back({row.GetNodeLabel(), row.m_VestrelID}); });
    return panels;
}

std::vector<Door> PanelDoors(const std::vector<std::int32_t>& vestrelIds)
{
    std::vector<Door> doors;
    if (vestrelIds.empty())
        return doors;
    QStringList ids;
    for (std::int32_t id : vestrelIds)
        ids << QString::number(id);
    ForEachPanel(QStringLiteral("VestrelID In (%1)").arg(ids.join(QLatin1Char(','))), [&](CSetVestrels& row) {
        const int network = NetworkOfRow(row.m_NodeID);
        for (int door = 1; door <= kDoorsPerPanel; ++door)
            doors.push_back({DoorKey::Make(network, row.m_NodeAddress, door - 1), row.GetDoorLabel(door, true)});
    });
    return doors;
}

void Save(const std::vector<std::uint32_t>& keys)
{
    for (std::uint32_t key : keys) {
        const std::int32_t rowId = NetworkRowId(DoorKey::Network(key));
        if (rowId == kNoNetworkRow || !g_setVestrels.IsOpen()
            || !g_setVestrels.FindFirst(QStringLiteral("NodeID = %1 AND NodeAddress = %2").arg(rowId).arg(DoorKey::Node(key))))
            continue;
        g_setVestrels.Edit();
        g_setVestrels.m_LastMonitored |= static_cast<std::uint8_t>(1u << DoorKey::Door(key));
        g_setVestrels.Update();
    }
}

void Load(int network, const std::function<void(const Door&)>& add)
{
    ForEachPanel(QStringLiteral("NodeID = %1").arg(NetworkRowId(network)), [&](CSetVestrels& row) {
        const int rowNetwork = NetworkOfRow(row.m_NodeID);
        for (int door = 0; door < kDoorsPerPanel; ++door) {
            if (row.m_LastMonitored & (1u << door))
                add({DoorKey::Make(rowNetwork, row.m_NodeAddress, door), row.GetDoorLabel(door + 1, true)});
        }
        row.Edit();
        row.m_LastMonitored = 0;
        row.Update();
    });
}

} // namespace MonitoredDoors
