#include "link/NodeAddress.h"

namespace {
constexpr std::uint8_t kNodeBits = 0x07;
constexpr std::uint8_t kNodeZeroMeans = 8;
} // namespace

std::uint8_t MakeNodeAddress(std::uint8_t network, std::uint8_t node)
{
    return static_cast<std::uint8_t>(network << NodeAddress::kNetworkShift | (node & NodeAddress::kLowNibble));
}

NetNode SplitNodeAddress(std::uint8_t address)
{
    NetNode result;
    result.network = static_cast<std::uint8_t>(address >> NodeAddress::kNetworkShift);
    result.node = address & kNodeBits;
    if (result.node == 0)
        result.node = kNodeZeroMeans;
    return result;
}
