#include "link/NetRunResults.h"

#include "link/CNetCommandQueue.h"
#include "link/INetCommandStore.h"
#include "link/LinkState.h"
#include "link/NodeAddress.h"

#include <QStringList>

#include <array>

namespace NetRunResults {

namespace {
struct NetworkRun
{
    QStringList reasons;
    QString connectReason;
    QStringList notes;
};

std::array<NetworkRun, kTaskNetworkCount> g_runs;

bool InRange(int net)
{
    return net >= 1 && net <= kTaskNetworkCount;
}

QChar Letter(int net)
{
    return QChar(u'A' + (net - 1));
}
} // namespace

void Reset()
{
    g_runs = {};
}

void Fail(int net, const QString& reason)
{
    if (!InRange(net))
        return;
    NetTaskResult[net - 1] = kTaskNetFailed;
    QStringList& reasons = g_runs[net - 1].reasons;
    if (!reasons.contains(reason))
        reasons.append(reason);
}

void Note(int net, const QString& text)
{
    if (!InRange(net))
        return;
    QStringList& notes = g_runs[net - 1].notes;
    if (!notes.contains(text))
        notes.append(text);
}

void Answered(int net)
{
    if (!InRange(net))
        return;
    g_runs[net - 1].connectReason.clear();
    NetTaskResult[net - 1] = g_runs[net - 1].reasons.isEmpty() ? kTaskNetPassed : kTaskNetFailed;
}

void ConnectFailed(int net, const QString& reason)
{
    if (!InRange(net))
        return;
    NetTaskResult[net - 1] = kTaskNetFailed;
    g_runs[net - 1].connectReason = reason;
}

QString ReasonLine(int net)
{
    if (!InRange(net))
        return QString();
    QStringList reasons = g_runs[net - 1].reasons;
    if (!g_runs[net - 1].connectReason.isEmpty() && !reasons.contains(g_runs[net - 1].connectReason))
        reasons.prepend(g_runs[net - 1].connectReason);
    return reasons.join(QLatin1Char(' '));
}

QString NoteLine(int net)
{
    return InRange(net) ? g_runs[net - 1].notes.join(QLatin1Char(' ')) : QString();
}

void Settle(CNetCommandQueue& queue, INetCommandStore& store)
{
    for (int net = 1; net <= kTaskNetworkCount; ++net) {
        const bool tookPart = NetTaskResult[net - 1] != kTaskNetUnused;
        if (!tookPart && queue.CountNodes(net) == 0)
            continue;
        store.FilterNetCommands(QStringLiteral("Net = %1").arg(net));
        const int queued = store.CountQueuedCommands();
        if (queued == 1)
            Fail(net, QStringLiteral("1 command is still queued."));
        else if (queued > 1)
            Fail(net, QStringLiteral("%1 commands are still queued.").arg(queued));
        if (!tookPart)
            continue;
        for (int node = 1; node <= CNetCommandQueue::kNodes; ++node) {
            // A panel the installation does not have fails nothing of its run.
            if (queue.IsConfigured(net, node) && NodeLinkState[net - 1][node - 1] == kNodeStateFailed)
                Fail(net, QStringLiteral("Node %1 is suspended.").arg(NodeName(net, node)));
        }
    }
    store.FilterNetCommands(QString());
}

QString NodeName(int net, int node)
{
    return QStringLiteral("%1%2").arg(QString(Letter(net)), QString::number(node));
}

QString Addressee(int net, int node)
{
    if (node == 0)
        return QStringLiteral("network %1").arg(Letter(net));
    if (node == NodeAddress::kAllNodes)
        return QStringLiteral("all nodes of network %1").arg(Letter(net));
    return QStringLiteral("node ") + NodeName(net, node);
}

} // namespace NetRunResults
