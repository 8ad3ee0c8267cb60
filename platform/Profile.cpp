#include "platform/Profile.h"

#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

#include <memory>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString g_location;
bool g_writeFailed = false;

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

bool SyncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fdatasync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

bool SameValues(QSettings& settings, const QString& file);

// Whether the file holds every value the settings do, read back afresh:
// through a name of its own, as the settings' cache of a file it wrote is
// what it meant to write, not what the file holds.
bool HoldsAll(QSettings& settings)
{
    static int s_checks = 0;
    const QString check = settings.fileName() + QStringLiteral(".check-%1-%2").arg(QCoreApplication::applicationPid()).arg(++s_checks);
    if (!QFile::link(settings.fileName(), check) && !QFile::copy(settings.fileName(), check))
        return false;
    const bool holds = SameValues(settings, check);
    QFile::remove(check);
    return holds;
}

bool SameValues(QSettings& settings, const QString& file)
{
    QSettings written(file, QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    if (written.status() != QSettings::NoError || written.allKeys().size() != keys.size())
        return false;
    for (const QString& key : keys) {
        const QVariant kept = written.value(key);
        const QVariant meant = settings.value(key);
        // Numbers come back from the file as text.
        if (kept != meant && kept.toString() != meant.toString())
            return false;
    }
    return true;
}

// Makes one change to the settings and writes them. The settings file's own
// writer may report success after a write the disk refused, leaving a short
// file: what it wrote is read back, and the old file put back when it is not
// whole. A failure is shown, naming the file.
template <typename Change>
bool Store(Change change)
{
    const std::unique_ptr<QSettings> settings = OpenSettings();
    const QString file = settings->fileName();
    const std::optional<QByteArray> old = ReadWholeFile(file);
    change(*settings);
    settings->sync();
    // The settings' writer makes no file for settings without a value.
    const bool empty = settings->allKeys().isEmpty() && !QFile::exists(file);
    if (settings->status() == QSettings::NoError && (empty || (HoldsAll(*settings) && SyncFile(file))))
        return true;
    if (old)
        WriteWholeFile(file, *old);
    else
        QFile::remove(file);
    g_writeFailed = true;
    ShowMessageBox(QStringLiteral("Error writing to the settings file %1.").arg(file));
    return false;
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

bool WriteInt(const QString& section, const QString& key, int value)
{
    return Store([&](QSettings& settings) { settings.setValue(Path(section, key), value); });
}

bool WriteString(const QString& section, const QString& key, const QString& value)
{
    return Store([&](QSettings& settings) { settings.setValue(Path(section, key), value); });
}

bool RemoveKey(const QString& section, const QString& key)
{
    return Store([&](QSettings& settings) { settings.remove(Path(section, key)); });
}

bool WriteValues(const std::vector<Value>& values)
{
    return Store([&](QSettings& settings) {
        for (const Value& value : values)
            settings.setValue(Path(value.section, value.key), value.value);
    });
}

bool HasFailedWrite()
{
    return g_writeFailed;
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
