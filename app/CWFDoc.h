#pragma once

#include <QString>

// The open installation.
class CWFDoc
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

    // Every path of the system from a folder kind and a name; the
    // installation-relative kinds are built on installationFolder.
    static QString BuildPath(int kind, const QString& name, const QString& installationFolder);
    QString BuildPath(int kind, const QString& name) const;

    void SetDataToProgram(int flag) { m_bDataToProgram = flag; }
    int GetDataToProgram() const { return m_bDataToProgram; }

    QString m_strInstallationFolder;
    QString m_strInstallationName;
    int m_bDataToProgram = 0;
};
