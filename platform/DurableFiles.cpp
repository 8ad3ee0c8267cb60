#include "platform/DurableFiles.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace
{
const QByteArray kBesideSuffix = QByteArrayLiteral(".new");

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0)
            return false;
        done += written;
    }
    return true;
}

// Opens, syncs with sync(fd), closes.
bool SyncPath(const QByteArray& path, int flags, int (*sync)(int))
{
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = sync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

// The bytes in a new file at beside; false, with nothing left, when they
// could not be written whole.
bool WriteBeside(const QByteArray& beside, const QByteArray& bytes)
{
    const int fd = ::open(beside.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, bytes);
    if (::close(fd) != 0 || !written) {
        ::unlink(beside.constData());
        return false;
    }
    return true;
}
} // namespace

bool DurableFiles::Write(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray beside = target + kBesideSuffix;
    if (!WriteBeside(beside, bytes))
        return false;
    if (::rename(beside.constData(), target.constData()) != 0) {
        ::unlink(beside.constData());
        return false;
    }
    m_files.push_back(target);
    NoteFolder(path);
    return true;
}

bool DurableFiles::ReplaceAll(const std::vector<std::pair<QString, QByteArray>>& files)
{
    DurableFiles beside;
    std::vector<QByteArray> targets;
    bool done = true;
    for (const auto& [path, bytes] : files) {
        const QByteArray target = QFile::encodeName(path);
        if (!WriteBeside(target + kBesideSuffix, bytes)) {
            done = false;
            break;
        }
        targets.push_back(target);
        beside.m_files.push_back(target + kBesideSuffix);
        beside.NoteFolder(path);
    }
    // A file renamed before its content is durable may come back empty
    // after a power cut, in place of the old one.
    done = done && beside.SyncFiles();
    for (const QByteArray& target : targets) {
        const QByteArray from = target + kBesideSuffix;
        if (!done || ::rename(from.constData(), target.constData()) != 0) {
            ::unlink(from.constData());
            done = false;
        }
    }
    beside.m_files.clear(); // renamed: only their folders are left to sync
    return beside.Sync() && done;
}

void DurableFiles::NoteFolder(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (std::find(m_folders.begin(), m_folders.end(), folder) == m_folders.end())
        m_folders.push_back(folder);
}

bool DurableFiles::SyncFiles()
{
    if (m_files.empty() || SyncPath(m_folders.front(), O_RDONLY | O_DIRECTORY, ::syncfs))
        return true;
    bool synced = true;
    for (const QByteArray& file : m_files)
        synced = SyncPath(file, O_RDONLY, ::fdatasync) && synced;
    return synced;
}

void DurableFiles::RemoveAll()
{
    for (const QByteArray& file : m_files)
        ::unlink(file.constData());
    m_files.clear();
    m_folders.clear();
}

bool DurableFiles::Sync()
{
    bool synced = SyncFiles();
    for (const QByteArray& folder : m_folders)
        synced = SyncPath(folder, O_RDONLY | O_DIRECTORY, ::fsync) && synced;
    m_files.clear();
    m_folders.clear();
    return synced;
}

namespace
{
// Writes the file beside path with write(fd), makes it durable and renames it
// into place, then makes its folder entry durable.
template <typename Writer>
bool ReplaceWith(const QString& path, Writer write)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray beside = target + kBesideSuffix;
    const int fd = ::open(beside.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    // Written unbuffered: every failing write is seen here, none is left to
    // a flush whose failure a later step could hide.
    const bool written = write(fd) && ::fdatasync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(beside.constData());
        return false;
    }
    if (::rename(beside.constData(), target.constData()) != 0) {
        ::unlink(beside.constData());
        return false;
    }
    return DurableFiles::SyncFolderOf(path);
}
} // namespace

bool DurableFiles::SyncFolderOf(const QString& path)
{
    DurableFiles folder;
    folder.NoteFolder(path);
    return folder.Sync();
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    return ReplaceWith(path, [&](int fd) { return WriteAll(fd, bytes); });
}

bool CopyWholeFile(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kPiece = 1 << 20;
    return ReplaceWith(to, [&](int fd) {
        while (!source.atEnd()) {
            const QByteArray piece = source.read(kPiece);
            if (piece.isEmpty() || !WriteAll(fd, piece))
                return false;
        }
        return source.error() == QFileDevice::NoError;
    });
}

bool MoveIntoPlace(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (!SyncPath(source, O_RDONLY, ::fdatasync))
        return false;
    // The old file keeps a second name until the move is durable, so that a
    // failed folder sync can put it back.
    const QByteArray old = target + QByteArrayLiteral(".replaced");
    ::unlink(old.constData());
    const bool kept = ::link(target.constData(), old.constData()) == 0;
    const bool replaces = kept || errno != ENOENT;
    if (::rename(source.constData(), target.constData()) != 0) {
        const int error = errno;
        if (kept)
            ::unlink(old.constData());
        errno = error;
        return false;
    }
    if (!DurableFiles::SyncFolderOf(to)) {
        const int error = errno;
        // Without a second name (a file system without links) the new file stays.
        if (kept || !replaces) {
            ::rename(target.constData(), source.constData());
            if (kept)
                ::rename(old.constData(), target.constData());
        }
        errno = error;
        return false;
    }
    if (kept)
        ::unlink(old.constData());
    return true;
}
