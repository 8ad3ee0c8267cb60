#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// What a backup's log tells the operator before a restore.

// When the backup was made, from its log's start time; the log file's own
// time when the log holds none.
QString BackupDate(const QString& logPath);
// The start time the backup's log records; invalid when it records none.
QDateTime BackupStartTime(const QString& logPath);

// The installations a restore would bring back: those whose section names
// both folders, by name.
QStringList BackupInstallations(const QString& logPath);
