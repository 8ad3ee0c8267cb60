#include "database/FolderCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

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

bool CopyFolderContents(const QString& from, const QString& to)
{
    if (!QFileInfo(from).isDir() || IsSameOrInsideFolder(to, from))
        return false;
    std::error_code error;
    fs::create_directories(ToPath(to), error);
    if (error)
        return false;
    fs::copy(ToPath(from), ToPath(to), fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    return !error;
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
