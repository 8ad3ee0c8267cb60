#pragma once

#include "platform/ControlAbi.h"

#include <QString>

#include <memory>

// A loaded control library and its four exports. Objects it created hold it
// loaded; it is unloaded at the end only when it says it may be.
class ControlLibrary
{
public:
    // Null with *message set when the file cannot be loaded or lacks an export.
    static std::shared_ptr<ControlLibrary> Load(const QString& path, QString* message);
    ~ControlLibrary();
    ControlLibrary(const ControlLibrary&) = delete;
    ControlLibrary& operator=(const ControlLibrary&) = delete;

    ZcResult CanUnloadNow() const { return m_canUnloadNow(); }
    ZcResult GetClassObject(const QString& clsid, const ZcClassFactory** factory) const;
    ZcResult RegisterServer(const ZcRegistry& registry) const { return m_registerServer(&registry); }
    ZcResult UnregisterServer(const ZcRegistry& registry) const { return m_unregisterServer(&registry); }

private:
    explicit ControlLibrary(void* handle);

    void* m_handle;
    ZcDllCanUnloadNowFn m_canUnloadNow = nullptr;
    ZcDllGetClassObjectFn m_getClassObject = nullptr;
    ZcDllRegisterServerFn m_registerServer = nullptr;
    ZcDllUnregisterServerFn m_unregisterServer = nullptr;
};
