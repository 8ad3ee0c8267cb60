#pragma once

#include "common/NetworkGrid.h"

#include <array>
#include <cstdint>

// The link's tables of network and node states and the scheduled run's step
// states. All of it lives on the user-interface thread.

// Node states of the link and of the profile.
inline constexpr std::uint8_t kNodeStateUnknown = 0;
inline constexpr std::uint8_t kNodeStateAnswers = 1;
inline constexpr std::uint8_t kNetworkStateNoAnswer = 2;
inline constexpr std::uint8_t kNodeStateFailed = 3;

// Network queue states besides 0 (normal) and kNetworkStateNoAnswer.
inline constexpr std::uint8_t kNetworkStateNormal = 0;
inline constexpr std::uint8_t kNetworkStateConnectError = 1;

using NodeTable = std::array<std::array<std::uint8_t, kNodesPerNetwork>, kNetworkCount>;
using NodeFlagTable = std::array<std::array<std::int32_t, kNodesPerNetwork>, kNetworkCount>;
using NetworkByteTable = std::array<std::uint8_t, kNetworkCount>;
using NetworkIntTable = std::array<std::int32_t, kNetworkCount>;

// Indexed [network - 1] and [network - 1][node - 1].
extern NetworkByteTable NetQueueState;
extern NetworkByteTable NetConnectFailures; // dial cycles of five failed attempts
extern NetworkByteTable NetReconnectTries;  // reconnects after a transmit time-out
extern NetworkIntTable NetResponsive;       // 1 when the last connect succeeded
extern NetworkIntTable NetEventLogDone;
extern NetworkIntTable NetTimeSetDone;

extern NodeTable NodeLinkState;
// The node is marked for full reprogramming when it answers again.
extern NodeTable NodeReprogramPending;
extern NodeTable NodeCounters;
// The node was suspended after a time-out.
extern NodeFlagTable NodeTimedOut;
// The node's activity bit of its last status record; its stored commands wait.
extern NodeFlagTable NodeStatusFlag;

// Dial attempts of the current cycle after the first.
extern int RedialCount;
// The last connect ended with neither a link nor an error.
extern int ConnectCancelled;
// F9: nothing may be sent; the link shows its negative-acknowledgement count.
extern int TestMode;
extern int NakCount;

// Per-network results of a scheduled run.
inline constexpr int kTaskNetUnused = -1;
inline constexpr int kTaskNetPassed = 1;
inline constexpr int kTaskNetFailed = 2;
inline constexpr int kTaskNetworkCount = kNetworkCount;
extern std::array<int, kTaskNetworkCount> NetTaskResult;

// Scheduled step states.
inline constexpr int kStepNotStarted = 0;
inline constexpr int kStepPosted = 1;
inline constexpr int kStepDone = 2;

extern int TaskStepProgram;
extern int TaskStepSend;
extern int TaskStepEventLogs;
extern int TaskStepSetTime;
extern int TaskStepBackup;

// A Program press waits for the queue to empty.
extern int ProgramDeferred;

// True for network 1-8 and node 1-8.
bool IsNodeInRange(int network, int node);

// The per-connection tables as a fresh start leaves them: every network
// normal and responsive, no counts, no node timed out or flagged.
void ResetLinkRunState();
