#include "link/CCommLink.h"

#include "common/Formatting.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/CNetCommandQueue.h"
#include "link/ILinkHost.h"
#include "link/ILinkTransport.h"
#include "link/INetCommandStore.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "link/NodeAddress.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

namespace {
// Node 8 is never given up aloud nor reconnected for.
constexpr int kBroadcastNode = 8;
constexpr int kMaxConnectFailures = 2;
constexpr std::uint8_t kReprogramFlag = 0x01;
const char* const kMultipleRetriesText = "Failed to connect to network %1 after multiple retries.";
const char* const kTransmitTimeoutText = "A timeout has occurred when transmitting to the network.\n";

QString NetFilter(int net)
{
    return QStringLiteral("Net = %1").arg(net);
}
} // namespace

void CCommLink::RestartTimer(QTimer& timer, int ms)
{
    timer.stop();
    timer.start(LinkTiming::Ms(ms));
}

bool CCommLink::Quiet() const
{
    return m_quietUntil && m_lastSend.isValid() && m_lastSend.elapsed() < m_quietUntil;
}

void CCommLink::EndQuiet()
{
    m_quietUntil = 0;
    if (m_heldCommand) {
        CNetCommand held = std::move(*m_heldCommand);
        m_heldCommand.reset();
        SendCommandNow(std::move(held));
    }
    ServiceQueue();
}

void CCommLink::Dispatch(const CNetCommand& command, int timeoutMs)
{
    m_request = command;
    m_requestFrame.clear();
    // A command that cannot make a frame is not sent; its time-out gives it up.
    if (PrepareRequestFrame(m_request, Clock::Current(), m_requestFrame, m_sent))
        m_transport.Write(m_requestFrame);
    m_sends = 1;
    m_initialRetries = m_request.m_retries;
    m_lastSend.start();
    ShowLinkStatus(Sending);
    if (!m_simpleMode)
        emit sendLamp();
    m_inFlight = true;
    m_replyTimeoutMs = timeoutMs;
    RestartTimer(m_replyTimer, timeoutMs);
}

int CCommLink::SendNextCommand()
{
    if (m_inFlight || Quiet())
        return 1;
    CNetCommand next;
    if (!m_queue.GetNextRequest(next))
        return 0;
    Dispatch(next, next.m_timeout);
    RestartTimer(m_pacingTimer, kPacingMs);
    return 1;
}

void CCommLink::SendCommandNow(CNetCommand command)
{
    if (m_inFlight)
        return;
    if (Quiet()) {
        m_heldCommand = std::move(command);
        return;
    }
    Dispatch(command, command.m_timeout + kResendExtraMs);
}

void CCommLink::PollNode(int flag)
{
    if (m_inFlight)
        return;
    m_pollArgument = flag;
    m_queue.ResetPollCursor();
    SendCommandNow(m_queue.MakePollRequest());
}

void CCommLink::PollNextNode()
{
    if (m_queue.AdvancePollCursor(m_pollArgument != 0))
        SendCommandNow(m_queue.MakePollRequest());
    else
        RestartTimer(m_pacingTimer, kPacingMs);
}

void CCommLink::OnPacingTimer()
{
    if (!m_connected)
        return;
    if (m_simpleMode) {
        if (m_queue.m_state == CNetCommandQueue::kStageIdle)
            Disconnect();
        else
            m_afterDisconnect = m_afterPoll = true;
        return;
    }
    if (m_queue.m_state == CNetCommandQueue::kStageIdle)
        PollNode(1);
}

bool CCommLink::IsStoredRequest() const
{
    return (m_request.m_kind == NetKind::NodeCommand || m_request.m_kind == NetKind::MemoryWrite) && m_request.m_nCommandID;
}

int CCommLink::CompleteCommand()
{
    EndCommand(true);
    return 1;
}

void CCommLink::EndCommand(bool removeStored)
{
    m_replyTimer.stop();
    m_inFlight = false;
    m_request.m_payload.clear();
    if (removeStored && IsStoredRequest())
        m_store.RemoveNetCommand(m_request.m_nCommandID);
    // A resent command's late acknowledgement could complete the next one:
    // the next send waits until it would have come.
    if (m_sends > 1 && m_request.m_expectedReply == Frame::kAck) {
        m_quietUntil = m_lastSend.elapsed() + LinkTiming::Ms(m_replyTimeoutMs);
        m_quietTimer.start(static_cast<int>(m_quietUntil - m_lastSend.elapsed()));
    }
    UpdateQueueCount();
}

