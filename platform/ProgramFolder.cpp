#include "platform/ProgramFolder.h"

#include <QDir>
#include <QStandardPaths>

QString ProgramFolder()
{
    QString folder = qEnvironmentVariable("WARDIX_HOME");
    if (folder.isEmpty()) {
        folder = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation).value(0);
        folder = QDir(folder).filePath(QStringLiteral("Quorin/Wardix"));
    }
    return QDir::cleanPath(folder);
}

bool EnsureFolder(const QString& path)
{
    return QDir().mkpath(path);
}
