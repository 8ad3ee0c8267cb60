#include "link/CCommLink.h"

#include "common/Formatting.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/CNetCommandQueue.h"
#include "link/ILinkHost.h"
#include "link/INetCommandStore.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "link/NodeAddress.h"
#include "link/PanelEventFactory.h"
#include "link/WireFrame.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

namespace {
// Offsets into a reply record, counted from its address byte.
constexpr int kAddress = 0;
constexpr int kCode = 1;
constexpr int kData = 2;
constexpr int kSupervision = 8;
constexpr int kNodeFlags = 10;
constexpr int kPanelVersion = 19;
constexpr int kFirmwareMinor = 20;

// The shortest reply of each kind a dispatch may read (its length field L).
constexpr int kMinStatusLength = 23;
constexpr int kMinEventLength = 13;
constexpr int kMinNakLength = 5;
constexpr int kEventLogHeader = 5;
constexpr int kEventLogRecordSize = 16;

constexpr std::uint8_t kMasterOfNetA = 0x11;
constexpr std::uint8_t kActivityBit = 0x01;
constexpr std::uint8_t kReprogramAllBit = 0x20;
constexpr int kAckErrorBlanks = 20;
const char* const kTimeSettingText = "Setting network time";
const char* const kKindFiveDone = "Command sent to";

std::uint8_t At(const QByteArray& record, int index)
{
    return static_cast<std::uint8_t>(record[index]);
}

bool LongEnough(std::uint8_t code, int length, const QByteArray& record)
{
    switch (code) {
    case Frame::kEventRecord:
        return length >= kMinEventLength;
    case Frame::kNodeStatus:
        return length >= kMinStatusLength;
    case Frame::kNak:
        return length >= kMinNakLength;
    case Frame::kEventLogBlock:
        return length >= kEventLogHeader && length >= kEventLogHeader + kEventLogRecordSize * At(record, kData);
    default:
        return true;
    }
}
} // namespace

void CCommLink::OnPacketReceived(const QByteArray& frame)
{
    if (frame.size() < Frame::kHeaderSize + Frame::kMinLength)
        return;
    const int length = Frame::ReadLength(frame);
    const QByteArray record = frame.mid(Frame::kAddressOffset);
    if (record.size() < length)
        return;
    const std::uint8_t code = At(record, kCode);
    // Only an event record counts while nothing is in flight: anything else
    // is a late or repeated answer to a command already done with.
    if (code != Frame::kEventRecord && !m_inFlight)
        return;
    const std::uint8_t expected = m_request.m_frameAddress;
    if ((expected & NodeAddress::kLowNibble) != NodeAddress::kAllNodes
        && m_request.m_strSending != QLatin1String(kTimeSettingText) && code != Frame::kEventRecord
        && At(record, kAddress) != expected)
        return;
    if (!LongEnough(code, length, record))
        return;

    if (!m_simpleMode)
        emit receiveLamp();
    switch (code) {
    case Frame::kEventRecord:
        PostEventRecord(record, m_host.GetPaneWindow());
        break;
    case Frame::kNodeStatus:
        if (m_request.m_expectedReply == Frame::kNodeStatus)
            OnStatusRecord(record, length);
        break;
    case Frame::kMemoryData:
        if (m_request.m_expectedReply == Frame::kMemoryData)
            OnMemoryData(record, length);
        break;
    case Frame::kEventLogBlock:
        if (m_request.m_expectedReply == Frame::kEventLogBlock)
            OnEventLogBlock(record, length);
        break;
    case Frame::kAck:
        SetErrorText(QString(kAckErrorBlanks, QLatin1Char(' ')));
        if (m_request.m_expectedReply == Frame::kAck)
            OnAck(length);
        break;
    case Frame::kNak:
        OnNak(record);
        break;
    default:
        break;
    }
    RunAfterReply();
}

void CCommLink::RunAfterReply()
{
    if (m_afterPoll) {
        PollNode(1);
        m_afterPoll = false;
    } else if (m_afterPriorityAccess) {
        m_queue.QueuePriorityAccess(GetSelectedNetwork());
        ServiceQueue();
        m_afterPriorityAccess = false;
    } else if (m_afterDisconnect) {
        Disconnect();
        m_afterDisconnect = false;
    } else if (m_afterCloseApplication) {
        m_host.CloseMainWindow();
        m_afterCloseApplication = false;
    } else {
        ServiceQueue();
    }
}

