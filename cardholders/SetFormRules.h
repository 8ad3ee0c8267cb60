#pragma once

#include <array>
#include <cstdint>
#include <functional>

// The choices of the cardholder-set form and the rules that tie them,
// apart from the widgets: entry 0 is no group or zone ("No access", "Not
// assigned"), entry 1 "All Access", entry k group or time zone k - 1.
namespace SetFormRules {

inline constexpr int kSlots = 4;
inline constexpr int kNoneEntry = 0;
inline constexpr int kAllAccessEntry = 1;
inline constexpr int kFirstNumberedEntry = 2;

struct Combo
{
    int entry = kNoneEntry;
    bool enabled = true;
};
using Slots = std::array<Combo, kSlots>;

struct Choices
{
    Slots doors;
    Slots floors;
    Slots zones;
};

std::uint8_t EntryToByte(int entry);
int ByteToEntry(std::uint8_t value);

// Whether door validation group g (0-31) has time zones of its own.
using GroupHasZones = std::function<bool(int group)>;

// Slot 1 of "No access" or "All Access" closes slots 2-4; any other opens all four.
void Cascade(Slots& slots, bool builtInSet);
// After a load: the time zones follow the door groups.
void ApplyTimeZoneRule(Choices& choices, const GroupHasZones& hasZones);
// Door slot s (0-3) changed from the entry before; runs the door cascade
// and ties the time zones to the door groups.
void DoorGroupChanged(Choices& choices, int slot, int before, const GroupHasZones& hasZones);

} // namespace SetFormRules
