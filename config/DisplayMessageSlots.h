#pragma once

#include <QString>

// How the telephone directory page maps its list to the panel's displays:
// a display is a pair of slots, the even one its first line.
namespace DisplayMessageSlots {

inline constexpr int kLineLength = 16;
inline constexpr int kFirstSet = 1;
inline constexpr int kLastSet = 8;
inline constexpr int kLeft = 0;
inline constexpr int kCenter = 1;
inline constexpr int kRight = 2;

// The first slot of the display a list row belongs to.
int FirstSlotOfPair(int row);
// The set shown after a step of the set spin: a step down goes to the next
// set, any other to the previous, round from 8 to 1 and back.
int SetAfterStep(int set, int step);
// What the panel can show of a typed line: no '|', 16 characters, no trailing blanks.
QString LineText(const QString& typed);
// The list's name of a justification; one without a name shows its number.
QString JustificationName(int justification);

} // namespace DisplayMessageSlots
