#include "link/CConnectAttempt.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/CCommLink.h"
#include "link/CModem.h"
#include "link/ILinkTransport.h"
#include "link/LinkConnection.h"
#include "link/LinkMessages.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

namespace {
// Progress codes besides the link's own: the line is open, poll the
// network; a dial tone; waiting for the answer; the call's line not taken.
constexpr unsigned kPolling = 3;
constexpr unsigned kLineNotTaken = 5;
constexpr unsigned kDialTone = 7;
constexpr unsigned kWaitingForAnswer = 10;

QString Text(const char* text)
{
    return QString::fromLatin1(text);
}
} // namespace

CConnectAttempt::CConnectAttempt(CCommLink& link, ILinkTransport& transport, int net, QObject* parent)
    : QObject(parent), m_link(link), m_transport(transport), m_net(net)
{
    m_tick.setInterval(LinkTiming::Ms(kTickMs));
    connect(&m_tick, &QTimer::timeout, this, [this] { emit connectionTimeChanged(QString::number(++m_seconds)); });
    m_bound.setSingleShot(true);
    connect(&m_bound, &QTimer::timeout, this, [this] { OnFailure(1); });
}

int CConnectAttempt::Run()
{
    m_link.m_connectError = 0;
    CurrentConnection = LinkConnection::kNone;
    bool found = false;
    try {
        found = g_setVLNetworks.IsOpen() && g_setVLNetworks.FindFirst(QStringLiteral("Net = %1 AND Active = TRUE").arg(m_net));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    if (!found) {
        AddFailureLine(Text("Connection error: No network enabled."));
        m_link.m_connectError = 1;
        return kFailed;
    }
    CurrentConnection = g_setVLNetworks.m_ConnectUsing;
    const bool usable = CurrentConnection == LinkConnection::kModem
        ? m_transport.PrepareCall(g_setVLNetworks.m_CountryAndAreaCode, g_setVLNetworks.m_CountryID,
                                  g_setVLNetworks.m_AreaCode, g_setVLNetworks.m_PhoneNo)
        : CurrentConnection >= LinkConnection::kFirstComPort && CurrentConnection <= LinkConnection::kLastComPort;
    if (!usable) {
        // Nothing to dial or open: the attempt ends at once.
        CurrentConnection = LinkConnection::kNone;
        AddFailureLine(Text("Could not connect to network."));
        m_link.m_connectError = 1;
        return kFailed;
    }
    m_tick.start();
    m_bound.start(LinkTiming::Ms(kBoundMs));
    // The dialog dials or opens on its first paint.
    PostAppMessage(this, Msg::CommandDone);
    if (!m_ended)
        m_loop.exec();
    m_tick.stop();
    return m_result;
}

void CConnectAttempt::AddLine(const QString& line)
{
    m_lines.append(line);
    emit lineAdded(line);
}

void CConnectAttempt::AddFailureLine(const QString& line)
{
    m_failureLine = line;
    AddLine(line);
}

void CConnectAttempt::End(int result)
{
    if (m_ended)
        return;
    m_ended = true;
    m_result = result;
    m_tick.stop();
    m_bound.stop();
    m_loop.exit(result);
}

void CConnectAttempt::CloseAfterPause()
{
    m_failureReported = true;
    QTimer::singleShot(LinkTiming::Ms(kClosePauseMs), this, [this] { End(kFailed); });
}

void CConnectAttempt::Cancel()
{
    if (!m_failureReported)
        ConnectFailReason = ConnectFail::kNone;
    m_link.Disconnect();
    End(kFailed);
}

void CConnectAttempt::DialOrOpen()
{
    // Once the line is open, a second request (the login given up) changes
    // nothing: the failure that follows it ends the attempt.
    if (m_lineOpen || m_ended)
        return;
    m_lineOpen = true;
    if (CurrentConnection == LinkConnection::kModem)
        WaitBeforeRedial();
    else
        OpenLine();
}

// Redials keep their distance from the last attempt; the field counts down
// the whole seconds left.
void CConnectAttempt::WaitBeforeRedial()
{
    if (m_ended)
        return;
    const qint64 wait = m_link.DialWaitMs();
    if (wait <= 0) {
        OpenLine();
        return;
    }
    const qint64 second = LinkTiming::Ms(kTickMs);
    const qint64 left = (wait + second - 1) / second;
    emit connectionTimeChanged(QStringLiteral("Waiting before re-dialing...%1").arg(left));
    QTimer::singleShot(static_cast<int>(wait - (left - 1) * second), this, [this] { WaitBeforeRedial(); });
}

void CConnectAttempt::OpenLine()
{
    if (m_ended)
        return;
    const bool modem = CurrentConnection == LinkConnection::kModem;
    if (modem)
        m_link.NoteDial();
    if (!m_transport.Open(this)) {
        // Nothing to poll on a line that did not open.
        m_link.m_connectError = 1;
        if (modem && m_link.IsInteractive())
            ShowMessageBox(Text("Error dialing the net."));  // the operator cancels
        else
            End(kFailed);
        return;
    }
    if (!modem)
        PostAppMessage(this, Msg::LinkProgress, kPolling);
}

void CConnectAttempt::OnProgress(unsigned code, qintptr argument)
{
    switch (code) {
    case LinkProgressCode::kPortOpened:
        AddLine(QStringLiteral("COM%1 opened.").arg(argument));
        break;
    case kPolling:
        AddLine(Text("Polling network"));
        if (TestMode) {
            // Nothing may be sent in test mode, and nothing tells the attempt otherwise.
            AddFailureLine(QStringLiteral("COM%1 ").arg(CurrentConnection) + Text("CONNECTION ERROR:\n")
                    + Text("Possible invalid COM port."));
            CloseAfterPause();
            return;
        }
        m_link.StartThreads(this);
        break;
    case kDialTone:
        AddLine(Text("Got a dial tone"));
        break;
    case LinkProgressCode::kDialing:
        AddLine(QStringLiteral("Dialing ") + (Modem ? Modem->DisplayableNumber() : QString()));
        AddLine(QStringLiteral("Using ") + (Modem ? Modem->LineName() : QString()));
        break;
    case LinkProgressCode::kBusy:
        AddFailureLine(Text("Line is busy"));
        break;
    case kWaitingForAnswer:
        AddLine(Text("Waiting for answer"));
        break;
    case LinkProgressCode::kConnected:
        AddLine(Text("Connected"));
        AddLine(QStringLiteral("Connected at %1 bps").arg(argument));
        PostAppMessage(this, Msg::LinkProgress, m_transport.TakeCallLine() ? kPolling : kLineNotTaken);
        break;
    case LinkProgressCode::kDisconnected:
        m_tick.stop();
        AddLine(Text("Disconnected"));
        break;
    case LinkProgressCode::kDisconnectText:
        AddLine(*reinterpret_cast<const QString*>(argument));
        break;
    case LinkProgressCode::kPortNotOpenedText:
        AddFailureLine(*reinterpret_cast<const QString*>(argument));
        break;
    case LinkProgressCode::kLineIdle:
        AddLine(Text("Line idle"));
        if (ConnectFailReason != ConnectFail::kNone && !m_failureReported) {
            m_link.m_connectError = 1;
            CloseAfterPause();
        }
        break;
    default:
        break;
    }
}

void CConnectAttempt::OnFailure(unsigned code)
{
    m_tick.stop();
    if (code == 1) {
        AddFailureLine(Text("Connection timeout."));
        ConnectFailReason = ConnectFail::kTimeOut;
        CloseAfterPause();
    } else if (code == LinkFailureCode::kPortNotConfigured) {
        AddFailureLine(Text("Could not open the COM-port."));
        AddLine(Text("Make sure the communication resource is not used by another device."));
        CloseAfterPause();
    } else if (code == LinkFailureCode::kLineOperationFailed) {
        AddFailureLine(Text("Line operation failed."));
    }
    m_link.m_connectError = 1;
}

bool CConnectAttempt::event(QEvent* e)
{
    if (e->type() != AppMessageEvent::Type())
        return QObject::event(e);
    auto* message = static_cast<AppMessageEvent*>(e);
    switch (message->msg) {
    case Msg::LinkProgress:
        OnProgress(static_cast<unsigned>(message->wParam), message->lParam);
        break;
    case Msg::Ack:
        m_tick.stop();
        AddLine(Text("Connected to network."));
        // Nodes that answer without a controller record are found too.
        m_link.PollNode(0);
        End(kAnswered);
        break;
    case Msg::CommandDone:
        DialOrOpen();
        break;
    case Msg::Nak: {
        m_tick.stop();
        const char* texts[] = {"CRC error.", "Wrong password.", "Timeout."};
        if (message->wParam >= 1 && message->wParam <= 3)
            AddFailureLine(Text(texts[message->wParam - 1]));
        m_link.m_connectError = 1;
        // Without a window to cancel, the attempt ends by itself.
        CloseAfterPause();
        break;
    }
    case Msg::ConnectFailed:
        OnFailure(static_cast<unsigned>(message->wParam));
        break;
    default:
        return QObject::event(e);
    }
    message->result = 1;
    return true;
}
