#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

#include <cstdint>
#include <optional>

class CSetEventLog;

// The 16-byte events a panel keeps in its log, as they become event-log rows.
namespace StoredEvent {

inline constexpr int kSize = 16;
inline constexpr int kType = 0;
inline constexpr int kYear = 1;
inline constexpr int kFirstId = 5;
inline constexpr int kIdCount = 7;
inline constexpr int kData = 12;
inline constexpr int kCtx = 13;
inline constexpr int kCtx2 = 14;
inline constexpr int kCtx3 = 15;

// The event's date and time; nothing when the bytes give no valid one.
std::optional<QDateTime> DecodeTime(const QByteArray& event);

// Fills the row (freshly added, its other fields as the table gives them)
// from one stored event of the node at netNode: time (previousTime plus
// 2 s when the event's own is not valid; previousTime becomes the row's),
// identification and context bytes, then Door, Mod and UserID by the type's
// rule, looking up the cardholder of a credential or directory code.
// Texts the operator is to be shown go to notices. Database errors pass on.
void FillRow(CSetEventLog& row, std::uint8_t netNode, const QByteArray& event, std::uint8_t directoryCodeLength,
             QDateTime& previousTime, QStringList& notices);

// The directory code's digits as the telephone directory holds them for
// the installation's code length.
QString DirectoryCodeDigits(int code, std::uint8_t directoryCodeLength);

} // namespace StoredEvent
