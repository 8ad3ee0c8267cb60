#include "app/CWFDoc.h"
#include "bench/BulkInsert.h"
#include "database/DatabaseFiles.h"
#include "database/InstallationDatabases.h"
#include "database/Schema.h"
#include "image/BinderList.h"
#include "image/CBindManager.h"
#include "image/CPagedBinder.h"
#include "link/INetCommandSink.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int kSingleCredentials = 20000;
constexpr int kEntryCodes = 20000;
constexpr int kDirectoryEntries = 10000;
constexpr int kFirstEntryCode = 10000000;
constexpr std::uint8_t kNodeA1 = 11;

class CountingSink : public INetCommandSink
{
public:
    bool StoreCommand(const CNetCommand&) override
    {
        ++stored;
        return true;
    }
    void SetStartFlag(int, int) override {}
    bool TakeStartFlag(int, int) override { return false; }

    long stored = 0;
};

// A site at the panels' limits for the credential trees and the directory,
// opened once per run.
CWFDoc& Site()
{
    static QTemporaryDir dir;
    static CWFDoc doc;
    static const bool made = [] {
        doc.m_strInstallationFolder = dir.path();
        doc.CreateInstallationFolders();
        const QString database = doc.BuildPath(CWFDoc::kInstallationDatabase, QString());
        Schema::CreateInstallationDatabases(database);
        const auto file = [&](const char* name) { return database + QLatin1Char('/') + QLatin1String(name); };
        for (const auto& [name, table, column] :
             {std::tuple{DatabaseFiles::Cards, "CardsSingle", "CardIDSingle"},
              std::tuple{DatabaseFiles::Transmitters, "TransmittersSingle", "XmtrIDSingle"}}) {
            Fill(file(name),
                 QStringLiteral("INSERT INTO %1 (%2, UserIDSingle) VALUES (?, ?)").arg(QLatin1String(table),
                                                                                      QLatin1String(column)),
                 kSingleCredentials, [](SqlStatement& s, int row) {
                     s.Bind(1, 500000.0 + row * 3);
                     s.BindInt64(2, row % 9000 + 1);
                 });
        }
        Fill(file(DatabaseFiles::EntryCodes), QStringLiteral("INSERT INTO EntryCodes (Code, UserID) VALUES (?, ?)"),
             kEntryCodes, [](SqlStatement& s, int row) {
                 s.Bind(1, QString::number(kFirstEntryCode + row * 37));
                 s.BindInt64(2, row % 9000 + 1);
             });
        Fill(file(DatabaseFiles::EntryNumbers),
             QStringLiteral("INSERT INTO EntryNumbers (UserID, TenantName, UserDirectoryCode, PhoneNumber, SubsetA) "
                            "VALUES (?, ?, ?, '5551234', -1)"),
             kDirectoryEntries, [](SqlStatement& s, int row) {
                 s.BindInt64(1, row + 1);
                 s.Bind(2, QStringLiteral("Tenant %1").arg((row * 7919) % kDirectoryEntries, 5, 10, QLatin1Char('0')));
                 s.Bind(3, QString::number(row));
             });
        return OpenInstallationDatabases(database);
    }();
    (void)made;
    return doc;
}

// Every binder of a full run over the site, the trees kept from the run before.
void BM_BindAllFullSite(benchmark::State& state)
{
    CWFDoc& doc = Site();
    CountingSink sink;
    for (auto _ : state) {
        DirectoryWorkArea area{};
        CBindManager manager(doc, sink);
        if (!manager.BindAll(area, 0))
            state.SkipWithError("bind failed");
    }
}
BENCHMARK(BM_BindAllFullSite)->Unit(benchmark::kMillisecond);

// The first run, when no tree file exists yet and every credential takes a slot.
void BM_BindAllFirstRun(benchmark::State& state)
{
    CWFDoc& doc = Site();
    CountingSink sink;
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* name : {"SingleCards.dat", "SingleTransmitters.dat", "EntryCodes.dat"})
            QFile::remove(doc.BuildPath(CWFDoc::kVestrels, QString::fromLatin1(name)));
        state.ResumeTiming();
        DirectoryWorkArea area{};
        CBindManager manager(doc, sink);
        if (!manager.BindAll(area, 0))
            state.SkipWithError("bind failed");
    }
}
BENCHMARK(BM_BindAllFirstRun)->Unit(benchmark::kMillisecond);

// Everything a node that gets everything is sent from the paged files.
void BM_GenerateEveryPagedFileForOneNode(benchmark::State& state)
{
    CWFDoc& doc = Site();
    CountingSink sink;
    {
        DirectoryWorkArea area{};
        CBindManager manager(doc, sink);
        manager.BindAll(area, 0);
    }
    for (auto _ : state) {
        sink.stored = 0;
        CBindManager manager(doc, sink);
        for (const BinderEntry& entry : PagedBinders())
            if (!entry.make(manager)->GenerateCommands(kNodeA1, 1))
                state.SkipWithError("generation failed");
    }
    state.counters["writes"] = static_cast<double>(sink.stored);
}
BENCHMARK(BM_GenerateEveryPagedFileForOneNode)->Unit(benchmark::kMillisecond);

} // namespace
