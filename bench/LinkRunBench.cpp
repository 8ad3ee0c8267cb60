#include "app/CWFDoc.h"
#include "bench/DemoSite.h"
#include "bench/Stopwatch.h"
#include "database/GlobalRecordsets.h"
#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CSerialTransport.h"
#include "link/EventLogCollector.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "link/WireFrame.h"
#include "platform/Profile.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/fixtures/PanelSimulator.h"
#include "tests/link/FakeLinkParts.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>

namespace {

constexpr int kNet = 1;
constexpr int kFirstEmptyAddress = 4;
constexpr int kLastAddress = 8;
constexpr int kEventsPerPanel = 10;
constexpr int kBitsPerByte = 10; // start, 8 data bits, stop
constexpr double kBaud = 38400.0;
// Far above a run at the normal timing: only a run that hangs reaches it.
constexpr int kStepBoundMs = 900000;
constexpr int kCheckMs = 10;

// Runs the event loop until done holds; false past the bound.
bool Wait(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(kCheckMs);
    QTimer::singleShot(kStepBoundMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// What a run put on the wire, from the panels' side of the line.
struct Wire
{
    qsizetype bytes = 0;
    // Status polls to an address with no panel: each waits its whole reply time-out.
    int pollsUnanswered = 0;
};

Wire WireOf(const QList<PanelLine::Traffic>& traffic)
{
    Wire wire;
    for (const PanelLine::Traffic& t : traffic) {
        wire.bytes += t.frame.size();
        const int node = Frame::ByteAt(t.frame, Frame::kAddressOffset) & 0x0F;
        wire.pollsUnanswered += t.fromProgram && node >= kFirstEmptyAddress && node <= kLastAddress
            && (Frame::ByteAt(t.frame, Frame::kCodeOffset) & 0x7F) == NetKind::StatusPoll;
    }
    return wire;
}

// The demo installation on a fresh profile, its network A on panels at
// A1-A3 of a pseudo-terminal with nothing at all at A4-A8, the link at its
// normal timing. A run is what an unattended update does: the programming
// run, its commands sent, then a connect of its own for the event logs.
class WireRun
{
public:
    WireRun() : m_doc(OpenSite(MakeDemoSite(m_dir)))
    {
        g_setVLNetworks.FindFirst(QStringLiteral("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Password = QStringLiteral("123456");
        g_setVLNetworks.Update();
        Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM1"), m_line.SlavePath());
        for (int node = 1; node < kFirstEmptyAddress; ++node)
            m_line.WithNode(node, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        for (int node = kFirstEmptyAddress; node <= kLastAddress; ++node)
            m_line.SetNodeMode(node, PanelLine::NodeMode::Silent);
        ResetLinkRunState();
        NetQueueState.fill(kNetworkStateNormal);
        CommPort = std::make_unique<CCommPort>();
        m_host.mode = ILinkHost::RunMode::Program;
        m_link.FillNetworkCombo();
    }
    ~WireRun()
    {
        m_link.Disconnect();
        CommPort.reset();
        m_doc->OnCloseDocument();
        delete m_doc;
    }

    // One run; empty when it ended with all its work done, else why not.
    std::string Run()
    {
        ++m_runs;
        for (int node = 1; node < kFirstEmptyAddress; ++node) {
            m_line.WithNode(node, [&](PanelSimulator& panel) {
                for (int i = 0; i < kEventsPerPanel; ++i)
                    panel.AddStoredEvent(StoredEvent(m_runs, node, i));
            });
        }
        NetRunResults::Reset();
        if (!m_doc->PrepareNetworkProgramming(0, 0))
            return "the programming run failed";
        if (m_doc->GetPendingCommandCount() > 0) {
            if (!m_link.Connect())
                return "no connect to send";
            m_link.ServiceQueue();
            if (!Wait([&] { return m_doc->GetPendingCommandCount() == 0 && !m_link.IsInFlight(); }))
                return "the commands were not all sent";
            m_link.Disconnect();
        }
        if (!m_link.Connect())
            return "no connect for the event logs";
        EventLogCollector collector(m_link, m_doc->m_netQueue, 0);
        if (!collector.Start() || !Wait([&] { return collector.IsFinished(); }))
            return "the event logs were not collected";
        m_link.Disconnect();
        const QString reasons = NetRunResults::ReasonLine(kNet);
        return reasons.isEmpty() ? std::string() : reasons.toStdString();
    }

    QList<PanelLine::Traffic> Traffic() const { return m_line.TrafficLog(); }

private:
    // A stored event of its own: run, node and number in its identification bytes.
    static QByteArray StoredEvent(int run, int node, int i)
    {
        QByteArray event(16, '\0');
        event[0] = kEventType;
        event[5] = char(run);
        event[6] = char(node);
        event[7] = char(i);
        return event;
    }

    static constexpr char kEventType = 10;

    QTemporaryDir m_dir;
    CWFDoc* m_doc;
    int m_runs = 0;
    PanelLine m_line{kNet, {1, 2, 3}};
    CSerialTransport m_transport;
    FakeLinkHost m_host;
    CCommLink m_link{m_doc->m_netQueue, *m_doc, m_transport, m_host};
};

// The run against the least it can take: the bytes at the line's rate,
// and the reply time-outs of the polls that nothing answers.
void ReportRun(benchmark::State& state, const std::string& name, const Spent& run, const Wire& wire)
{
    const CNetCommand poll(NetKind::StatusPoll, kNet, kFirstEmptyAddress);
    const double wireSeconds = static_cast<double>(wire.bytes) * kBitsPerByte / kBaud;
    const double timeoutSeconds = wire.pollsUnanswered * (poll.m_timeout + CCommLink::kResendExtraMs) / 1000.0;
    state.counters[name + "_run_s"] = run.wall;
    state.counters[name + "_bytes"] = static_cast<double>(wire.bytes);
    state.counters[name + "_wire_s"] = wireSeconds;
    state.counters[name + "_poll_timeouts_s"] = timeoutSeconds;
    state.counters[name + "_ratio"] = run.wall / (wireSeconds + timeoutSeconds);
}

// A clean update of the demo from a fresh profile, then a second one with
// nothing new to program, each with its event logs.
void BM_UpdateRunsOnTheWire(benchmark::State& state)
{
    LinkTiming::ScopedScale normal(1.0);
    for (auto _ : state) {
        WireRun site;
        qsizetype seen = 0;
        for (const std::string name : {"first", "second"}) {
            const Stopwatch watch;
            const std::string failure = site.Run();
            Spent run;
            watch.AddTo(run);
            if (!failure.empty()) {
                state.SkipWithError(("the " + name + " run: " + failure).c_str());
                return;
            }
            const QList<PanelLine::Traffic> traffic = site.Traffic();
            ReportRun(state, name, run, WireOf(traffic.mid(seen)));
            seen = traffic.size();
        }
    }
}
BENCHMARK(BM_UpdateRunsOnTheWire)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace
