#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class CSetVestrels;

// One half of the door schedules (1-15 or 16-31) for every door of every
// controller: which door a line is and the schedules of that half it
// belongs to, as a mask whose bit i is the half's (i + 1)th schedule.
class DoorScheduleList
{
public:
    enum class Half { First, Second };
    struct Line
    {
        QString label;
        std::int32_t vestrelID = 0;
        int door = 0; // 0 to 3 for A to D
        std::uint16_t mask = 0;
    };
    static constexpr int kDoorsPerController = 4;
    // 64 controllers of four doors.
    static constexpr int kMaxLines = 256;

    explicit DoorScheduleList(Half half) : m_half(half) {}

    // Every door of the controllers in table order. A database error shows
    // its report and keeps the lines read so far.
    void Read(CSetVestrels& controllers);
    const std::vector<Line>& Lines() const { return m_lines; }
    bool InSchedule(int row, int index) const;
    void SetInSchedule(int row, int index, bool member);

    // Writes every line's mask into its door's field (write) or only compares
    // them; true when some field differed. A line whose controller is gone is
    // reported and skipped.
    bool Commit(CSetVestrels& controllers, bool write) const;

    // This half's mask within a door's field, and the field with it replaced.
    std::uint16_t MaskOf(std::int32_t field) const;
    std::int32_t WithMask(std::int32_t field, std::uint16_t mask) const;

private:
    Half m_half;
    std::vector<Line> m_lines;
};
