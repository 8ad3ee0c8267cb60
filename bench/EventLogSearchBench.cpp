#include "app/AppObjects.h"
#include "app/CColumnWidths.h"
#include "app/CProgressDialogFactory.h"
#include "app/CWFDoc.h"
#include "bench/DemoSite.h"
#include "bench/Stopwatch.h"
#include "common/IProgress.h"
#include "common/ProgramObjects.h"
#include "database/CSetEventLog.h"
#include "platform/Database.h"
#include "platform/ForwardRows.h"
#include "platform/JetSql.h"
#include "platform/MessageBox.h"
#include "platform/SqlStatement.h"
#include "reports/eventlog/EventFilterText.h"
#include "reports/eventlog/EventLogReport.h"
#include "reports/lists/CRPListView.h"
#include "reports/lists/ReportColumns.h"
#include "reports/lists/ReportRowModel.h"

#include <QApplication>
#include <QEvent>
#include <QTreeView>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>

// The event-log report on a log of a million events, one every three
// minutes over five and a half years. Each search runs from the click to the
// moment its first rows reach the list's model, where the operator sees
// them, then presses Cancel; the baseline reads the same rows with a bare
// SQLite query on the same file.
namespace {

constexpr int kLogEvents = 1000000;
constexpr int kFirstRows = 30;
constexpr double kFirstEvent = 45000.0; // an OLE date in 2023
constexpr double kEventStep = 180.0 / 86400.0;
constexpr int kUsers = 10000;
// Network 1: node 1 takes six events in ten, at doors 1 to 3 (door 4 has
// none); nodes 2 to 4 share the rest.
constexpr int kBusyNet = 1;
constexpr int kBusyNode = 1;
constexpr int kSilentDoor = 4;
constexpr int kRareTypeEvery = 50000;
constexpr int kCardholder = 7;
const QDate kOleEpoch(1899, 12, 30);

QDate OleDay(double oleDate)
{
    return kOleEpoch.addDays(static_cast<qint64>(std::floor(oleDate)));
}

double OleDay(const QDate& date)
{
    return static_cast<double>(kOleEpoch.daysTo(date));
}

void FillLog(const QString& path)
{
    const std::shared_ptr<Database> log = Database::Open(path);
    log->Execute(QStringLiteral("DELETE FROM Eventlog"));
    log->Execute(
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) "
            "INSERT INTO Eventlog (Time, Type, Mod, NetNode, Door, UserID, Id0, Id1, Id2, Id3) "
            "SELECT %2 + i * %3, CASE WHEN i % %4 = 0 THEN %5 ELSE %6 END, %7, "
            "CASE WHEN i % 10 < 6 THEN %8 ELSE %9 + i % 3 END, "
            "(1 + i % 3) | CASE WHEN i % 7 = 0 THEN %10 ELSE 0 END, 1 + i % %11, i % 256, i / 256 % 256, 0, 0 FROM n")
            .arg(kLogEvents)
            .arg(kFirstEvent, 0, 'f', 1)
            .arg(kEventStep, 0, 'g', 17)
            .arg(kRareTypeEvery)
            .arg(EventType::Tamper)
            .arg(EventType::Access)
            .arg(15) // a block card
            .arg((kBusyNet << 4) | kBusyNode)
            .arg((kBusyNet << 4) | (kBusyNode + 1))
            .arg(EventSource::AccessDenied)
            .arg(kUsers));
}

CWFDoc& LargeLogSite()
{
    static QTemporaryDir dir;
    static CWFDoc* doc = [] {
        const QString demo = MakeDemoSite(dir);
        SetMessageBoxPresenter([](const MessageBoxRequest&) { return int(IDOK); });
        // The log is filled before the site opens, as a site that has run
        // for years opens on it.
        FillLog(EventLogFile(QFileInfo(demo).path(), QString::fromLatin1(kCurrentEventLog)));
        Database::CloseAllConnections();
        CWFDoc* opened = OpenSite(demo);
        SetInstallationDoc(opened);
        opened->m_strEventLogLabel = QString::fromLatin1(kCurrentEventLog);
        return opened;
    }();
    return *doc;
}

QString LogPath()
{
    return EventLogFile(LargeLogSite().m_strInstallationFolder, QString::fromLatin1(kCurrentEventLog));
}

using Clock = std::chrono::steady_clock;

