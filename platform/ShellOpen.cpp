#include "platform/ShellOpen.h"

#include <QDesktopServices>

namespace {
ShellOpener& Opener()
{
    static ShellOpener opener;
    return opener;
}
} // namespace

bool OpenWithShell(const QString& path)
{
    const QUrl url = QUrl::fromLocalFile(path);
    return Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
}

ShellOpener SetShellOpener(ShellOpener opener)
{
    ShellOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}
