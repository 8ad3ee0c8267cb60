#include "link/CNetCommandQueue.h"

#include "common/RecordsetWalk.h"
#include "database/CSetVestrels.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/CNetQueueNodeStd.h"
#include "link/CNetQueueNodeType1.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "link/NodeAddress.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

namespace {
const char* const kStoreFailedText = "Error adding command to com command queue.";
const char* const kNetworkMissingText = "Error finding the current net in the database.";
const char* const kDefaultPassword = "580317";
constexpr int kMasterNode = CNetCommandQueue::kMasterNode;

int EntryNode(int node)
{
    return node == NodeAddress::kAllNodes ? kMasterNode : node;
}
} // namespace

bool CNetCommandQueue::InGrid(int net, int node)
{
    return net >= 1 && net <= kNetworks && node >= 1 && node <= kNodes;
}

std::unique_ptr<CNetQueueNode>& CNetCommandQueue::Slot(int net, int node)
{
    return m_grid[net - 1][node - 1];
}

CNetQueueNode* CNetCommandQueue::GetNode(int net, int node) const
{
    node = EntryNode(node);
    return InGrid(net, node) ? m_grid[net - 1][node - 1].get() : nullptr;
}

void CNetCommandQueue::AddNode(const CSetVestrels& controller)
{
    const int net = controller.m_NetAddress;
    const int node = controller.m_NodeAddress;
    if (!InGrid(net, node))
        return;
    std::unique_ptr<CNetQueueNode> entry;
    if (node == kMasterNode)
        entry = std::make_unique<CNetQueueNodeType1>();
    else
        entry = std::make_unique<CNetQueueNodeStd>();
    entry->SetPanelType(controller.m_PanelType);
    entry->m_workCommand = CNetCommand(NetKind::StatusPoll, static_cast<std::uint8_t>(net),
                                       static_cast<std::uint8_t>(node));
    entry->m_configured = 1;
    Slot(net, node) = std::move(entry);
}

void CNetCommandQueue::RemoveNode(int net, int node)
{
    if (InGrid(net, node))
        Slot(net, node).reset();
}

void CNetCommandQueue::RemoveAllNodes()
{
    for (auto& network : m_grid) {
        for (auto& entry : network)
            entry.reset();
    }
}

bool CNetCommandQueue::AddCommand(std::unique_ptr<CNetCommand>& command)
{
    const int net = command->m_frameAddress >> NodeAddress::kNetworkShift;
    CNetQueueNode* entry = GetNode(net, command->m_frameAddress & NodeAddress::kLowNibble);
    if (!entry || command->m_strSending.isEmpty())
        return false;
    entry->AddPending(std::move(command));
    m_state = kStageIdle;
    return true;
}

