#include "link/CCommLink.h"

#include "common/Formatting.h"
#include "common/RecordsetWalk.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/CConnectAttempt.h"
#include "link/CNetCommandQueue.h"
#include "link/ILinkHost.h"
#include "link/ILinkTransport.h"
#include "link/INetCommandStore.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetRunResults.h"
#include "link/NodeAddress.h"
#include "link/ReplyFrameEvent.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

namespace {
constexpr std::uint8_t kConnectFailedEvent = 0x17;
constexpr int kFullCycle = 5;
constexpr int kErrorLineBlanks = 18;
const char* const kConnectErrorText = "An error has occurred while connecting to network %1.";

bool MarksStep(ILinkHost::RunMode mode)
{
    return mode == ILinkHost::RunMode::Program || mode == ILinkHost::RunMode::SetTime;
}
} // namespace

CCommLink::CCommLink(CNetCommandQueue& queue, INetCommandStore& store, ILinkTransport& transport, ILinkHost& host,
                     QObject* parent)
    : QObject(parent), m_queue(queue), m_store(store), m_transport(transport), m_host(host)
{
    m_replyTimer.setSingleShot(true);
    connect(&m_replyTimer, &QTimer::timeout, this, &CCommLink::OnReplyTimeout);
    connect(&m_pacingTimer, &QTimer::timeout, this, &CCommLink::OnPacingTimer);
    m_quietTimer.setSingleShot(true);
    connect(&m_quietTimer, &QTimer::timeout, this, &CCommLink::EndQuiet);
    m_queue.SetShowStatusPanes([this] { m_host.ShowNetworkStatusPanes(); });
    m_queue.SetUnreadableCommand([this](const SetAsideCommand& command) { OnUnreadableCommand(command); });
}

CCommLink::~CCommLink()
{
    m_queue.SetShowStatusPanes({});
    m_queue.SetUnreadableCommand({});
    m_transport.Stop();
}

