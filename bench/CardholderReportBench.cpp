#include "app/CColumnWidths.h"
#include "app/CWFDoc.h"
#include "bench/BulkInsert.h"
#include "bench/DemoSite.h"
#include "bench/Stopwatch.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "reports/lists/ReportColumns.h"
#include "reports/lists/ReportList.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <vector>

// The largest site the cardholder report is made for: 10 000 cardholders,
// 45 600 block transmitters in 24 blocks and 20 000 individual ones, the
// same of cards, 20 000 entry codes and 10 000 directory entries. Each
// figure runs from the click to the last row in the list's model, beside
// bare SQLite queries reading the rows the report reads.
namespace {

constexpr int kCardholders = 10000;
constexpr int kBlocks = 24;
constexpr int kPerBlock = 1900;
constexpr int kIndividual = 20000;
constexpr int kEntryCodes = 20000;
constexpr int kDirectoryEntries = 10000;
// All Access and the demo's first set of its own; the "No Access" rule's
// writes are not what is measured.
constexpr int kSetIndexes[] = {1, 3};
constexpr double kFirstNumber = 100000;
constexpr int kStoredTrue = -1;

QString DatabaseFile(const CWFDoc& doc, const char* file)
{
    return doc.BuildPath(CWFDoc::kInstallationDatabase, QString::fromLatin1(file));
}

void FillCredentials(const CWFDoc& doc, const char* file, const char* blocks, const char* table, const char* single,
                     const char* number, const char* singleNumber)
{
    Fill(DatabaseFile(doc, file),
         QStringLiteral("INSERT INTO %1 (BlockBegin, BlockEnd, BlockName, Deleted, [FacCode Sel A]) VALUES (?, ?, ?, 0, 1)")
             .arg(QLatin1String(blocks)),
         kBlocks, [](SqlStatement& s, int block) {
             s.Bind(1, QVariant(kFirstNumber + block * kPerBlock));
             s.Bind(2, QVariant(kFirstNumber + (block + 1) * kPerBlock - 1));
             s.Bind(3, QVariant(QStringLiteral("Block %1").arg(block)));
         });
    Fill(DatabaseFile(doc, file),
         QStringLiteral("INSERT INTO %1 (%2, UserID, Suspended, Lost) VALUES (?, ?, 0, 0)")
             .arg(QLatin1String(table), QLatin1String(number)),
         kBlocks * kPerBlock, [](SqlStatement& s, int row) {
             s.Bind(1, QVariant(kFirstNumber + row));
             s.BindInt64(2, row % kCardholders + 1);
         });
    Fill(DatabaseFile(doc, file),
         QStringLiteral("INSERT INTO %1 (%2, UserIDSingle, SuspendedSingle, LostSingle, DeletedSingle, [FacCode Sel B]) "
                        "VALUES (?, ?, 0, 0, 0, 2)")
             .arg(QLatin1String(single), QLatin1String(singleNumber)),
         kIndividual, [](SqlStatement& s, int row) {
             s.Bind(1, QVariant(static_cast<double>(row + 1)));
             s.BindInt64(2, row % kCardholders + 1);
         });
}

void FillSite(const CWFDoc& doc)
{
    Database::Open(DatabaseFile(doc, "Users.mdb"))->Execute(QStringLiteral("DELETE FROM Users"));
    Fill(DatabaseFile(doc, "Users.mdb"),
         QStringLiteral("INSERT INTO Users (UserID, FirstName, LastName, City, State, HomePhone, NeverExpiers, Active, "
                        "Deleted, GotTransmitters, GotCards, GotEntryCodes, GotPhoneEntryNumbers, CHSetIndex) "
                        "VALUES (?, 'Holder', ?, 'Town', 'ST', ?, ?, ?, 0, ?, ?, ?, ?, ?)"),
         kCardholders, [](SqlStatement& s, int row) {
             const int id = row + 1;
             s.BindInt64(1, id);
             s.Bind(2, QVariant(QString::number(id * 7919 % kCardholders)));
             s.Bind(3, QVariant(QString::number(id % 97)));
             for (int field = 4; field <= 9; ++field)
                 s.BindInt64(field, kStoredTrue);
             s.BindInt64(10, kSetIndexes[id % 2]);
         });
    FillCredentials(doc, "Transmitters.mdb", "TransmitterBlocks", "Transmitters", "TransmittersSingle", "XmtrID", "XmtrIDSingle");
    FillCredentials(doc, "Cards.mdb", "CardBlocks", "Cards", "CardsSingle", "CardID", "CardIDSingle");
    Fill(DatabaseFile(doc, "EntryCodes.mdb"),
         QStringLiteral("INSERT INTO EntryCodes (Code, dCode, UserID, Hidden, Suspended, Deleted, CHSet) "
                        "VALUES (?, ?, ?, 0, 0, 0, 1)"),
         kEntryCodes, [](SqlStatement& s, int row) {
             s.Bind(1, QVariant(QString::number(100000 + row)));
             s.Bind(2, QVariant(100000.0 + row));
             s.BindInt64(3, row % kCardholders + 1);
         });
    Fill(DatabaseFile(doc, "EntryNumbers.mdb"),
         QStringLiteral("INSERT INTO EntryNumbers (UserID, UserDirectoryCode, TenantName, SubsetA, SubsetC) "
                        "VALUES (?, ?, 'Tenant', ?, ?)"),
         kDirectoryEntries, [](SqlStatement& s, int row) {
             s.BindInt64(1, row + 1);
             s.Bind(2, QVariant(QString::number(row + 1)));
             s.BindInt64(3, row % 2 ? kStoredTrue : 0);
             s.BindInt64(4, row % 3 ? kStoredTrue : 0);
         });
    for (Recordset* set : std::initializer_list<Recordset*>{
             &g_setUsers, &g_setUserGroups, &g_setTransmitters, &g_setTransmitterBlocks, &g_setSingleXmtr, &g_setCards,
             &g_setCardBlocks, &g_setSingleCard, &g_setEntryCodes, &g_setPhoneEntries})
        set->Requery();
}

CWFDoc& LargeSite()
{
    static QTemporaryDir dir;
    static CWFDoc* doc = [] {
        CWFDoc* opened = OpenSite(MakeDemoSite(dir));
        FillSite(*opened);
        return opened;
    }();
    return *doc;
}

int BareRows(const char* file, const char* sql)
{
    const std::shared_ptr<Database> database = Database::Open(DatabaseFile(LargeSite(), file));
    SqlStatement statement(database->Handle(), QString::fromLatin1(sql));
    int rows = 0;
    while (statement.Step())
        ++rows;
    return rows;
}

// One query per file for the rows a report reads: the cardholders with
// their sets, each credential with its block, in cardholder order.
struct BareQuery
{
    const char* file;
    const char* sql;
};
using BareQueries = std::vector<BareQuery>;

const BareQuery kHolders = {"Users.mdb", "SELECT * FROM Users u LEFT JOIN UserGroups g ON g.CHSetIndex = u.CHSetIndex "
                                         "WHERE u.Deleted = 0 ORDER BY u.LastName, u.FirstName"};
const BareQueries kTransmitterRows = {
    {"Transmitters.mdb", "SELECT * FROM Transmitters t LEFT JOIN TransmitterBlocks b "
                         "ON t.XmtrID BETWEEN b.BlockBegin AND b.BlockEnd ORDER BY t.UserID"},
    {"Transmitters.mdb", "SELECT * FROM TransmittersSingle ORDER BY UserIDSingle"},
};
const BareQueries kCardRows = {
    {"Cards.mdb", "SELECT * FROM Cards c LEFT JOIN CardBlocks b ON c.CardID BETWEEN b.BlockBegin AND b.BlockEnd "
                  "ORDER BY c.UserID"},
    {"Cards.mdb", "SELECT * FROM CardsSingle ORDER BY UserIDSingle"},
};
const BareQuery kEntryCodeRows = {"EntryCodes.mdb", "SELECT * FROM EntryCodes ORDER BY UserID, Hidden, dCode"};
const BareQuery kDirectoryRows = {"EntryNumbers.mdb", "SELECT * FROM EntryNumbers ORDER BY UserID"};

BareQueries Joined(std::initializer_list<BareQueries> parts)
{
    BareQueries all;
    for (const BareQueries& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const BareQueries kCardholderRows = Joined({{kHolders}, kTransmitterRows, kCardRows, {kEntryCodeRows, kDirectoryRows}});

void TimeBareRows(const BareQueries& queries, Spent& baseline)
{
    const Stopwatch watch;
    for (const BareQuery& query : queries)
        benchmark::DoNotOptimize(BareRows(query.file, query.sql));
    watch.AddTo(baseline);
}

void Report(benchmark::State& state, const ReportList& list, const Spent& ours, const Spent& baseline)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["rows"] = list.Model().RowCount();
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    ReportAgainstBaseline(state, ours, baseline, 1.0 / static_cast<double>(state.iterations()), "s");
}

// Times each build, and the bare reading of the same rows after it.
template <class Build>
void TimeReport(benchmark::State& state, const ReportList& list, const BareQueries& bare, Build build)
{
    Spent ours;
    Spent baseline;
    for (auto _ : state) {
        const Stopwatch watch;
        build();
        watch.AddTo(ours);
        state.PauseTiming();
        TimeBareRows(bare, baseline);
        state.ResumeTiming();
    }
    Report(state, list, ours, baseline);
}

} // namespace

static void BM_CardholderReportByName(benchmark::State& state)
{
    LargeSite();
    CColumnWidths widths;
    ReportList list(widths);
    TimeReport(state, list, kCardholderRows, [&] { list.Rebuild(kReportKindCardholdersWithCredentials); });
}
BENCHMARK(BM_CardholderReportByName)->Unit(benchmark::kMillisecond);

static void BM_CardholderReportColumnClick(benchmark::State& state)
{
    LargeSite();
    CColumnWidths widths;
    ReportList list(widths);
    const int column = static_cast<int>(state.range(0));
    TimeReport(state, list, kCardholderRows,
               [&] { list.OnColumnClick(kReportKindCardholdersWithCredentials, column); });
}
// Status, then the subset order.
BENCHMARK(BM_CardholderReportColumnClick)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// The transmitter, card and entry-code reports on the same site: the kind's
// own order (column -1) or a column click.
static void BM_CredentialReport(benchmark::State& state)
{
    LargeSite();
    CColumnWidths widths;
    ReportList list(widths);
    const int kind = static_cast<int>(state.range(0));
    const int column = static_cast<int>(state.range(1));
    const BareQueries bare = kind == kReportKindAllTransmitters ? Joined({kTransmitterRows, {kHolders}})
                             : kind == kReportKindAllCards      ? Joined({kCardRows, {kHolders}})
                                                                : BareQueries{kEntryCodeRows, kHolders};
    TimeReport(state, list, bare, [&] {
        if (column < 0)
            list.Rebuild(kind);
        else
            list.OnColumnClick(kind, column);
    });
}
BENCHMARK(BM_CredentialReport)
    ->Args({kReportKindAllTransmitters, -1})
    ->Args({kReportKindAllTransmitters, 2})
    ->Args({kReportKindAllCards, -1})
    ->Args({kReportKindAllCards, 2})
    ->Args({kReportKindEntryCodes, -1})
    ->Unit(benchmark::kMillisecond);