// The list's model, noting when the first rows reach it; Cancel is pressed
// once they have when the run asks for it.
class WatchedRows : public IReportRowSink
{
public:
    void AppendRow(const ReportCells& cells) override { m_model.AppendRow(cells); }
    void FlushRows() override
    {
        m_model.FlushRows();
        if (!m_firstRowsAt && m_model.RowCount() >= kFirstRows)
            m_firstRowsAt = Clock::now();
    }
    int Rows() const { return m_model.RowCount(); }
    std::optional<Clock::time_point> FirstRowsAt() const { return m_firstRowsAt; }

private:
    ReportRowModel m_model;
    std::optional<Clock::time_point> m_firstRowsAt;
};

// The progress display: counts its checks and presses Cancel once asked to.
class ScriptedProgress : public IProgressFactory
{
public:
    explicit ScriptedProgress(std::function<bool()> pressCancel) : m_pressCancel(std::move(pressCancel))
    {
        SetProgressFactory(this);
    }
    ~ScriptedProgress() override { SetProgressFactory(nullptr); }

    std::unique_ptr<IProgress> Open(IProgress::Kind, const QString&, const QString&, int) override
    {
        return std::make_unique<Display>(*this);
    }

    int checks = 0;
    std::optional<Clock::time_point> cancelledAt;

private:
    struct Display : IProgress
    {
        explicit Display(ScriptedProgress& owner) : m_owner(owner) {}
        void SetPos(int) override {}
        void SetStatus(const QString& text) override { benchmark::DoNotOptimize(text.size()); }
        void HideBar() override {}
        bool CheckCancelButton() override { return m_owner.Check(); }
        ScriptedProgress& m_owner;
    };

    bool Check()
    {
        ++checks;
        if (cancelledAt || !m_pressCancel())
            return false;
        cancelledAt = Clock::now();
        return true;
    }

    std::function<bool()> m_pressCancel;
};

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// Reads rows of the bare query as the report reads them, every column,
// until the count wanted or the end.
int ReadPlain(sqlite3* db, const QString& where, int wanted)
{
    const QByteArray sql = (QStringLiteral("SELECT * FROM Eventlog") + (where.isEmpty() ? QString() : " WHERE " + where)
                            + QStringLiteral(" ORDER BY Time DESC, rowid DESC"))
                               .toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db));
    int rows = 0;
    while ((wanted < 0 || rows < wanted) && sqlite3_step(statement) == SQLITE_ROW) {
        double sum = 0;
        for (int column = 0; column < sqlite3_column_count(statement); ++column)
            sum += sqlite3_column_double(statement, column);
        benchmark::DoNotOptimize(sum);
        ++rows;
    }
    sqlite3_finalize(statement);
    return rows;
}

// Whether the search's own statement sorts every match before its first row.
bool SortsEveryMatch(const QString& criteria)
{
    CSetEventLog log;
    log.m_strDBFolder = QFileInfo(LogPath()).path();
    const ForwardRows rows(log, criteria);
    const std::shared_ptr<Database> database = Database::Open(LogPath());
    SqlStatement plan(database->Handle(), QStringLiteral("EXPLAIN QUERY PLAN ") + rows.Sql());
    const JetSql::BoundCriteria bound = JetSql::TranslateBoundCriteria(criteria);
    for (size_t i = 0; i < bound.values.size(); ++i)
        plan.Bind(static_cast<int>(i) + 1, bound.values[i]);
    bool sorts = false;
    while (plan.Step())
        sorts = sorts || plan.Value(3).toString().contains(QLatin1String("TEMP B-TREE"));
    return sorts;
}

struct SearchCase
{
    const char* name;
    EventFilterFragments filter;
    QString plainWhere; // the same condition in bare SQLite
};

QString OleRange(const QDate& from, const QDate& to)
{
    return QStringLiteral("Time BETWEEN %1 AND %2")
        .arg(OleDay(from), 0, 'f', 1)
        .arg(OleDay(to) + 86399.0 / 86400.0, 0, 'g', 17);
}

