#include "platform/ControlRegistry.h"

#include "platform/ControlLibrary.h"

#include <QFileInfo>
#include <QObject>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace {

constexpr const char* kLocationVariable = "WARDIX_CONTROL_REGISTRY";
constexpr const char* kDefaultFile = "Quorin/ControlRegistry.conf";
// A key's own value, as REGEDIT writes it.
constexpr const char* kDefaultValueName = "@";

QString g_location;

// The settings path of a registry key and value name; false for a key that
// does not name a place in the registry.
bool SettingsPath(const QString& key, const QString& name, QString* path)
{
    const QStringList parts = key.split(QLatin1Char('\\'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part.contains(QLatin1Char('/')))
            return false;
    }
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    *path = parts.join(QLatin1Char('/')).toLower();
    if (!name.isNull())
        *path += QLatin1Char('/') + (name.isEmpty() ? QString::fromLatin1(kDefaultValueName) : name.toLower());
    return true;
}

ZcResult CallSetValue(void* context, const char* key, const char* name, const char* value)
{
    if (!key || !name || !value)
        return ZC_E_POINTER;
    auto* registry = static_cast<ControlRegistry*>(context);
    return registry->SetValue(QString::fromUtf8(key), QString::fromUtf8(name), QString::fromUtf8(value))
        ? ZC_S_OK
        : ZC_E_FAIL;
}

ZcResult CallDeleteTree(void* context, const char* key)
{
    if (!key)
        return ZC_E_POINTER;
    return static_cast<ControlRegistry*>(context)->DeleteTree(QString::fromUtf8(key)) ? ZC_S_OK : ZC_E_FAIL;
}

} // namespace

QString ControlRegistry::Location()
{
    if (!g_location.isEmpty())
        return g_location;
    const QString variable = qEnvironmentVariable(kLocationVariable);
    if (!variable.isEmpty())
        return variable;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/')
        + QString::fromLatin1(kDefaultFile);
}

void ControlRegistry::SetLocation(const QString& file)
{
    g_location = file;
}

ControlRegistry::ControlRegistry(QString file) : m_file(std::move(file)) {}

QString ControlRegistry::Value(const QString& key, const QString& name) const
{
    QString path;
    if (!SettingsPath(key, name.isNull() ? QStringLiteral("") : name, &path))
        return {};
    return QSettings(m_file, QSettings::IniFormat).value(path).toString();
}

bool ControlRegistry::SetValue(const QString& key, const QString& name, const QString& value)
{
    QString path;
    if (!SettingsPath(key, name.isNull() ? QStringLiteral("") : name, &path))
        return false;
    QSettings settings(m_file, QSettings::IniFormat);
    settings.setValue(path, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool ControlRegistry::DeleteTree(const QString& key)
{
    QString path;
    if (!SettingsPath(key, QString(), &path))
        return false;
    QSettings settings(m_file, QSettings::IniFormat);
    settings.remove(path);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString ControlRegistry::InprocServer(const QString& clsid) const
{
    return Value(QStringLiteral("CLSID\\%1\\InprocServer32").arg(clsid));
}

QString ControlRegistry::ClassFromProgId(const QString& progId) const
{
    return Value(QStringLiteral("%1\\CLSID").arg(progId));
}

ZcRegistry ControlRegistry::Api()
{
    return ZcRegistry{this, &CallSetValue, &CallDeleteTree};
}

bool ControlRegistry::RegisterServer(const QString& libraryPath, QString* message)
{
    return CallServer(libraryPath, true, message);
}

bool ControlRegistry::UnregisterServer(const QString& libraryPath, QString* message)
{
    return CallServer(libraryPath, false, message);
}

bool ControlRegistry::CallServer(const QString& libraryPath, bool add, QString* message)
{
    // Loaded by its full path, as the registration will name it.
    const QString path = QFileInfo(libraryPath).absoluteFilePath();
    const std::shared_ptr<ControlLibrary> library = ControlLibrary::Load(path, message);
    if (!library)
        return false;
    const ZcRegistry api = Api();
    const ZcResult result = add ? library->RegisterServer(api) : library->UnregisterServer(api);
    if (result == ZC_S_OK)
        return true;
    *message = (add ? QObject::tr("Registration of %1 failed (error 0x%2).")
                    : QObject::tr("Unregistration of %1 failed (error 0x%2)."))
                   .arg(path)
                   .arg(static_cast<quint32>(result), 8, 16, QLatin1Char('0'));
    return false;
}
