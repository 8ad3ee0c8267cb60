#include "zonectl/CQZRegistration.h"

#include "zonectl/QZIdentifiers.h"

#include <QFileInfo>

#include <initializer_list>

namespace {

constexpr const char* kDefault = "";
constexpr const char* kApartment = "Apartment";
constexpr const char* kTypeLibFlags = "0";
constexpr const char* kMiscStatusDefault = "0";

struct Entry
{
    QString key;
    QString name;
    QString value;
};

QString Key(std::initializer_list<QString> parts)
{
    return QStringList(parts).join(QLatin1Char('\\'));
}

QString Text(const char* text)
{
    return QString::fromLatin1(text);
}

bool Write(const ZcRegistry& registry, std::initializer_list<Entry> entries)
{
    for (const Entry& entry : entries) {
        const QByteArray key = entry.key.toUtf8();
        const QByteArray name = entry.name.toUtf8();
        const QByteArray value = entry.value.toUtf8();
        if (!ZC_SUCCEEDED(registry.SetValue(registry.context, key.constData(), name.constData(), value.constData())))
            return false;
    }
    return true;
}

bool Remove(const ZcRegistry& registry, std::initializer_list<QString> keys)
{
    for (const QString& key : keys) {
        if (!ZC_SUCCEEDED(registry.DeleteTree(registry.context, key.toUtf8().constData())))
            return false;
    }
    return true;
}

QString InterfaceKey(const char* iid)
{
    return Key({QStringLiteral("Interface"), Text(iid)});
}

} // namespace

ZcResult CQZRegistration::RegisterServer(const ZcRegistry& registry, const QString& libraryPath)
{
    if (!UpdateTypeLibrary(registry, libraryPath, true))
        return ZC_SELFREG_E_TYPELIB;
    if (!UpdateControlClass(registry, libraryPath, true) || !UpdatePageClass(registry, libraryPath, true))
        return ZC_SELFREG_E_CLASS;
    return ZC_S_OK;
}

ZcResult CQZRegistration::UnregisterServer(const ZcRegistry& registry)
{
    if (!UpdateTypeLibrary(registry, {}, false))
        return ZC_SELFREG_E_TYPELIB;
    if (!UpdateControlClass(registry, {}, false) || !UpdatePageClass(registry, {}, false))
        return ZC_SELFREG_E_CLASS;
    return ZC_S_OK;
}

bool CQZRegistration::UpdateTypeLibrary(const ZcRegistry& registry, const QString& libraryPath, bool add)
{
    const QString libKey = Key({QStringLiteral("TypeLib"), Text(QZ::kLibidQZLib)});
    if (!add) {
        if (!Remove(registry, {libKey}))
            return false;
        for (const CQZTypeLibrary::Type& type : CQZTypeLibrary::Types()) {
            if (type.kind == CQZTypeLibrary::Kind::Interface && !Remove(registry, {InterfaceKey(type.guid)}))
                return false;
        }
        return true;
    }

    const QString versionKey = Key({libKey, Text(QZ::kTypeLibVersion)});
    if (!Write(registry, {{versionKey, kDefault, Text(QZ::kTypeLibName)},
                          {versionKey, QStringLiteral("Name"), Text(CQZTypeLibrary::kName)},
                          {versionKey, QStringLiteral("HelpFile"), Text(CQZTypeLibrary::kHelpFile)},
                          {Key({versionKey, QStringLiteral("0"), QStringLiteral("linux")}), kDefault, libraryPath},
                          {Key({versionKey, QStringLiteral("FLAGS")}), kDefault, Text(kTypeLibFlags)},
                          {Key({versionKey, QStringLiteral("HELPDIR")}), kDefault,
                           QFileInfo(libraryPath).absolutePath()}}))
        return false;
    for (const CQZTypeLibrary::Type& type : CQZTypeLibrary::Types()) {
        if (!WriteType(registry, versionKey, type))
            return false;
    }
    return true;
}

