#pragma once

#include <QByteArray>
#include <QDateTime>

#include <cstdint>

class CNetCommand;
class Clock;

// What a reply is checked against: the code last sent and the network and
// node expected to answer. The write side starts with code 0 and no node.
struct SentRequestRecord
{
    static constexpr std::uint8_t kNoNode = 0xFF;

    int code = 0;
    std::uint8_t network = kNoNode;
    std::uint8_t node = kNoNode;
};

enum class PacketResult {
    Built,
    // Kinds that are only ever replies build nothing.
    NotBuilt,
    // The command cannot make a frame the panels take: a memory write past
    // its limit, or a payload too short for its kind.
    Corrupt,
};

// The frame of a request: builds, compresses and seals it. Records what the
// reply must match in sent (an acknowledgement leaves sent as it was).
PacketResult BuildPacket(const CNetCommand& request, const Clock& clock, QByteArray& frame,
                         SentRequestRecord& sent);

// Compresses a memory write when that makes it shorter, writes the sync bytes
// and the CRC. frame holds bytes 0 to L + 3 with L and the code in place.
void SealPacket(QByteArray& frame);

// BuildPacket for the user-interface thread, which tells the operator
// "Corrupt packet." before anything reaches the write side. True with a frame
// to write.
bool PrepareRequestFrame(const CNetCommand& request, const Clock& clock, QByteArray& frame,
                         SentRequestRecord& sent);

// The panel time a time setting carries: local time now plus the offset when
// mode is daylight-saving time, otherwise local standard time plus the offset.
// Returned as a plain date and time (its zone means nothing).
QDateTime TimeSettingTime(std::uint8_t mode, std::int8_t hoursOffset, const Clock& clock);
