#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>

struct NodeViewSources;

// The browsable view of a downloaded node: the program's page files copied
// into the download folder and "data.js", one script variable of table rows
// per section of the node's memory.
namespace NodeHtmlView {

inline constexpr const char* kPageFile = "Marrowin.htm";
inline constexpr const char* kDataFile = "data.js";
inline constexpr const char* kWriteErrorText = "Error writing to download file.";
// Copied in this order.
extern const std::array<const char*, 4> PageFiles;

// The text of "data.js": a line per section and the event-log line, each
// ended by CR LF, in 8-bit text.
QByteArray DataScript(NodeViewSources& sources);

// Copies the page files from htmlFolder, writing any that is missing there
// first, and writes "data.js" into folder (which ends with "/"). False, after
// "Error writing to download file.", when "data.js" could not be written or a
// downloaded file could not be read.
bool Write(const QString& folder, const QString& htmlFolder, int firmwareMajor, int firmwareMinor, const QDateTime& now);

// Opens the folder's page with the desktop's browser; false when nothing could.
bool Open(const QString& folder);

} // namespace NodeHtmlView
