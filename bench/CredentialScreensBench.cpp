#include "app/CListCtrlEx2.h"
#include "app/CWFDoc.h"
#include "bench/BulkInsert.h"
#include "bench/DemoSite.h"
#include "bench/Stopwatch.h"
#include "cardholders/CRPCards.h"
#include "cardholders/CRPEnrolledCards.h"
#include "cardholders/CRPEntryCodes.h"
#include "cardholders/CRPPhoneEntryNumbers.h"
#include "cardholders/CUserCardsTab.h"
#include "cardholders/CredentialBlocks.h"
#include "cardholders/SpareComboBox.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseTransaction.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

// The largest site of the credential screens: 45 600 block and 20 000
// individual numbers of each kind, 9 999 cardholders, 20 000 entry codes
// and 10 000 directory entries. Each figure is printed beside a bare SQLite
// pass over the same rows.
namespace {

constexpr int kCardholders = 9999;
constexpr int kIndividuals = 20000;
constexpr int kEntryCodes = 20000;
constexpr int kDirectoryEntries = 10000;
constexpr double kFirstIndividual = 1000000;
constexpr int kCodeDigits = 6;

QString FileOf(CWFDoc& doc, const char* file)
{
    return doc.BuildPath(CWFDoc::kInstallationDatabase, QString::fromLatin1(file));
}

void Execute(const QString& path, const QString& sql)
{
    Database::Open(path)->Execute(sql);
}

void Requery(Recordset& set)
{
    set.m_strFilter.clear();
    set.m_strSort.clear();
    set.Requery();
}

void FillCardholders()
{
    DatabaseTransaction transaction(g_setUsers.GetDefaultDBName());
    Requery(g_setUsers);
    g_setUsers.MoveLast();
    for (int id = static_cast<int>(g_setUsers.GetRecordCount()) + 1; id <= kCardholders; ++id) {
        g_setUsers.AddNew();
        g_setUsers.m_UserID = id;
        g_setUsers.m_FirstName = QStringLiteral("Holder");
        g_setUsers.m_LastName = QString::number(id);
        g_setUsers.m_CHSetIndex = 3;
        g_setUsers.m_Active = true;
        g_setUsers.m_NeverExpiers = true;
        g_setUsers.Update();
    }
}

// Every kind gets its whole block range from 1 and its individual numbers
// above it; each cardholder holds one block number.
void FillCredentials(CWFDoc& doc)
{
    for (const char* file : {"Cards.mdb", "Transmitters.mdb"}) {
        const bool cards = QLatin1String(file) == QLatin1String("Cards.mdb");
        const QString path = FileOf(doc, file);
        Execute(path, cards ? "DELETE FROM Cards" : "DELETE FROM Transmitters");
        Execute(path, cards ? "DELETE FROM CardBlocks" : "DELETE FROM TransmitterBlocks");
        Requery(cards ? static_cast<Recordset&>(g_setCards) : g_setTransmitters);
        Requery(cards ? static_cast<Recordset&>(g_setCardBlocks) : g_setTransmitterBlocks);
        const CredentialKind kind = cards ? CredentialKind::Card : CredentialKind::Transmitter;
        if (!CredentialBlocks::CreateBlock(kind, {QStringLiteral("Site"), 1, CredentialBlocks::kMaxBlockNumbers, {}}))
            qFatal("cannot make the blocks");
        Execute(path, QStringLiteral("UPDATE %1 SET UserID = %2, Suspended = 0 WHERE %2 <= %3")
                          .arg(cards ? "Cards" : "Transmitters", cards ? "CardID" : "XmtrID", QString::number(kCardholders)));
        Fill(path,
             cards ? QStringLiteral("INSERT INTO CardsSingle (CardIDSingle, DeletedSingle, LostSingle, SuspendedSingle, "
                                    "UserIDSingle) VALUES (?, 0, 0, -1, 0)")
                   : QStringLiteral("INSERT INTO TransmittersSingle (XmtrIDSingle, DeletedSingle, LostSingle, "
                                    "SuspendedSingle, UserIDSingle) VALUES (?, 0, 0, -1, 0)"),
             kIndividuals, [](SqlStatement& s, int row) { s.Bind(1, kFirstIndividual + row); });
    }
    for (Recordset* set : std::initializer_list<Recordset*>{&g_setCards, &g_setSingleCard, &g_setTransmitters,
                                                              &g_setSingleXmtr})
        Requery(*set);
}

void FillCodes(CWFDoc& doc)
{
    Fill(FileOf(doc, "EntryCodes.mdb"),
         QStringLiteral("INSERT INTO EntryCodes (Code, Suspended, Hidden, UserID, Deleted, dCode, CHSet) "
                        "VALUES (?, 0, ?, ?, 0, ?, 3)"),
         kEntryCodes, [](SqlStatement& s, int row) {
             s.Bind(1, QStringLiteral("%1").arg(row + 1, kCodeDigits, 10, QLatin1Char('0')));
             s.Bind(2, row % 10 == 0 ? -1 : 0);
             s.Bind(3, row % kCardholders + 1);
             s.Bind(4, static_cast<double>(row + 1));
         });
    Fill(FileOf(doc, "EntryNumbers.mdb"),
         QStringLiteral("INSERT INTO EntryNumbers (UserDirectoryCode, UserID, TenantName, PhoneNumber) "
                        "VALUES (?, ?, 'Tenant', '555')"),
         kDirectoryEntries, [](SqlStatement& s, int row) {
             s.Bind(1, QStringLiteral("%1").arg(row + 1, 4, 10, QLatin1Char('0')));
             s.Bind(2, row < kCardholders ? row + 1 : -1);
         });
    Requery(g_setEntryCodes);
    Requery(g_setPhoneEntries);
}

CWFDoc& LargeSite()
{
    static QTemporaryDir dir;
    static CWFDoc* doc = [] {
        CWFDoc* opened = OpenSite(MakeDemoSite(dir));
        FillCardholders();
        FillCredentials(*opened);
        FillCodes(*opened);
        return opened;
    }();
    return *doc;
}

int BareRead(const char* file, const QString& sql)
{
    const std::shared_ptr<Database> database = Database::Open(FileOf(LargeSite(), file));
    SqlStatement statement(database->Handle(), sql);
    int rows = 0;
    while (statement.Step())
        ++rows;
    return rows;
}

Spent TimeBareRead(const char* file, const QString& sql)
{
    Spent spent;
    const Stopwatch watch;
    benchmark::DoNotOptimize(BareRead(file, sql));
    watch.AddTo(spent);
    return spent;
}

} // namespace

