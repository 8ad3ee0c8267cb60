#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// Files written beside their place and renamed into it, then made durable
// together: a run of many small files pays for one sync, not one each.
class DurableFiles
{
public:
    // Writes the file's new content beside it and renames it into place; it
    // is durable after the next Sync. False when it could not be written.
    bool Write(const QString& path, const QByteArray& bytes);
    // Makes every file written since the last Sync, and the folder entries
    // that name them, durable: one sync of their file system where the
    // system offers it, else one of each file. False when the system
    // refused. The list is emptied either way.
    bool Sync();
    bool IsEmpty() const { return m_files.empty(); }
    const std::vector<QByteArray>& Files() const { return m_files; }
    // Removes every file written since the last Sync: what a scope that
    // could not keep them leaves behind.
    void RemoveAll();
    // Replaces each file by its new content, whole: all are written beside
    // their places and made durable together before any is renamed into
    // place. False when one could not be written or made durable: those
    // renamed by then hold their new content, the others their old.
    static bool ReplaceAll(const std::vector<std::pair<QString, QByteArray>>& files);
    // Makes the folder entry of a file just renamed into place durable.
    static bool SyncFolderOf(const QString& path);

private:
    bool SyncFiles();
    void NoteFolder(const QString& path);

    std::vector<QByteArray> m_files;
    std::vector<QByteArray> m_folders;
};

// Replaces one file by its new content, whole: written beside it, made
// durable, renamed into place and its folder entry made durable. Every write,
// sync and rename is checked; false when one failed, and then the file holds
// its old content (or, when only the folder's sync failed, its new one).
bool WriteWholeFile(const QString& path, const QByteArray& bytes);
// The same for a copy of the file at from, read a piece at a time.
bool CopyWholeFile(const QString& from, const QString& to);
// Renames a finished file into place, over any file there: its content is
// made durable first and its folder entry after. False, errno set, when a
// step failed; to then holds its old file and from its new one (where the
// file system has no links and only the folder's sync failed, to holds the
// new file).
bool MoveIntoPlace(const QString& from, const QString& to);
