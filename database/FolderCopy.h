#pragma once

#include <QString>

#include <functional>

// Whole-folder work for installations and backups: everything in a folder,
// subfolders included.

// Told as each file's copy begins: its path below the source folder, and the
// bytes copied before it out of the whole copy's.
using CopyProgress = std::function<void(const QString& file, qint64 done, qint64 total)>;

// Copies the contents of from into to (created when missing), replacing files
// of the same name. Refuses a target that is the source or lies inside it.
bool CopyFolderContents(const QString& from, const QString& to, const CopyProgress& progress = {});

// The same copy in a progress window with the title, the file being copied and
// a bar; it has nothing to press, as the copy cannot stop half-way.
bool CopyFolderShowingProgress(const QString& title, const QString& from, const QString& to);

// The progress windows' titles.
inline constexpr char kCopyingInstallationTitle[] = "Copying installation...";
inline constexpr char kCopingInstallationTitle[] = "Coping Installation...";
inline constexpr char kBackingUpInstallationTitle[] = "Backing up installation...";

// True when path is folder itself or lies below it (after resolving "." and "..").
bool IsSameOrInsideFolder(const QString& path, const QString& folder);

// True when some file of from would replace a file already in to.
bool CopyWouldOverwrite(const QString& from, const QString& to);

// Total size in bytes of the files in the folder and all below it.
qint64 GetFolderSize(const QString& folder);
