#include "database/CInstallationBackup.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <QDir>
#include <QDirIterator>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
int EntriesBelow(const QString& folder)
{
    int count = 0;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext(); it.next())
        ++count;
    return count;
}
} // namespace

// A backup log ("<name>.wfb") as a restore reads it. The set holds no copied
// folder, so whatever the log says, nothing may be written: the program
// folder stays as it was.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString home = FuzzSandbox::Get().Path(QStringLiteral("home"));
    static const QString log = [] {
        const QString folder = FuzzSandbox::Get().Path(QStringLiteral("Backups/Backup 01-02-03"));
        QDir().mkpath(folder);
        QDir().mkpath(home);
        return QDir(folder).filePath(QStringLiteral("Backup 01-02-03.wfb"));
    }();
    FuzzSandbox::WriteFile(log, FuzzSandbox::Bytes(data, size));
    const int before = EntriesBelow(home);

    CInstallationBackup backup;
    backup.SetLogPath(log);
    backup.GetName();
    backup.GetLastModified();
    backup.Restore(true);
    if (EntriesBelow(home) != before || EntriesBelow(QFileInfo(log).path()) != 1)
        std::abort();
    return 0;
}
