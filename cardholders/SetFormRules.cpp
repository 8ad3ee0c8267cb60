#include "cardholders/SetFormRules.h"

#include "image/CardholderSetRecord.h"

namespace SetFormRules {

namespace {

// An empty first slot counts as a group with zones of its own, an empty later
// slot as one without; before a change "All Access" counts as without.
bool SlotHasZones(int slot, int entry, bool before, const GroupHasZones& hasZones)
{
    if (entry == kNoneEntry)
        return slot == 0;
    if (before && entry == kAllAccessEntry)
        return false;
    return hasZones(entry - 1);
}

bool OtherSlotHasZones(const Choices& c, int slot, const GroupHasZones& hasZones)
{
    for (int s = 0; s < kSlots; ++s) {
        if (s != slot && SlotHasZones(s, c.doors[static_cast<std::size_t>(s)].entry, false, hasZones))
            return true;
    }
    return false;
}

void EnableZones(Choices& c, bool enabled)
{
    for (Combo& z : c.zones)
        z.enabled = enabled;
}

void ClearZones(Choices& c)
{
    for (Combo& z : c.zones)
        z = {kNoneEntry, false};
}

} // namespace

std::uint8_t EntryToByte(int entry)
{
    return entry <= kNoneEntry ? CardholderSetRecord::kNone : static_cast<std::uint8_t>(entry - 1);
}

int ByteToEntry(std::uint8_t value)
{
    return value == CardholderSetRecord::kNone ? kNoneEntry : value + 1;
}

void Cascade(Slots& slots, bool builtInSet)
{
    if (slots[0].entry == kNoneEntry || slots[0].entry == kAllAccessEntry) {
        for (int s = 1; s < kSlots; ++s)
            slots[static_cast<std::size_t>(s)] = {kNoneEntry, false};
        slots[0].enabled = !builtInSet;
    } else {
        for (Combo& c : slots)
            c.enabled = true;
    }
}

void ApplyTimeZoneRule(Choices& c, const GroupHasZones& hasZones)
{
    bool anyHas = false;
    for (int s = 0; s < kSlots; ++s)
        anyHas = anyHas || SlotHasZones(s, c.doors[static_cast<std::size_t>(s)].entry, false, hasZones);
    if (c.doors[0].entry == kAllAccessEntry || !anyHas) {
        c.zones[0].enabled = true;
        const bool numbered = c.zones[0].entry >= kFirstNumberedEntry;
        for (int s = 1; s < kSlots; ++s)
            c.zones[static_cast<std::size_t>(s)].enabled = numbered;
    } else {
        EnableZones(c, false);
    }
}

void DoorGroupChanged(Choices& c, int slot, int before, const GroupHasZones& hasZones)
{
    const bool had = SlotHasZones(slot, before, true, hasZones);
    const int after = c.doors[static_cast<std::size_t>(slot)].entry;
    const bool has = SlotHasZones(slot, after, false, hasZones);
    Cascade(c.doors, false);
    if (slot == 0 && after == kNoneEntry) {
        ClearZones(c);
        return;
    }
    if (has && !had) {
        if (slot == 0)
            ClearZones(c);
        else
            EnableZones(c, false);
    } else if (!has && had) {
        if (OtherSlotHasZones(c, slot, hasZones)) {
            EnableZones(c, false);
        } else if (slot == 0) {
            ClearZones(c);
            c.zones[0] = {kAllAccessEntry, true};
        } else {
            EnableZones(c, true);
        }
    }
}

} // namespace SetFormRules
