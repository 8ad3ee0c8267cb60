#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Opens a file with the desktop's program for it, as the shell's "open" verb
// did. Tests install an opener that records the address instead.
using ShellOpener = std::function<bool(const QUrl& url)>;

// False when nothing could open it.
bool OpenWithShell(const QString& path);

// Replaces how files are opened; returns the previous opener. An empty one
// restores the desktop's.
ShellOpener SetShellOpener(ShellOpener opener);
