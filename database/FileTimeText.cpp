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

namespace {
const QString kBackupTimeFormat = QStringLiteral("MMMM dd, yyyy  hh:mm AP");
} // namespace

QString FormatBackupTime(const QDateTime& local)
{
    return QLocale::c().toString(local, kBackupTimeFormat);
}

QDateTime ParseBackupTime(const QString& text)
{
    return QLocale::c().toDateTime(text, kBackupTimeFormat);
}
