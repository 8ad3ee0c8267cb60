// A library with the control library's four entries and one symbol more, for
// the export check to refuse.

#include "platform/ControlAbi.h"

#define STRAY_EXPORT extern "C" __attribute__((visibility("default")))

STRAY_EXPORT ZcResult DllCanUnloadNow(void)
{
    return ZC_S_OK;
}

STRAY_EXPORT ZcResult DllGetClassObject(const char*, const ZcClassFactory**)
{
    return ZC_CLASS_E_CLASSNOTAVAILABLE;
}

STRAY_EXPORT ZcResult DllRegisterServer(const ZcRegistry*)
{
    return ZC_S_OK;
}

STRAY_EXPORT ZcResult DllUnregisterServer(const ZcRegistry*)
{
    return ZC_S_OK;
}

STRAY_EXPORT int StrayEntry(void)
{
    return 0;
}
