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

// The installation copy in its progress window beside a bare recursive copy
// of the same folder, taken in turns.
static void BM_InstallationCopyWithProgress(benchmark::State& state)
{
    CProgressDialogFactory dialogs;
    SetProgressFactory(&dialogs);
    QTemporaryDir root;
    const QString source = root.filePath("Site");
    MakeInstallation(source);
    Spent ours;
    Spent baseline;
    int n = 0;
    for (auto _ : state) {
        const QString oursTarget = root.filePath(QStringLiteral("Ours%1").arg(n));
        const QString plainTarget = root.filePath(QStringLiteral("Plain%1").arg(n));
        const auto copyOurs = [&] {
            const Stopwatch watch;
            if (!CopyFolderShowingProgress(QString::fromLatin1(kCopyingInstallationTitle), source, oursTarget))
                state.SkipWithError("copy failed");
            watch.AddTo(ours);
        };
        const auto copyPlain = [&] {
            const Stopwatch watch;
            std::filesystem::copy(source.toStdString(), plainTarget.toStdString(),
                                  std::filesystem::copy_options::recursive);
            watch.AddTo(baseline);
        };
        // Each goes first in turn: the second copy meets the first one's writes still being flushed.
        if (n++ % 2 == 0) {
            copyOurs();
            copyPlain();
        } else {
            copyPlain();
            copyOurs();
        }
        state.PauseTiming();
        QDir(oursTarget).removeRecursively();
        QDir(plainTarget).removeRecursively();
        state.ResumeTiming();
    }
    SetProgressFactory(nullptr);
    ReportAgainstBaseline(state, ours, baseline, 1e3 / static_cast<double>(state.iterations()), "ms");
}
BENCHMARK(BM_InstallationCopyWithProgress)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
