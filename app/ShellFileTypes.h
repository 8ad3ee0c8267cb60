#pragma once

#include "platform/DesktopFileType.h"

// Installation files as the desktop knows them: opening one starts Wardix
// with the open option and the file.
DesktopFileType InstallationFileType();

// Puts the desktop entry and the installation file type in place for the
// user when they are missing or stale; a failure only means the desktop
// cannot open installation files with Wardix.
void RegisterShellFileTypes();