std::vector<SearchCase> SearchCases()
{
    const QDate oldest = OleDay(kFirstEvent);
    const QDate newest = OleDay(kFirstEvent + (kLogEvents - 1) * kEventStep);
    const QDate monthStart(oldest.year(), oldest.month(), 1);
    const QDate monthEnd = monthStart.addMonths(1).addDays(-1);
    constexpr int busyNetNode = (kBusyNet << 4) | kBusyNode;
    const auto doorWhere = [](int door) {
        return QStringLiteral("NetNode = %1 AND (Door = %2 OR Door = %3)")
            .arg(busyNetNode)
            .arg(door)
            .arg(door | EventSource::AccessDenied);
    };
    EventFilterFragments all;
    EventFilterFragments newestDay;
    newestDay.dates = DatesClause(newest, newest);
    EventFilterFragments oldestMonth;
    oldestMonth.dates = DatesClause(monthStart, monthEnd);
    EventFilterFragments commonType;
    commonType.types = TypeClause(EventType::Access);
    EventFilterFragments rareType;
    rareType.types = TypeClause(EventType::Tamper);
    EventFilterFragments door;
    door.doors = DoorClause(DoorKey(kBusyNet, kBusyNode, 1));
    EventFilterFragments silentDoor;
    silentDoor.doors = DoorClause(DoorKey(kBusyNet, kBusyNode, kSilentDoor));
    EventFilterFragments cardholder;
    cardholder.cardholders = UserClause(kCardholder);
    return {
        {"all_events", all, QString()},
        {"newest_day", newestDay, OleRange(newest, newest)},
        {"oldest_month", oldestMonth, OleRange(monthStart, monthEnd)},
        {"common_type", commonType, QStringLiteral("Type = %1").arg(EventType::Access)},
        {"rare_type", rareType, QStringLiteral("Type = %1").arg(EventType::Tamper)},
        {"one_door", door, doorWhere(1)},
        {"door_without_events", silentDoor, doorWhere(kSilentDoor)},
        {"one_cardholder", cardholder, QStringLiteral("UserID = %1").arg(kCardholder)},
    };
}

// "All events" is the criterion the menu gives when no page selects anything.
QString Criteria(const SearchCase& search)
{
    const QString composed = ComposeEventLogFilter(search.filter);
    return composed.isEmpty() ? QStringLiteral("LogID > 0") : composed;
}

sqlite3* OpenPlain()
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(LogPath()).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        qFatal("cannot open the log");
    return db;
}

// The baseline of the whole-log reports: the same rows read with bare SQLite.
Spent TimeWholeLogRead(benchmark::State& state)
{
    sqlite3* db = OpenPlain();
    Spent plain;
    for (int i = 0; i < static_cast<int>(state.iterations()); ++i) {
        const Stopwatch watch;
        if (ReadPlain(db, QString(), -1) != kLogEvents)
            state.SkipWithError("the baseline missed rows");
        watch.AddTo(plain);
    }
    sqlite3_close(db);
    return plain;
}

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

// The time until the first 30 rows reach the model (the end when fewer
// match), then Cancel.
static void BM_EventLogFirstRows(benchmark::State& state)
{
    CWFDoc& doc = LargeLogSite();
    const SearchCase search = SearchCases()[static_cast<size_t>(state.range(0))];
    state.SetLabel(search.name);
    doc.m_strEventLogFilter = Criteria(search);
    Spent ours;
    int rows = 0;
    for (auto _ : state) {
        WatchedRows model;
        ScriptedProgress progress([&model] { return model.FirstRowsAt().has_value(); });
        const Clock::time_point start = Clock::now();
        const std::clock_t cpu = std::clock();
        BuildEventLogReport(model);
        const Clock::time_point end = Clock::now();
        ours.wall += Seconds(start, model.FirstRowsAt().value_or(end));
        ours.cpu += static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        rows = model.Rows();
    }
    sqlite3* db = OpenPlain();
    Spent plain;
    int plainRows = 0;
    for (int i = 0; i < static_cast<int>(state.iterations()); ++i) {
        const Stopwatch watch;
        plainRows = ReadPlain(db, search.plainWhere, kFirstRows);
        watch.AddTo(plain);
    }
    sqlite3_close(db);
    ReportAgainstBaseline(state, ours, plain, 1e3 / static_cast<double>(state.iterations()), "ms");
    state.counters["rows"] = rows;
    state.counters["baseline_rows"] = plainRows;
    state.counters["sorts_all"] = SortsEveryMatch(doc.m_strEventLogFilter) ? 1 : 0;
}
BENCHMARK(BM_EventLogFirstRows)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->Iterations(5);

