#pragma once

#include <QString>

// Every folder and file of the program folder and of an installation, by
// folder kind and name.
class InstallationPaths
{
public:
    // Folder kinds of BuildPath.
    enum PathKind {
        kProgramInstallations = 0,
        kProgram = 1,
        kInstallation = 2,
        kNetCommands = 3,
        kVestrels = 4,
        kLastProgrammed = 5,
        kEventLogs = 6,
        kInstallationDatabase = 7,
        kNewInstallation = 8,
        kProgramHtml = 9,
        kBackups = 10,
        kProgramDatabase = 11,
        kVestrelsToo = 12,
        kReflasher = 13,
    };

    // The installation-relative kinds are built on installationFolder.
    static QString BuildPath(int kind, const QString& name, const QString& installationFolder);

    // A name taken from a database, an installation file or a backup log may
    // name a file of a folder only when it is a plain file name: not empty,
    // no separator (so not absolute), not starting with a dot (so not ".."),
    // no NUL. Anything else could reach outside the folder.
    static bool IsPlainFileName(const QString& name);
};
