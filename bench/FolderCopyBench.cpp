#include "app/CProgressDialogFactory.h"
#include "bench/Stopwatch.h"
#include "common/ProgramObjects.h"
#include "database/FolderCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>

namespace {

// An installation's shape: a few databases of some megabytes and many small
// panel images.
constexpr int kDatabases = 6;
constexpr int kDatabaseBytes = 4 * 1024 * 1024;
constexpr int kImages = 400;
constexpr int kImageBytes = 8192;

void WriteFile(const QString& path, qsizetype bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(bytes, 'w')) != bytes)
        qFatal("cannot write %s", qPrintable(path));
}

void MakeInstallation(const QString& folder)
{
    WriteFile(folder + "/Site.wfi", 4096);
    for (int i = 0; i < kDatabases; ++i)
        WriteFile(folder + QStringLiteral("/Database/Table%1.mdb").arg(i), kDatabaseBytes);
    for (int i = 0; i < kImages; ++i)
        WriteFile(folder + QStringLiteral("/Vestrels/VLDownload%1%2/Node%3.img").arg(i / 64).arg(i % 8).arg(i),
                  kImageBytes);
}

} // namespace

// The installation copy in its progress window beside the same copy without
// a window (what the window costs) and a bare recursive copy that makes
// nothing durable (what durability costs), taken in turns.
static void BM_InstallationCopyWithProgress(benchmark::State& state)
{
    CProgressDialogFactory dialogs;
    QTemporaryDir root;
    const QString source = root.filePath("Site");
    MakeInstallation(source);
    Spent ours;
    Spent withoutWindow;
    Spent bare;
    int n = 0;
    for (auto _ : state) {
        const QString target = root.filePath(QStringLiteral("Copy%1-").arg(n));
        const auto copyOurs = [&] {
            SetProgressFactory(&dialogs);
            const Stopwatch watch;
            if (!CopyFolderShowingProgress(QString::fromLatin1(kCopyingInstallationTitle), source, target + "ours"))
                state.SkipWithError("copy failed");
            watch.AddTo(ours);
            SetProgressFactory(nullptr);
        };
        const auto copyWithoutWindow = [&] {
            const Stopwatch watch;
            if (!CopyFolderContents(source, target + "plain"))
                state.SkipWithError("copy failed");
            watch.AddTo(withoutWindow);
        };
        const auto copyBare = [&] {
            const Stopwatch watch;
            std::filesystem::copy(source.toStdString(), (target + "bare").toStdString(),
                                  std::filesystem::copy_options::recursive);
            watch.AddTo(bare);
        };
        // Each goes first in turn: a later copy meets the earlier ones' writes still being flushed.
        const std::function<void()> copies[] = {copyOurs, copyWithoutWindow, copyBare};
        for (int i = 0; i < 3; ++i)
            copies[(n + i) % 3]();
        ++n;
        state.PauseTiming();
        for (const char* kind : {"ours", "plain", "bare"})
            QDir(target + kind).removeRecursively();
        state.ResumeTiming();
    }
    const double perCopyMs = 1e3 / static_cast<double>(state.iterations());
    ReportAgainstBaseline(state, ours, withoutWindow, perCopyMs, "ms");
    state.counters["bare_ms"] = bare.wall * perCopyMs;
    state.counters["bare_ratio"] = bare.wall > 0 ? ours.wall / bare.wall : 0;
}
BENCHMARK(BM_InstallationCopyWithProgress)->Unit(benchmark::kMillisecond)->Iterations(21)->UseRealTime();