void CCommLink::OnStatusRecord(const QByteArray& record, int length)
{
    const std::uint8_t address = At(record, kAddress);
    if (address == kMasterOfNetA) {
        const std::uint8_t supervision = At(record, kSupervision);
        if (supervision & 0x01)
            SetErrorText(QStringLiteral("SUPV_2 BIT 0 Set"));
        else if (supervision & 0x02)
            SetErrorText(QStringLiteral("Controller Out of Memory"));
        else if (supervision & 0x04)
            SetErrorText(QStringLiteral("Controller Log Buffer Overflow"));
    }
    ShowLinkStatus(ReplyReceived);
    const bool wasPoll = m_request.m_kind == NetKind::StatusPoll;
    CompleteCommand();

    const NetNode at = SplitNodeAddress(address);
    const int net = at.network;
    const int node = at.node;
    const std::uint8_t flags = At(record, kNodeFlags);
    if (IsNodeInRange(net, node)) {
        m_reconnectedFor[net - 1][node - 1] = false;
        NodeStatusFlag[net - 1][node - 1] = flags & kActivityBit;
        CNetQueueNode* entry = m_queue.GetNode(net, node);
        if (entry)
            entry->SetActivity(flags & kActivityBit);
        if (!(flags & kReprogramAllBit)) {
            if (NodeLinkState[net - 1][node - 1] == kNodeStateFailed) {
                NodeTimedOut[net - 1][node - 1] = 0;
                NodeLinkState[net - 1][node - 1] = kNodeStateAnswers;
                if (NodeReprogramPending[net - 1][node - 1]) {
                    MarkNodeForReprogram(address);
                    NodeReprogramPending[net - 1][node - 1] = 0;
                }
                if (entry)
                    entry->SetState(CNetQueueNode::InService);
            }
        } else {
            NodeLinkState[net - 1][node - 1] = kNodeStateAnswers;
            if (entry) {
                entry->SetState(CNetQueueNode::InService);
                entry->m_reprogramAll = 1;
            }
            m_host.SetDataToProgram(1);
        }
    }
    FinishStatusReply(net, node, wasPoll);
    // After the node's entry is made, so that a node heard for the first time
    // keeps the version it reported.
    StoreNodeFirmware(record);
    SendAppMessage(m_host.GetPaneWindow(), Msg::NodeStatus, static_cast<quintptr>(length),
                   reinterpret_cast<qintptr>(record.constData()));
    if (m_disconnectWhenDone && m_store.GetPendingCommandCount() == 0) {
        m_disconnectWhenDone = false;
        Disconnect();
    }
    CNetQueueNode* entry = m_queue.GetNode(net, node);
    if (entry && !entry->IsFirmwareSupported() && entry->GetState() != CNetQueueNode::Suspended) {
        int major = 0;
        int minor = 0;
        entry->GetFirmwareVersion(major, minor);
        const QString text = QStringLiteral("Invalid Firmware Version\n\nPanel [%1%2] is running firmware version %3.%4\n\n")
                                 .arg(GetNetworkLetter(address))
                                 .arg(node)
                                 .arg(major)
                                 .arg(minor, 2, 16, QLatin1Char('0'))
            + QStringLiteral("This version of firmware is not supported by the version of Wardenfold you are running.\n")
            + QStringLiteral("Please upgrade Wardenfold.");
        entry->SetState(CNetQueueNode::Suspended);
        ShowMessageBox(text);
    }
}

void CCommLink::FinishStatusReply(int net, int node, bool wasPoll)
{
    if (wasPoll)
        m_queue.SetNodeState(net, node, CNetCommandQueue::kReasonStatusReply);
    PollNextNode();
}

