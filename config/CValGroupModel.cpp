#include "config/CValGroupModel.h"

#include "app/CWFDoc.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kNoneStored = 255;

} // namespace

CValGroupModel::CValGroupModel(CWFDoc& doc, const ValGroupKind& kind) : m_doc(doc), m_kind(kind)
{
}

void CValGroupModel::LoadGroup(int group)
{
    m_group = std::clamp(group, kFirstGroup, kLastGroup);
    const std::uint8_t schedule = m_kind.IsDoor() ? m_doc.DoorValGroupFlags(m_group, 0, 1)
                                                  : m_doc.FloorValGroupFlags(m_group, 0, 1);
    m_schedule = schedule <= kLastSchedule ? schedule : kNoSchedule;
    if (m_kind.IsDoor())
        m_doc.DoorValGroupName(m_group, m_name, 1);
    else
        m_doc.FloorValGroupName(m_group, 1, m_name);
    for (int slot = 0; slot < kSlots; ++slot)
        m_zones[slot] = m_doc.ValGroupByte(m_kind.docKind, m_group, slot, 0, 1);
    m_allZeroShown = false;
    for (int slot = 0; slot < kSlots; ++slot)
        ShowZoneRow(slot);
}

bool CValGroupModel::SetZone(int slot, int zone)
{
    if (slot < 0 || slot >= kSlots)
        return false;
    m_zones[slot] = std::clamp(zone, 0, kLastZone);
    if (m_zones[slot] == m_rows[slot].zone)
        return false;
    ShowZoneRow(slot);
    for (int other = 0; other < kSlots; ++other) {
        if (other != slot)
            ShowZoneRow(other);
    }
    return true;
}

void CValGroupModel::ShowZoneRow(int slot)
{
    ZoneRow& row = m_rows[slot];
    const int zone = m_zones[slot];
    row = ZoneRow{};
    const bool noZones = std::all_of(m_zones.begin(), m_zones.end(), [](int z) { return z == 0; });
    if (noZones && !m_allZeroShown) {
        m_allZeroShown = true;
        row.enabled = true;
        row.days.fill(true);
        row.periods = PeriodValues::AllDay();
        return;
    }
    if (zone == 0 || zone > kLastZone)
        return;
    m_allZeroShown = false;
    row.enabled = true;
    row.zone = zone;
    row.days = ValidDays::Load(m_doc, zone);
    std::array<std::uint8_t, 20> record{};
    m_doc.ExchangeTimeZone(record, row.periods, zone, 1);
}

void CValGroupModel::StoreGroup()
{
    const std::uint8_t schedule = m_schedule == kNoSchedule ? kNoneStored : static_cast<std::uint8_t>(m_schedule);
    if (m_kind.IsDoor()) {
        m_doc.DoorValGroupFlags(m_group, schedule, 0);
        m_doc.DoorValGroupName(m_group, m_name, 0);
    } else {
        m_doc.FloorValGroupFlags(m_group, schedule, 0);
        m_doc.FloorValGroupName(m_group, 0, m_name);
    }
    for (int slot = 0; slot < kSlots; ++slot)
        m_doc.ValGroupByte(m_kind.docKind, m_group, slot, static_cast<std::uint8_t>(m_zones[slot]), 0);
}
