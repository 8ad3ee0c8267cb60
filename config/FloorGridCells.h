#pragma once

#include "database/FloorRows.h"

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

// The tick cells of the floor schedule grid: one column per floor, one row
// per floor schedule, with the copy taken when the grid was filled. A
// column's cells are the bits of its floor's schedule mask.
class FloorGridCells
{
public:
    static constexpr int kSchedules = 31;

    void Load(const std::vector<FloorRows::Floor>& floors);

    int Columns() const { return static_cast<int>(m_columns.size()); }
    // Columns are counted from 1, schedules 1-31; out of range reads as
    // nothing and is not written.
    QString Name(int column) const;
    bool Cell(int column, int schedule) const;
    void SetCell(int column, int schedule, int value);
    // Whether any cell differs from the copy taken at Load.
    bool Changed() const;
    // Each floor's Index with its mask.
    std::vector<std::pair<int, std::int32_t>> Masks() const;

private:
    struct Column
    {
        int index = 0;
        QString name;
        std::uint32_t mask = 0;
        std::uint32_t loaded = 0;
    };
    const Column* At(int column) const;

    std::vector<Column> m_columns;
};
