#pragma once

#include <QByteArray>
#include <QString>

// The program's profile copied to and from a "REGEDIT4" registry file, the
// form the backups keep it in.

inline constexpr const char* kProfileRegistryRoot = "HKEY_CURRENT_USER\\Software\\Quorin\\Wardix";

// A quoted registry string: backslashes and double quotes escaped.
QString QuoteRegistryString(const QString& text);

// Every section of the profile as one key below the root, the root's own
// values last. A value that is a plain decimal integer is written as a dword.
QByteArray ExportProfileAsRegistry();

enum class RegistryImport
{
    Done,
    Unreadable, // not a "REGEDIT4" file
    NotWritten, // the profile could not be written (shown), and is as it was
};
// Reads such a file back into the profile, all its values in one write: only
// keys under the root are taken, lines of any other form are passed over.
RegistryImport ImportRegistryIntoProfile(const QByteArray& text);
