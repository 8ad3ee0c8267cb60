#include "app/CWFDoc.h"
#include "app/CommandStoreTransaction.h"
#include "bench/Stopwatch.h"
#include "database/DatabaseFiles.h"
#include "database/Schema.h"
#include "app/InstallationTemplate.h"
#include "database/GlobalRecordsets.h"
#include "image/CBindManager.h"
#include "image/CVLMemory.h"
#include "platform/Database.h"
#include "platform/DatabaseTransaction.h"
#include "platform/Archive.h"
#include "platform/Profile.h"
#include "platform/SqlStatement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr int kNetworks = 8;
constexpr int kNodes = 8;
constexpr int kCardholders = 9999; // every record of the panel's table but the reserved 0
constexpr int kBlocks = 24;
constexpr int kNumbersPerBlock = 1900;
constexpr int kCredentialsPerBlock = 500;
constexpr double kFirstCard = 100000.0;
constexpr double kFirstTransmitter = 5000000.0;
constexpr std::int32_t kFirmware = 0x0210;
constexpr int kSingleCredentials = 20000;
constexpr int kEntryCodes = 20000;
constexpr int kDirectoryEntries = 10000;
const FirmwareVersion kImageVersion = {'2', '1', '0'};

void CopyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), QDir(to).filePath(name));
}

template <class Blocks, class Credentials, class Number>
void AddBlocks(Blocks& blocks, Credentials& credentials, Number number, double first)
{
    {
        DatabaseTransaction transaction(blocks.GetDefaultDBName());
        for (int b = 0; b < kBlocks; ++b) {
            blocks.AddNew();
            blocks.m_BlockBegin = first + b * kNumbersPerBlock;
            blocks.m_BlockEnd = blocks.m_BlockBegin + kNumbersPerBlock - 1;
            blocks.m_BlockName = QStringLiteral("Block %1").arg(b + 1);
            blocks.m_FacCode_Sel_A = 1;
            blocks.Update();
        }
    }
    DatabaseTransaction transaction(credentials.GetDefaultDBName());
    for (int b = 0; b < kBlocks; ++b) {
        for (int c = 0; c < kCredentialsPerBlock; ++c) {
            credentials.AddNew();
            credentials.*number = first + b * kNumbersPerBlock + c * 3;
            credentials.m_UserID = 1 + (b * kCredentialsPerBlock + c) % kCardholders;
            credentials.m_Lost = c % 50 == 0;
            credentials.Update();
        }
    }
}

// Rows numbered 0 .. count - 1 made by one statement each: values is the
// select list over the row number i.
void InsertNumberedRows(const QString& database, const QString& table, const QString& columns, int count,
                        const QString& values)
{
    Database::Open(database)->Execute(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) "
                       "INSERT INTO %2 (%3) SELECT %4 FROM n")
            .arg(count)
            .arg(table, columns, values));
}

void AddCredentialTrees()
{
    InsertNumberedRows(g_setSingleCard.GetDefaultDBName(), QStringLiteral("CardsSingle"),
                       QStringLiteral("CardIDSingle, UserIDSingle, [FacCode Sel A]"), kSingleCredentials,
                       QStringLiteral("20000000 + i * 3, 1 + i % %1, 1").arg(kCardholders));
    InsertNumberedRows(g_setSingleXmtr.GetDefaultDBName(), QStringLiteral("TransmittersSingle"),
                       QStringLiteral("XmtrIDSingle, UserIDSingle, [FacCode Sel A]"), kSingleCredentials,
                       QStringLiteral("30000000 + i * 3, 1 + i % %1, 1").arg(kCardholders));
    InsertNumberedRows(g_setEntryCodes.GetDefaultDBName(), QStringLiteral("EntryCodes"),
                       QStringLiteral("Code, UserID"), kEntryCodes,
                       QStringLiteral("CAST(10000000 + i * 37 AS TEXT), 1 + i % %1").arg(kCardholders));
    InsertNumberedRows(g_setPhoneEntries.GetDefaultDBName(), QStringLiteral("EntryNumbers"),
                       QStringLiteral("UserID, TenantName, UserDirectoryCode, PhoneNumber, SubsetA"), kDirectoryEntries,
                       // Concatenated: the printf pattern must not meet a place marker.
                       QStringLiteral("1 + i % ") + QString::number(kCardholders)
                           + QStringLiteral(", printf('Tenant %05d', (i * 7919) % ")
                           + QString::number(kDirectoryEntries) + QStringLiteral("), CAST(i AS TEXT), '5551234', -1"));
}

