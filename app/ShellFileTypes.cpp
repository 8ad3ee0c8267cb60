#include "app/ShellFileTypes.h"

#include "app/CommandLine.h"

#include <QCoreApplication>

DesktopFileType InstallationFileType()
{
    DesktopFileType type;
    type.entryName = QStringLiteral("wardix.desktop");
    type.applicationName = QStringLiteral("Wardix");
    type.program = QCoreApplication::applicationFilePath();
    type.openOption = QString::fromLatin1(kOpenOption);
    type.mimeType = QStringLiteral("application/x-wardix-installation");
    type.typeComment = QStringLiteral("Wardix Installation Files");
    type.glob = QStringLiteral("*.wfi");
    return type;
}

void RegisterShellFileTypes()
{
    RegisterDesktopFileType(InstallationFileType());
}
