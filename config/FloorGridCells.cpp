#include "config/FloorGridCells.h"

namespace {

std::uint32_t ScheduleBit(int schedule)
{
    return 1u << (schedule - 1);
}

bool IsSchedule(int schedule)
{
    return schedule >= 1 && schedule <= FloorGridCells::kSchedules;
}

} // namespace

void FloorGridCells::Load(const std::vector<FloorRows::Floor>& floors)
{
    m_columns.clear();
    m_columns.reserve(floors.size());
    for (const FloorRows::Floor& floor : floors) {
        const auto mask = static_cast<std::uint32_t>(floor.sched);
        // Names written by other tools may be longer than the grid's slots.
        m_columns.push_back({floor.index, floor.name.left(FloorRows::kNameLength), mask, mask});
    }
}

const FloorGridCells::Column* FloorGridCells::At(int column) const
{
    return column >= 1 && column <= Columns() ? &m_columns[static_cast<size_t>(column - 1)] : nullptr;
}

QString FloorGridCells::Name(int column) const
{
    const Column* c = At(column);
    return c ? c->name : QString();
}

bool FloorGridCells::Cell(int column, int schedule) const
{
    const Column* c = At(column);
    return c && IsSchedule(schedule) && (c->mask & ScheduleBit(schedule));
}

void FloorGridCells::SetCell(int column, int schedule, int value)
{
    if (!At(column) || !IsSchedule(schedule))
        return;
    std::uint32_t& mask = m_columns[static_cast<size_t>(column - 1)].mask;
    mask = value ? (mask | ScheduleBit(schedule)) : (mask & ~ScheduleBit(schedule));
}

bool FloorGridCells::Changed() const
{
    for (const Column& c : m_columns) {
        if (c.mask != c.loaded)
            return true;
    }
    return false;
}

std::vector<std::pair<int, std::int32_t>> FloorGridCells::Masks() const
{
    std::vector<std::pair<int, std::int32_t>> masks;
    masks.reserve(m_columns.size());
    for (const Column& c : m_columns)
        masks.emplace_back(c.index, static_cast<std::int32_t>(c.mask));
    return masks;
}
