#include "config/DoorScheduleList.h"

#include "common/RecordsetWalk.h"
#include "database/CSetVestrels.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

namespace {

constexpr std::uint32_t kFirstHalfBits = 0x7FFFU;
constexpr std::uint32_t kSecondHalfBits = 0x7FFF8000U;
constexpr int kSecondHalfShift = 15;

std::int32_t CSetVestrels::* const kDoorFields[DoorScheduleList::kDoorsPerController] = {
    &CSetVestrels::m_DoorScheduleA, &CSetVestrels::m_DoorScheduleB, &CSetVestrels::m_DoorScheduleC,
    &CSetVestrels::m_DoorScheduleD};

} // namespace

std::uint16_t DoorScheduleList::MaskOf(std::int32_t field) const
{
    const auto bits = static_cast<std::uint32_t>(field);
    if (m_half == Half::First)
        return static_cast<std::uint16_t>(bits & kFirstHalfBits);
    return static_cast<std::uint16_t>((bits & kSecondHalfBits) >> kSecondHalfShift);
}

std::int32_t DoorScheduleList::WithMask(std::int32_t field, std::uint16_t mask) const
{
    const auto bits = static_cast<std::uint32_t>(field);
    if (m_half == Half::First)
        return static_cast<std::int32_t>((bits & ~kFirstHalfBits) | (mask & kFirstHalfBits));
    return static_cast<std::int32_t>((bits & ~kSecondHalfBits) |
                                     ((static_cast<std::uint32_t>(mask) << kSecondHalfShift) & kSecondHalfBits));
}

void DoorScheduleList::Read(CSetVestrels& controllers)
{
    m_lines.clear();
    try {
        if (!MoveToFirstRow(controllers))
            return;
        for (; !controllers.IsEOF() && static_cast<int>(m_lines.size()) < kMaxLines; controllers.MoveNext())
            for (int door = 0; door < kDoorsPerController; ++door)
                m_lines.push_back({controllers.GetDoorLabel(door + 1, true), controllers.m_VestrelID, door,
                                   MaskOf(controllers.*kDoorFields[door])});
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
    }
}

bool DoorScheduleList::InSchedule(int row, int index) const
{
    return (m_lines.at(static_cast<size_t>(row)).mask >> index) & 1U;
}

void DoorScheduleList::SetInSchedule(int row, int index, bool member)
{
    std::uint16_t& mask = m_lines.at(static_cast<size_t>(row)).mask;
    const auto bit = static_cast<std::uint16_t>(1U << index);
    mask = member ? static_cast<std::uint16_t>(mask | bit) : static_cast<std::uint16_t>(mask & ~bit);
}

bool DoorScheduleList::Commit(CSetVestrels& controllers, bool write) const
{
    if (!controllers.IsOpen())
        return false;
    bool changed = false;
    for (const Line& line : m_lines) {
        try {
            if (!controllers.FindByID(line.vestrelID)) {
                ShowMessageBox(QStringLiteral("Database syntax error related to TabDoorSchedules."));
                continue;
            }
            std::int32_t& field = controllers.*kDoorFields[line.door];
            if (MaskOf(field) == line.mask)
                continue;
            changed = true;
            if (!write)
                continue;
            controllers.Edit();
            field = WithMask(field, line.mask);
            controllers.Update();
        } catch (const DatabaseException& error) {
            ShowDatabaseExceptionReport(error);
            return changed;
        }
    }
    return changed;
}
