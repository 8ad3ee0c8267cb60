#pragma once

#include <QDateTime>
#include <QString>

// Date texts of the installation and backup screens, always in English as
// the program wrote them.

// "%A, %B %d, %Y %I:%M:%S %p" of the file's last write; empty when the file is missing.
QString FormatLastModified(const QString& path);

// "%B %d, %Y  %I:%M %p" (two blanks before the hour).
QString FormatBackupTime(const QDateTime& local);
// The time FormatBackupTime wrote; invalid for any other text.
QDateTime ParseBackupTime(const QString& text);
