#include "database/FloorRows.h"

#include "database/CSetFloorNames.h"
#include "platform/DatabaseException.h"
#include "platform/DatabaseTransaction.h"

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
    const QString criteria = QStringLiteral("[Net] = 1 AND [Node] = 1");
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
    std::array<std::optional<std::int32_t>, kIndexValues> byIndex{};
    for (const auto& [index, mask] : masks) {
        if (index >= 0 && index < kIndexValues)
            byIndex[static_cast<size_t>(index)] = mask;
    }
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

} // namespace FloorRows
