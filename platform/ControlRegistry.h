#pragma once

#include "platform/ControlAbi.h"
#include "platform/ControlTypeLibrary.h"

#include <QString>

#include <optional>

// Where embeddable controls are registered: what a control library writes
// when it registers itself (class identifier to library, ProgID to class
// identifier, ...), kept in a settings file of our own. Keys are separated by
// backslashes and compared without regard to case; an empty value name is the
// key's default value. The environment variable WARDIX_CONTROL_REGISTRY, or
// SetLocation, points it at another file so tests never touch the user's.
class ControlRegistry
{
public:
    static QString Location();
    // An empty path returns to the default location.
    static void SetLocation(const QString& file);

    explicit ControlRegistry(QString file = Location());

    const QString& File() const { return m_file; }

    QString Value(const QString& key, const QString& name = {}) const;
    bool SetValue(const QString& key, const QString& name, const QString& value);
    // Removes the key with everything below it; a missing key is no failure.
    bool DeleteTree(const QString& key);

    // The library registered for a class identifier; empty when none is.
    QString InprocServer(const QString& clsid) const;
    // The class identifier of a ProgID; empty when none is registered.
    QString ClassFromProgId(const QString& progId) const;

    // A registered type library of that version; nothing when none is.
    std::optional<ControlTypeLibrary> TypeLibrary(const QString& libid, const QString& version) const;
    // One of its types (an interface or a class) by its identifier; nothing
    // when the library does not describe it.
    std::optional<ControlTypeLibrary::Type> TypeInfo(const QString& libid, const QString& version,
                                                     const QString& guid) const;

    // The boundary's view of this registry, valid while this object lives.
    ZcRegistry Api();

    // Load the library and have it register or unregister itself here.
    bool RegisterServer(const QString& libraryPath, QString* message);
    bool UnregisterServer(const QString& libraryPath, QString* message);

private:
    bool HasKey(const QString& key) const;
    QStringList SubKeys(const QString& key) const;
    bool CallServer(const QString& libraryPath, bool add, QString* message);

    QString m_file;
};
