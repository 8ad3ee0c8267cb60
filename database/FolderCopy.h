#pragma once

#include <QString>

// Whole-folder work for installations and backups: everything in a folder,
// subfolders included.

// Copies the contents of from into to (created when missing), replacing files
// of the same name. Refuses a target that is the source or lies inside it.
bool CopyFolderContents(const QString& from, const QString& to);

// True when path is folder itself or lies below it (after resolving "." and "..").
bool IsSameOrInsideFolder(const QString& path, const QString& folder);

// True when some file of from would replace a file already in to.
bool CopyWouldOverwrite(const QString& from, const QString& to);

// Total size in bytes of the files in the folder and all below it.
qint64 GetFolderSize(const QString& folder);
