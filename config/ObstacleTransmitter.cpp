#include "config/ObstacleTransmitter.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kDefined = 0x80;
constexpr std::uint8_t kNamed = 0x10;
constexpr int kFlags = 0;
constexpr int kFacility = 1;
constexpr int kIdLow = 3;
constexpr int kIdHigh = 4;
constexpr int kName = 8;
constexpr int kByteBits = 8;
constexpr int kByteMask = 0xFF;

} // namespace

ObstacleTransmitter ObstacleTransmitter::Decode(const ObstacleRecord& block)
{
    ObstacleTransmitter transmitter;
    if (!(block[kFlags] & kDefined))
        return transmitter;
    transmitter.facility = block[kFacility];
    transmitter.id = block[kIdLow] | (block[kIdHigh] << kByteBits);
    if (block[kFlags] & kNamed) {
        const auto begin = block.begin() + kName;
        const auto end = std::find(begin, block.end(), std::uint8_t{0});
        transmitter.name = QString::fromLatin1(reinterpret_cast<const char*>(&*begin), static_cast<int>(end - begin));
    }
    return transmitter;
}

ObstacleRecord ObstacleTransmitter::Encode() const
{
    ObstacleRecord block{};
    if (id == 0)
        return block;
    block[kFlags] = kDefined;
    block[kFacility] = static_cast<std::uint8_t>(facility);
    block[kIdLow] = static_cast<std::uint8_t>(id & kByteMask);
    block[kIdHigh] = static_cast<std::uint8_t>((id >> kByteBits) & kByteMask);
    const QByteArray text = name.toLatin1().left(kNameLength);
    if (!text.isEmpty()) {
        block[kFlags] |= kNamed;
        std::copy(text.begin(), text.end(), block.begin() + kName);
    }
    return block;
}
