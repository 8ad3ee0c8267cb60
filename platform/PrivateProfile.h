#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Ini files read and written as the Windows private-profile functions do:
// section and key names compare without case, a key keeps its inner blanks,
// values are trimmed, lines end in CRLF and whatever the program does not
// touch (other sections, keys, comments, their order) stays as it was.
// Text is written in UTF-8; a file that is not valid UTF-8 is read as Latin-1,
// so files of older copies stay readable.
namespace PrivateProfile {

QString GetString(const QString& section, const QString& key, const QString& defaultValue,
                  const QString& file);

// Missing or empty value: the default. Otherwise an optional sign and the
// leading decimal digits; a value that starts with anything else reads as 0.
int GetInt(const QString& section, const QString& key, int defaultValue, const QString& file);

// Every key of a section, in file order (empty when the section is missing).
QStringList GetKeys(const QString& section, const QString& file);

// A value of std::nullopt deletes the key. The file is replaced atomically;
// returns false when it cannot be written.
bool WriteString(const QString& section, const QString& key, const std::optional<QString>& value,
                 const QString& file);

struct Entry
{
    QString section;
    QString key;
    std::optional<QString> value;
};
// Every entry as WriteString would, in order, with one replacement of the
// file: either all of them are written or none.
bool WriteStrings(const std::vector<Entry>& entries, const QString& file);

// Deletes a section with all its keys.
bool DeleteSection(const QString& section, const QString& file);

} // namespace PrivateProfile
