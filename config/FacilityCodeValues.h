#pragma once

#include <array>
#include <cstdint>

class CWFDoc;

// The 16 transmitter and 16 card facility codes of the installation.
struct FacilityCodeValues
{
    static constexpr int kCodes = 16;
    static constexpr int kHighest = 65535;

    void Load(CWFDoc& doc);
    // Card codes first, then transmitter codes.
    void Store(CWFDoc& doc) const;

    std::array<std::uint16_t, kCodes> transmitter{};
    std::array<std::uint16_t, kCodes> card{};
};
