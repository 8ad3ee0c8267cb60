#pragma once

#include <cstdint>

// The built-in text and justification code of each display-message index,
// used where a message set has no row of its own.
struct DisplayMessageDefault
{
    const char* text;
    std::uint8_t justification;
};

inline constexpr int kDisplayMessagesPerSet = 40;
inline constexpr int kDisplayMessageSets = 8;

// Index 1..40; null for an index outside.
const DisplayMessageDefault* DefaultDisplayMessages(int index);
