#include "app/CWFDoc.h"
#include "app/InstallationTemplate.h"
#include "bench/Stopwatch.h"
#include "config/CRPFloorGrid.h"
#include "config/CTabFloorNames.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/DatabaseTransaction.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/SqlStatement.h"

#include <QApplication>
#include <QDir>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

// The most floors an installation holds: 128 floors of 64 rows on the demo.
// Each figure is printed beside bare SQLite doing the same rows.
namespace {

constexpr int kLastFloor = FloorRows::kMaxFloors - 1;

CWFDoc& FullSite()
{
    static QTemporaryDir dir;
    static CWFDoc* doc = [] {
        qputenv("WARDIX_HOME", QDir(dir.path()).filePath("home").toLocal8Bit());
        Profile::SetLocation(QDir(dir.path()).filePath("profile.ini"));
        SetMessageBoxPresenter([](const MessageBoxRequest& r) {
            qFatal("unexpected box: %s", qPrintable(r.text));
            return 0;
        });
        QString error;
        if (!InstallationTemplate::EnsureNewInstallationTemplate(&error))
            qFatal("%s", qPrintable(error));
        const QString demo = InstallationTemplate::EnsureDemoInstallation(QDir(dir.path()).filePath("home/Installations"), &error);
        auto* opened = new CWFDoc;
        if (demo.isEmpty() || !opened->OnOpenDocument(demo))
            qFatal("cannot open the site");
        for (int index = FloorRows::FreeIndex(g_setFloorNames); index < FloorRows::kMaxFloors; ++index)
            FloorRows::Add(g_setFloorNames, index, QStringLiteral("Floor %1").arg(index + 1));
        return opened;
    }();
    return *doc;
}

std::shared_ptr<Database> FloorsFile()
{
    return Database::Open(g_setFloorNames.GetDefaultDBName());
}

void BareAddFloor(Database& database, int index)
{
    DatabaseTransaction transaction(g_setFloorNames.GetDefaultDBName());
    SqlStatement insert(database.Handle(),
                        QStringLiteral("INSERT INTO FloorNames ([Index], Name, Net, Node) VALUES (?, 'Bare', ?, ?)"));
    for (int net = 1; net <= FloorRows::kNetworks; ++net) {
        for (int node = 1; node <= FloorRows::kNodes; ++node) {
            insert.BindInt64(1, index);
            insert.BindInt64(2, net);
            insert.BindInt64(3, node);
            insert.Step();
            insert.Reset();
        }
    }
}

// Adding the 128th floor: the free Index found among 127 floors, then its rows.
void BM_AddLastFloor(benchmark::State& state)
{
    FullSite();
    const std::shared_ptr<Database> database = FloorsFile();
    Spent ours;
    Spent bare;
    for (auto _ : state) {
        FloorRows::Remove(g_setFloorNames, kLastFloor);
        {
            const Stopwatch watch;
            const int index = FloorRows::FreeIndex(g_setFloorNames);
            FloorRows::Add(g_setFloorNames, index, QStringLiteral("Roof"));
            watch.AddTo(ours);
        }
        FloorRows::Remove(g_setFloorNames, kLastFloor);
        {
            const Stopwatch watch;
            BareAddFloor(*database, kLastFloor);
            watch.AddTo(bare);
        }
        g_setFloorNames.Requery();
    }
    FloorRows::Remove(g_setFloorNames, kLastFloor);
    FloorRows::Add(g_setFloorNames, kLastFloor, QStringLiteral("Roof"));
    ReportAgainstBaseline(state, ours, bare, 1000.0 / static_cast<double>(state.iterations()), "ms");
}
BENCHMARK(BM_AddLastFloor)->Unit(benchmark::kMillisecond);

int BareListFloors(Database& database)
{
    SqlStatement select(database.Handle(), QStringLiteral("SELECT [Index], Name, Sched FROM FloorNames WHERE Net = 1 AND Node = 1"));
    int floors = 0;
    while (select.Step())
        ++floors;
    return floors;
}

// Showing the grid page fills it; the Floor Names page fills its list.
void BM_FillGrid(benchmark::State& state)
{
    FullSite();
    const std::shared_ptr<Database> database = FloorsFile();
    CRPFloorGrid grid;
    Spent ours;
    Spent bare;
    for (auto _ : state) {
        {
            const Stopwatch watch;
            grid.Fill();
            watch.AddTo(ours);
        }
        const Stopwatch watch;
        benchmark::DoNotOptimize(BareListFloors(*database));
        watch.AddTo(bare);
    }
    state.counters["columns"] = grid.Grid()->columnCount();
    ReportAgainstBaseline(state, ours, bare, 1000.0 / static_cast<double>(state.iterations()), "ms");
}
BENCHMARK(BM_FillGrid)->Unit(benchmark::kMillisecond);

void BM_FillFloorNamesList(benchmark::State& state)
{
    FullSite();
    const std::shared_ptr<Database> database = FloorsFile();
    CTabFloorNames page;
    Spent ours;
    Spent bare;
    for (auto _ : state) {
        {
            const Stopwatch watch;
            page.FillList();
            watch.AddTo(ours);
        }
        const Stopwatch watch;
        benchmark::DoNotOptimize(BareListFloors(*database));
        watch.AddTo(bare);
    }
    state.counters["floors"] = page.List()->topLevelItemCount();
    ReportAgainstBaseline(state, ours, bare, 1000.0 / static_cast<double>(state.iterations()), "ms");
}
BENCHMARK(BM_FillFloorNamesList)->Unit(benchmark::kMillisecond);

// A save where every floor's schedule changed: all 8192 rows are written.
void BM_SaveGrid(benchmark::State& state)
{
    FullSite();
    const std::shared_ptr<Database> database = FloorsFile();
    CRPFloorGrid grid;
    grid.Fill();
    Spent ours;
    Spent bare;
    int value = 1;
    for (auto _ : state) {
        for (int column = 1; column <= grid.Cells().Columns(); ++column)
            grid.OnCellChanged(column, 1, value);
        {
            const Stopwatch watch;
            grid.Store();
            watch.AddTo(ours);
        }
        const Stopwatch watch;
        DatabaseTransaction transaction(g_setFloorNames.GetDefaultDBName());
        SqlStatement update(database->Handle(), QStringLiteral("UPDATE FloorNames SET Sched = ? WHERE [Index] = ?"));
        for (int index = 0; index < FloorRows::kMaxFloors; ++index) {
            update.BindInt64(1, value);
            update.BindInt64(2, index);
            update.Step();
            update.Reset();
        }
        transaction.Commit();
        watch.AddTo(bare);
        value = 1 - value;
    }
    ReportAgainstBaseline(state, ours, bare, 1000.0 / static_cast<double>(state.iterations()), "ms");
}
BENCHMARK(BM_SaveGrid)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
