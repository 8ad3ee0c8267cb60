#include "bench/BulkInsert.h"
#include "database/DatabaseFiles.h"
#include "database/GlobalRecordsets.h"
#include "database/InstallationDatabases.h"
#include "database/Schema.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace
{
constexpr int kCardholders = 10000;
constexpr int kBlockCards = 45600;
constexpr int kEvents = 100000;
constexpr double kFirstCard = 100000.0;
constexpr double kEventStart = 45000.0; // an OLE date in 2023
constexpr double kEventStep = 1.0 / 1440.0;

// One installation of the size a large site reaches, made once per run.
const QString& Installation()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.filePath(QStringLiteral("Database"));
        Schema::CreateInstallationDatabases(path);
        const auto file = [&](const char* name) { return path + QLatin1Char('/') + QLatin1String(name); };
        Fill(file(DatabaseFiles::Users),
             QStringLiteral("INSERT INTO Users (FirstName, LastName, Active, CHSetIndex) VALUES (?, ?, -1, 1)"),
             kCardholders, [](SqlStatement& s, int row) {
                 s.Bind(1, QStringLiteral("First%1").arg(row));
                 s.Bind(2, QStringLiteral("Last%1").arg(row));
             });
        Fill(file(DatabaseFiles::Cards), QStringLiteral("INSERT INTO Cards (CardID, UserID) VALUES (?, ?)"), kBlockCards,
             [](SqlStatement& s, int row) {
                 s.Bind(1, kFirstCard + row);
                 s.BindInt64(2, row % kCardholders + 1);
             });
        Fill(file(DatabaseFiles::EventLog),
             QStringLiteral("INSERT INTO Eventlog (Time, Type, NetNode, UserID, Door) VALUES (?, 4, 17, ?, 1)"), kEvents,
             [](SqlStatement& s, int row) {
                 s.Bind(1, kEventStart + row * kEventStep);
                 s.BindInt64(2, row % kCardholders + 1);
             });
        Database::CloseAllConnections();
        return path;
    }();
    return folder;
}

void BM_OpenInstallationDatabases(benchmark::State& state)
{
    const QString& folder = Installation();
    for (auto _ : state) {
        if (!OpenInstallationDatabases(folder))
            state.SkipWithError("open failed");
        CloseInstallationDatabases();
    }
}
BENCHMARK(BM_OpenInstallationDatabases)->Unit(benchmark::kMillisecond);

// FindByID as the screens call it: the key is looked up through its index.
void BM_FindCardholderByKey(benchmark::State& state)
{
    OpenInstallationDatabases(Installation());
    std::mt19937 random(1);
    std::uniform_int_distribution<int> id(1, kCardholders);
    for (auto _ : state)
        benchmark::DoNotOptimize(g_setUsers.FindByID(id(random)));
    CloseInstallationDatabases();
}
BENCHMARK(BM_FindCardholderByKey)->Unit(benchmark::kMicrosecond);

// A card number under a sort: the matching rows come through the index and
// the keyset only orders them.
void BM_FindCardByNumberUnderSort(benchmark::State& state)
{
    OpenInstallationDatabases(Installation());
    g_setCards.m_strSort = QStringLiteral("CardID");
    g_setCards.Requery();
    std::mt19937 random(2);
    std::uniform_int_distribution<int> offset(0, kBlockCards - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(g_setCards.FindFirst(QStringLiteral("CardID = %1 AND UserID <> 0").arg(kFirstCard + offset(random))));
    g_setCards.m_strSort.clear();
    CloseInstallationDatabases();
}
BENCHMARK(BM_FindCardByNumberUnderSort)->Unit(benchmark::kMicrosecond);

// Walking every cardholder row by row, as a binder does.
void BM_WalkCardholders(benchmark::State& state)
{
    OpenInstallationDatabases(Installation());
    for (auto _ : state) {
        int rows = 0;
        for (g_setUsers.MoveFirst(); !g_setUsers.IsEOF(); g_setUsers.MoveNext())
            ++rows;
        benchmark::DoNotOptimize(rows);
    }
    CloseInstallationDatabases();
}
BENCHMARK(BM_WalkCardholders)->Unit(benchmark::kMillisecond);

// Every FindNext of a loop over a large match set stays a short indexed step.
void BM_FindNextThroughCardholderCards(benchmark::State& state)
{
    OpenInstallationDatabases(Installation());
    for (auto _ : state) {
        int found = 0;
        for (bool more = g_setCards.FindFirst(QStringLiteral("UserID <= 500")); more;
             more = g_setCards.FindNext(QStringLiteral("UserID <= 500")))
            ++found;
        benchmark::DoNotOptimize(found);
    }
    CloseInstallationDatabases();
}
BENCHMARK(BM_FindNextThroughCardholderCards)->Unit(benchmark::kMillisecond);
} // namespace
