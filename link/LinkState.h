#pragma once

#include "common/NetworkGrid.h"

#include <array>
#include <cstdint>

// The link's tables of network and node states. All of it lives on the
// user-interface thread.

// Node states of the link and of the profile.
inline constexpr std::uint8_t kNodeStateUnknown = 0;
inline constexpr std::uint8_t kNodeStateAnswers = 1;
inline constexpr std::uint8_t kNetworkStateNoAnswer = 2;
inline constexpr std::uint8_t kNodeStateFailed = 3;

using NodeTable = std::array<std::array<std::uint8_t, kNodesPerNetwork>, kNetworkCount>;

// Indexed [network - 1] and [network - 1][node - 1].
extern std::array<std::uint8_t, kNetworkCount> NetworkStates;
extern NodeTable NodeStates;
// Link tables: failure mark (with state 3), counter, and the failure flag the
// installation open sets for nodes it suspends.
extern NodeTable NodeFailureMarks;
extern NodeTable NodeCounters;
extern std::array<std::array<std::int32_t, kNodesPerNetwork>, kNetworkCount> NodeFailureFlags;
// Set by a status reply whose first status bit is set: the node's stored
// commands wait.
extern std::array<std::array<std::int32_t, kNodesPerNetwork>, kNetworkCount> NodeStatusReplyMarks;

// True for network 1-8 and node 1-8.
bool IsNodeInRange(int network, int node);
