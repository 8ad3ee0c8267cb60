#include "link/LinkState.h"

std::array<std::uint8_t, kNetworkCount> NetworkStates{};
NodeTable NodeStates{};
NodeTable NodeFailureMarks{};
NodeTable NodeCounters{};
std::array<std::array<std::int32_t, kNodesPerNetwork>, kNetworkCount> NodeFailureFlags{};
std::array<std::array<std::int32_t, kNodesPerNetwork>, kNetworkCount> NodeStatusReplyMarks{};

bool IsNodeInRange(int network, int node)
{
    return network >= 1 && network <= kNetworkCount && node >= 1 && node <= kNodesPerNetwork;
}