void FillSite(CWFDoc& doc)
{
    {
        DatabaseTransaction transaction(g_setVLNetworks.GetDefaultDBName());
        for (int net = 1; net <= kNetworks; ++net) {
            if (!g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(net))) {
                g_setVLNetworks.AddNew();
                g_setVLNetworks.m_Net = static_cast<std::uint8_t>(net);
                g_setVLNetworks.m_NetName = QStringLiteral("Network %1").arg(net);
                g_setVLNetworks.m_Active = true;
                g_setVLNetworks.Update();
            }
        }
    }
    {
        DatabaseTransaction transaction(g_setVestrels.GetDefaultDBName());
        for (int net = 1; net <= kNetworks; ++net) {
            g_setVLNetworks.FindFirst(QStringLiteral("Net = %1").arg(net));
            const std::int32_t networkId = g_setVLNetworks.m_NodeID;
            for (int node = 1; node <= kNodes; ++node) {
                g_setVestrels.AddNew();
                g_setVestrels.m_VestrelName = QStringLiteral("Panel %1%2").arg(QChar('@' + net)).arg(node);
                g_setVestrels.m_NetAddress = static_cast<std::uint8_t>(net);
                g_setVestrels.m_NodeAddress = static_cast<std::uint8_t>(node);
                g_setVestrels.m_NodeID = networkId;
                g_setVestrels.m_FileName = QStringLiteral("Vestrel%1%2.dat").arg(net).arg(node);
                g_setVestrels.m_PanelType = 0;
                g_setVestrels.m_FirmwareVersion = kFirmware;
                g_setVestrels.Update();
                CVLMemory image;
                image.LoadFile(doc.BuildPath(CWFDoc::kVestrels, QStringLiteral("Vestrel%1%2.dat").arg(net).arg(node)),
                               1, static_cast<std::uint8_t>(net * 10 + node), kImageVersion);
            }
        }
    }
    {
        DatabaseTransaction transaction(g_setUsers.GetDefaultDBName());
        for (int i = 0; i < kCardholders; ++i) {
            g_setUsers.AddNew();
            g_setUsers.m_FirstName = QStringLiteral("Holder");
            g_setUsers.m_LastName = QString::number(i);
            g_setUsers.m_CHSetIndex = static_cast<std::uint8_t>(3 + i % 8);
            g_setUsers.m_Active = i % 7 != 0;
            g_setUsers.m_ExpirationDate = QDateTime(QDate(2030, 1, 1).addDays(i % 2000), QTime(0, 0));
            g_setUsers.Update();
        }
    }
    AddBlocks(g_setCardBlocks, g_setCards, &CSetCards::m_CardID, kFirstCard);
    AddBlocks(g_setTransmitterBlocks, g_setTransmitters, &CSetTransmitters::m_XmtrID, kFirstTransmitter);
    AddCredentialTrees();
}

// A site of 64 controllers made once, in a program folder of its own.
const QString& LargeSite()
{
    static QTemporaryDir dir;
    static const QString file = [] {
        qputenv("WARDIX_HOME", QDir(dir.path()).filePath("home").toLocal8Bit());
        Profile::SetLocation(QDir(dir.path()).filePath("profile.ini"));
        QString error;
        if (!InstallationTemplate::EnsureNewInstallationTemplate(&error))
            qFatal("%s", qPrintable(error));
        const QString from = QDir(dir.path()).filePath("home/New Installation");
        const QString to = QDir(dir.path()).filePath("home/Installations/Large");
        CopyFolder(from + "/Database", to + "/Database");
        CopyFolder(from + "/Vestrels", to + "/Vestrels");
        const QString path = to + "/Large.wfi";
        QFile::copy(from + "/" + InstallationTemplate::kTemplateFileName, path);
        CWFDoc doc;
        if (!doc.OnOpenDocument(path))
            qFatal("cannot open the large site");
        FillSite(doc);
        doc.OnCloseDocument();
        return path;
    }();
    return file;
}

// A command as the queue holds it: its node and its file's bytes.
struct PlainCommand
{
    int net;
    int node;
    QByteArray bytes;
};

// The commands queued after the one numbered after, in storing order, read
// through the queue's own connection (it holds its file exclusively).
std::vector<PlainCommand> QueuedCommands(const CWFDoc& doc, std::int64_t after)
{
    const std::shared_ptr<Database> queue =
        Database::Open(doc.BuildPath(CWFDoc::kInstallationDatabase, QLatin1String(DatabaseFiles::NetCommands)));
    SqlStatement rows(queue->Handle(), QStringLiteral("SELECT Net, Node, FileName FROM NetCommands "
                                                      "WHERE NetCommandID > ? ORDER BY NetCommandID"));
    rows.BindInt64(1, after);
    std::vector<PlainCommand> commands;
    while (rows.Step())
        commands.push_back({static_cast<int>(rows.Int64(0)), static_cast<int>(rows.Int64(1)),
                            ReadWholeFile(doc.BuildPath(CWFDoc::kNetCommands, rows.Value(2).toString()))
                                .value_or(QByteArray())});
    return commands;
}

