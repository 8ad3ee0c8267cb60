#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

// Number, bit, relay and node-name formats shared by screens and printouts.

// Digits of the value rounded to a whole number, without sign or point; an
// empty result is "0". Halves round away from zero (2.5 gives "3").
QString FormatWholeNumber(double value);

// The bytes read most significant first; past 8 bytes the earliest fall off
// the top, as the 64-bit shift gives.
std::uint64_t PackBigEndian(std::span<const std::uint8_t> bytes);

std::uint16_t SwapBytes16(std::uint16_t value);
std::uint16_t SwapBytes16b(std::uint16_t value);

// Bits numbered 1-16; 0 (or a number beyond 16) sets nothing.
std::uint16_t MakeBitMask(int bit1, int bit2, int bit3, int bit4);

// The present values in the order A, B, C, D joined by ", ".
QString FormatValueList(const std::array<std::optional<int>, 4>& values);

// Four facility-code selections: 0 selects nothing, s (1-16) selects code s-1,
// whose value codeValue gives. Selections beyond 16 select nothing.
inline constexpr int kFacilityCodeCount = 16;
QString FormatFacilityCodeSelections(const std::array<std::uint8_t, 4>& selections,
                                     const std::function<int(int code)>& codeValue);

// Relays of the four relay modules: bits 0-5 module 1 ... bits 18-23 module 4.
QString FormatModuleRelays(std::uint8_t low, std::uint8_t middle, std::uint8_t high);
QString FormatModuleRelaysShort(std::uint32_t mask);
// "1" to "31" for the set bits 0-30; "none" when none is set.
QString FormatRelayLabels(std::uint32_t mask);

// Address byte: network 1-8 in the high nibble, node in the low nibble.
// A network outside 1-8 has no letter and shows '?'.
QChar GetNetworkLetter(std::uint8_t address);
QString FormatNodeName(std::uint8_t address);
