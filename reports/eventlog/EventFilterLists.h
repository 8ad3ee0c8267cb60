#pragma once

#include <array>

// An entry of a filter page that the program defines: its text and the
// number its clause carries.
struct EventFilterChoice
{
    const char* text;
    int value;
};

// The Types page's entries with their event types, in the order they are
// added; the page lists them alphabetically.
inline constexpr std::array<EventFilterChoice, 13> EventTypeFilterList = {{
    {"Obstacle transmitters", 2},
    {"Panel mode change", 3},
    {"Access granted", 4},
    {"Lock open/closed", 5},
    {"Unlock", 6},
    {"Open/lock open request", 7},
    {"System errors", 8},
    {"Timer event", 9},
    {"Door alarm event", 10},
    {"Phone system event", 11},
    {"Unknown transmitter", 14},
    {"Wardenfold logs", 23},
    {"Anti-Passback Violation", 18},
}};

// The Operators page's boxes with the UserID codes of sources that are not
// cardholders, in the order their clauses are written.
inline constexpr std::array<EventFilterChoice, 5> EventOperatorFilterList = {{
    {"Panel operators", -1},
    {"Postal key", -2},
    {"Time Zone", -3},
    {"Priority Access", -4},
    {"Host", -5},
}};