static void BM_NewBlockOfEveryNumber(benchmark::State& state)
{
    CWFDoc& doc = LargeSite();
    const QString path = FileOf(doc, "Transmitters.mdb");
    Spent ours;
    Spent baseline;
    for (auto _ : state) {
        state.PauseTiming();
        Execute(path, "DELETE FROM Transmitters");
        Execute(path, "DELETE FROM TransmitterBlocks");
        Execute(path, "DELETE FROM TransmittersSingle");
        Requery(g_setTransmitters);
        Requery(g_setTransmitterBlocks);
        Requery(g_setSingleXmtr);
        state.ResumeTiming();
        const Stopwatch watch;
        if (!CredentialBlocks::CreateBlock(CredentialKind::Transmitter,
                                           {QStringLiteral("Bench"), 1, CredentialBlocks::kMaxBlockNumbers, {}}))
            state.SkipWithError("refused");
        watch.AddTo(ours);
        state.PauseTiming();
        Execute(path, "DELETE FROM Transmitters");
        const Stopwatch bare;
        Fill(path, QStringLiteral("INSERT INTO Transmitters (XmtrID, Suspended, UserID) VALUES (?, -1, 0)"),
             CredentialBlocks::kMaxBlockNumbers, [](SqlStatement& s, int row) { s.Bind(1, row + 1.0); });
        bare.AddTo(baseline);
        state.ResumeTiming();
    }
    ReportAgainstBaseline(state, ours, baseline, 1.0 / static_cast<double>(state.iterations()), "s");
}
BENCHMARK(BM_NewBlockOfEveryNumber)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_ShowAllCards(benchmark::State& state)
{
    LargeSite();
    CRPCards view;
    Spent ours;
    Spent baseline;
    for (auto _ : state) {
        const Stopwatch watch;
        view.OnShowAll();
        view.AllList()->setCurrentItem(view.AllList()->topLevelItem(view.AllList()->topLevelItemCount() - 1));
        view.AllList()->scrollToItem(view.AllList()->currentItem());
        QApplication::processEvents();
        watch.AddTo(ours);
        baseline += TimeBareRead("Cards.mdb", "SELECT * FROM CardsSingle WHERE DeletedSingle = 0 ORDER BY CardIDSingle");
        baseline += TimeBareRead("Cards.mdb", "SELECT * FROM Cards ORDER BY CardID");
    }
    state.counters["rows"] = view.AllList()->topLevelItemCount();
    ReportAgainstBaseline(state, ours, baseline, 1.0 / static_cast<double>(state.iterations()), "s");
}
BENCHMARK(BM_ShowAllCards)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_SpareDropDown(benchmark::State& state)
{
    LargeSite();
    CUserCardsTab page;
    Spent ours;
    Spent baseline;
    for (auto _ : state) {
        page.SetUserID(1);
        const Stopwatch watch;
        page.OnSpareDropDown();
        watch.AddTo(ours);
        baseline += TimeBareRead("Cards.mdb", "SELECT CardID FROM Cards WHERE UserID = 0");
    }
    state.counters["entries"] = page.SpareList()->count();
    ReportAgainstBaseline(state, ours, baseline, 1.0 / static_cast<double>(state.iterations()), "s");
}
BENCHMARK(BM_SpareDropDown)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_IndividualList(benchmark::State& state)
{
    LargeSite();
    CRPEnrolledCards view;
    Spent ours;
    Spent baseline;
    for (auto _ : state) {
        const Stopwatch watch;
        view.FillIndividualList();
        watch.AddTo(ours);
        baseline += TimeBareRead("Cards.mdb", "SELECT * FROM CardsSingle ORDER BY CardIDSingle");
    }
    state.counters["rows"] = view.IndividualList()->topLevelItemCount();
    ReportAgainstBaseline(state, ours, baseline, 1.0 / static_cast<double>(state.iterations()), "s");
}
BENCHMARK(BM_IndividualList)->Unit(benchmark::kMillisecond)->Iterations(3);

// Opening a read-only list view, against a bare read of its table.
template <class View>
void TimeReadOnlyList(benchmark::State& state, const char* file, const char* sql)
{
    LargeSite();
    Spent ours;
    Spent baseline;
    int rows = 0;
    for (auto _ : state) {
        const Stopwatch watch;
        View view;
        rows = view.List()->topLevelItemCount();
        watch.AddTo(ours);
        baseline += TimeBareRead(file, sql);
    }
    state.counters["rows"] = rows;
    ReportAgainstBaseline(state, ours, baseline, 1.0 / static_cast<double>(state.iterations()), "s");
}

static void BM_EntryCodeList(benchmark::State& state)
{
    TimeReadOnlyList<CRPEntryCodes>(state, "EntryCodes.mdb", "SELECT * FROM EntryCodes ORDER BY Hidden, EntryCodeID");
}
BENCHMARK(BM_EntryCodeList)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_DirectoryList(benchmark::State& state)
{
    TimeReadOnlyList<CRPPhoneEntryNumbers>(state, "EntryNumbers.mdb", "SELECT * FROM EntryNumbers");
}
BENCHMARK(BM_DirectoryList)->Unit(benchmark::kMillisecond)->Iterations(3);
