#include "link/LinkState.h"

#include "link/NetRunResults.h"

NetworkByteTable NetQueueState{};
NetworkByteTable NetConnectFailures{};
NetworkByteTable NetReconnectTries{};
NetworkIntTable NetResponsive{};
NetworkIntTable NetEventLogDone{};
NetworkIntTable NetTimeSetDone{};

NodeTable NodeLinkState{};
NodeTable NodeReprogramPending{};
NodeTable NodeCounters{};
NodeFlagTable NodeTimedOut{};
NodeFlagTable NodeStatusFlag{};

int RedialCount = 0;
int ConnectCancelled = 0;
int TestMode = 0;
int NakCount = 0;

std::array<int, kTaskNetworkCount> NetTaskResult{kTaskNetUnused, kTaskNetUnused, kTaskNetUnused, kTaskNetUnused,
                                                 kTaskNetUnused, kTaskNetUnused, kTaskNetUnused, kTaskNetUnused};

int TaskStepProgram = kStepNotStarted;
int TaskStepSend = kStepNotStarted;
int TaskStepEventLogs = kStepNotStarted;
int TaskStepSetTime = kStepNotStarted;
int TaskStepBackup = kStepNotStarted;

int ProgramDeferred = 0;

bool IsNodeInRange(int network, int node)
{
    return network >= 1 && network <= kNetworkCount && node >= 1 && node <= kNodesPerNetwork;
}

void ResetLinkRunState()
{
    NetConnectFailures.fill(0);
    NetReconnectTries.fill(0);
    NetResponsive.fill(1);
    NetEventLogDone.fill(0);
    NetTimeSetDone.fill(0);
    for (auto& row : NodeTimedOut)
        row.fill(0);
    for (auto& row : NodeStatusFlag)
        row.fill(0);
    RedialCount = 0;
    ConnectCancelled = 0;
    NakCount = 0;
    ProgramDeferred = 0;
    NetRunResults::Reset();
}
