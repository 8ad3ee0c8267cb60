#include "cardholders/CardholderSetData.h"

#include "app/CWFDoc.h"
#include "cardholders/CardholderStore.h"
#include "common/RecordsetWalk.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/AllRowsWalk.h"
#include "image/CardholderSetRecord.h"
#include "platform/DatabaseException.h"

#include <vector>

namespace {

constexpr int kDoorGroupKind = 1;

bool FindSetRow(std::uint8_t set)
{
    g_setUserGroups.m_strFilter.clear();
    g_setUserGroups.m_strSort.clear();
    g_setUserGroups.Requery();
    return g_setUserGroups.FindFirst(QStringLiteral("CHSetIndex = %1").arg(set));
}

std::array<std::uint8_t*, 12> GroupBytes(CSetUserGroups& s)
{
    return {&s.m_DoorVG1,  &s.m_DoorVG2,  &s.m_DoorVG3,   &s.m_DoorVG4,   &s.m_FloorVG1,  &s.m_FloorVG2,
            &s.m_FloorVG3, &s.m_FloorVG4, &s.m_TimeZone1, &s.m_TimeZone2, &s.m_TimeZone3, &s.m_TimeZone4};
}

std::array<SetFormRules::Combo*, 12> Combos(SetFormRules::Choices& c)
{
    return {&c.doors[0], &c.doors[1], &c.doors[2], &c.doors[3], &c.floors[0], &c.floors[1],
            &c.floors[2], &c.floors[3], &c.zones[0], &c.zones[1], &c.zones[2], &c.zones[3]};
}

} // namespace

SetFormRules::GroupHasZones CardholderSetData::DoorGroupZones(CWFDoc& doc)
{
    return [&doc](int group) {
        for (int slot = 0; slot < SetFormRules::kSlots; ++slot) {
            if (doc.ValGroupByte(kDoorGroupKind, group, slot, 0, 1) != 0)
                return true;
        }
        return false;
    };
}

bool CardholderSetData::LoadChoices(std::uint8_t set)
{
    if (!FindSetRow(set))
        return false;
    const auto bytes = GroupBytes(g_setUserGroups);
    const auto combos = Combos(choices);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        combos[i]->entry = SetFormRules::ByteToEntry(*bytes[i]);
    return true;
}

bool CardholderSetData::Load(CWFDoc& doc, std::uint8_t set)
{
    try {
        if (!LoadChoices(set))
            return false;
        name = g_setUserGroups.m_CHSetName;
        notes = g_setUserGroups.m_Description;
        antiPassback = doc.CardholderSetAntiPassback(0, set, 1);
        return true;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
}

bool CardholderSetData::Save(CWFDoc& doc, std::uint8_t set) const
{
    if (set <= CardholderStore::kNoAccessSet)
        return false;
    try {
        if (!FindSetRow(set))
            return false;
        g_setUserGroups.Edit();
        g_setUserGroups.m_CHSetName = name;
        g_setUserGroups.m_Description = notes;
        SetFormRules::Choices c = choices;
        const auto bytes = GroupBytes(g_setUserGroups);
        const auto combos = Combos(c);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            *bytes[i] = SetFormRules::EntryToByte(combos[i]->entry);
        g_setUserGroups.Update();
        CardholderSetRecord::Write(doc.m_globalMemory, g_setUserGroups, antiPassback);
        // Only the sets without a live row lose their records, whatever the table order.
        std::vector<int> live;
        WalkAllRows(g_setUserGroups, QStringLiteral("Deleted = FALSE"),
                    [&live](CSetUserGroups& row) { live.push_back(row.m_CHSetIndex); });
        CardholderSetRecord::ResetUnused(doc.m_globalMemory, live);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    doc.ExchangeGlobalSettings(false, false);
    return true;
}
