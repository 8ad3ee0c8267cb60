#include "platform/ControlHost.h"

#include "platform/ControlLibrary.h"
#include "platform/ControlRegistry.h"
#include "platform/ControlVariant.h"

#include <QObject>
#include <QWidget>

#include <vector>

namespace {

// The bag a control reads its persisted properties from and writes them to.
struct Bag
{
    ControlHost::PersistedState state;

    static ZcResult Read(void* context, const char* name, ZcVariant* value)
    {
        const QString wanted = QString::fromUtf8(name);
        for (const auto& [key, stored] : static_cast<Bag*>(context)->state) {
            if (key.compare(wanted, Qt::CaseInsensitive) == 0)
                return ControlVariant::ToZc(stored, value) ? ZC_S_OK : ZC_DISP_E_TYPEMISMATCH;
        }
        return ZC_S_FALSE;
    }

    static ZcResult Write(void* context, const char* name, const ZcVariant* value)
    {
        static_cast<Bag*>(context)->state.append({QString::fromUtf8(name), ControlVariant::FromZc(*value)});
        return ZC_S_OK;
    }

    ZcPropertyBag Api() { return ZcPropertyBag{this, &Bag::Read, &Bag::Write}; }
};

QString NotRegistered(const QString& name)
{
    return QObject::tr("The control %1 is not registered.\n\nInstall it again so that it registers itself.")
        .arg(name);
}

} // namespace

std::unique_ptr<ControlHost> ControlHost::Create(const QString& clsid, QString* message)
{
    const QString path = ControlRegistry().InprocServer(clsid);
    if (path.isEmpty()) {
        *message = NotRegistered(clsid);
        return nullptr;
    }
    std::shared_ptr<ControlLibrary> library = ControlLibrary::Load(path, message);
    if (!library)
        return nullptr;
    const ZcClassFactory* factory = nullptr;
    ZcObject* object = nullptr;
    if (library->GetClassObject(clsid, &factory) != ZC_S_OK || !factory
        || factory->CreateInstance(factory->context, &object) != ZC_S_OK || !object) {
        *message = QObject::tr("The control %1 could not be created from %2.").arg(clsid, path);
        return nullptr;
    }
    return std::unique_ptr<ControlHost>(new ControlHost(std::move(library), object));
}

std::unique_ptr<ControlHost> ControlHost::CreateFromProgId(const QString& progId, QString* message)
{
    const QString clsid = ControlRegistry().ClassFromProgId(progId);
    if (clsid.isEmpty()) {
        *message = NotRegistered(progId);
        return nullptr;
    }
    return Create(clsid, message);
}

ControlHost::ControlHost(std::shared_ptr<ControlLibrary> library, ZcObject* object)
    : m_library(std::move(library)), m_object(object), m_sink{this, &ControlHost::FireEvent}
{
    // Controls without events answer ZC_E_NOTIMPL; nothing is lost then.
    m_object->vtbl->Advise(m_object, &m_sink);
}

ControlHost::~ControlHost()
{
    m_object->vtbl->Advise(m_object, nullptr);
    m_object->vtbl->Release(m_object);
}

bool ControlHost::Check(ZcResult result) const
{
    m_lastResult = result;
    return ZC_SUCCEEDED(result);
}

bool ControlHost::GetProperty(int dispid, QVariant* value) const
{
    ZcVariant result{};
    if (!Check(m_object->vtbl->GetProperty(m_object, dispid, &result)))
        return false;
    *value = ControlVariant::FromZc(result);
    ControlVariant::Clear(&result);
    return true;
}

bool ControlHost::SetProperty(int dispid, const QVariant& value)
{
    ZcVariant argument{};
    if (!ControlVariant::ToZc(value, &argument))
        return Check(ZC_DISP_E_TYPEMISMATCH);
    const bool set = Check(m_object->vtbl->SetProperty(m_object, dispid, &argument));
    ControlVariant::Clear(&argument);
    return set;
}

bool ControlHost::GetIDOfName(const QString& name, int* dispid) const
{
    // The boundary carries C strings: a name with a NUL in it would arrive cut short.
    if (name.contains(QChar::Null))
        return Check(ZC_DISP_E_UNKNOWNNAME);
    std::int32_t found = 0;
    if (!Check(m_object->vtbl->GetIDOfName(m_object, name.toUtf8().constData(), &found)))
        return false;
    *dispid = found;
    return true;
}

bool ControlHost::GetLong(int dispid, std::int32_t* value) const
{
    QVariant result;
    if (!GetProperty(dispid, &result))
        return false;
    if (result.typeId() != QMetaType::Int)
        return Check(ZC_DISP_E_TYPEMISMATCH);
    *value = result.toInt();
    return true;
}

bool ControlHost::SetLong(int dispid, std::int32_t value)
{
    return SetProperty(dispid, static_cast<int>(value));
}

bool ControlHost::Load(const PersistedState& state)
{
    Bag bag{state};
    const ZcPropertyBag api = bag.Api();
    return Check(m_object->vtbl->Load(m_object, &api));
}

bool ControlHost::Save(PersistedState* state) const
{
    Bag bag;
    const ZcPropertyBag api = bag.Api();
    if (!Check(m_object->vtbl->Save(m_object, &api)))
        return false;
    *state = bag.state;
    return true;
}

bool ControlHost::IsDirty() const
{
    m_lastResult = m_object->vtbl->IsDirty(m_object);
    return m_lastResult == ZC_S_OK;
}

QWidget* ControlHost::Attach(QWidget* parent)
{
    return static_cast<QWidget*>(m_object->vtbl->Attach(m_object, parent));
}

bool ControlHost::DoVerb(int verb)
{
    return Check(m_object->vtbl->DoVerb(m_object, verb));
}

bool ControlHost::SetObjects(const QList<ControlHost*>& controls)
{
    std::vector<ZcObject*> objects;
    for (const ControlHost* control : controls)
        objects.push_back(control->m_object);
    return Check(m_object->vtbl->SetObjects(m_object, objects.data(), static_cast<std::int32_t>(objects.size())));
}

bool ControlHost::Apply()
{
    return Check(m_object->vtbl->Apply(m_object));
}

void ControlHost::FireEvent(void* context, std::int32_t dispid, const ZcVariant* args, std::int32_t count)
{
    const auto* host = static_cast<ControlHost*>(context);
    if (!host->m_eventHandler)
        return;
    QVariantList arguments;
    for (std::int32_t i = 0; i < count; ++i)
        arguments.append(ControlVariant::FromZc(args[i]));
    host->m_eventHandler(dispid, arguments);
}
