#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// What the network status pane reads from a panel's status record (byte 0 is
// the frame's address byte): the link counters, the supervision texts and the
// text the communication form's error line takes.
struct NodeStatusRecord
{
    // The record must reach the last counter byte.
    static constexpr int kMinSize = 19;

    std::uint8_t address = 0;
    // Empty where the panel sent 0xFFFFFFFF: the shown count stays as it was.
    std::optional<std::uint32_t> packets;
    std::optional<std::uint32_t> badPackets;
    QString supervision;
    // Empty when the record says nothing for the error line.
    QString errorLine;

    // Nullopt for a record too short to hold the counters.
    static std::optional<NodeStatusRecord> Decode(const QByteArray& record);
};
