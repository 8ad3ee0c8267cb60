#pragma once

#include <cstdint>
#include <vector>

class CSetUserGroups;
class CVLMemory;

// A cardholder set's 16-byte record in the installation-wide image, as the
// set form saves it and the panels read it.
namespace CardholderSetRecord {

// A group or time-zone byte of no group ("No access", "Not assigned").
inline constexpr std::uint8_t kNone = 255;
// A group or time-zone byte of "All Access".
inline constexpr std::uint8_t kAllAccess = 0;
inline constexpr std::uint8_t kSuspendedFlags = 0xC0;
inline constexpr std::uint8_t kInUseFlags = 0x40;
inline constexpr int kFirstUserSet = 3;
inline constexpr int kLastSet = 63;

// Writes the record of the row's set from the row and the anti-passback mode.
void Write(CVLMemory& image, const CSetUserGroups& row, std::uint8_t antiPassback);

// Marks unused the records of the sets kFirstUserSet..kLastSet that are not
// live; their anti-passback bytes stay as they are.
void ResetUnused(CVLMemory& image, const std::vector<int>& liveSets);

} // namespace CardholderSetRecord