// The highest command number queued; 0 for an empty queue.
std::int64_t LastCommandId(const CWFDoc& doc)
{
    const std::shared_ptr<Database> queue =
        Database::Open(doc.BuildPath(CWFDoc::kInstallationDatabase, QLatin1String(DatabaseFiles::NetCommands)));
    SqlStatement last(queue->Handle(), QStringLiteral("SELECT COALESCE(MAX(NetCommandID), 0) FROM NetCommands"));
    last.Step();
    return last.Int64(0);
}

// The same storing with bare calls: one transaction, one row and one file
// per command, the files written beside and renamed, made durable by one
// sync of their file system and of their folder, then the commit. Returns
// the commands stored.
int StorePlainly(const QString& folder, const std::vector<PlainCommand>& commands)
{
    const QString database = folder + QStringLiteral("/NetCommands.mdb");
    Schema::CreateDatabaseFile(database, *Schema::FindFile(QLatin1String(DatabaseFiles::NetCommands)));
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* name = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO NetCommands (Net, Node) VALUES (?, ?)", -1, &insert, nullptr);
    sqlite3_prepare_v2(db, "UPDATE NetCommands SET FileName = ? WHERE rowid = ?", -1, &name, nullptr);
    const QByteArray files = QFile::encodeName(folder);
    int stored = 0;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const PlainCommand& command : commands) {
        sqlite3_bind_int(insert, 1, command.net);
        sqlite3_bind_int(insert, 2, command.node);
        sqlite3_step(insert);
        sqlite3_reset(insert);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
        const QByteArray fileName = "NetCommands" + QByteArray::number(id) + ".dat";
        sqlite3_bind_text(name, 1, fileName.constData(), static_cast<int>(fileName.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(name, 2, id);
        sqlite3_step(name);
        sqlite3_reset(name);
        const QByteArray path = files + '/' + fileName;
        const QByteArray beside = path + ".new";
        const int fd = ::open(beside.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (::write(fd, command.bytes.constData(), static_cast<size_t>(command.bytes.size())) != command.bytes.size())
            qFatal("cannot write %s", beside.constData());
        ::close(fd);
        ::rename(beside.constData(), path.constData());
        ++stored;
    }
    const int dir = ::open(files.constData(), O_RDONLY | O_DIRECTORY);
    ::syncfs(dir);
    ::fsync(dir);
    ::close(dir);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
    sqlite3_finalize(name);
    sqlite3_close(db);
    return stored;
}

// The baseline of a run: its commands stored again with bare calls, into a
// folder whose earlier commands were just deleted, as ours are.
// Returns whether every command was stored.
bool TimePlainStore(const std::vector<PlainCommand>& commands, Spent& baseline)
{
    QTemporaryDir plain;
    StorePlainly(plain.path(), commands);
    QDir(plain.path()).removeRecursively();
    QDir().mkpath(plain.path());
    const Stopwatch watch;
    const bool stored = StorePlainly(plain.path(), commands) == static_cast<int>(commands.size());
    watch.AddTo(baseline);
    return stored;
}

// Times the baseline of the commands queued after the one numbered after;
// false, with the benchmark's error set, when the queue or the baseline
// disagrees with the count.
bool TimeBaselineOfQueue(benchmark::State& state, const CWFDoc& doc, std::int64_t after, int count, Spent& baseline)
{
    const std::vector<PlainCommand> commands = QueuedCommands(doc, after);
    if (static_cast<int>(commands.size()) != count) {
        state.SkipWithError("the queue's rows and count differ");
        return false;
    }
    if (!TimePlainStore(commands, baseline)) {
        state.SkipWithError("the baseline stored another number of commands");
        return false;
    }
    return true;
}

// A full run for every node: nothing was ever programmed.
void BM_FullProgrammingRun(benchmark::State& state)
{
    const QString& site = LargeSite(); // made before the document that registers itself
    CWFDoc doc;
    if (!doc.OnOpenDocument(site)) {
        state.SkipWithError("cannot open the large site");
        return;
    }
    int commands = 0;
    Spent ours;
    Spent baseline;
    for (auto _ : state) {
        state.PauseTiming();
        doc.ClearNetCommands();
        QDir(doc.BuildPath(CWFDoc::kLastProgrammed, QString())).removeRecursively();
        QDir().mkpath(doc.BuildPath(CWFDoc::kLastProgrammed, QString()));
        state.ResumeTiming();
        {
            const Stopwatch watch;
            if (!doc.PrepareNetworkProgramming(0, 0))
                state.SkipWithError("the run failed");
            watch.AddTo(ours);
        }
        state.PauseTiming();
        commands = doc.GetPendingCommandCount();
        if (!TimeBaselineOfQueue(state, doc, 0, commands, baseline))
            break;
        state.ResumeTiming();
    }
    state.counters["commands"] = commands;
    // The baseline only stores what the run made: the ratio is what binding,
    // generation and our storing cost over the disk's own work.
    ReportAgainstBaseline(state, ours, baseline, 1.0 / static_cast<double>(state.iterations()), "s");
    doc.ClearNetCommands();
    doc.OnCloseDocument();
}
BENCHMARK(BM_FullProgrammingRun)->Unit(benchmark::kSecond)->Iterations(2);

// One cardholder changed on a site that was programmed: from the Program
// click to the last command stored.
void BM_OneCardholderChange(benchmark::State& state)
{
    const QString& site = LargeSite();
    CWFDoc doc;
    if (!doc.OnOpenDocument(site) || !doc.PrepareNetworkProgramming(0, 0)) {
        state.SkipWithError("cannot program the large site");
        return;
    }
    // The commands of the first run stay queued: a queue emptied just
    // before would time the file system's reuse of the freed entries.
    int commands = 0;
    Spent ours;
    Spent baseline;
    for (auto _ : state) {
        state.PauseTiming();
        const int before = doc.GetPendingCommandCount();
        const std::int64_t lastBefore = LastCommandId(doc);
        g_setUsers.MoveFirst();
        g_setUsers.Edit();
        g_setUsers.m_CHSetIndex = static_cast<std::uint8_t>(g_setUsers.m_CHSetIndex == 3 ? 4 : 3);
        g_setUsers.Update();
        state.ResumeTiming();
        {
            const Stopwatch watch;
            if (!doc.PrepareNetworkProgramming(0, 0))
                state.SkipWithError("the run failed");
            watch.AddTo(ours);
        }
        state.PauseTiming();
        commands = doc.GetPendingCommandCount() - before;
        if (!TimeBaselineOfQueue(state, doc, lastBefore, commands, baseline))
            break;
        state.ResumeTiming();
    }
    state.counters["commands"] = commands;
    ReportAgainstBaseline(state, ours, baseline, 1e3 / static_cast<double>(state.iterations()), "ms");
    doc.ClearNetCommands();
    doc.OnCloseDocument();
}
BENCHMARK(BM_OneCardholderChange)->Unit(benchmark::kMillisecond)->Iterations(3);

// Storing alone: the commands of a run the size of a site whose every bank
// changed, node by node, as one unit as the run stores them; then the same
// with bare calls.
void BM_StoreRunOfCommands(benchmark::State& state)
{
    const QString& site = LargeSite();
    CWFDoc doc;
    if (!doc.OnOpenDocument(site)) {
        state.SkipWithError("cannot open the large site");
        return;
    }
    const int perNode = static_cast<int>(state.range(0)) / (kNetworks * kNodes);
    const QByteArray data(CBindManager::kMaxWriteLength / 8, '\x5A');
    Spent ours;
    Spent baseline;
    for (auto _ : state) {
        state.PauseTiming();
        doc.ClearNetCommands();
        state.ResumeTiming();
        {
            const Stopwatch watch;
            CBindManager manager(doc);
            CommandStoreTransaction transaction(doc);
            for (int net = 1; net <= kNetworks; ++net) {
                for (int node = 1; node <= kNodes; ++node) {
                    for (int i = 0; i < perNode; ++i)
                        manager.QueueMemoryWrite(1, i, data, static_cast<std::uint8_t>(net << 4 | node));
                }
            }
            if (!transaction.Commit())
                state.SkipWithError("the commands could not be made durable");
            watch.AddTo(ours);
        }
        state.PauseTiming();
        if (!TimeBaselineOfQueue(state, doc, 0, doc.GetPendingCommandCount(), baseline))
            break;
        state.ResumeTiming();
    }
    state.counters["commands"] = doc.GetPendingCommandCount();
    ReportAgainstBaseline(state, ours, baseline, 1.0 / static_cast<double>(state.iterations()), "s");
    doc.ClearNetCommands();
    doc.OnCloseDocument();
}
BENCHMARK(BM_StoreRunOfCommands)->Arg(26000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
