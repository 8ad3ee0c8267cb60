#pragma once

#include <QString>

#include <array>

class CWFDoc;

// The eight day boxes of a time zone, in the column order M T W T F S S H.
// A box is ticked when its bit of the zone's day mask is clear: a set bit
// means the day is not valid.
namespace ValidDays {

inline constexpr int kColumns = 8;
using Boxes = std::array<bool, kColumns>;

// The day-mask bit of each column: Monday to Saturday are bits 1-6, Sunday
// bit 0, holidays bit 7.
inline constexpr std::array<int, kColumns> kColumnBits = {1, 2, 3, 4, 5, 6, 0, 7};
inline constexpr std::array<const char*, kColumns> kColumnHeads = {"M", "T", "W", "T", "F", "S", "S", "H"};

Boxes Load(CWFDoc& doc, int zone);
// Writes each column's bit and leaves the other bits of the mask.
void Store(CWFDoc& doc, int zone, const Boxes& boxes);
// The tooltip of a column's box for a zone.
QString Tooltip(int column, int zone);

} // namespace ValidDays
