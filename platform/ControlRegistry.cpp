#include "platform/ControlRegistry.h"

#include "platform/ControlLibrary.h"

#include <QFileInfo>
#include <QObject>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

namespace {

constexpr const char* kLocationVariable = "WARDIX_CONTROL_REGISTRY";
constexpr const char* kDefaultFile = "Quorin/ControlRegistry.conf";
// A key's own value, as REGEDIT writes it.
constexpr const char* kDefaultValueName = "@";

// The platform key below a type library's locale, where its file is named.
constexpr const char* kPlatformName = "linux";

QString g_location;

QString TypeLibraryKey(const QString& libid, const QString& version)
{
    return QStringLiteral("TypeLib\\%1\\%2").arg(libid, version);
}

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
    {
        QSettings settings(m_file, QSettings::IniFormat);
        settings.setValue(path, value);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    // Read back: a write the disk refused at its last flush is reported as done.
    return QSettings(m_file, QSettings::IniFormat).value(path).toString() == value;
}

bool ControlRegistry::DeleteTree(const QString& key)
{
    QString path;
    if (!SettingsPath(key, QString(), &path))
        return false;
    {
        QSettings settings(m_file, QSettings::IniFormat);
        settings.remove(path);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    return !HasKey(key);
}

QString ControlRegistry::InprocServer(const QString& clsid) const
{
    return Value(QStringLiteral("CLSID\\%1\\InprocServer32").arg(clsid));
}

QString ControlRegistry::ClassFromProgId(const QString& progId) const
{
    return Value(QStringLiteral("%1\\CLSID").arg(progId));
}

std::optional<ControlTypeLibrary> ControlRegistry::TypeLibrary(const QString& libid, const QString& version) const
{
    const QString key = TypeLibraryKey(libid, version);
    if (!HasKey(key))
        return std::nullopt;
    ControlTypeLibrary library;
    library.name = Value(key, QStringLiteral("Name"));
    library.description = Value(key);
    library.helpFile = Value(key, QStringLiteral("HelpFile"));
    library.helpDir = Value(key + QStringLiteral("\\HELPDIR"));
    library.path = Value(key + QStringLiteral("\\0\\") + QString::fromLatin1(kPlatformName));
    return library;
}

std::optional<ControlTypeLibrary::Type> ControlRegistry::TypeInfo(const QString& libid, const QString& version,
                                                                  const QString& guid) const
{
    const QString key = QStringLiteral("%1\\Types\\%2").arg(TypeLibraryKey(libid, version), guid);
    if (!HasKey(key))
        return std::nullopt;
    ControlTypeLibrary::Type type;
    type.name = Value(key);
    type.description = Value(key, QStringLiteral("Description"));
    const QString membersKey = key + QStringLiteral("\\Members");
    for (const QString& number : SubKeys(membersKey)) {
        bool valid = false;
        const std::int32_t dispid = number.toInt(&valid);
        if (!valid)
            continue;
        const QString memberKey = membersKey + QLatin1Char('\\') + number;
        const QString parameters = Value(memberKey, QStringLiteral("Parameters"));
        type.members.append({dispid, Value(memberKey),
                             parameters.isEmpty() ? QStringList() : parameters.split(QLatin1Char(','))});
    }
    std::sort(type.members.begin(), type.members.end(),
              [](const auto& a, const auto& b) { return a.dispid < b.dispid; });
    return type;
}

bool ControlRegistry::HasKey(const QString& key) const
{
    QString path;
    if (!SettingsPath(key, QString(), &path))
        return false;
    QSettings settings(m_file, QSettings::IniFormat);
    settings.beginGroup(path);
    return !settings.allKeys().isEmpty();
}

QStringList ControlRegistry::SubKeys(const QString& key) const
{
    QString path;
    if (!SettingsPath(key, QString(), &path))
        return {};
    QSettings settings(m_file, QSettings::IniFormat);
    settings.beginGroup(path);
    return settings.childGroups();
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
                   .arg(path, QStringLiteral("%1").arg(static_cast<quint32>(result), 8, 16, QLatin1Char('0')));
    return false;
}
