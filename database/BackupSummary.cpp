#include "database/BackupSummary.h"

#include "database/BackupLogKeys.h"
#include "database/CInstallation.h"
#include "database/FileTimeText.h"
#include "platform/PrivateProfile.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString StartTimeText(const QString& logPath)
{
    return PrivateProfile::GetString(BackupLogKeys::kOptionsSection, BackupLogKeys::kStartTimeKey, QString(), logPath);
}
} // namespace

QString BackupDate(const QString& logPath)
{
    const QString start = StartTimeText(logPath);
    // The log keeps two blanks before the hour; a sentence reads better with one.
    return (start.isEmpty() ? FormatBackupTime(QFileInfo(logPath).lastModified()) : start).simplified();
}

QDateTime BackupStartTime(const QString& logPath)
{
    return ParseBackupTime(StartTimeText(logPath));
}

QStringList BackupInstallations(const QString& logPath)
{
    QStringList installations;
    for (int n = 1; n <= CInstallation::kMaxInstallations; ++n) {
        const QString section = BackupLogKeys::InstallationSection(n);
        const QString from = PrivateProfile::GetString(section, BackupLogKeys::kFromFolderKey, QString(), logPath);
        if (from.isEmpty()
            || PrivateProfile::GetString(section, BackupLogKeys::kToFolderKey, QString(), logPath).isEmpty())
            continue;
        const QString name =
            PrivateProfile::GetString(section, BackupLogKeys::kInstallationNameKey, QString(), logPath);
        installations << (name.isEmpty() ? QDir::toNativeSeparators(from) : name);
    }
    return installations;
}
