#pragma once

#include <QChar>
#include <QString>

#include <cstdint>

// A node on the wire is one byte: network 1-8 in the high nibble, node 1-8 in
// the low nibble; 15 in the low nibble stands for all nodes of the network.
namespace NodeAddress {
inline constexpr std::uint8_t kAllNodes = 15;
inline constexpr int kNetworkShift = 4;
inline constexpr std::uint8_t kLowNibble = 0x0F;
// Letter of network n is the character 64 + n, so network 1 is A.
inline constexpr int kNetworkLetterBase = 64;
} // namespace NodeAddress

struct NetNode
{
    std::uint8_t network = 0;
    std::uint8_t node = 0;
};

std::uint8_t MakeNodeAddress(std::uint8_t network, std::uint8_t node);

// Network from the high nibble; node from the low three bits, 0 read as 8.
NetNode SplitNodeAddress(std::uint8_t address);

// The network letter of an address byte (A for network 1).
QChar NetworkLetterOf(std::uint8_t address);

// The node as the operator sees it: network letter and node number, as in A1.
QString NodeNameOf(std::uint8_t address);
