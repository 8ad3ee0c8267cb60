#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// One display-message set as the panels hold it (bank 8, 4096 bytes): a table
// of 40 big-endian offsets, entry j for message j + 1, counted from byte 256,
// and from byte 256 on the texts, each followed by a NUL.
namespace DisplayMessageFile {

inline constexpr int kFileSize = 4096;
inline constexpr int kMessages = 40;
inline constexpr int kTextStart = 256;
inline constexpr int kOffsetSize = 2;

// Texts of messages 1-40 in order (right-trimmed here). A set that would run
// past the file ends before the first message that does not fit whole;
// keptMessages says how many were written.
QByteArray Build(const std::vector<QString>& texts, int& keptMessages);

QString FileName(int set);

} // namespace DisplayMessageFile