// A type's entries below its library, as a type library file would hold
// them; an interface also gets the key that leads from it to its library.
bool CQZRegistration::WriteType(const ZcRegistry& registry, const QString& versionKey, const CQZTypeLibrary::Type& type)
{
    const QString typeKey = Key({versionKey, QStringLiteral("Types"), Text(type.guid)});
    if (!Write(registry, {{typeKey, kDefault, Text(type.name)},
                          {typeKey, QStringLiteral("Description"), Text(type.description)}}))
        return false;
    for (const CQZTypeLibrary::Member& member : type.members) {
        const QString memberKey = Key({typeKey, QStringLiteral("Members"), QString::number(member.dispid)});
        if (!Write(registry, {{memberKey, kDefault, Text(member.name)}}))
            return false;
        const bool hasParameters = *member.parameters != '\0';
        if (hasParameters && !Write(registry, {{memberKey, QStringLiteral("Parameters"), Text(member.parameters)}}))
            return false;
    }
    if (type.kind != CQZTypeLibrary::Kind::Interface)
        return true;
    const QString key = InterfaceKey(type.guid);
    const QString libraryLink = Key({key, QStringLiteral("TypeLib")});
    return Write(registry, {{key, kDefault, Text(type.name)},
                            {libraryLink, kDefault, Text(QZ::kLibidQZLib)},
                            {libraryLink, QStringLiteral("Version"), Text(QZ::kTypeLibVersion)}});
}

bool CQZRegistration::UpdateControlClass(const ZcRegistry& registry, const QString& libraryPath, bool add)
{
    const QString classKey = Key({QStringLiteral("CLSID"), Text(QZ::kClsidQZCtrl)});
    const QString progIdKey = Text(QZ::kProgIdQZCtrl);
    if (!add)
        return Remove(registry, {classKey, progIdKey});

    const QString server = Key({classKey, QStringLiteral("InprocServer32")});
    return Write(registry,
                 {{classKey, kDefault, Text(QZ::kTypeNameQZCtrl)},
                  {server, kDefault, libraryPath},
                  {server, QStringLiteral("ThreadingModel"), Text(kApartment)},
                  {Key({classKey, QStringLiteral("ProgID")}), kDefault, progIdKey},
                  {Key({classKey, QStringLiteral("Insertable")}), kDefault, {}},
                  {Key({classKey, QStringLiteral("Control")}), kDefault, {}},
                  {Key({classKey, QStringLiteral("MiscStatus")}), kDefault, Text(kMiscStatusDefault)},
                  {Key({classKey, QStringLiteral("MiscStatus"), QStringLiteral("1")}), kDefault,
                   QString::number(QZ::kMiscStatus)},
                  {Key({classKey, QStringLiteral("ToolboxBitmap32")}), kDefault,
                   QStringLiteral("%1, %2").arg(libraryPath, QString::number(QZ::kToolboxBitmap))},
                  {Key({classKey, QStringLiteral("TypeLib")}), kDefault, Text(QZ::kLibidQZLib)},
                  {Key({classKey, QStringLiteral("Version")}), kDefault, Text(QZ::kTypeLibVersion)},
                  {progIdKey, kDefault, Text(QZ::kTypeNameQZCtrl)},
                  {Key({progIdKey, QStringLiteral("CLSID")}), kDefault, Text(QZ::kClsidQZCtrl)},
                  {Key({progIdKey, QStringLiteral("Insertable")}), kDefault, {}}});
}

bool CQZRegistration::UpdatePageClass(const ZcRegistry& registry, const QString& libraryPath, bool add)
{
    const QString classKey = Key({QStringLiteral("CLSID"), Text(QZ::kClsidQZPropPage)});
    const QString progIdKey = Text(QZ::kProgIdQZPropPage);
    if (!add)
        return Remove(registry, {classKey, progIdKey});

    return Write(registry, {{classKey, kDefault, Text(QZ::kTypeNameQZPropPage)},
                            {Key({classKey, QStringLiteral("InprocServer32")}), kDefault, libraryPath},
                            {Key({classKey, QStringLiteral("ProgID")}), kDefault, progIdKey},
                            {progIdKey, kDefault, Text(QZ::kTypeNameQZPropPage)},
                            {Key({progIdKey, QStringLiteral("CLSID")}), kDefault, Text(QZ::kClsidQZPropPage)}});
}
