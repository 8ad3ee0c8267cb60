#pragma once

#include <cstdint>

// A node on the wire is one byte: network 1-8 in the high nibble, node 1-8 in
// the low nibble; 15 in the low nibble stands for all nodes of the network.
namespace NodeAddress {
inline constexpr std::uint8_t kAllNodes = 15;
inline constexpr int kNetworkShift = 4;
inline constexpr std::uint8_t kLowNibble = 0x0F;
} // namespace NodeAddress

struct NetNode
{
    std::uint8_t network = 0;
    std::uint8_t node = 0;
};

std::uint8_t MakeNodeAddress(std::uint8_t network, std::uint8_t node);

// Network from the high nibble; node from the low three bits, 0 read as 8.
NetNode SplitNodeAddress(std::uint8_t address);