// "All Event Report" to its end: every event in the model, with the checks
// of the progress display and the peak memory of the process.
static void BM_AllEventReport(benchmark::State& state)
{
    CWFDoc& doc = LargeLogSite();
    doc.m_strEventLogFilter = QStringLiteral("LogID > 0");
    const double setupPeak = PeakMiB();
    Spent ours;
    int rows = 0;
    int checks = 0;
    for (auto _ : state) {
        WatchedRows model;
        ScriptedProgress progress([] { return false; });
        const Stopwatch watch;
        BuildEventLogReport(model);
        watch.AddTo(ours);
        rows = model.Rows();
        checks = progress.checks;
    }
    const Spent plain = TimeWholeLogRead(state);
    ReportAgainstBaseline(state, ours, plain, 1.0 / static_cast<double>(state.iterations()), "s");
    state.counters["rows"] = rows;
    state.counters["checks"] = checks;
    state.counters["setup_peak_MiB"] = setupPeak;
    state.counters["peak_MiB"] = PeakMiB();
}
BENCHMARK(BM_AllEventReport)->Unit(benchmark::kMillisecond)->Iterations(1);

// Cancel halfway through "All Event Report": the time from the press to the
// search's end, and the rows it leaves.
static void BM_EventLogCancel(benchmark::State& state)
{
    CWFDoc& doc = LargeLogSite();
    doc.m_strEventLogFilter = QStringLiteral("LogID > 0");
    constexpr int cancelAtRow = kLogEvents / 2;
    double afterCancel = 0;
    int rows = 0;
    for (auto _ : state) {
        WatchedRows model;
        ScriptedProgress progress([&model] { return model.Rows() >= cancelAtRow; });
        BuildEventLogReport(model);
        const Clock::time_point end = Clock::now();
        if (!progress.cancelledAt)
            state.SkipWithError("Cancel was not pressed");
        else
            afterCancel += Seconds(*progress.cancelledAt, end);
        rows = model.Rows();
    }
    state.counters["cancel_to_end_ms"] = afterCancel * 1e3 / static_cast<double>(state.iterations());
    state.counters["rows"] = rows;
    state.counters["rows_after_press"] = rows - cancelAtRow;
}
BENCHMARK(BM_EventLogCancel)->Unit(benchmark::kMillisecond)->Iterations(1);

namespace {

// Notes when the list first paints rows.
class FirstRowsPainted : public QObject
{
public:
    explicit FirstRowsPainted(QTreeView& list) : m_list(list) { list.viewport()->installEventFilter(this); }
    std::optional<Clock::time_point> At() const { return m_at; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_at && event->type() == QEvent::Paint && m_list.model()->rowCount() > 0)
            m_at = Clock::now();
        return QObject::eventFilter(watched, event);
    }

private:
    QTreeView& m_list;
    std::optional<Clock::time_point> m_at;
};

} // namespace

// "All Event Report" as the operator meets it: the program's progress
// dialog, and the report list shown (offscreen), its view painting while the
// search runs; beside it the same report into a list no view shows, and the
// bare read of the same rows.
static void BM_AllEventReportShown(benchmark::State& state)
{
    CWFDoc& doc = LargeLogSite();
    doc.m_strEventLogFilter = QStringLiteral("LogID > 0");
    CProgressDialogFactory dialogs;
    SetProgressFactory(&dialogs);
    Spent shown;
    Spent bare;
    double firstRows = 0;
    int rows = 0;
    int bareRows = 0;
    for (auto _ : state) {
        {
            WatchedRows model;
            const Stopwatch watch;
            BuildEventLogReport(model);
            model.FlushRows();
            watch.AddTo(bare);
            bareRows = model.Rows();
        }
        CColumnWidths widths;
        CRPListView view(widths);
        view.resize(1000, 700);
        view.show();
        FirstRowsPainted painted(*view.List());
        QCoreApplication::processEvents();
        const Clock::time_point start = Clock::now();
        const Stopwatch watch;
        doc.SetReportKind(kReportKindEventLog);
        watch.AddTo(shown);
        firstRows += Seconds(start, painted.At().value_or(Clock::now()));
        rows = view.Report().Model().RowCount();
    }
    SetProgressFactory(nullptr);
    const Spent plain = TimeWholeLogRead(state);
    const double runs = static_cast<double>(state.iterations());
    if (rows != bareRows)
        state.SkipWithError("the shown list lost rows");
    ReportAgainstBaseline(state, shown, plain, 1.0 / runs, "s");
    state.counters["without_view_s"] = bare.wall / runs;
    state.counters["view_ratio"] = bare.wall > 0 ? shown.wall / bare.wall : 0;
    state.counters["first_rows_visible_s"] = firstRows / runs;
    state.counters["rows"] = rows;
}
BENCHMARK(BM_AllEventReportShown)->Unit(benchmark::kMillisecond)->Iterations(1);
