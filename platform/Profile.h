#pragma once

#include <QString>
#include <QStringList>

// The program's own settings (the user's profile), by section and key, over
// QSettings with organisation "Quorin" and application "Wardix". The
// environment variable WARDIX_PROFILE, or SetLocation, points it at another
// file so that tests never touch the user's real profile.
namespace Profile {

int GetInt(const QString& section, const QString& key, int defaultValue);
QString GetString(const QString& section, const QString& key, const QString& defaultValue = {});
void WriteInt(const QString& section, const QString& key, int value);
void WriteString(const QString& section, const QString& key, const QString& value);
void RemoveKey(const QString& section, const QString& key);

QStringList Sections();
QStringList Keys(const QString& section);

// An empty path returns to the default location.
void SetLocation(const QString& file);
QString Location();

} // namespace Profile
