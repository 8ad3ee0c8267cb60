#pragma once

#include <cstdint>

// A monitored door as both monitor forms keep it: the network in bits
// 16-23, the node (1-8) in bits 8-15 and the door index (0-3, doors A-D)
// in bits 0-7.
namespace DoorKey {

inline constexpr std::uint32_t Make(int network, int node, int door)
{
    return static_cast<std::uint32_t>((network & 0xFF) << 16 | (node & 0xFF) << 8 | (door & 0xFF));
}
inline constexpr int Network(std::uint32_t key)
{
    return static_cast<int>(key >> 16 & 0xFF);
}
inline constexpr int Node(std::uint32_t key)
{
    return static_cast<int>(key >> 8 & 0xFF);
}
inline constexpr int Door(std::uint32_t key)
{
    return static_cast<int>(key & 0xFF);
}
// The node's address byte: network x 16 + node.
inline constexpr std::uint8_t Address(std::uint32_t key)
{
    return static_cast<std::uint8_t>(Network(key) * 16 + Node(key));
}

} // namespace DoorKey