void CCommLink::StoreNodeFirmware(const QByteArray& record)
{
    const NetNode at = SplitNodeAddress(At(record, kAddress));
    const std::uint8_t panelType = At(record, kPanelVersion) >> 4;
    const int major = At(record, kPanelVersion) & 0x0F;
    const int minor = At(record, kFirmwareMinor);
    if (CNetQueueNode* entry = m_queue.GetNode(at.network, at.node)) {
        entry->SetFirmwareVersion(major, minor);
        entry->SetPanelType(panelType);
    }
    const bool keldara = panelType == 0 || panelType == 2;
    try {
        if (!g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(at.network)))
            return;
        const QString row = QStringLiteral("NodeAddress = %1 AND NodeID = %2").arg(at.node).arg(g_setVLNetworks.m_NodeID);
        if (!g_setVestrels.IsOpen() || !g_setVestrels.FindFirst(row))
            return;
        const std::int32_t version = major * 256 + minor;
        if (g_setVestrels.m_Keldara == keldara && g_setVestrels.m_FirmwareVersion == version
            && g_setVestrels.m_PanelType == panelType)
            return;
        g_setVestrels.Edit();
        g_setVestrels.m_Keldara = keldara;
        g_setVestrels.m_FirmwareVersion = version;
        g_setVestrels.m_PanelType = panelType;
        g_setVestrels.Update();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void CCommLink::OnMemoryData(const QByteArray& record, int length)
{
    ShowLinkStatus(ReplyReceived);
    if (m_request.m_notifyWindow)
        SendAppMessage(m_request.m_notifyWindow, Msg::MemoryData, static_cast<quintptr>(length),
                       reinterpret_cast<qintptr>(record.constData()));
    CompleteCommand();
}

void CCommLink::OnEventLogBlock(const QByteArray& record, int length)
{
    ShowLinkStatus(ReplyReceived);
    const QPointer<QObject> notify = m_request.m_notifyWindow;
    const NetNode at = SplitNodeAddress(m_request.m_frameAddress);
    CompleteCommand();
    // The panel forgets the block once acknowledged: the acknowledgement goes
    // only after the receiver kept it.
    const bool kept = notify
        && SendAppMessage(notify, Msg::EventLogBlock, static_cast<quintptr>(length),
                          reinterpret_cast<qintptr>(record.constData()))
            != 0;
    if (!kept)
        return;
    auto ack = std::make_unique<CNetCommand>(NetKind::Ack, at.network, at.node);
    ack->m_notifyWindow = notify;
    m_queue.AddCommand(ack);
    ServiceQueue();
}

void CCommLink::OnAck(int length)
{
    ShowLinkStatus(ReplyReceived);
    if (m_request.m_notifyWindow)
        PostAppMessage(m_request.m_notifyWindow, Msg::Ack, static_cast<quintptr>(length));
    const NetNode at = SplitNodeAddress(m_request.m_frameAddress);
    if (m_request.m_kind == NetKind::StatusPoll)
        m_queue.SetNodeState(at.network, at.node, CNetCommandQueue::kReasonAck);
    CompleteCommand();
    const int net = m_queue.GetCurrentNetwork();
    if (m_request.m_strDone.startsWith(QLatin1String(kKindFiveDone))
        && (m_queue.CountNodes(net) == 1 || !IsNetworkQueued(net)) && m_host.DisconnectAfterProgramming())
        m_disconnectWhenDone = true;
}

void CCommLink::OnNak(const QByteArray& record)
{
    const NetNode at = SplitNodeAddress(At(record, kAddress));
    if (m_request.m_kind == NetKind::StatusPoll && !m_queue.HasNode(at.network, at.node) && m_request.m_retries > 0)
        --m_request.m_retries;
    QPointer<QObject> notify;
    switch (At(record, kData)) {
    case Frame::kNakCrcError:
        if (Retransmit(notify) != Outcome::Resent) {
            if (notify)
                SendAppMessage(notify, Msg::Nak, Frame::kNakCrcError);
            Disconnect();
            ShowMessageBox(QStringLiteral("A CRC error has occurred in transmitting to the network.\n"));
        } else if (TestMode) {
            ShowNakCount(++NakCount);
        }
        break;
    case Frame::kNakWrongPassword:
        m_pacingTimer.stop();
        if (m_request.m_notifyWindow)
            SendAppMessage(m_request.m_notifyWindow, Msg::Nak, Frame::kNakWrongPassword);
        if (IsStoredRequest()) {
            // The panel never took the command, and the last-programmed copy
            // already holds it: it stays stored for a later connection.
            const int net = m_request.m_frameAddress >> NodeAddress::kNetworkShift;
            const int node = m_request.m_frameAddress & NodeAddress::kLowNibble;
            NetRunResults::Fail(net, QStringLiteral("A command to %1 was refused: Wrong password.")
                                         .arg(NetRunResults::Addressee(net, node)));
            EndCommand(false);
        } else {
            CompleteCommand();
        }
        Disconnect();
        break;
    case Frame::kNakTimeOut: {
        if (TestMode)
            ShowNakCount(++NakCount);
        const Outcome outcome = Retransmit(notify);
        if (outcome == Outcome::Resent)
            break;
        if (m_queue.HasNode(at.network, at.node) && TestMode) {
            const int retries = m_initialRetries;
            SetErrorText(retries == 1 ? QStringLiteral("NAK timeout after %1 retry.").arg(retries)
                                      : QStringLiteral("NAK timeout after %1 retries.").arg(retries));
        }
        if (notify && outcome == Outcome::GivenUp)
            SendAppMessage(notify, Msg::Nak, Frame::kNakTimeOut);
        HandleNakTimeout();
        ServeAfterGiveUp();
        break;
    }
    default:
        break;
    }
}