CCommLink::Outcome CCommLink::Retransmit(QPointer<QObject>& notify)
{
    notify = m_request.m_notifyWindow;
    if (m_request.m_retries >= 1) {
        --m_request.m_retries;
        if (!m_requestFrame.isEmpty())
            m_transport.Write(m_requestFrame);
        ++m_sends;
        m_lastSend.start();
        m_replyTimeoutMs = m_request.m_timeout + kResendExtraMs;
        RestartTimer(m_replyTimer, m_replyTimeoutMs);
        return Outcome::Resent;
    }
    m_request.m_retries = 0;
    ShowLinkStatus(RetriesUsedUp);
    m_inFlight = false;
    if (m_request.m_kind == NetKind::MemoryWrite) {
        m_host.ShowFlashFailedNotice();
        MarkGivenUpNode();
        CompleteCommand();
        return Outcome::WriteDropped;
    }
    if (m_request.m_nCommandID)
        MarkGivenUpNode();
    if (SplitNodeAddress(m_request.m_frameAddress).node != kBroadcastNode && notify)
        PostAppMessage(notify, Msg::CommandDone);
    return Outcome::GivenUp;
}

void CCommLink::MarkGivenUpNode()
{
    const int net = m_request.m_frameAddress >> NodeAddress::kNetworkShift;
    const int node = m_request.m_frameAddress & NodeAddress::kLowNibble;
    NetRunResults::Fail(net, QStringLiteral("A command to %1 was given up.").arg(NetRunResults::Addressee(net, node)));
    MarkForReprogram(net, node);
}

void CCommLink::MarkForReprogram(int net, int node)
{
    if (node == NodeAddress::kAllNodes) {
        for (int each = 1; each <= CNetCommandQueue::kNodes; ++each) {
            if (m_queue.HasNode(net, each))
                MarkForReprogram(net, each);
        }
        return;
    }
    if (!IsNodeInRange(net, node))
        return;
    // A suspended node is marked when it answers again.
    if (NodeLinkState[net - 1][node - 1] == kNodeStateFailed)
        NodeReprogramPending[net - 1][node - 1] = 1;
    else
        MarkNodeForReprogram(MakeNodeAddress(static_cast<std::uint8_t>(net), static_cast<std::uint8_t>(node)));
}

void CCommLink::RemoveUnsent(int net, int node)
{
    const int before = m_store.GetPendingCommandCount();
    if (node)
        m_store.RemoveNodeCommands(net, node);
    else
        m_store.RemoveAllNetCommands();
    const int removed = before - m_store.GetPendingCommandCount();
    if (removed <= 0)
        return;
    const QString to = NetRunResults::Addressee(net, node);
    NetRunResults::Fail(net, removed == 1 ? QStringLiteral("1 command to %1 was removed unsent.").arg(to)
                                          : QStringLiteral("%1 commands to %2 were removed unsent.").arg(QString::number(removed), to));
}

void CCommLink::OnUnreadableCommand(const SetAsideCommand& command)
{
    MarkForReprogram(command.net, command.node);
    NetRunResults::Fail(command.net, QStringLiteral("Command file %1 could not be read.").arg(command.fileName));
    QString addressee = NetRunResults::Addressee(command.net, command.node);
    addressee[0] = addressee[0].toUpper();
    const QString kept = command.keptAs.isEmpty() ? QString() : QStringLiteral(" It is kept as %1.").arg(command.keptAs);
    const QString text = QStringLiteral("Command file %1 could not be read and was not sent.%2 %3 will be reprogrammed in full.")
                             .arg(command.fileName, kept, addressee);
    // Told once the queue's walk is over, not inside it.
    QMetaObject::invokeMethod(this, [text] { ShowMessageBox(text); }, Qt::QueuedConnection);
}

