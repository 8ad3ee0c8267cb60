#include "database/FloorRows.h"

#include "database/CSetFloorNames.h"
#include "platform/DatabaseException.h"
#include "platform/DatabaseTransaction.h"

#include <algorithm>
#include <array>
#include <optional>

namespace FloorRows {

namespace {

// The Index field is a byte.
constexpr int kIndexValues = 256;

QString FloorCriteria(int index)
{
    return QStringLiteral("[Index] = %1").arg(index);
}

QString NodeCriteria(int net, int node)
{
    return QStringLiteral("[Net] = %1 AND [Node] = %2").arg(net).arg(node);
}

using IndexedMasks = std::array<std::optional<std::int32_t>, kIndexValues>;

IndexedMasks ByIndex(const std::vector<std::pair<int, std::int32_t>>& masks)
{
    IndexedMasks byIndex{};
    for (const auto& [index, mask] : masks) {
        if (index >= 0 && index < kIndexValues)
            byIndex[static_cast<size_t>(index)] = mask;
    }
    return byIndex;
}

// Runs the writes in one transaction; a failure takes them all back and
// the recordset forgets rows that no longer exist or came back.
template <typename Writes>
void InOneTransaction(CSetFloorNames& set, Writes writes)
{
    DatabaseTransaction transaction(set.GetDefaultDBName());
    try {
        writes();
        transaction.Commit();
    } catch (const DatabaseException&) {
        transaction.Rollback();
        set.Requery();
        throw;
    }
}

} // namespace

std::vector<Floor> List(CSetFloorNames& set)
{
    std::vector<Floor> floors;
    const QString criteria = NodeCriteria(1, 1);
    for (bool found = set.IsOpen() && set.FindFirst(criteria); found; found = set.FindNext(criteria))
        floors.push_back({set.m_Index, set.m_Name, set.m_Sched});
    return floors;
}

int FreeIndex(CSetFloorNames& set)
{
    for (int index = 0; index < kMaxFloors; ++index) {
        if (!set.FindFirst(FloorCriteria(index)))
            return index;
    }
    return kMaxFloors;
}

void Add(CSetFloorNames& set, int index, const QString& name)
{
    InOneTransaction(set, [&] {
        for (int net = 1; net <= kNetworks; ++net) {
            for (int node = 1; node <= kNodes; ++node) {
                set.AddNew();
                set.m_Name = name;
                set.m_Index = static_cast<std::uint8_t>(index);
                set.m_Net = static_cast<std::uint8_t>(net);
                set.m_Node = static_cast<std::uint8_t>(node);
                set.m_Sched = 0;
                set.m_Cab1 = set.m_Cab2 = set.m_Cab3 = set.m_Cab4 = 0;
                set.Update();
            }
        }
    });
}

bool FindName(CSetFloorNames& set, int index, QString& name)
{
    if (!set.FindFirst(FloorCriteria(index)))
        return false;
    name = set.m_Name;
    return true;
}

bool Rename(CSetFloorNames& set, int index, const QString& name)
{
    const QString criteria = FloorCriteria(index);
    if (!set.FindFirst(criteria) || set.m_Name == name)
        return false;
    InOneTransaction(set, [&] {
        for (bool found = set.FindFirst(criteria); found; found = set.FindNext(criteria)) {
            set.Edit();
            set.m_Name = name;
            set.Update();
        }
    });
    return true;
}

void Remove(CSetFloorNames& set, int index)
{
    const QString criteria = FloorCriteria(index);
    InOneTransaction(set, [&] {
        for (bool found = set.FindFirst(criteria); found; found = set.FindNext(criteria))
            set.Delete();
    });
}

void WriteSchedules(CSetFloorNames& set, const std::vector<std::pair<int, std::int32_t>>& masks)
{
    const IndexedMasks byIndex = ByIndex(masks);
    if (masks.empty() || set.GetRecordCount() == 0)
        return;
    InOneTransaction(set, [&] {
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
            const std::optional<std::int32_t> mask = byIndex[set.m_Index];
            if (!mask || set.m_Sched == *mask)
                continue;
            set.Edit();
            set.m_Sched = *mask;
            set.Update();
        }
    });
}

std::int32_t& CabRelays(CSetFloorNames& set, int cab)
{
    std::int32_t* const cabs[kCabs] = {&set.m_Cab1, &set.m_Cab2, &set.m_Cab3, &set.m_Cab4};
    return *cabs[std::clamp(cab, 1, kCabs) - 1];
}

std::vector<NodeFloor> NodeFloors(CSetFloorNames& set, int net, int node, int cab)
{
    std::vector<NodeFloor> floors;
    const QString criteria = NodeCriteria(net, node);
    for (bool found = set.IsOpen() && set.FindFirst(criteria); found; found = set.FindNext(criteria))
        floors.push_back({set.m_Index, set.m_Name, CabRelays(set, cab)});
    return floors;
}

bool WriteCabRelays(CSetFloorNames& set, int net, int node, int cab,
                    const std::vector<std::pair<int, std::int32_t>>& relays)
{
    const IndexedMasks byIndex = ByIndex(relays);
    const QString criteria = NodeCriteria(net, node);
    bool wrote = false;
    if (relays.empty())
        return false;
    InOneTransaction(set, [&] {
        for (bool found = set.FindFirst(criteria); found; found = set.FindNext(criteria)) {
            const std::optional<std::int32_t> mask = byIndex[set.m_Index];
            if (!mask || CabRelays(set, cab) == *mask)
                continue;
            set.Edit();
            CabRelays(set, cab) = *mask;
            set.Update();
            wrote = true;
        }
    });
    return wrote;
}

} // namespace FloorRows
