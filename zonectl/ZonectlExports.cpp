// The library's four exports: the only symbols it shows its host.

#include "platform/ControlAbi.h"
#include "zonectl/CQZCtrlObject.h"
#include "zonectl/CQZModule.h"
#include "zonectl/CQZPageObject.h"
#include "zonectl/CQZRegistration.h"
#include "zonectl/QZIdentifiers.h"

#include <QFileInfo>
#include <QString>

#include <dlfcn.h>

#include <new>
#include <type_traits>

#define ZONECTL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

template <typename Object>
ZcResult CreateObject(void*, ZcObject** object)
{
    if (!object)
        return ZC_E_POINTER;
    *object = new (std::nothrow) Object();
    return *object ? ZC_S_OK : ZC_E_OUTOFMEMORY;
}

const ZcClassFactory kControlFactory{nullptr, &CreateObject<CQZCtrlObject>};
const ZcClassFactory kPageFactory{nullptr, &CreateObject<CQZPageObject>};

bool SameClass(const char* clsid, const char* known)
{
    return QString::fromUtf8(clsid).compare(QLatin1String(known), Qt::CaseInsensitive) == 0;
}

// The registration names the library where it was loaded from, as the host
// will load it again.
QString LibraryPath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LibraryPath), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

} // namespace

ZONECTL_EXPORT ZcResult DllCanUnloadNow(void)
{
    return CQZModule::CanUnload() ? ZC_S_OK : ZC_S_FALSE;
}

ZONECTL_EXPORT ZcResult DllGetClassObject(const char* clsid, const ZcClassFactory** factory)
{
    if (!clsid || !factory)
        return ZC_E_POINTER;
    *factory = nullptr;
    if (SameClass(clsid, QZ::kClsidQZCtrl))
        *factory = &kControlFactory;
    else if (SameClass(clsid, QZ::kClsidQZPropPage))
        *factory = &kPageFactory;
    return *factory ? ZC_S_OK : ZC_CLASS_E_CLASSNOTAVAILABLE;
}

ZONECTL_EXPORT ZcResult DllRegisterServer(const ZcRegistry* registry)
{
    if (!registry || !registry->SetValue || !registry->DeleteTree)
        return ZC_E_POINTER;
    return CQZRegistration::RegisterServer(*registry, LibraryPath());
}

ZONECTL_EXPORT ZcResult DllUnregisterServer(const ZcRegistry* registry)
{
    if (!registry || !registry->SetValue || !registry->DeleteTree)
        return ZC_E_POINTER;
    return CQZRegistration::UnregisterServer(*registry);
}

static_assert(std::is_same_v<decltype(&DllCanUnloadNow), ZcDllCanUnloadNowFn>);
static_assert(std::is_same_v<decltype(&DllGetClassObject), ZcDllGetClassObjectFn>);
static_assert(std::is_same_v<decltype(&DllRegisterServer), ZcDllRegisterServerFn>);
static_assert(std::is_same_v<decltype(&DllUnregisterServer), ZcDllUnregisterServerFn>);
