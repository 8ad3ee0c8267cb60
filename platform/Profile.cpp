#include "platform/Profile.h"

#include <QSettings>

#include <memory>

namespace {

QString g_location;

std::unique_ptr<QSettings> OpenSettings()
{
    QString file = g_location;
    if (file.isEmpty())
        file = qEnvironmentVariable("WARDIX_PROFILE");
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorin"),
                                       QStringLiteral("Wardix"));
}

QString Path(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

namespace Profile {

int GetInt(const QString& section, const QString& key, int defaultValue)
{
    bool ok = false;
    const int value = OpenSettings()->value(Path(section, key)).toInt(&ok);
    return ok ? value : defaultValue;
}

QString GetString(const QString& section, const QString& key, const QString& defaultValue)
{
    return OpenSettings()->value(Path(section, key), defaultValue).toString();
}

void WriteInt(const QString& section, const QString& key, int value)
{
    OpenSettings()->setValue(Path(section, key), value);
}

void WriteString(const QString& section, const QString& key, const QString& value)
{
    OpenSettings()->setValue(Path(section, key), value);
}

void RemoveKey(const QString& section, const QString& key)
{
    OpenSettings()->remove(Path(section, key));
}

QStringList Sections()
{
    return OpenSettings()->childGroups();
}

QStringList Keys(const QString& section)
{
    auto settings = OpenSettings();
    settings->beginGroup(section);
    return settings->childKeys();
}

void SetLocation(const QString& file)
{
    g_location = file;
}

QString Location()
{
    return OpenSettings()->fileName();
}

} // namespace Profile
