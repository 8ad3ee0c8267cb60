#pragma once

#include <QString>

// A program's desktop entry and the shared-mime-info type of its documents,
// installed for the user below the data folder ($XDG_DATA_HOME, else
// ~/.local/share), so that opening such a document starts the program with it.
struct DesktopFileType
{
    // The entry's file name, for example "program.desktop".
    QString entryName;
    QString applicationName;
    // The absolute path of the program to start.
    QString program;
    // The option the document's path follows on the program's command line.
    QString openOption;
    // For example "application/x-program-document".
    QString mimeType;
    QString typeComment;
    // The documents' file names, for example "*.doc".
    QString glob;
};

// Where the two files go.
QString DesktopEntryPath(const DesktopFileType& type);
QString MimePackagePath(const DesktopFileType& type);

// The two files' contents.
QByteArray DesktopEntryText(const DesktopFileType& type);
QByteArray MimePackageText(const DesktopFileType& type);

enum class DesktopRegistration { UpToDate, Written, Failed };

// Writes whichever file is missing or differs (each replaced whole) and then
// refreshes the desktop's caches with its tools where they are installed.
// Failed when a file could not be written; nothing half-written is left.
DesktopRegistration RegisterDesktopFileType(const DesktopFileType& type);
