#include "database/CSetVestrels.h"
#include "database/EventLogMaintenance.h"
#include "database/GlobalRecordsets.h"
#include "database/InstallationDatabases.h"
#include "database/Schema.h"
#include "link/CCommLink.h"
#include "link/CNetCommandQueue.h"
#include "link/CPanelEvent.h"
#include "link/EventLogCollector.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "link/WireFrame.h"
#include "linkforms/NodeStatusRecord.h"
#include "platform/WindowMessages.h"
#include "tests/fixtures/PanelSimulator.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "tests/link/FakeCommandStore.h"
#include "tests/link/FakeLinkParts.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kNetA = 1;
constexpr int kNodes = 3;

// The panes as they read what the link hands them: the network status
// pane's status record and the monitor's event texts.
struct Pane : QObject
{
    bool event(QEvent* e) override
    {
        if (e->type() != AppMessageEvent::Type())
            return QObject::event(e);
        auto* message = static_cast<AppMessageEvent*>(e);
        if (message->msg == Msg::NodeStatus && message->lParam) {
            NodeStatusRecord::Decode(QByteArray(reinterpret_cast<const char*>(message->lParam),
                                                static_cast<qsizetype>(message->wParam)));
        } else if (message->msg == Msg::PanelEvent && message->lParam) {
            const auto* event = reinterpret_cast<const CPanelEvent*>(message->lParam);
            event->GetText();
            event->GetDoorText();
            event->GetEventText();
            event->FormatTime("%m/%d/%y %H:%M:%S");
            event->GetCategory();
            event->GetDoorIndex();
            event->GetDoorState();
        }
        message->result = 1;
        return true;
    }
};

// The installation's databases with network A's panels, where stored
// events become event-log rows.
void OpenDatabases()
{
    static const bool opened = [] {
        const QString folder = FuzzSandbox::Get().Path(QStringLiteral("Site/Database"));
        g_bDatabasesClosed = false;
        Schema::CreateInstallationDatabases(folder);
        // Closed before the statics the recordsets lean on go.
        std::atexit(CloseInstallationDatabases);
        if (!OpenInstallationDatabases(folder))
            return false;
        for (int node = 1; node <= kNodes; ++node) {
            g_setVestrels.AddNew();
            g_setVestrels.m_NetAddress = kNetA;
            g_setVestrels.m_NodeAddress = static_cast<std::uint8_t>(node);
            g_setVestrels.m_VestrelName = QStringLiteral("Panel %1").arg(node);
            g_setVestrels.Update();
        }
        return true;
    }();
    if (!opened)
        std::abort();
}

// Every stored block requeries the whole log: kept short, a long run stays fast.
void KeepEventLogShort()
{
    constexpr long kMostRows = 2000;
    if (g_setEventLog.GetRecordCount() > kMostRows && !EventLogMaintenance::ClearEventLog(g_setEventLog))
        std::abort();
}

// What the reply answers, chosen by the input's first byte.
enum class Answer { Status, Event, EventLog, AnyCode, Count };

} // namespace

// One reply frame from a panel on network A (nodes 1-3), as the link takes
// it while a status poll, nothing, or an event collection's read is in
// flight: status records, event records and event-log blocks.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    OpenDatabases();
    if (size < 2)
        return 0;
    const auto answer = static_cast<Answer>(data[0] % static_cast<int>(Answer::Count));
    std::uint8_t code = Frame::kNodeStatus;
    std::size_t at = 1;
    if (answer == Answer::Event)
        code = Frame::kEventRecord;
    else if (answer == Answer::EventLog)
        code = Frame::kEventLogBlock;
    else if (answer == Answer::AnyCode)
        code = data[at++];
    if (at >= size)
        return 0;
    const std::uint8_t address = data[at++];
    const QByteArray replyData = FuzzSandbox::Bytes(data + at, size - at).left(Frame::kMaxLength - Frame::kLengthOverhead);

    ResetLinkRunState();
    for (auto& row : NodeLinkState)
        row.fill(kNodeStateAnswers);
    FakeCommandStore store;
    CNetCommandQueue queue{&store};
    FakeTransport transport;
    FakeLinkHost host;
    Pane pane;
    host.pane = &pane;
    CCommLink link{queue, store, transport, host};
    for (int node = 1; node <= kNodes; ++node) {
        CSetVestrels row;
        row.m_NetAddress = kNetA;
        row.m_NodeAddress = static_cast<std::uint8_t>(node);
        queue.AddNode(row);
    }
    link.SetNetworks({{kNetA, QStringLiteral("[A] Main")}});
    queue.SetCurrentNetwork(kNetA);
    link.SetConnected(1);

    std::unique_ptr<EventLogCollector> collector;
    if (answer == Answer::EventLog) {
        collector = std::make_unique<EventLogCollector>(link, queue, 2);
        collector->Start();
    } else if (answer != Answer::Event) {
        auto poll = std::make_unique<CNetCommand>(NetKind::StatusPoll, kNetA, 1);
        queue.AddCommand(poll);
        link.ServiceQueue();
    }
    link.OnPacketReceived(PanelSimulator::MakeReply(address, code, replyData));
    QCoreApplication::processEvents();
    collector.reset();
    KeepEventLogShort();
    for (auto& row : NodeLinkState)
        row.fill(kNodeStateUnknown);
    return 0;
}
