#pragma once

#include "platform/ControlAbi.h"

#include <QVariant>

// An object handed across the boundary. The one table of C entry points
// forwards to the virtual functions; what a class does not offer answers
// ZC_E_NOTIMPL. Every live object keeps the library loaded.
class CQZObject : public ZcObject
{
public:
    CQZObject();
    virtual ~CQZObject();
    CQZObject(const CQZObject&) = delete;
    CQZObject& operator=(const CQZObject&) = delete;

protected:
    virtual ZcResult GetProperty(std::int32_t dispid, QVariant* value);
    virtual ZcResult SetProperty(std::int32_t dispid, const QVariant& value);
    virtual ZcResult GetIDOfName(const QString& name, std::int32_t* dispid);
    virtual ZcResult Load(const ZcPropertyBag& bag);
    virtual ZcResult Save(const ZcPropertyBag& bag);
    virtual ZcResult Advise(const ZcEventSink* sink);
    virtual void* Attach(void* parentWindow) = 0;
    virtual ZcResult DoVerb(std::int32_t verb);
    virtual ZcResult SetObjects(ZcObject* const* objects, std::int32_t count);
    virtual ZcResult Apply();
    virtual ZcResult IsDirty();

private:
    static CQZObject* Self(ZcObject* object) { return static_cast<CQZObject*>(object); }
    static void CallRelease(ZcObject* object);
    static ZcResult CallGetProperty(ZcObject* object, std::int32_t dispid, ZcVariant* value);
    static ZcResult CallSetProperty(ZcObject* object, std::int32_t dispid, const ZcVariant* value);
    static ZcResult CallGetIDOfName(ZcObject* object, const char* name, std::int32_t* dispid);
    static ZcResult CallLoad(ZcObject* object, const ZcPropertyBag* bag);
    static ZcResult CallSave(ZcObject* object, const ZcPropertyBag* bag);
    static ZcResult CallAdvise(ZcObject* object, const ZcEventSink* sink);
    static void* CallAttach(ZcObject* object, void* parentWindow);
    static ZcResult CallDoVerb(ZcObject* object, std::int32_t verb);
    static ZcResult CallSetObjects(ZcObject* object, ZcObject* const* objects, std::int32_t count);
    static ZcResult CallApply(ZcObject* object);
    static ZcResult CallIsDirty(ZcObject* object);

    static const ZcObjectVtbl kVtbl;
};
