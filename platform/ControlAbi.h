#pragma once

/*
 * The plain C boundary between the program and an embeddable control library.
 * The program never links a control library: it finds the library through the
 * control registry and reaches it only through these types and the four
 * exports below, so both sides may be built apart.
 *
 * Results keep the COM numbers so that stored logic and logs read the same.
 * Text crossing the boundary is UTF-8. A variant's text is allocated with
 * malloc by the side that fills the variant and released with free by the side
 * that receives it.
 * Windows are QWidget pointers of the one Qt library both sides load.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t ZcResult;

#define ZC_S_OK ((ZcResult)0)
#define ZC_S_FALSE ((ZcResult)1)
#define ZC_E_NOTIMPL ((ZcResult)0x80004001u)
#define ZC_E_POINTER ((ZcResult)0x80004003u)
#define ZC_E_FAIL ((ZcResult)0x80004005u)
#define ZC_E_OUTOFMEMORY ((ZcResult)0x8007000Eu)
#define ZC_E_INVALIDARG ((ZcResult)0x80070057u)
#define ZC_DISP_E_MEMBERNOTFOUND ((ZcResult)0x80020003u)
#define ZC_DISP_E_TYPEMISMATCH ((ZcResult)0x80020005u)
#define ZC_DISP_E_UNKNOWNNAME ((ZcResult)0x80020006u)
#define ZC_CLASS_E_CLASSNOTAVAILABLE ((ZcResult)0x80040111u)
#define ZC_SELFREG_E_TYPELIB ((ZcResult)0x80040200u)
#define ZC_SELFREG_E_CLASS ((ZcResult)0x80040201u)

#define ZC_SUCCEEDED(r) ((r) >= 0)

/* Verbs a container may ask for. */
#define ZC_VERB_PRIMARY 0
#define ZC_VERB_PROPERTIES (-7)

typedef enum ZcVarType {
    ZC_VT_EMPTY = 0,
    ZC_VT_I4 = 3,     /* number */
    ZC_VT_BSTR = 8,   /* text */
    ZC_VT_FONT = 9,   /* text: family, number: size in points */
    ZC_VT_BOOL = 11,  /* number: 0 false, -1 true */
    ZC_VT_COLOR = 19  /* number: 0x00BBGGRR */
} ZcVarType;

typedef struct ZcVariant {
    int32_t type;
    int32_t number;
    char* text;
} ZcVariant;

/* The registry a library writes its registration into. Keys are separated by
 * backslashes; an empty value name is the key's default value. Deleting a key
 * removes it with everything below it; a missing key is not an error. */
typedef struct ZcRegistry {
    void* context;
    ZcResult (*SetValue)(void* context, const char* key, const char* name, const char* value);
    ZcResult (*DeleteTree)(void* context, const char* key);
} ZcRegistry;

/* Persisted properties, read and written by name in the control's own order.
 * Read returns ZC_S_FALSE when the bag holds no value of that name. */
typedef struct ZcPropertyBag {
    void* context;
    ZcResult (*Read)(void* context, const char* name, ZcVariant* value);
    ZcResult (*Write)(void* context, const char* name, const ZcVariant* value);
} ZcPropertyBag;

/* Events raised by a control: the event's dispatch identifier and arguments. */
typedef struct ZcEventSink {
    void* context;
    void (*Fire)(void* context, int32_t dispid, const ZcVariant* args, int32_t count);
} ZcEventSink;

typedef struct ZcObject ZcObject;

typedef struct ZcObjectVtbl {
    void (*Release)(ZcObject* self);
    ZcResult (*GetProperty)(ZcObject* self, int32_t dispid, ZcVariant* value);
    ZcResult (*SetProperty)(ZcObject* self, int32_t dispid, const ZcVariant* value);
    /* The dispatch identifier of a property or method, by name without regard
     * to case; ZC_DISP_E_UNKNOWNNAME when the object has none of that name. */
    ZcResult (*GetIDOfName)(ZcObject* self, const char* name, int32_t* dispid);
    ZcResult (*Load)(ZcObject* self, const ZcPropertyBag* bag);
    ZcResult (*Save)(ZcObject* self, const ZcPropertyBag* bag);
    /* One sink at a time; a null sink disconnects. The sink must outlive the advice. */
    ZcResult (*Advise)(ZcObject* self, const ZcEventSink* sink);
    /* Creates or re-parents the object's window; returns it (a QWidget*). */
    void* (*Attach)(ZcObject* self, void* parentWindow);
    ZcResult (*DoVerb)(ZcObject* self, int32_t verb);
    /* Property pages: the controls the page edits, and Apply. */
    ZcResult (*SetObjects)(ZcObject* self, ZcObject* const* objects, int32_t count);
    ZcResult (*Apply)(ZcObject* self);
    /* ZC_S_OK when a property changed since the persisted state was last
     * loaded or saved, ZC_S_FALSE otherwise. */
    ZcResult (*IsDirty)(ZcObject* self);
} ZcObjectVtbl;

struct ZcObject {
    const ZcObjectVtbl* vtbl;
};

typedef struct ZcClassFactory {
    void* context;
    ZcResult (*CreateInstance)(void* context, ZcObject** object);
} ZcClassFactory;

/* The library's exports. Class identifiers are written "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". */
typedef ZcResult (*ZcDllCanUnloadNowFn)(void);
typedef ZcResult (*ZcDllGetClassObjectFn)(const char* clsid, const ZcClassFactory** factory);
typedef ZcResult (*ZcDllRegisterServerFn)(const ZcRegistry* registry);
typedef ZcResult (*ZcDllUnregisterServerFn)(const ZcRegistry* registry);

#define ZC_EXPORT_CAN_UNLOAD "DllCanUnloadNow"
#define ZC_EXPORT_GET_CLASS_OBJECT "DllGetClassObject"
#define ZC_EXPORT_REGISTER "DllRegisterServer"
#define ZC_EXPORT_UNREGISTER "DllUnregisterServer"

#ifdef __cplusplus
}
#endif
