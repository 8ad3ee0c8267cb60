#include "link/EventLogCollector.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/CCommLink.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "platform/DatabaseException.h"
#include "platform/WindowMessages.h"

#include <memory>
#include <utility>

EventLogCollector::EventLogCollector(CCommLink& link, CNetCommandQueue& queue, std::uint8_t directoryCodeLength,
                                     QObject* parent)
    : QObject(parent), m_link(link), m_queue(queue), m_writer(directoryCodeLength)
{
    m_reconnectWait.setSingleShot(true);
    connect(&m_reconnectWait, &QTimer::timeout, this, &EventLogCollector::Finish);
    connect(&m_link, &CCommLink::connectedChanged, this, &EventLogCollector::OnConnectedChanged);
}

EventLogCollector::~EventLogCollector() = default;

bool EventLogCollector::Start()
{
    m_network = m_queue.GetCurrentNetwork();
    if (RequestNextNode(true))
        return true;
    NoteUnreadLogs();
    return false;
}

void EventLogCollector::NoteUnreadLogs()
{
    if (m_network < 1 || m_network > CNetCommandQueue::kNetworks)
        return;
    for (int node = 1; node <= CNetCommandQueue::kNodes; ++node) {
        const auto at = static_cast<std::size_t>(node);
        if (!m_queue.HasNode(m_network, node))
            continue;
        if (!m_queue.IsConfigured(m_network, node)) {
            // Its entry comes of its panel's answer to a poll.
            const QString name = NetRunResults::NodeName(m_network, node);
            NetRunResults::Note(m_network,
                                QStringLiteral("A panel answers at node %1, which the installation does not have.").arg(name));
            continue;
        }
        if (m_readToEnd[at] || m_notInTable[at])
            continue;
        const QString text = m_givenUp[at] ? QStringLiteral("The event log of node %1 was not read to its end.")
                                           : QStringLiteral("The event log of node %1 was not collected.");
        NetRunResults::Fail(m_network, text.arg(NetRunResults::NodeName(m_network, node)));
    }
}

bool EventLogCollector::IsResponding(int node) const
{
    return m_queue.IsConfigured(m_network, node) && IsNodeInRange(m_network, node)
        && NodeLinkState[m_network - 1][node - 1] != kNodeStateFailed;
}

// An address without a controller of the installation is passed over, not
// the end of the walk: the controllers above it would keep their events in
// their panels for good.
bool EventLogCollector::RequestNextNode(bool advance)
{
    if (advance) {
        QString label; // "[A1]  name" once the node's row is found
        while (label.isEmpty()) {
            if (++m_node > CNetCommandQueue::kNodes)
                return false;
            if (!IsResponding(m_node))
                continue;
            try {
                if (!g_setVestrels.IsOpen())
                    return false;
                if (g_setVestrels.FindByAddress(m_network, m_node))
                    label = g_setVestrels.GetNodeLabel();
                else
                    m_notInTable[static_cast<std::size_t>(m_node)] = true;
            } catch (const DatabaseException& error) {
                ShowDatabaseError(error);
                return false;
            }
        }
        m_cutsOfNode = 0;
        emit nodeStarted(label);
    }
    return RequestEventLog();
}

bool EventLogCollector::RequestEventLog()
{
    auto read = std::make_unique<CNetCommand>(NetKind::EventLogRead, m_network, m_node);
    read->m_notifyWindow = this;
    m_readRetries = read->m_retries;
    if (!m_queue.AddCommand(read))
        return false;
    m_waiting = Waiting::Read;
    m_link.ServiceQueue();
    return true;
}

bool EventLogCollector::event(QEvent* e)
{
    if (e->type() != AppMessageEvent::Type())
        return QObject::event(e);
    auto* message = static_cast<AppMessageEvent*>(e);
    switch (message->msg) {
    case Msg::EventLogBlock:
        message->result = OnEventLogBlock(*message);
        break;
    case Msg::Ack:
        OnAck();
        message->result = 1;
        break;
    case Msg::CommandDone:
    case Msg::Nak:
    case Msg::ConnectFailed:
        OnFailure();
        message->result = 1;
        break;
    default:
        break;
    }
    return true;
}

