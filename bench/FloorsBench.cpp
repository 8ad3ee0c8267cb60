#include "app/CWFDoc.h"
#include "bench/DemoSite.h"
#include "bench/Stopwatch.h"
#include "config/CRPFloorGrid.h"
#include "config/CSingleVLFloorsForm.h"
#include "config/CTabCab.h"
#include "config/CTabFloorNames.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/DatabaseTransaction.h"
#include "platform/SqlStatement.h"
#include "image/VLMemoryLayout.h"

#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <functional>

// The most floors an installation holds: 128 floors of 64 rows on the demo,
// and the elevator pages of one node over them.
// Each figure is printed beside bare SQLite doing the same rows.
namespace {

constexpr int kLastFloor = FloorRows::kMaxFloors - 1;

CWFDoc& FullSite()
{
    static QTemporaryDir dir;
    static CWFDoc* doc = [] {
        CWFDoc* opened = OpenSite(MakeDemoSite(dir));
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

// Filling a floor view, against a bare read of the floor rows: showing the
// grid page fills it; the Floor Names page fills its list.
void TimeAgainstBareFloors(benchmark::State& state, const std::function<void()>& fill)
{
    const std::shared_ptr<Database> database = FloorsFile();
    Spent ours;
    Spent bare;
    for (auto _ : state) {
        {
            const Stopwatch watch;
            fill();
            watch.AddTo(ours);
        }
        const Stopwatch watch;
        benchmark::DoNotOptimize(BareListFloors(*database));
        watch.AddTo(bare);
    }
    ReportAgainstBaseline(state, ours, bare, 1000.0 / static_cast<double>(state.iterations()), "ms");
}

void BM_FillGrid(benchmark::State& state)
{
    FullSite();
    CRPFloorGrid grid;
    TimeAgainstBareFloors(state, [&] { grid.Fill(); });
    state.counters["columns"] = grid.Grid()->columnCount();
}
BENCHMARK(BM_FillGrid)->Unit(benchmark::kMillisecond);

void BM_FillFloorNamesList(benchmark::State& state)
{
    FullSite();
    CTabFloorNames page;
    TimeAgainstBareFloors(state, [&] { page.FillList(); });
    state.counters["floors"] = page.List()->topLevelItemCount();
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

int BareNodeRows(Database& database, int cab)
{
    SqlStatement select(database.Handle(),
                        QStringLiteral("SELECT [Index], Name, Cab%1 FROM FloorNames WHERE Net = 1 AND Node = 3").arg(cab));
    int rows = 0;
    while (select.Step())
        ++rows;
    return rows;
}

// Node A3 with a reader on each cab and Mod1, its elevator pages built.
CSingleVLFloorsForm& ElevatorOfA3()
{
    static CSingleVLFloorsForm* form = [] {
        CWFDoc& doc = FullSite();
        if (!g_setVestrels.FindByAddress(1, 3) || !doc.LoadControllerSettings(g_setVestrels.m_VestrelID))
            qFatal("cannot load A3");
        constexpr int kKeypad = 1;
        constexpr int kFirstCabChannel = 5;
        constexpr int kMod1 = 8;
        for (int cab = 1; cab <= CSingleVLFloorsForm::kCabs; ++cab) {
            doc.m_controllerMemory.SetByte(VLLayout::kDevices.At(cab) + 1, kKeypad);
            doc.m_controllerMemory.SetByte(VLLayout::kDevices.At(cab) + 2, static_cast<std::uint8_t>(kFirstCabChannel + cab - 1));
        }
        doc.m_controllerMemory.SetByte(VLLayout::kDevices.At(5) + 1, kMod1);
        return new CSingleVLFloorsForm(doc);
    }();
    return *form;
}

// Showing the Elevator Control tab refreshes the four cab pages.
void BM_ShowElevatorControl(benchmark::State& state)
{
    CSingleVLFloorsForm& form = ElevatorOfA3();
    const std::shared_ptr<Database> database = FloorsFile();
    Spent ours;
    Spent bare;
    for (auto _ : state) {
        {
            const Stopwatch watch;
            form.RefreshCabs();
            watch.AddTo(ours);
        }
        const Stopwatch watch;
        for (int cab = 1; cab <= CSingleVLFloorsForm::kCabs; ++cab)
            benchmark::DoNotOptimize(BareNodeRows(*database, cab));
        watch.AddTo(bare);
    }
    state.counters["floors"] = form.CabPage(1)->FloorList()->count();
    ReportAgainstBaseline(state, ours, bare, 1000.0 / static_cast<double>(state.iterations()), "ms");
}
BENCHMARK(BM_ShowElevatorControl)->Unit(benchmark::kMillisecond);

// A relay ticked, then another cab's tab: the page left saves its floor,
// the page shown reads its floors.
void BM_SwitchCabTab(benchmark::State& state)
{
    CSingleVLFloorsForm& form = ElevatorOfA3();
    const std::shared_ptr<Database> database = FloorsFile();
    Spent ours;
    Spent bare;
    int cab = form.Tabs()->currentIndex() + 1;
    for (auto _ : state) {
        QListWidgetItem* relay = form.CabPage(cab)->ModuleList(1)->item(cab - 1);
        relay->setCheckState(relay->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        const int next = cab % CSingleVLFloorsForm::kCabs + 1;
        {
            const Stopwatch watch;
            form.Tabs()->setCurrentIndex(next - 1);
            watch.AddTo(ours);
        }
        const Stopwatch watch;
        {
            DatabaseTransaction transaction(g_setFloorNames.GetDefaultDBName());
            SqlStatement update(database->Handle(),
                                QStringLiteral("UPDATE FloorNames SET Cab%1 = Cab%1 WHERE Net = 1 AND Node = 3 AND [Index] = 0").arg(cab));
            update.Step();
        }
        benchmark::DoNotOptimize(BareNodeRows(*database, next));
        watch.AddTo(bare);
        cab = next;
    }
    ReportAgainstBaseline(state, ours, bare, 1000.0 / static_cast<double>(state.iterations()), "ms");
}
BENCHMARK(BM_SwitchCabTab)->Unit(benchmark::kMillisecond);

} // namespace