int CCommLink::MarkNodeForReprogram(std::uint8_t address)
{
    const NetNode at = SplitNodeAddress(address);
    try {
        if (!g_setVestrels.IsOpen() || !g_setVestrels.FindByAddress(at.network, at.node))
            return 0;
        g_setVestrels.Edit();
        g_setVestrels.m_Flags |= kReprogramFlag;
        g_setVestrels.Update();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    MarkDataToProgram();
    return 1;
}

void CCommLink::OnReplyTimeout()
{
    QPointer<QObject> notify;
    const Outcome outcome = Retransmit(notify);
    if (outcome == Outcome::Resent)
        return;
    if (outcome == Outcome::GivenUp && notify)
        SendAppMessage(notify, Msg::ConnectFailed, 1);
    m_replyTimer.stop();
    HandleReplyTimeout();
    ServeAfterGiveUp();
}

void CCommLink::ServeAfterGiveUp()
{
    // A give-up that leaves the link up would otherwise stall the queue.
    if (m_connected && !m_inFlight)
        ServiceQueue();
}

void CCommLink::GiveUpMessageIfDue(int net)
{
    if (net < 1 || net > kNetworkCount || NetConnectFailures[net - 1] < kMaxConnectFailures)
        return;
    NetConnectFailures[net - 1] = 0;
    ShowMessageBox(QString::fromLatin1(kMultipleRetriesText).arg(GetNetworkLetter(MakeNodeAddress(net, 1))),
                   MbButtons::Ok, MbIcon::Exclamation);
}

int CCommLink::ReconnectCurrentNetwork()
{
    const int current = m_queue.GetCurrentNetwork();
    if (current >= 1 && current <= kNetworkCount && NetQueueState[current - 1] == kNetworkStateNoAnswer) {
        SuspendNetwork(current);
        int next = 0;
        if (!FindNetworkWithWork(current, next) || !SelectNetwork(next))
            return 0;
    }
    if (Connect())
        return 1;
    Disconnect();
    GiveUpMessageIfDue(m_queue.GetCurrentNetwork());
    return 0;
}

bool CCommLink::ReconnectOrGiveUp()
{
    if (Connect()) {
        SendNextCommand();
        return true;
    }
    Disconnect();
    GiveUpMessageIfDue(m_queue.GetCurrentNetwork());
    return false;
}

void CCommLink::HandleReplyTimeout()
{
    if ((m_request.m_frameAddress & NodeAddress::kLowNibble) == CNetCommandQueue::kMasterNode) {
        if (!m_connected)
            Disconnect();
        else
            HandleMasterTimeout();
        return;
    }
    HandleNodeTimeout();
}

void CCommLink::HandleMasterTimeout()
{
    if (m_sent.code == NetKind::MemoryWrite && NetworkCount() >= 2) {
        if (TestMode)
            SetErrorText(QStringLiteral("Timeout from  Net = %1\n").arg(m_request.m_frameAddress & NodeAddress::kLowNibble));
        ReconnectAfterWriteTimeout();
        return;
    }
    if (m_sent.code != NetKind::MemoryWrite)
        Disconnect();
    if (!ReconnectOrGiveUp())
        SetConnected(0);
}

void CCommLink::SuspendNode(int net, int node, bool timedOut)
{
    if (CNetQueueNode* entry = m_queue.GetNode(net, node))
        entry->SetState(CNetQueueNode::Suspended);
    NodeLinkState[net - 1][node - 1] = kNodeStateFailed;
    NodeReprogramPending[net - 1][node - 1] = 1;
    if (timedOut)
        NodeTimedOut[net - 1][node - 1] = 1;
}

void CCommLink::HandleNodeTimeout()
{
    const NetNode at = SplitNodeAddress(m_request.m_frameAddress);
    const int net = at.network;
    const int node = at.node;
    if (!IsNodeInRange(net, node))
        return;
    if (m_sent.code == NetKind::StatusPoll && !m_queue.IsConfigured(net, node)) {
        // A connect's pass polls every address to find new panels; one where
        // the installation has none and nothing answers is passed over, as
        // the master's time-out for it would be, without a reconnect.
        m_queue.SetNodeState(net, node, CNetCommandQueue::kReasonNoReply);
        PollNextNode();
        return;
    }
    if (m_sent.code == NetKind::StatusPoll && node != kBroadcastNode && NodeLinkState[net - 1][node - 1] != kNodeStateFailed) {
        // A node that stays silent after one reconnect is suspended, so a
        // quiet slave cannot keep the whole network reconnecting.
        if (m_reconnectedFor[net - 1][node - 1]) {
            m_reconnectedFor[net - 1][node - 1] = false;
            const bool firstSuspended = !m_queue.NetworkHasSuspendedNode(net);
            m_queue.SetNodeState(net, node, CNetCommandQueue::kReasonNoReply);
            if (m_queue.HasNode(net, node)) {
                RemoveUnsent(net, node);
                SuspendNode(net, node, true);
                if (firstSuspended)
                    m_host.ShowNetworkStatusPanes();
            }
            PollNextNode();
            return;
        }
        m_reconnectedFor[net - 1][node - 1] = true;
        Disconnect();
        m_host.ShowNetworkStatusPanes();
        if (Connect()) {
            SendNextCommand();
            return;
        }
        Disconnect();
        if (NetConnectFailures[net - 1] >= kMaxConnectFailures) {
            GiveUpMessageIfDue(net);
            return;
        }
        if (NetworkCount() >= 2) {
            if (m_connectHandled) {
                m_connectHandled = 0;
                return;
            }
            int next = 0;
            if (FindNetworkWithWork(net, next) && next != net)
                SelectNetwork(next);
            if (NetQueueState[net - 1] == kNetworkStateNoAnswer) {
                SuspendNetwork(net);
                return;
            }
            ReconnectOrGiveUp();
        }
        return;
    }
    if (m_sent.code == NetKind::StatusPoll) {
        // A suspended node (or node 8) that does not answer its poll ends
        // its turn only: the pass goes on, and its end starts the pacing
        // again, or a link with nothing queued would stay silent for good.
        PollNextNode();
        return;
    }
    const bool stored = m_request.m_nCommandID != 0 || m_sent.code == NetKind::MemoryWrite;
    if (!stored)
        return;
    if (m_queue.HasNode(net, node) && node != kBroadcastNode) {
        int selectedNet = 0;
        int selectedNode = 0;
        if (!m_host.GetSelectedController(selectedNet, selectedNode) || selectedNet != net || selectedNode != node)
            m_store.FilterNetCommands(NetFilter(net));
        SuspendNode(net, node, true);
        RemoveUnsent(net, node);
        if (node == CNetCommandQueue::kMasterNode)
            RemoveUnsent(net, NodeAddress::kAllNodes);
        UpdateQueueCount();
        m_host.ShowNetworkStatusPanes();
    }
    SetConnected(1);
    if (node == kBroadcastNode)
        return;
    if (TestMode)
        SetErrorText(QStringLiteral("Timeout from  %1%2.\n").arg(GetNetworkLetter(m_request.m_frameAddress)).arg(node));
    Disconnect();
    ReconnectOrGiveUp();
}

bool CCommLink::ReconnectAfterWriteTimeout()
{
    const int net = m_request.m_frameAddress >> NodeAddress::kNetworkShift;
    if (net < 1 || net > kNetworkCount)
        return false;
    if (!m_queue.HasSuspendedEntry(net) && NetQueueState[net - 1] == kNetworkStateNoAnswer)
        NetQueueState[net - 1] = kNetworkStateNormal;
    for (;;) {
        if (Connect()) {
            NetReconnectTries[net - 1] = 0;
            SendNextCommand();
            return true;
        }
        Disconnect();
        const int current = m_queue.GetCurrentNetwork();
        if (current >= 1 && current <= kNetworkCount)
            ++NetReconnectTries[current - 1];
        GiveUpMessageIfDue(current);
        if (NetReconnectTries[net - 1] < kMaxConnectFailures) {
            if (NetQueueState[net - 1] == kNetworkStateNormal)
                NetQueueState[net - 1] = kNetworkStateConnectError;
            // A scheduled run cannot answer the question below; it stops here.
            if (m_host.GetRunMode() != ILinkHost::RunMode::Interactive)
                return false;
            continue;
        }
        if (m_host.GetRunMode() != ILinkHost::RunMode::Interactive)
            return false;
        const QString clear = QStringLiteral("Wardenfold will now clear the command queue.\n\n")
            + QStringLiteral("Clearing the command queue will require a reprogram\n") + QStringLiteral("of the entire network.\n\n")
            + QStringLiteral("Do you want to continue?");
        if (ShowMessageBox(clear, MbButtons::YesNo, MbIcon::Question) == IDYES) {
            NetReconnectTries[net - 1] = 0;
            SuspendNetwork(net);
            FillNetworkCombo();
            SetConnected(0);
            return false;
        }
    }
}

void CCommLink::SuspendNetwork(int net)
{
    NetQueueState[net - 1] = kNetworkStateNoAnswer;
    for (int node = CNetCommandQueue::kNodes; node >= 1; --node) {
        if (m_queue.HasNode(net, node))
            SuspendNode(net, node, false);
    }
    if (m_queue.HasNode(net, CNetCommandQueue::kMasterNode)) {
        m_store.FilterNetCommands(NetFilter(net));
        RemoveUnsent(net, 0);
        UpdateQueueCount();
    }
    m_host.ShowNetworkStatusPanes();
}

void CCommLink::HandleNakTimeout()
{
    const NetNode at = SplitNodeAddress(m_request.m_frameAddress);
    const int net = at.network;
    const int node = at.node;
    if (!IsNodeInRange(net, node))
        return;
    switch (m_request.m_kind) {
    case NetKind::LinkLogin:
    case NetKind::MemoryWrite:
    case NetKind::StatusPoll: {
        const bool suspendedBefore = m_queue.NetworkHasSuspendedNode(net);
        m_queue.SetNodeState(net, node, CNetCommandQueue::kReasonNoReply);
        m_store.FilterNetCommands(NetFilter(net));
        if (m_queue.HasNode(net, node) && m_store.HasQueuedCommand(net, node)) {
            RemoveUnsent(net, node);
            SuspendNode(net, node, true);
            UpdateQueueCount();
            if (m_request.m_kind != NetKind::StatusPoll || !suspendedBefore)
                m_host.ShowNetworkStatusPanes();
        }
        PollNextNode();
        break;
    }
    case NetKind::EventLogRead:
        m_queue.SetNodeState(net, node, CNetCommandQueue::kReasonNoReply);
        if (m_request.m_notifyWindow)
            SendAppMessage(m_request.m_notifyWindow, Msg::EventLogBlock, 0, 0);
        break;
    default:
        Disconnect();
        ShowMessageBox(QString::fromLatin1(kTransmitTimeoutText));
        break;
    }
}

bool CCommLink::IsNetworkQueued(int net) const
{
    int node = 1;
    return m_queue.FindNextCommand(net, node);
}

bool CCommLink::FindNetworkWithWork(int current, int& next)
{
    const int pending = m_store.GetPendingCommandCount();
    if (pending > 0) {
        int total = 0;
        int currentCount = 0;
        int lastOtherCount = -1;
        for (int net = 1; net <= kNetworkCount; ++net) {
            if (NetQueueState[net - 1] == kNetworkStateNoAnswer && m_queue.HasNode(net, CNetCommandQueue::kMasterNode)) {
                m_store.FilterNetCommands(NetFilter(net));
                int selectedNet = 0;
                int selectedNode = 0;
                if (m_host.GetSelectedController(selectedNet, selectedNode) && selectedNet == net) {
                    RemoveUnsent(net, 0);
                    UpdateQueueCount();
                }
            }
            if (NetResponsive[net - 1] == 0) {
                m_store.FilterNetCommands(NetFilter(net));
                const int count = m_store.CountQueuedCommands();
                total += count;
                if (net == current) {
                    currentCount = count;
                } else {
                    lastOtherCount = count;
                    if (count == m_store.GetPendingCommandCount())
                        NetResponsive[net - 1] = 1;
                }
            }
        }
        if (total > 0) {
            if (total == m_store.GetPendingCommandCount())
                NetResponsive.fill(1);
            if (total != currentCount && total != lastOtherCount) {
                for (int net = 1; net <= kNetworkCount; ++net) {
                    if (m_queue.ScanInMemory(net)) {
                        next = net;
                        return true;
                    }
                }
            }
        }
    }
    return m_queue.GetNextNetwork(next, [this](int net) { return HasNetwork(net); });
}

void CCommLink::FinishQueue()
{
    if (TaskStepSend == kStepDone && TaskStepEventLogs != kStepDone
        && std::all_of(NetEventLogDone.begin(), NetEventLogDone.end(), [](int done) { return done; })) {
        TaskStepEventLogs = kStepDone;
        return;
    }
    if (m_store.GetPendingCommandCount() != 0)
        return;
    if (!ProgramDeferred) {
        TaskStepSend = kStepDone;
        return;
    }
    ProgramDeferred = 0;
    PostAppMessage(this, Msg::TaskStepProgram);
}

void CCommLink::ServiceQueue()
{
    if (!m_connected)
        return;
    const int current = m_queue.GetCurrentNetwork();
    int next = 0;
    // A network whose node has run out of stored commands is asked once
    // more afresh; a second empty answer means nothing is sendable now.
    for (int pass = 0;; ++pass) {
        if (SendNextCommand())
            return;
        if (!FindNetworkWithWork(current, next)) {
            FinishQueue();
            return;
        }
        if (next != current)
            break;
        if (pass > 0)
            return;
    }
    if (NetworkCount() >= 2) {
        Disconnect();
        for (;;) {
            SelectNetwork(next);
            if (Connect())
                break;
            Disconnect();
            const int failed = m_queue.GetCurrentNetwork();
            if (failed >= 1 && failed <= kNetworkCount && NetConnectFailures[failed - 1] >= kMaxConnectFailures) {
                GiveUpMessageIfDue(failed);
                return;
            }
            if (m_store.GetPendingCommandCount() == 0 || ConnectCancelled)
                return;
            int after = 0;
            if (!FindNetworkWithWork(failed, after))
                return;
            next = after;
        }
    }
    SendNextCommand();
    SendAppMessage(m_host.GetPaneWindow(), Msg::NetworkChanged, static_cast<quintptr>(GetSelectedNetwork()));
    m_host.RecreateMonitorViews();
}
