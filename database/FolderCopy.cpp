#include "database/FolderCopy.h"

#include "common/IProgress.h"
#include "common/ProgramObjects.h"
#include "platform/DurableFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>

#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The bar's whole length, and how often the window is brought up to date.
constexpr int kBarSteps = 1000;
constexpr qint64 kRefreshMs = 50;

struct CopyEntry
{
    fs::path relative;
    qint64 size;
    bool folder;
};

fs::path ToPath(const QString& path)
{
    return fs::path(path.toStdString());
}

QString Normalised(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

bool IsSameOrInsideFolder(const QString& path, const QString& folder)
{
    const QString p = Normalised(path);
    const QString f = Normalised(folder);
    return p == f || p.startsWith(f.endsWith(QLatin1Char('/')) ? f : f + QLatin1Char('/'));
}

bool CopyFolderContents(const QString& from, const QString& to, const CopyProgress& progress)
{
    if (!QFileInfo(from).isDir() || IsSameOrInsideFolder(to, from))
        return false;
    const fs::path source = ToPath(from);
    const fs::path target = ToPath(to);
    std::error_code error;
    // Listed first, so that the whole copy's size is known from its first file
    // and a folder that cannot be copied whole is not begun.
    std::vector<CopyEntry> entries;
    qint64 total = 0;
    const auto options = fs::directory_options::follow_directory_symlink;
    for (fs::recursive_directory_iterator it(source, options, error), end; !error && it != end; it.increment(error)) {
        const fs::file_status status = it->status(error);
        const bool folder = fs::is_directory(status);
        if (error || (!folder && !fs::is_regular_file(status)))
            return false;
        const qint64 size = folder ? 0 : static_cast<qint64>(it->file_size(error));
        if (error)
            return false;
        entries.push_back({it->path().lexically_relative(source), size, folder});
        total += size;
    }
    if (error)
        return false;
    fs::create_directories(target, error);
    if (error)
        return false;
    qint64 done = 0;
    for (const CopyEntry& entry : entries) {
        if (entry.folder) {
            fs::create_directory(target / entry.relative, source / entry.relative, error);
        } else {
            if (progress)
                progress(QString::fromStdString(entry.relative.generic_string()), done, total);
            // Each file written beside its place and renamed into it: a copy
            // cut short leaves every file whole, old or new.
            if (!CopyWholeFile(QString::fromStdString((source / entry.relative).string()),
                               QString::fromStdString((target / entry.relative).string())))
                return false;
            done += entry.size;
        }
        if (error)
            return false;
    }
    return true;
}

bool CopyFolderShowingProgress(const QString& title, const QString& from, const QString& to)
{
    IProgressFactory* factory = GetProgressFactory();
    const std::unique_ptr<IProgress> display =
        factory ? factory->Open(IProgress::Bar, title, QString(), kBarSteps) : nullptr;
    if (!display)
        return CopyFolderContents(from, to);
    QElapsedTimer sinceShown;
    const bool copied = CopyFolderContents(from, to, [&](const QString& file, qint64 done, qint64 total) {
        // Drawing the window for each of many small files would slow the copy.
        if (sinceShown.isValid() && sinceShown.elapsed() < kRefreshMs)
            return;
        sinceShown.start();
        display->SetStatus(file);
        display->SetPos(total > 0 ? static_cast<int>(done * kBarSteps / total) : 0);
    });
    if (copied)
        display->SetPos(kBarSteps);
    return copied;
}

bool CopyWouldOverwrite(const QString& from, const QString& to)
{
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = source.relativeFilePath(it.next());
        if (QFileInfo::exists(QDir(to).filePath(relative)))
            return true;
    }
    return false;
}

qint64 GetFolderSize(const QString& folder)
{
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}
