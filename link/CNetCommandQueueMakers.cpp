#include "link/CNetCommandQueue.h"

#include "common/RecordsetWalk.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/NetCommandKinds.h"
#include "link/NodeAddress.h"
#include "platform/DatabaseException.h"

namespace {
std::uint8_t Byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

constexpr std::uint8_t kPriorityAccessOn = 1;
constexpr std::uint8_t kAntiPassbackResetOp = 3;
} // namespace

CNetCommand CNetCommandQueue::MakeLinkLoginRequest(int net, QObject* notify)
{
    const bool storedWork = HasNode(net, kMasterNode) && NodeHasStoredWork(net, kMasterNode);
    CNetCommand login(NetKind::LinkLogin, Byte(net), Byte(kMasterNode), {}, storedWork);
    login.m_strPassword = GetNetworkPassword(net);
    login.m_notifyWindow = notify;
    return login;
}

CNetCommand CNetCommandQueue::MakePollRequest()
{
    const int net = m_currentNetwork;
    const int node = m_pollCursor;
    const bool storedWork = HasNode(net, node) && NodeHasStoredWork(net, node);
    return CNetCommand(NetKind::StatusPoll, Byte(net), Byte(node), {}, storedWork);
}

void CNetCommandQueue::ResetPollCursor()
{
    m_pollCursor = 1;
    m_silentInPass = {};
}

bool CNetCommandQueue::AdvancePollCursor(bool skipMissing)
{
    do {
        ++m_pollCursor;
    } while (skipMissing && m_pollCursor <= kNodes && !HasNode(m_currentNetwork, m_pollCursor));
    if (m_pollCursor > kNodes) {
        m_pollCursor = 0;
        m_silentInPass = {};
        return false;
    }
    return true;
}

bool CNetCommandQueue::QueueForNetwork(const CNetCommand& command)
{
    auto queued = std::make_unique<CNetCommand>(command);
    return AddCommand(queued);
}

bool CNetCommandQueue::QueuePriorityAccess(int selectedNet)
{
    try {
        if (!g_setVLNetworks.FindFirst(QStringLiteral("Net = %1 AND Active = TRUE").arg(selectedNet)))
            return false;
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    const NetCommandData data{NodeCommandOp::PriorityAccess, kPriorityAccessOn};
    return QueueForNetwork(CNetCommand(NetKind::NodeCommand, Byte(selectedNet), NodeAddress::kAllNodes, data));
}

bool CNetCommandQueue::QueueAntiPassbackReset(std::uint16_t cardholder, bool allNetworks, int selectedNet)
{
    const NetCommandData data{NodeCommandOp::AntiPassbackReset, kAntiPassbackResetOp, 0, 0,
                              Byte(cardholder >> 8), Byte(cardholder & 0xFF)};
    bool queued = false;
    try {
        // The walk leaves the shared recordset where it found it.
        const bool onRow = g_setVLNetworks.IsOpen() && !g_setVLNetworks.IsEOF() && !g_setVLNetworks.IsBOF();
        const RecordBookmark bookmark = onRow ? g_setVLNetworks.GetBookmark() : 0;
        for (bool row = MoveToFirstRow(g_setVLNetworks); row && !g_setVLNetworks.IsEOF(); g_setVLNetworks.MoveNext()) {
            const int net = g_setVLNetworks.m_Net;
            if (!g_setVLNetworks.m_Active || (!allNetworks && net != selectedNet))
                continue;
            queued = QueueForNetwork(CNetCommand(NetKind::NodeCommand, Byte(net), NodeAddress::kAllNodes, data)) || queued;
        }
        if (onRow)
            g_setVLNetworks.SetBookmark(bookmark);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return queued;
}
