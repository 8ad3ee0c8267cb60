#include "image/CardholderSetRecord.h"

#include "database/CSetUserGroups.h"
#include "image/CVLMemory.h"
#include "image/VLMemoryLayout.h"

#include <algorithm>
#include <array>

namespace CardholderSetRecord {

using namespace VLLayout;

namespace {
constexpr int kGroupBytes = 12;
constexpr int kLastByte = 15;
} // namespace

void Write(CVLMemory& image, const CSetUserGroups& row, std::uint8_t antiPassback)
{
    if (!kCardholderSets.Has(row.m_CHSetIndex))
        return;
    const int base = kCardholderSets.At(row.m_CHSetIndex);
    const std::array<std::uint8_t, Chs::kEntries> doors{row.m_DoorVG1, row.m_DoorVG2, row.m_DoorVG3, row.m_DoorVG4};
    const std::array<std::uint8_t, Chs::kEntries> floors{row.m_FloorVG1, row.m_FloorVG2, row.m_FloorVG3,
                                                         row.m_FloorVG4};
    std::array<std::uint8_t, Chs::kEntries> zones{row.m_TimeZone1, row.m_TimeZone2, row.m_TimeZone3,
                                                  row.m_TimeZone4};
    // A first zone of "All Access" or "No access" is the set's only zone;
    // the form keeps the other three closed, and so must the panel.
    if (zones[0] == kAllAccess || zones[0] == kNone)
        zones.fill(zones[0]);
    image.SetByte(base + Chs::kFlags, row.m_Suspend ? kSuspendedFlags : kInUseFlags);
    for (int i = 0; i < Chs::kEntries; ++i) {
        image.SetByte(base + Chs::kDvg + i, doors[static_cast<std::size_t>(i)]);
        image.SetByte(base + Chs::kFvg + i, floors[static_cast<std::size_t>(i)]);
        image.SetByte(base + Chs::kTz + i, zones[static_cast<std::size_t>(i)]);
    }
    image.SetByte(base + Chs::kMode, antiPassback);
    for (int i = 0; i < Chs::kScratchLength; ++i)
        image.SetByte(base + Chs::kScratch + i, 0);
}

void ResetUnused(CVLMemory& image, const std::vector<int>& liveSets)
{
    for (int set = kFirstUserSet; set <= kLastSet; ++set) {
        if (std::find(liveSets.begin(), liveSets.end(), set) != liveSets.end())
            continue;
        const int base = kCardholderSets.At(set);
        image.SetByte(base + Chs::kFlags, 0);
        for (int i = 0; i < kGroupBytes; ++i)
            image.SetByte(base + Chs::kDvg + i, kNone);
        image.SetByte(base + kLastByte, 0);
    }
}

} // namespace CardholderSetRecord
