#include "app/CWFDoc.h"
#include "app/InstallationTemplate.h"
#include "bench/Stopwatch.h"
#include "database/GlobalRecordsets.h"
#include "link/CCommLink.h"
#include "link/CCommPort.h"
#include "link/CSerialTransport.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "link/NodeAddress.h"
#include "link/PacketBuilder.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"
#include "platform/Profile.h"
#include "platform/WindowMessages.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/fixtures/PanelSimulator.h"
#include "tests/link/FakeLinkParts.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <thread>
#include <vector>

namespace {

constexpr int kNet = 1;
constexpr int kNode = 2;
constexpr int kNodeCommands = 2000;
constexpr int kStoredWrites = 200;
constexpr int kWriteBytes = 4096;
constexpr int kBoundMs = 120000;

// Counts the acknowledgements the link hands the notify window and ends
// the wait at the last one.
class AckCounter : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() != AppMessageEvent::Type())
            return QObject::event(e);
        auto* message = static_cast<AppMessageEvent*>(e);
        if (message->msg == Msg::Ack && ++acks == target)
            loop.quit();
        message->result = 1;
        return true;
    }
    int acks = 0;
    int target = 0;
    QEventLoop loop;
};

// 4 KB of bank 0 at one of its two halves, bytes that do not compress.
QByteArray WritePayload(int i)
{
    QByteArray payload(Frame::kMemoryWriteHeaderSize, '\0');
    payload[2] = char(i % 2);
    payload[3] = char(kWriteBytes >> 8);
    payload[4] = char(kWriteBytes & 0xFF);
    for (int b = 0; b < kWriteBytes; ++b)
        payload.append(char((b * 131 + i * 7) & 0xFF));
    return payload;
}

// The demo installation connected through the real serial link to panels
// on a pseudo-terminal that answer at once.
class LinkedSite
{
public:
    LinkedSite()
    {
        qputenv("WARDIX_HOME", QDir(m_dir.path()).filePath("home").toLocal8Bit());
        Profile::SetLocation(QDir(m_dir.path()).filePath("profile.ini"));
        QString error;
        const QString site = InstallationTemplate::EnsureDemoInstallation(QDir(m_dir.path()).filePath("home/Installations"), &error);
        if (site.isEmpty() || !m_doc.OnOpenDocument(site))
            qFatal("cannot open the demo site: %s", qPrintable(error));
        g_setVLNetworks.FindFirst(QStringLiteral("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Password = QStringLiteral("123456");
        g_setVLNetworks.Update();
        Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM1"), m_line.SlavePath());
        QByteArray status(19, '\0');
        status[17] = char(0x11);
        status[18] = char(0x32);
        for (int node : {1, 2, 3})
            m_line.WithNode(node, [&](PanelSimulator& panel) { panel.SetStatusRecord(status); });
        ResetLinkRunState();
        NetQueueState.fill(kNetworkStateNormal);
        CommPort = std::make_unique<CCommPort>();
        m_link.FillNetworkCombo();
        if (!m_link.Connect())
            qFatal("cannot connect to the simulated panels");
        // Past the connect's poll pass.
        Wait([&] { return !m_link.IsInFlight(); });
    }
    ~LinkedSite()
    {
        m_link.Disconnect();
        CommPort.reset();
        m_doc.OnCloseDocument();
    }

    // Runs the event loop until done holds; false past the bound.
    static bool Wait(const std::function<bool()>& done)
    {
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (done())
                loop.quit();
        });
        check.start(0);
        QTimer::singleShot(kBoundMs, &loop, &QEventLoop::quit);
        loop.exec();
        return done();
    }

    // Sends count in-memory node commands, one after the other.
    bool SendNodeCommands(int count)
    {
        AckCounter counter;
        counter.target = count;
        for (int i = 0; i < count; ++i) {
            auto command = std::make_unique<CNetCommand>(NetKind::NodeCommand, kNet, kNode, NetCommandData{1});
            command->m_notifyWindow = &counter;
            if (!m_doc.m_netQueue.AddCommand(command))
                return false;
        }
        QTimer::singleShot(kBoundMs, &counter.loop, &QEventLoop::quit);
        m_link.ServiceQueue();
        counter.loop.exec();
        return counter.acks == count;
    }

    bool StoreWrites(int count)
    {
        for (int i = 0; i < count; ++i) {
            if (!m_doc.m_netQueue.StoreCommand(CNetCommand::CNetCommandMemoryUpdate(MakeNodeAddress(kNet, kNode), WritePayload(i))))
                return false;
        }
        return m_doc.GetPendingCommandCount() == count;
    }

    // Sends the stored commands until each is acknowledged and its row and
    // file are gone.
    bool SendStored()
    {
        m_link.ServiceQueue();
        return Wait([&] { return m_doc.GetPendingCommandCount() == 0 && !m_link.IsInFlight(); })
            && m_doc.CountQueuedCommands() == 0;
    }

    QString Folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    CWFDoc m_doc;
    PanelLine m_line{kNet, {1, 2, 3}};
    CSerialTransport m_transport;
    FakeLinkHost m_host;
    CCommLink m_link{m_doc.m_netQueue, m_doc, m_transport, m_host};
};

LinkedSite& Site()
{
    static LinkedSite site;
    return site;
}

