// wardix_regsvr [--registry FILE] [-u] LIBRARY
// Has a control library register (or with -u unregister) itself in the control
// registry, as an installer does.

#include "platform/ControlRegistry.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

int Usage()
{
    std::fputs("usage: wardix_regsvr [--registry FILE] [-u] LIBRARY\n", stderr);
    return kUsage;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    QString registryFile = ControlRegistry::Location();
    bool unregister = false;
    while (!arguments.isEmpty() && arguments.front().startsWith(QLatin1Char('-'))) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("-u"))
            unregister = true;
        else if (option == QLatin1String("--registry") && !arguments.isEmpty())
            registryFile = arguments.takeFirst();
        else
            return Usage();
    }
    if (arguments.size() != 1)
        return Usage();

    ControlRegistry registry(registryFile);
    QString message;
    const bool done = unregister ? registry.UnregisterServer(arguments.front(), &message)
                                 : registry.RegisterServer(arguments.front(), &message);
    if (!done) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return kFailure;
    }
    return kSuccess;
}
