#pragma once

#include <QString>

class CNetCommandQueue;
class INetCommandStore;

// Why a network's part of a run failed, for the task log: one line before
// its "failed" line. A network passes only when its run ends with nothing
// of its work given up, removed unsent or still queued.
namespace NetRunResults {

// No network has failed yet: a fresh run.
void Reset();
// The network's work failed for the reason (one sentence). The failure
// stands for the rest of the run, whatever a later connect does.
void Fail(int net, const QString& reason);
// The network answered (a connect, an acknowledged time setting): it passes
// unless its work failed earlier in the run.
void Answered(int net);
// A connect to the network failed for the reason; a later connect in the
// same run may still pass it.
void ConnectFailed(int net, const QString& reason);
// Something the operator is told of the network's run that fails nothing.
void Note(int net, const QString& text);
// The reasons a network failed, as one line; empty when it has none.
QString ReasonLine(int net);
// The network's notes, as one line; empty when it has none.
QString NoteLine(int net);

// What the run leaves at its end fails the networks it concerns: commands
// still stored, and nodes still suspended in a network that took part.
void Settle(CNetCommandQueue& queue, INetCommandStore& store);

// "A2": the network's letter and the node number.
QString NodeName(int net, int node);
// "node A2"; "all nodes of network A" for a command to every node;
// "network A" for node 0, the network as a whole.
QString Addressee(int net, int node);

} // namespace NetRunResults