// The same frames over a bare pseudo-terminal: one thread answers each
// request with the reply bytes, the other writes the request and reads the
// reply, with nothing between.
void PlainPtyRoundTrips(const QByteArray& request, const QByteArray& reply, int count, Spent& spent)
{
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return;
    termios raw {};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    const auto readExactly = [](int fd, char* into, qsizetype size) {
        for (qsizetype got = 0; got < size;) {
            const ssize_t n = ::read(fd, into + got, static_cast<size_t>(size - got));
            if (n <= 0)
                return false;
            got += n;
        }
        return true;
    };
    const auto writeAll = [](int fd, const QByteArray& bytes) {
        for (qsizetype put = 0; put < bytes.size();) {
            const ssize_t n = ::write(fd, bytes.constData() + put, static_cast<size_t>(bytes.size() - put));
            if (n <= 0)
                return false;
            put += n;
        }
        return true;
    };
    std::thread panel([&] {
        QByteArray in(request.size(), '\0');
        for (int i = 0; i < count && readExactly(master, in.data(), in.size()); ++i)
            writeAll(master, reply);
    });
    QByteArray back(reply.size(), '\0');
    const Stopwatch watch;
    for (int i = 0; i < count; ++i) {
        if (!writeAll(slave, request) || !readExactly(slave, back.data(), back.size()))
            break;
    }
    watch.AddTo(spent);
    panel.join();
    ::close(slave);
    ::close(master);
}

// What the store does for each acknowledged write, with bare calls: read the
// command's file, remove it, and delete its row in a transaction of its own.
void PlainRemovals(const QString& folder, int count, Spent& spent)
{
    const QByteArray database = QFile::encodeName(QDir(folder).filePath("plain.db"));
    QFile::remove(QString::fromLocal8Bit(database));
    sqlite3* db = nullptr;
    if (sqlite3_open(database.constData(), &db) != SQLITE_OK)
        return;
    sqlite3_exec(db, "PRAGMA locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "CREATE TABLE NetCommands (NetCommandID INTEGER PRIMARY KEY, FileName TEXT)", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    const QByteArray bytes = WritePayload(0);
    std::vector<QByteArray> files;
    for (int i = 0; i < count; ++i) {
        files.push_back(QFile::encodeName(QDir(folder).filePath(QStringLiteral("plain%1.dat").arg(i))));
        QFile file(QString::fromLocal8Bit(files.back()));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return;
        sqlite3_exec(db, QStringLiteral("INSERT INTO NetCommands VALUES (%1, 'plain%1.dat')").arg(i).toUtf8().constData(),
                     nullptr, nullptr, nullptr);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_stmt* remove = nullptr;
    sqlite3_prepare_v2(db, "DELETE FROM NetCommands WHERE NetCommandID = ?", -1, &remove, nullptr);
    QByteArray in(bytes.size(), '\0');
    const Stopwatch watch;
    for (int i = 0; i < count; ++i) {
        const int fd = ::open(files[static_cast<std::size_t>(i)].constData(), O_RDONLY);
        if (fd >= 0) {
            [[maybe_unused]] const ssize_t read = ::read(fd, in.data(), static_cast<size_t>(in.size()));
            ::close(fd);
        }
        ::unlink(files[static_cast<std::size_t>(i)].constData());
        sqlite3_bind_int(remove, 1, i);
        sqlite3_step(remove);
        sqlite3_reset(remove);
    }
    watch.AddTo(spent);
    sqlite3_finalize(remove);
    sqlite3_close(db);
}

QByteArray FrameOf(const CNetCommand& command)
{
    QByteArray frame;
    SentRequestRecord sent;
    BuildPacket(command, Clock::Current(), frame, sent);
    return frame;
}

void Report(benchmark::State& state, const Spent& ours, const Spent& baseline, int commands)
{
    ReportAgainstBaseline(state, ours, baseline, 1e6 / commands, "us_per_command");
    state.counters["ours_per_s"] = ours.wall > 0 ? commands / ours.wall : 0;
    state.counters["baseline_per_s"] = baseline.wall > 0 ? commands / baseline.wall : 0;
}

// Commands held in memory (node commands) sent one by one, each waiting for
// its acknowledgement.
void BM_NodeCommands(benchmark::State& state)
{
    LinkedSite& site = Site();
    const QByteArray request = FrameOf(CNetCommand(NetKind::NodeCommand, kNet, kNode, NetCommandData{1}));
    const QByteArray reply = PanelSimulator::MakeReply(MakeNodeAddress(kNet, kNode), Frame::kAck, {});
    Spent ours;
    Spent baseline;
    int commands = 0;
    for (auto _ : state) {
        const Stopwatch watch;
        if (!site.SendNodeCommands(kNodeCommands)) {
            state.SkipWithError("a node command was not acknowledged");
            return;
        }
        watch.AddTo(ours);
        PlainPtyRoundTrips(request, reply, kNodeCommands, baseline);
        commands += kNodeCommands;
    }
    Report(state, ours, baseline, commands);
}
BENCHMARK(BM_NodeCommands)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Stored 4 KB memory writes: each read from its file, sent, acknowledged,
// and its row and file removed.
void BM_StoredWrites(benchmark::State& state)
{
    LinkedSite& site = Site();
    const QByteArray request = FrameOf(CNetCommand::CNetCommandMemoryUpdate(MakeNodeAddress(kNet, kNode), WritePayload(0)));
    const QByteArray reply = PanelSimulator::MakeReply(MakeNodeAddress(kNet, kNode), Frame::kAck, {});
    Spent ours;
    Spent baseline;
    int commands = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!site.StoreWrites(kStoredWrites)) {
            state.SkipWithError("cannot store the writes");
            return;
        }
        state.ResumeTiming();
        const Stopwatch watch;
        if (!site.SendStored()) {
            state.SkipWithError("a stored write was not sent");
            return;
        }
        watch.AddTo(ours);
        PlainPtyRoundTrips(request, reply, kStoredWrites, baseline);
        PlainRemovals(site.Folder(), kStoredWrites, baseline);
        commands += kStoredWrites;
    }
    Report(state, ours, baseline, commands);
}
BENCHMARK(BM_StoredWrites)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
