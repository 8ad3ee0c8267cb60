#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// The program's own settings (the user's profile), by section and key, over
// QSettings with organisation "Quorin" and application "Wardix". The
// environment variable WARDIX_PROFILE, or SetLocation, points it at another
// file so that tests never touch the user's real profile.
namespace Profile {

int GetInt(const QString& section, const QString& key, int defaultValue);
QString GetString(const QString& section, const QString& key, const QString& defaultValue = {});
// A write the file system refused leaves the file as it was, is shown
// naming the file, and gives false.
bool WriteInt(const QString& section, const QString& key, int value);
bool WriteString(const QString& section, const QString& key, const QString& value);
bool RemoveKey(const QString& section, const QString& key);
struct Value
{
    QString section;
    QString key;
    QVariant value;
};
// Every value in one write of the file: all are written or none.
bool WriteValues(const std::vector<Value>& values);
// Whether a write failed since the program started.
bool HasFailedWrite();

QStringList Sections();
QStringList Keys(const QString& section);

// An empty path returns to the default location.
void SetLocation(const QString& file);
QString Location();

} // namespace Profile
