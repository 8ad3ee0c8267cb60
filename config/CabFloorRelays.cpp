#include "config/CabFloorRelays.h"

#include "database/DatabaseLog.h"
#include "database/FloorRows.h"

CabFloorRelays::CabFloorRelays(int cab, int net, int node) : m_cab(cab), m_net(net), m_node(node)
{
}

void CabFloorRelays::Load(CSetFloorNames& set)
{
    m_floors.clear();
    m_relays.fill(0);
    for (const FloorRows::NodeFloor& floor : FloorRows::NodeFloors(set, m_net, m_node, m_cab)) {
        if (floor.index >= kMaxFloors) {
            WriteDatabaseLog(QStringLiteral("Floor row with Index %1 skipped for cab %2 of node %3/%4.")
                                 .arg(QString::number(floor.index), QString::number(m_cab), QString::number(m_net),
                                      QString::number(m_node)));
            continue;
        }
        if (Floors() == kMaxFloors) {
            WriteDatabaseLog(QStringLiteral("More floor rows than floors for node %1/%2; the rest are skipped.")
                                 .arg(QString::number(m_net), QString::number(m_node)));
            break;
        }
        m_relays[static_cast<size_t>(floor.index)] = static_cast<std::uint32_t>(floor.cabRelays);
        m_floors.push_back({floor.index, floor.name});
    }
    m_loaded = m_relays;
}

const CabFloorRelays::Floor* CabFloorRelays::At(int position) const
{
    return position >= 0 && position < Floors() ? &m_floors[static_cast<size_t>(position)] : nullptr;
}

QString CabFloorRelays::Name(int position) const
{
    const Floor* floor = At(position);
    return floor ? floor->name : QString();
}

std::uint32_t CabFloorRelays::Relays(int position) const
{
    const Floor* floor = At(position);
    return floor ? m_relays[static_cast<size_t>(floor->index)] : 0;
}

bool CabFloorRelays::IsRelaySet(int position, int module, int relay) const
{
    return (Relays(position) & CabRelayMask::RelayBit(module, relay)) != 0;
}

void CabFloorRelays::SetModuleRelays(int position, int module,
                                     const std::array<bool, CabRelayMask::kRelaysPerModule>& relays)
{
    const Floor* floor = At(position);
    if (!floor || module < 1 || module > CabRelayMask::kModules)
        return;
    std::uint32_t& mask = m_relays[static_cast<size_t>(floor->index)];
    mask &= CabRelayMask::ModuleClearMask(module) | ~CabRelayMask::kAllRelays;
    for (int relay = 0; relay < CabRelayMask::kRelaysPerModule; ++relay) {
        if (relays[static_cast<size_t>(relay)])
            mask |= CabRelayMask::RelayBit(module, relay);
    }
}

bool CabFloorRelays::Save(CSetFloorNames& set)
{
    std::vector<std::pair<int, std::int32_t>> changed;
    for (const Floor& floor : m_floors) {
        const auto i = static_cast<size_t>(floor.index);
        if (m_relays[i] != m_loaded[i])
            changed.emplace_back(floor.index, static_cast<std::int32_t>(m_relays[i]));
    }
    const bool wrote = FloorRows::WriteCabRelays(set, m_net, m_node, m_cab, changed);
    m_loaded = m_relays;
    return wrote;
}
