#include "database/BackupSummary.h"

#include "database/CInstallation.h"
#include "database/FileTimeText.h"
#include "platform/PrivateProfile.h"

#include <QDir>
#include <QFileInfo>

QString BackupDate(const QString& logPath)
{
    const QString start =
        PrivateProfile::GetString(QStringLiteral("Options"), QStringLiteral("Start Time"), QString(), logPath);
    // The log keeps two blanks before the hour; a sentence reads better with one.
    return (start.isEmpty() ? FormatBackupTime(QFileInfo(logPath).lastModified()) : start).simplified();
}

QStringList BackupInstallations(const QString& logPath)
{
    QStringList installations;
    for (int n = 1; n <= CInstallation::kMaxInstallations; ++n) {
        const QString section = QStringLiteral("Installation %1").arg(n);
        const QString from = PrivateProfile::GetString(section, QStringLiteral("From Folder"), QString(), logPath);
        if (from.isEmpty()
            || PrivateProfile::GetString(section, QStringLiteral("To Folder"), QString(), logPath).isEmpty())
            continue;
        const QString name =
            PrivateProfile::GetString(section, QStringLiteral("Installation Name"), QString(), logPath);
        installations << (name.isEmpty() ? QDir::toNativeSeparators(from) : name);
    }
    return installations;
}
