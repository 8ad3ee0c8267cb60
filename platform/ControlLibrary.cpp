#include "platform/ControlLibrary.h"

#include <QObject>

#include <dlfcn.h>

namespace {

template <typename Function>
bool Resolve(void* handle, const char* name, Function* function)
{
    *function = reinterpret_cast<Function>(dlsym(handle, name));
    return *function != nullptr;
}

} // namespace

std::shared_ptr<ControlLibrary> ControlLibrary::Load(const QString& path, QString* message)
{
    void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        *message = QObject::tr("Unable to load the control library %1.\n\n%2")
                       .arg(path, QString::fromLocal8Bit(dlerror()));
        return nullptr;
    }
    std::shared_ptr<ControlLibrary> library(new ControlLibrary(handle));
    if (!Resolve(handle, ZC_EXPORT_CAN_UNLOAD, &library->m_canUnloadNow)
        || !Resolve(handle, ZC_EXPORT_GET_CLASS_OBJECT, &library->m_getClassObject)
        || !Resolve(handle, ZC_EXPORT_REGISTER, &library->m_registerServer)
        || !Resolve(handle, ZC_EXPORT_UNREGISTER, &library->m_unregisterServer)) {
        *message = QObject::tr("%1 is not a control library.").arg(path);
        library->m_canUnloadNow = nullptr;
        return nullptr;
    }
    return library;
}

ControlLibrary::ControlLibrary(void* handle) : m_handle(handle) {}

ControlLibrary::~ControlLibrary()
{
    // A library that still has objects somewhere stays loaded: unmapping it
    // would leave them without code.
    if (m_canUnloadNow && m_canUnloadNow() != ZC_S_OK)
        return;
    dlclose(m_handle);
}

ZcResult ControlLibrary::GetClassObject(const QString& clsid, const ZcClassFactory** factory) const
{
    return m_getClassObject(clsid.toUtf8().constData(), factory);
}
