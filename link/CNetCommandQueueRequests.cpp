#include "link/CNetCommandQueue.h"

#include "link/LinkState.h"
#include "link/NodeAddress.h"

namespace {
QString NetworkFilter(int net)
{
    return QStringLiteral("Net = %1").arg(net);
}

bool NetworkUsable(int net)
{
    return NetQueueState[net - 1] != kNetworkStateNoAnswer;
}
} // namespace

QString CNetCommandQueue::NodeFilter(int net, int node) const
{
    // Commands for all nodes are filed under the master node.
    if (node == kMasterNode)
        return QStringLiteral("Net = %1 AND (Node = %2 OR Node = %3)").arg(net).arg(node).arg(NodeAddress::kAllNodes);
    return QStringLiteral("Net = %1 AND Node = %2").arg(net).arg(node);
}

void CNetCommandQueue::SetCurrentNetwork(int net)
{
    m_currentNetwork = static_cast<std::uint8_t>(net);
    m_state = kStageIdle;
    if (m_owner)
        m_owner->FilterNetCommands(NetworkFilter(net));
}

int CNetCommandQueue::ScanInMemory(int onlyNet)
{
    const int first = onlyNet ? onlyNet : 1;
    const int last = onlyNet ? onlyNet : kNetworks;
    for (int net = first; net <= last; ++net) {
        for (int node = 1; node <= kNodes; ++node) {
            CNetQueueNode* entry = InGrid(net, node) ? GetNode(net, node) : nullptr;
            if (!entry || !entry->HasPending())
                continue;
            // A suspended entry could never send them, and they would hold
            // its network's stored commands back for ever.
            if (NodeLinkState[net - 1][node - 1] != kNodeStateFailed && entry->GetState() == CNetQueueNode::InService)
                return net;
            entry->ClearPending();
        }
    }
    return 0;
}

bool CNetCommandQueue::LoadStoredOfNode(int node, CNetCommand& command)
{
    CNetQueueNode* entry = GetNode(m_currentNetwork, node);
    return entry && m_owner
        && entry->LoadNextStored(command, *m_owner, [this](std::int32_t commandId) { return SetAsideUnreadable(commandId); });
}

bool CNetCommandQueue::SetAsideUnreadable(std::int32_t commandId)
{
    const std::optional<SetAsideCommand> setAside = m_owner->SetAsideNetCommand(commandId);
    if (!setAside)
        return false;
    if (m_unreadableCommand)
        m_unreadableCommand(*setAside);
    return true;
}

bool CNetCommandQueue::GetNextRequest(CNetCommand& command)
{
    const int net = m_currentNetwork;
    if (!InGrid(net, 1)) {
        m_state = kStageIdle;
        return false;
    }
    if (m_state == kStageIdle) {
        m_nodeCursor = 1;
        m_state = kStageMemory;
    }
    if (m_state == kStageMemory) {
        for (int node = m_nodeCursor; node <= kNodes; ++node) {
            CNetQueueNode* entry = GetNode(net, node);
            if (entry && entry->TakeNextPending(command)) {
                m_nodeCursor = static_cast<std::uint8_t>(node);
                return true;
            }
        }
        // Another network's commands in memory come before this one's stored ones.
        if (ScanInMemory()) {
            m_state = kStageIdle;
            return false;
        }
        m_nodeCursor = 1;
        m_state = kStageFindStored;
    }
    if (m_state == kStageFindStored) {
        bool found = false;
        for (int node = m_nodeCursor; node <= kNodes && !found; ++node) {
            if (!GetNode(net, node) || !m_owner)
                continue;
            m_owner->FilterNetCommands(NodeFilter(net, node));
            CNetCommand scratch;
            if (LoadStoredOfNode(node, scratch)) {
                m_filter = NodeFilter(net, node);
                m_nodeCursor = static_cast<std::uint8_t>(node);
                found = true;
            }
        }
        if (!found) {
            m_state = kStageIdle;
            return false;
        }
        m_state = kStageStored;
    }
    m_owner->FilterNetCommands(m_filter);
    if (LoadStoredOfNode(m_nodeCursor, command))
        return true;
    m_state = kStageIdle;
    return false;
}

bool CNetCommandQueue::FindNextCommand(int net, int& node) const
{
    for (int at = std::max(node, 1); at <= kNodes; ++at) {
        const CNetQueueNode* entry = InGrid(net, at) ? GetNode(net, at) : nullptr;
        if (entry && entry->GetState() == CNetQueueNode::InService && entry->HasPending()) {
            node = at;
            return true;
        }
    }
    return false;
}

bool CNetCommandQueue::NodeHasStoredWork(int net, int node)
{
    if (!m_owner)
        return false;
    m_owner->FilterNetCommands(NetworkFilter(net));
    return m_owner->HasQueuedCommand(net, node)
        || (node == kMasterNode && m_owner->HasQueuedCommand(net, NodeAddress::kAllNodes));
}

bool CNetCommandQueue::NetworkHasStoredWork(int net)
{
    for (int node = 1; node <= kNodes; ++node) {
        if (GetNode(net, node) && NodeHasStoredWork(net, node))
            return true;
    }
    return false;
}

bool CNetCommandQueue::GetNextNetwork(int& net, const NetworkListed& listed)
{
    const int current = m_currentNetwork;
    const bool haveCurrent = InGrid(current, 1);
    if (haveCurrent && NetworkUsable(current) && ScanInMemory(current)) {
        net = current;
        return true;
    }
    for (int candidate = 1; candidate <= kNetworks; ++candidate) {
        if (NetworkUsable(candidate) && ScanInMemory(candidate)) {
            net = candidate;
            return true;
        }
    }
    if (haveCurrent && NetworkUsable(current) && NetResponsive[current - 1] == 1 && NetworkHasStoredWork(current)) {
        net = current;
        return true;
    }
    for (int candidate = 1; candidate <= kNetworks; ++candidate) {
        if (listed && listed(candidate) && NetworkUsable(candidate) && NetResponsive[candidate - 1] == 1
            && NetworkHasStoredWork(candidate)) {
            SetCurrentNetwork(candidate);
            net = candidate;
            return true;
        }
    }
    if (haveCurrent)
        SetCurrentNetwork(current);
    return false;
}
