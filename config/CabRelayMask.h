#pragma once

#include <cstdint>

// A cab's relays on one floor: module m (1-4), relay r (0-5) is bit
// (m - 1) * 6 + r of a 24-bit mask.
namespace CabRelayMask {

inline constexpr int kModules = 4;
inline constexpr int kRelaysPerModule = 6;
inline constexpr std::uint32_t kAllRelays = 0xFFFFFF;
inline constexpr std::uint32_t kOneModule = 0x3F;

constexpr std::uint32_t ModuleBits(int module)
{
    return kOneModule << ((module - 1) * kRelaysPerModule);
}

constexpr std::uint32_t RelayBit(int module, int relay)
{
    return 1u << ((module - 1) * kRelaysPerModule + relay);
}

// What is left of a mask when one module's relays are taken out of it.
constexpr std::uint32_t ModuleClearMask(int module)
{
    return kAllRelays & ~ModuleBits(module);
}

} // namespace CabRelayMask
