#include "config/ScheduleBarRegistration.h"

#include "platform/ControlRegistry.h"
#include "zonectl/QZIdentifiers.h"

#include <QFileInfo>
#include <QObject>

namespace {

// Where the library sits beside the program: in the build tree's own folder,
// or in the program's folder once installed.
constexpr const char* kLibraryPlaces[] = {"zonectl/libzonectl.so", "libzonectl.so"};

} // namespace

bool EnsureScheduleBarRegistered(const QString& programFolder, QString* message)
{
    ControlRegistry registry;
    const QString registered = registry.InprocServer(QString::fromLatin1(QZ::kClsidQZCtrl));
    if (!registered.isEmpty() && QFileInfo::exists(registered))
        return true;
    for (const char* place : kLibraryPlaces) {
        const QString library = programFolder + QLatin1Char('/') + QString::fromLatin1(place);
        if (QFileInfo::exists(library))
            return registry.RegisterServer(library, message);
    }
    *message = QObject::tr("The schedule bar is not registered and its library is not in %1.").arg(programFolder);
    return false;
}
