#pragma once

#include <QString>

// The sections and keys of a backup's log (.wfb), written by a backup and
// read by a restore and by what the restore list shows of it.
namespace BackupLogKeys {
inline const QString kOptionsSection = QStringLiteral("Options");
inline const QString kStartTimeKey = QStringLiteral("Start Time");
inline const QString kStopTimeKey = QStringLiteral("Stop Time");
inline const QString kTargetFolderKey = QStringLiteral("Target Folder");
inline const QString kInstallationNameKey = QStringLiteral("Installation Name");
inline const QString kToFolderKey = QStringLiteral("To Folder");
inline const QString kFromFolderKey = QStringLiteral("From Folder");

// The section of the log's n-th installation.
inline QString InstallationSection(int n)
{
    return QStringLiteral("Installation %1").arg(n);
}
} // namespace BackupLogKeys
