#include "database/FileTimeText.h"

#include <QFileInfo>
#include <QLocale>

QString FormatLastModified(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QString();
    return QLocale::c().toString(file.lastModified(), QStringLiteral("dddd, MMMM dd, yyyy hh:mm:ss AP"));
}

QString FormatBackupTime(const QDateTime& local)
{
    return QLocale::c().toString(local, QStringLiteral("MMMM dd, yyyy  hh:mm AP"));
}
