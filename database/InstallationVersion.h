#pragma once

#include <QString>

// "Version"/"Installation Version" of an installation file; 1.x is
// rewritten as "2.00". The value read is returned.
double ReadInstallationVersion(const QString& path);
