#pragma once

#include "platform/ControlAbi.h"
#include "zonectl/CQZTypeLibrary.h"

#include <QString>

// What the library writes into a control registry and removes again: the type
// library first, then each class.
class CQZRegistration
{
public:
    static ZcResult RegisterServer(const ZcRegistry& registry, const QString& libraryPath);
    static ZcResult UnregisterServer(const ZcRegistry& registry);

private:
    static bool UpdateTypeLibrary(const ZcRegistry& registry, const QString& libraryPath, bool add);
    static bool WriteType(const ZcRegistry& registry, const QString& versionKey, const CQZTypeLibrary::Type& type);
    static bool UpdateControlClass(const ZcRegistry& registry, const QString& libraryPath, bool add);
    static bool UpdatePageClass(const ZcRegistry& registry, const QString& libraryPath, bool add);
};