void CCommLink::FillNetworkCombo()
{
    const int selected = m_selected;
    std::vector<std::pair<int, QString>> networks;
    try {
        for (bool row = MoveToFirstRow(g_setVLNetworks); row && !g_setVLNetworks.IsEOF(); g_setVLNetworks.MoveNext()) {
            if (g_setVLNetworks.m_Active)
                networks.emplace_back(g_setVLNetworks.m_Net, g_setVLNetworks.GetNetLabel(g_setVLNetworks.m_Net));
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    m_networks = std::move(networks);
    m_selected = m_networks.empty() ? -1 : (selected >= 0 && selected < NetworkCount() ? selected : 0);
}

void CCommLink::SetNetworks(std::vector<std::pair<int, QString>> networks)
{
    m_networks = std::move(networks);
    m_selected = m_networks.empty() ? -1 : 0;
}

bool CCommLink::HasNetwork(int net) const
{
    for (const auto& [number, label] : m_networks) {
        if (number == net)
            return true;
    }
    return false;
}

int CCommLink::GetSelectedNetwork() const
{
    return m_selected < 0 ? 0 : m_networks[static_cast<std::size_t>(m_selected)].first;
}

bool CCommLink::SelectNetwork(int net)
{
    for (std::size_t i = 0; i < m_networks.size(); ++i) {
        if (m_networks[i].first == net) {
            m_selected = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

bool CCommLink::IsInteractive() const
{
    return m_host.GetRunMode() == ILinkHost::RunMode::Interactive;
}

qint64 CCommLink::DialWaitMs() const
{
    if (!m_lastDial.isValid())
        return 0;
    return std::max<qint64>(0, LinkTiming::Ms(kDialSpacingMs) - m_lastDial.elapsed());
}

void CCommLink::SetConnected(int flag)
{
    m_connected = flag;
    emit connectedChanged(flag != 0);
}

void CCommLink::ShowLinkStatus(int state)
{
    QString text;
    const int pending = m_store.GetPendingCommandCount();
    const bool counting = m_simpleMode && (state == ReplyReceived || state == Sending);
    if (state == NotConnected)
        text = QStringLiteral("Not Connected");
    else if (state == Disconnecting)
        text = QStringLiteral("Disconnecting from network");
    else if (counting)
        text = pending ? QStringLiteral("Programming... (%1)").arg(pending) : QStringLiteral("Program complete");
    else if (state == ReplyReceived)
        text = m_request.m_strDone;
    else if (state == RetriesUsedUp)
        text = m_request.m_strFailed;
    else
        text = m_request.m_strSending;
    emit statusText(text);
}

void CCommLink::SetErrorText(const QString& text)
{
    emit errorText(text);
}

void CCommLink::ShowNakCount(int count)
{
    if (TestMode)
        emit nakCountText(QStringLiteral("NAK count: %1").arg(count));
}

void CCommLink::UpdateQueueCount()
{
    emit queueCountText(QString::number(m_store.GetPendingCommandCount()));
}

void CCommLink::StartThreads(QObject* notify)
{
    m_transport.Start(this);
    SendCommandNow(m_queue.MakeLinkLoginRequest(GetSelectedNetwork(), notify));
}

void CCommLink::Disconnect()
{
    SetErrorText(QString(kErrorLineBlanks, QLatin1Char(' ')));
    NakCount = 0;
    ShowNakCount(0);
    ShowLinkStatus(Disconnecting);
    m_pacingTimer.stop();
    m_replyTimer.stop();
    m_quietTimer.stop();
    m_quietUntil = 0;
    m_heldCommand.reset();
    m_transport.Stop();
    m_queue.DropSingleNodeCommands();
    // A stored command in flight stays stored: it is sent again after the
    // next connect, as it may never have reached the panel.
    m_inFlight = false;
    m_request.m_payload.clear();
    m_queue.m_state = CNetCommandQueue::kStageIdle;
    ShowLinkStatus(NotConnected);
    SetConnected(0);
    for (int net = 1; net <= CNetCommandQueue::kNetworks; ++net) {
        for (int node = 1; node <= CNetCommandQueue::kNodes; ++node) {
            if (CNetQueueNode* entry = m_queue.GetNode(net, node))
                entry->SetActivity(0);
        }
    }
}

int CCommLink::Connect()
{
    m_connectHandled = 0;
    ConnectFailReason = ConnectFail::kNone;
    RedialCount = 0;
    for (auto& row : NodeStatusFlag)
        row.fill(0);
    const ILinkHost::RunMode mode = m_host.GetRunMode();
    for (;;) {
        const int net = GetSelectedNetwork();
        if (!net)
            return 0;
        // A failed attempt's reason goes with the failure; a cancelled one fails nothing.
        const auto markStep = [&](const QString& failure) {
            if (!failure.isEmpty())
                NetRunResults::ConnectFailed(net, failure);
            if (mode == ILinkHost::RunMode::Program) {
                NetEventLogDone[net - 1] = 1;
                if (std::all_of(NetEventLogDone.begin(), NetEventLogDone.end(), [](int done) { return done; }))
                    TaskStepEventLogs = kStepDone;
            } else if (mode == ILinkHost::RunMode::SetTime) {
                NetTimeSetDone[net - 1] = 1;
                if (std::all_of(NetTimeSetDone.begin(), NetTimeSetDone.end(), [](int done) { return done; }))
                    TaskStepSetTime = kStepDone;
            }
        };
        m_queue.SetCurrentNetwork(net);
        NetRunResults::Answered(net);
        bool suspended = false;
        for (int node = 1; node <= CNetCommandQueue::kNodes; ++node)
            suspended = suspended || (m_queue.HasNode(net, node) && NodeLinkState[net - 1][node - 1] == kNodeStateFailed);
        if (!suspended && NetQueueState[net - 1] == kNetworkStateNoAnswer)
            NetQueueState[net - 1] = kNetworkStateNormal;
        ConnectCancelled = 0;
        // Every attempt starts from a closed line, with nothing in flight
        // and no queue service running under it.
        if (m_connected || m_inFlight)
            Disconnect();

        CConnectAttempt attempt(*this, m_transport, net);
        connect(&attempt, &CConnectAttempt::lineAdded, this, &CCommLink::connectLine);
        m_connecting = true;
        emit attemptStarted(&attempt);
        const int result = attempt.Run();
        m_connecting = false;
        emit attemptEnded();
        if (result == CConnectAttempt::kAnswered) {
            NetReconnectTries[net - 1] = 0;
            NetResponsive[net - 1] = 1;
            NetQueueState[net - 1] = kNetworkStateNormal;
            SetConnected(1);
            UpdateQueueCount();
            return 1;
        }
        // Whatever the attempt left running ends here.
        if (m_connected || m_inFlight)
            Disconnect();
        else
            m_transport.Stop();
        if (!m_connectError) {
            ConnectCancelled = 1;
            NetResponsive[net - 1] = 0;
            NetQueueState[net - 1] = kNetworkStateNormal;
            SetConnected(0);
            m_connectHandled = 1;
            markStep(QString());
            return 0;
        }
        NetResponsive[net - 1] = 0;
        m_connectHandled = 1;
        markStep(attempt.FailureLine().isEmpty() ? QStringLiteral("Could not connect to network.") : attempt.FailureLine());
        const QChar letter = GetNetworkLetter(MakeNodeAddress(net, 1));
        if (ConnectFailReason >= ConnectFail::kBusy && ConnectFailReason <= ConnectFail::kNoDialTone) {
            if (++RedialCount < kFullCycle) {
                if (m_host.ConnectionFailed(letter, ConnectFailReason) == ILinkHost::FailedConnectAnswer::GiveUp) {
                    ConnectCancelled = 1;
                    NetResponsive[net - 1] = 1;
                    NetQueueState[net - 1] = kNetworkStateNormal;
                    SetConnected(0);
                    RedialCount = 0;
                    ConnectFailReason = ConnectFail::kNone;
                    return IsConnected();
                }
                NetResponsive[net - 1] = 1;
                m_connectHandled = 0;
                continue;
            }
            NetQueueState[net - 1] = kNetworkStateNormal;
            SetConnected(0);
            RedialCount = 0;
            ConnectFailReason = ConnectFail::kNone;
            m_connectHandled = 0;
            ++NetConnectFailures[net - 1];
            return IsConnected();
        }
        try {
            if (g_setEventLog.IsOpen())
                g_setEventLog.AddEvent(kConnectFailedEvent, 0, 0, 0, 0, 0, 0, 0, MakeNodeAddress(net, 0), 0, 0,
                                       QDateTime::currentDateTime());
        } catch (const DatabaseException& error) {
            ShowDatabaseError(error);
        }
        SetConnected(0);
        if (MarksStep(mode))
            return 0;
        if (mode == ILinkHost::RunMode::OtherTask)
            return 0;
        const QString question = QString::fromLatin1(kConnectErrorText).arg(letter);
        if (ShowMessageBox(question, MbButtons::RetryCancel, MbIcon::Stop, QStringLiteral("Error")) == IDRETRY)
            continue;
        int node = 1;
        if (NetworkCount() < 2 || m_store.GetPendingCommandCount() == 0 || !m_queue.FindNextCommand(net, node))
            return 0;
        if (NetQueueState[net - 1] == kNetworkStateNormal) {
            NetQueueState[net - 1] = kNetworkStateConnectError;
            return 0;
        }
        const QString clear = QStringLiteral("Wardenfold will now clear the command queue.\n\n")
            + QStringLiteral("Clearing the command queue will require a reprogram\n") + QStringLiteral("of the entire network.\n\n")
            + QStringLiteral("Do you want to continue?");
        if (ShowMessageBox(clear, MbButtons::YesNo, MbIcon::Question) == IDYES) {
            SuspendNetwork(net);
            FillNetworkCombo();
            SetConnected(0);
            return 0;
        }
    }
}

bool CCommLink::event(QEvent* e)
{
    if (const QByteArray* frame = ReplyFrameEvent::FrameOf(e)) {
        OnPacketReceived(*frame);
        return true;
    }
    if (e->type() == AppMessageEvent::Type() && static_cast<AppMessageEvent*>(e)->msg == Msg::TaskStepProgram) {
        emit programStepRequested();
        return true;
    }
    return QObject::event(e);
}
