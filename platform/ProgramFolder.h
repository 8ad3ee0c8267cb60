#pragma once

#include <QString>

// The data folder the program owns (its Installations, New Installation, HTML
// and Database folders and "Operators.ini"): WARDIX_HOME when set, else the
// user's application-data folder. No trailing separator.
QString ProgramFolder();

// Creates the folder and its parents when missing; true when it exists after.
bool EnsureFolder(const QString& path);