qintptr EventLogCollector::OnEventLogBlock(const AppMessageEvent& message)
{
    if (m_waiting != Waiting::Read)
        return 0;
    if (!message.lParam) {
        OnFailure();
        return 0;
    }
    const QByteArray record =
        QByteArray::fromRawData(reinterpret_cast<const char*>(message.lParam), static_cast<qsizetype>(message.wParam));
    const QByteArray block = EventLogBlockWriter::BlockOf(record);
    if (block.isEmpty()) {
        OnFailure();
        return 0;
    }
    m_blockAddress = static_cast<std::uint8_t>(block[EventLogBlockWriter::kAddress]);
    try {
        if (block[EventLogBlockWriter::kCount] == 0) {
            // Nothing more: whatever block the node had is gone from it.
            m_link.SetErrorText(QString(kErrorLineBlanks, QLatin1Char(' ')));
            m_writer.Confirm(m_blockAddress);
            m_afterAck = AfterAck::NextNode;
            if (m_node >= 1 && m_node <= CNetCommandQueue::kNodes)
                m_readToEnd[static_cast<std::size_t>(m_node)] = true;
        } else {
            m_writer.Write(block);
            emit eventsRetrievedChanged(m_writer.EventsStored());
            m_afterAck = AfterAck::SameNode;
        }
    } catch (const DatabaseException& error) {
        // Not acknowledged: the panel keeps the block for the next collection.
        FinishWithError(error);
        return 0;
    }
    m_waiting = Waiting::Ack;
    return 1;
}

void EventLogCollector::OnAck()
{
    if (m_waiting != Waiting::Ack)
        return;
    m_waiting = Waiting::Nothing;
    if (m_afterAck == AfterAck::SameNode) {
        try {
            m_writer.Confirm(m_blockAddress);
        } catch (const DatabaseException& error) {
            FinishWithError(error);
            return;
        }
    }
    if (m_stopRequested) {
        Finish();
        return;
    }
    const bool asked = m_afterAck == AfterAck::SameNode ? RequestEventLog() : RequestNextNode(true);
    if (!asked)
        Finish();
}

void EventLogCollector::OnFailure()
{
    if (m_waiting == Waiting::Nothing || m_finished)
        return;
    if (m_node >= 1 && m_node <= CNetCommandQueue::kNodes)
        m_givenUp[static_cast<std::size_t>(m_node)] = true;
    EndWait();
}

// A give-up comes as several messages, some posted after the others, and a
// cut comes amid a reconnect: the wait ends at once, and the walk goes on
// from the event loop, once they are all in.
void EventLogCollector::EndWait()
{
    m_waiting = Waiting::Nothing;
    QMetaObject::invokeMethod(this, &EventLogCollector::Continue, Qt::QueuedConnection);
}

bool EventLogCollector::AskAgain()
{
    if (!IsResponding(m_node))
        return false;
    if (++m_cutsOfNode > m_readRetries) {
        m_givenUp[static_cast<std::size_t>(m_node)] = true;
        return false;
    }
    return RequestEventLog();
}

void EventLogCollector::Continue()
{
    if (m_finished)
        return;
    if (m_stopRequested) {
        Finish();
        return;
    }
    if (!m_link.IsConnected()) {
        m_reconnectWait.start(LinkTiming::Ms(kReconnectWaitMs));
        return;
    }
    // A read the link dropped, sent or not, was no answer of the node's.
    if (std::exchange(m_cut, false) && AskAgain())
        return;
    if (!RequestNextNode(true))
        Finish();
}

void EventLogCollector::OnConnectedChanged(bool connected)
{
    if (connected) {
        if (m_reconnectWait.isActive()) {
            m_reconnectWait.stop();
            Continue();
        }
        return;
    }
    if (m_waiting == Waiting::Nothing || m_finished)
        return;
    m_cut = true;
    EndWait();
}

void EventLogCollector::FinishWithError(const DatabaseException& error)
{
    m_waiting = Waiting::Nothing;
    m_finished = true;
    NoteUnreadLogs();
    // Shown once the reply's dispatch is over, not inside it.
    QMetaObject::invokeMethod(
        this,
        [this, error] {
            ShowDatabaseError(error);
            emit finished();
        },
        Qt::QueuedConnection);
}

void EventLogCollector::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_waiting = Waiting::Nothing;
    m_reconnectWait.stop();
    NoteUnreadLogs();
    emit finished();
}
