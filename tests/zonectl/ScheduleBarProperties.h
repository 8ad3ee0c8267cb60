#pragma once

#include <cstdint>

// The schedule bar's dispatch properties by name and dispatch identifier, as
// the program's schedule pages and stored dialog templates rely on them.
struct ScheduleBarProperty
{
    const char* name;
    std::int32_t dispid;
};

inline constexpr ScheduleBarProperty kScheduleBarProperties[] = {
    {"ShowTimeScale", 1},   {"lTimeZone1End", 2},   {"lTimeZone2End", 3},    {"lTimeZone3End", 4},
    {"lTimeZone4End", 5},   {"lTimeZone1Begin", 6}, {"lTimeZone2Begin", 7},  {"lTimeZone3Begin", 8},
    {"lTimeZone4Begin", 9}, {"ShowToolTip", 10},    {"TimeZoneNumber", 11},  {"Active", 12},
    {"BackColor", -501},    {"ForeColor", -513},    {"Font", -512},
};
