#include "bench/Stopwatch.h"
#include "database/CSetEventLog.h"
#include "database/DatabaseFiles.h"
#include "database/EventLogMaintenance.h"
#include "database/Schema.h"
#include "platform/Database.h"
#include "platform/DatabaseTransaction.h"
#include "platform/OleDate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>


// Each benchmark does its work through the program's own classes and then
// the same work with bare SQLite calls on a file of the same size and with the
// same commits.
namespace
{
constexpr int kLargeLog = 1000000;
constexpr int kClearedEvents = 100000;
constexpr int kEventsPerCommit = 1000; // a poll of the panels' logs writes its events together
constexpr double kEventStart = 45000.0; // an OLE date in 2023
constexpr double kEventStep = 1.0 / 86400.0;

const QString kInsertEvent = QStringLiteral(
    "INSERT INTO Eventlog (NetNode, Time, Id0, Id1, Id2, Id3, Ctx, Ctx2, Type, Mod, UserID, Door) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

QString LogPath(const QString& folder)
{
    return folder + QLatin1Char('/') + QLatin1String(DatabaseFiles::EventLog);
}

// A log of the given number of events, one a second, in a folder of its own.
void MakeLog(const QString& folder, int events)
{
    QDir().mkpath(folder);
    QFile::remove(LogPath(folder));
    Schema::CreateDatabaseFile(LogPath(folder), *Schema::FindFile(QLatin1String(DatabaseFiles::EventLog)));
    Database::Open(LogPath(folder))
        ->Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) "
                                 "INSERT INTO Eventlog (Time, Type, NetNode, UserID, Door) "
                                 "SELECT %2 + i * %3, 4, 17, 1 + i % 10000, 1 FROM n")
                      .arg(events)
                      .arg(kEventStart, 0, 'f', 1)
                      .arg(kEventStep, 0, 'g', 17));
}

sqlite3* OpenPlain(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(path));
    return db;
}

// One event after another into a log of a million rows, the recordset open
// in its order, newest first.
void BM_AddEventToLargeLog(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours"));
    const QString plain = dir.filePath(QStringLiteral("plain"));
    MakeLog(ours, kLargeLog);
    Database::CloseAllConnections();
    QDir().mkpath(plain);
    QFile::copy(LogPath(ours), LogPath(plain));
    const QDateTime start = FromOleDate(kEventStart + kLargeLog * kEventStep);

    CSetEventLog log;
    log.m_strDBFolder = ours;
    log.Open();
    int events = 0;
    Spent ourTime;
    for (auto _ : state) {
        const Stopwatch watch;
        {
            DatabaseTransaction transaction(log.GetDefaultDBName());
            for (int i = 0; i < kEventsPerCommit; ++i, ++events)
                log.AddEvent(4, 1, 2, 3, 4, 15, 0, 0, 0x11, 1 + events % 10000, 1, start.addSecs(events));
        }
        watch.AddTo(ourTime);
    }
    if (log.GetRecordCount() != kLargeLog + events)
        state.SkipWithError("the log lost events");
    log.Close();
    Database::CloseAllConnections();

    sqlite3* db = OpenPlain(LogPath(plain));
    sqlite3_stmt* insert = nullptr;
    const QByteArray sql = kInsertEvent.toUtf8();
    sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr);
    Spent plainTime;
    const Stopwatch watch;
    for (int done = 0; done < events;) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (int i = 0; i < kEventsPerCommit; ++i, ++done) {
            const int values[] = {0x11, 0, 1, 2, 3, 4, 0, 0, 4, 15, 1 + done % 10000, 1};
            for (int v = 0; v < 12; ++v)
                sqlite3_bind_int(insert, v + 1, values[v]);
            sqlite3_bind_double(insert, 2, kEventStart + (kLargeLog + done) * kEventStep);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    watch.AddTo(plainTime);
    sqlite3_finalize(insert);
    sqlite3_close(db);
    ReportAgainstBaseline(state, ourTime, plainTime, 1e6 / events, "us_per_event");
}
BENCHMARK(BM_AddEventToLargeLog)->Unit(benchmark::kMillisecond)->Iterations(20);

// The Database page's "Clear event log" on a log of 100 000 events.
void BM_ClearEventLog(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours"));
    const QString plain = dir.filePath(QStringLiteral("plain"));
    Spent ourTime;
    Spent plainTime;
    for (auto _ : state) {
        state.PauseTiming();
        MakeLog(ours, kClearedEvents);
        Database::CloseAllConnections();
        QDir().mkpath(plain);
        QFile::remove(LogPath(plain));
        QFile::copy(LogPath(ours), LogPath(plain));
        CSetEventLog log;
        log.m_strDBFolder = ours;
        log.Open();
        state.ResumeTiming();

        {
            const Stopwatch watch;
            if (!EventLogMaintenance::ClearEventLog(log) || log.GetRecordCount() != 0)
                state.SkipWithError("the log was not cleared");
            watch.AddTo(ourTime);
        }

        state.PauseTiming();
        log.Close();
        Database::CloseAllConnections();
        sqlite3* db = OpenPlain(LogPath(plain));
        {
            const Stopwatch watch;
            sqlite3_exec(db, "DELETE FROM Eventlog", nullptr, nullptr, nullptr);
            watch.AddTo(plainTime);
        }
        sqlite3_close(db);
        state.ResumeTiming();
    }
    ReportAgainstBaseline(state, ourTime, plainTime, 1e3 / static_cast<double>(state.iterations()), "ms");
}
BENCHMARK(BM_ClearEventLog)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
