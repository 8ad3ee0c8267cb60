#include "zonectl/CQZObject.h"

#include "platform/ControlVariant.h"
#include "zonectl/CQZModule.h"

#include <memory>

const ZcObjectVtbl CQZObject::kVtbl = {
    &CQZObject::CallRelease,    &CQZObject::CallGetProperty, &CQZObject::CallSetProperty,
    &CQZObject::CallGetIDOfName, &CQZObject::CallLoad,       &CQZObject::CallSave,
    &CQZObject::CallAdvise,     &CQZObject::CallAttach,      &CQZObject::CallDoVerb,
    &CQZObject::CallSetObjects, &CQZObject::CallApply,      &CQZObject::CallIsDirty,
};

CQZObject::CQZObject() : ZcObject{&kVtbl}
{
    CQZModule::ObjectCreated();
}

CQZObject::~CQZObject()
{
    CQZModule::ObjectDestroyed();
}

ZcResult CQZObject::GetProperty(std::int32_t, QVariant*)
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::SetProperty(std::int32_t, const QVariant&)
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::GetIDOfName(const QString&, std::int32_t*)
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::Load(const ZcPropertyBag&)
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::Save(const ZcPropertyBag&)
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::Advise(const ZcEventSink*)
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::DoVerb(std::int32_t)
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::SetObjects(ZcObject* const*, std::int32_t)
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::Apply()
{
    return ZC_E_NOTIMPL;
}

ZcResult CQZObject::IsDirty()
{
    return ZC_E_NOTIMPL;
}

void CQZObject::CallRelease(ZcObject* object)
{
    std::unique_ptr<CQZObject> owned(Self(object));
}

ZcResult CQZObject::CallGetProperty(ZcObject* object, std::int32_t dispid, ZcVariant* value)
{
    if (!value)
        return ZC_E_POINTER;
    QVariant result;
    const ZcResult status = Self(object)->GetProperty(dispid, &result);
    if (!ZC_SUCCEEDED(status))
        return status;
    return ControlVariant::ToZc(result, value) ? ZC_S_OK : ZC_E_OUTOFMEMORY;
}

ZcResult CQZObject::CallSetProperty(ZcObject* object, std::int32_t dispid, const ZcVariant* value)
{
    if (!value)
        return ZC_E_POINTER;
    return Self(object)->SetProperty(dispid, ControlVariant::FromZc(*value));
}

ZcResult CQZObject::CallGetIDOfName(ZcObject* object, const char* name, std::int32_t* dispid)
{
    if (!name || !dispid)
        return ZC_E_POINTER;
    return Self(object)->GetIDOfName(QString::fromUtf8(name), dispid);
}

ZcResult CQZObject::CallLoad(ZcObject* object, const ZcPropertyBag* bag)
{
    return bag ? Self(object)->Load(*bag) : ZC_E_POINTER;
}

ZcResult CQZObject::CallSave(ZcObject* object, const ZcPropertyBag* bag)
{
    return bag ? Self(object)->Save(*bag) : ZC_E_POINTER;
}

ZcResult CQZObject::CallAdvise(ZcObject* object, const ZcEventSink* sink)
{
    return Self(object)->Advise(sink);
}

void* CQZObject::CallAttach(ZcObject* object, void* parentWindow)
{
    return Self(object)->Attach(parentWindow);
}

ZcResult CQZObject::CallDoVerb(ZcObject* object, std::int32_t verb)
{
    return Self(object)->DoVerb(verb);
}

ZcResult CQZObject::CallSetObjects(ZcObject* object, ZcObject* const* objects, std::int32_t count)
{
    if (count < 0 || (count > 0 && !objects))
        return ZC_E_INVALIDARG;
    return Self(object)->SetObjects(objects, count);
}

ZcResult CQZObject::CallApply(ZcObject* object)
{
    return Self(object)->Apply();
}

ZcResult CQZObject::CallIsDirty(ZcObject* object)
{
    return Self(object)->IsDirty();
}