void CNetCommandQueue::QueueSetTimeForAllNetworks()
{
    try {
        for (bool row = MoveToFirstRow(g_setVLNetworks); row && !g_setVLNetworks.IsEOF(); g_setVLNetworks.MoveNext()) {
            if (!g_setVLNetworks.m_Active)
                continue;
            const NetCommandData data = {g_setVLNetworks.m_DaylightSavings ? TimeSettingMode::DaylightSavingTime
                                                                           : TimeSettingMode::StandardTime,
                                         static_cast<std::uint8_t>(g_setVLNetworks.m_HoursOffset & 0xFF)};
            auto command = std::make_unique<CNetCommand>(NetKind::TimeSetting, g_setVLNetworks.m_Net, kMasterNode, data);
            AddCommand(command);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

int CNetCommandQueue::IsNetworkActive(int net) const
{
    try {
        if (g_setVLNetworks.IsOpen() && g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(net)))
            return g_setVLNetworks.m_Active ? 1 : 0;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    ShowMessageBox(QString::fromLatin1(kNetworkMissingText));
    return 0;
}

QString CNetCommandQueue::GetNetworkPassword(int net) const
{
    try {
        if (g_setVLNetworks.IsOpen() && g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(net)))
            return g_setVLNetworks.m_Password;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    ShowMessageBox(QString::fromLatin1(kNetworkMissingText));
    return QString::fromLatin1(kDefaultPassword);
}

bool CNetCommandQueue::StoreCommand(const CNetCommand& command)
{
    const int net = command.m_frameAddress >> NodeAddress::kNetworkShift;
    const int node = EntryNode(command.m_frameAddress & NodeAddress::kLowNibble);
    if (!GetNode(net, node))
        return false;
    // A suspended node is started afresh, but once per run: raising the flag
    // on every store would put a start command before each of its writes.
    if (NodeLinkState[net - 1][node - 1] == kNodeStateFailed && !m_suspendedStartRaised[net - 1][node - 1]) {
        m_suspendedStartRaised[net - 1][node - 1] = true;
        SetStartFlag(net, node);
    }
    if (!m_owner || !m_owner->StoreNetCommand(command)) {
        ShowMessageBox(QString::fromLatin1(kStoreFailedText));
        return false;
    }
    return true;
}

void CNetCommandQueue::SetStartFlag(int net, int node)
{
    if (InGrid(net, node))
        m_startFlags[net - 1][node - 1] = true;
}

bool CNetCommandQueue::TakeStartFlag(int net, int node)
{
    if (!InGrid(net, node) || !m_startFlags[net - 1][node - 1])
        return false;
    m_startFlags[net - 1][node - 1] = false;
    return true;
}

void CNetCommandQueue::BeginProgrammingRun()
{
    m_suspendedStartRaised = {};
}

void CNetCommandQueue::SetNodeState(int net, int node, int reason)
{
    node = EntryNode(node);
    if (!InGrid(net, node))
        return;
    if (reason == kReasonNoReply || reason == kReasonNoReplyEventLog) {
        const bool firstSuspended = !NetworkHasSuspendedNode(m_currentNetwork);
        // An empty address keeps no entry to say so: the rest of the pass
        // must not switch the panes again for the next one.
        if (m_pollCursor != 0)
            m_silentInPass[net - 1][node - 1] = true;
        if (CNetQueueNode* entry = GetNode(net, node); entry && !entry->SetState(CNetQueueNode::Suspended))
            RemoveNode(net, node);
        NodeLinkState[net - 1][node - 1] = kNodeStateFailed;
        if (firstSuspended && m_showStatusPanes)
            m_showStatusPanes();
        return;
    }
    if (reason != kReasonStatusReply && reason != kReasonAck)
        return;
    CNetQueueNode* entry = GetNode(net, node);
    if (!entry) {
        auto found = std::make_unique<CNetQueueNodeStd>();
        found->m_workCommand = CNetCommand(NetKind::StatusPoll, static_cast<std::uint8_t>(net),
                                           static_cast<std::uint8_t>(node));
        Slot(net, node) = std::move(found);
        return;
    }
    if (entry->IsFirmwareSupported()) {
        entry->SetState(CNetQueueNode::InService);
        NodeLinkState[net - 1][node - 1] = kNodeStateAnswers;
    }
}

bool CNetCommandQueue::NetworkHasSuspendedNode(int net) const
{
    if (HasSuspendedEntry(net))
        return true;
    for (int node = 1; node <= kNodes; ++node) {
        if (InGrid(net, node) && m_silentInPass[net - 1][node - 1])
            return true;
    }
    return false;
}

bool CNetCommandQueue::HasSuspendedEntry(int net) const
{
    for (int node = 1; node <= kNodes; ++node) {
        if (InGrid(net, node) && GetNode(net, node) && NodeLinkState[net - 1][node - 1] == kNodeStateFailed)
            return true;
    }
    return false;
}

bool CNetCommandQueue::IsNodeAvailable(int net, int node) const
{
    const CNetQueueNode* entry = GetNode(net, node);
    return entry && entry->GetState() < CNetQueueNode::Suspended;
}

int CNetCommandQueue::GetNodeIcon(int net, int node, int view) const
{
    const CNetQueueNode* entry = GetNode(net, node);
    return entry ? entry->GetIcon(view) : CNetQueueNode::kNoIcon;
}

int CNetCommandQueue::CountNodes(int net) const
{
    int count = 0;
    for (int node = 1; node <= kNodes; ++node)
        count += GetNode(net, node) ? 1 : 0;
    return count;
}

void CNetCommandQueue::DropSingleNodeCommands()
{
    for (auto& network : m_grid) {
        for (auto& entry : network) {
            if (entry)
                entry->DropSingleNodeCommands();
        }
    }
}
