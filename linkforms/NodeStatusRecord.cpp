#include "linkforms/NodeStatusRecord.h"

#include <array>

namespace {

constexpr int kAddress = 0;
constexpr int kObstacleBits = 6;
constexpr int kChannelBits = 7;
constexpr int kMemoryBits = 8;
// Each counter is two 16-bit halves, low half first, each half high byte first.
constexpr int kPacketCount = 11;
constexpr int kBadPacketCount = 15;
constexpr std::uint32_t kNoCount = 0xFFFFFFFF;

constexpr std::uint8_t kInvalidConfig = 0x01;
constexpr std::uint8_t kOutOfMemory = 0x02;
constexpr std::uint8_t kLogOverflow = 0x04;

constexpr std::array<const char*, 6> kObstacleTexts = {
    "Obst 1 loop trouble, ",     "Obst 2 loop trouble, ",     "Obst 1 low battery, ",
    "Obst 2 low battery, ",      "Obst 1 status exception, ", "Obst 2 status exception, ",
};
constexpr std::array<const char*, 8> kChannelTexts = {
    "Ch A locked open, ",   "Ch B locked open, ",   "Ch C locked open, ",   "Ch D locked open, ",
    "Ch A locked closed, ", "Ch B locked closed, ", "Ch C locked closed, ", "Ch D locked closed, ",
};

std::uint8_t At(const QByteArray& record, int index)
{
    return static_cast<std::uint8_t>(record[index]);
}

std::optional<std::uint32_t> Counter(const QByteArray& record, int first)
{
    const std::uint32_t low = (std::uint32_t{At(record, first)} << 8) | At(record, first + 1);
    const std::uint32_t high = (std::uint32_t{At(record, first + 2)} << 8) | At(record, first + 3);
    const std::uint32_t value = (high << 16) | low;
    if (value == kNoCount)
        return std::nullopt;
    return value;
}

template <std::size_t N>
void AppendBits(QString& text, std::uint8_t bits, const std::array<const char*, N>& texts)
{
    for (std::size_t bit = 0; bit < N; ++bit) {
        if (bits & (1u << bit))
            text += QLatin1String(texts[bit]);
    }
}

// A memory text ends with a comma only when another memory text follows it.
QString MemoryTexts(std::uint8_t bits)
{
    QString text;
    if (bits & kInvalidConfig)
        text += (bits & (kOutOfMemory | kLogOverflow)) ? QStringLiteral("Invalid memory config, ")
                                                       : QStringLiteral("Invalid memory config");
    if (bits & kOutOfMemory)
        text += (bits & kLogOverflow) ? QStringLiteral("Out of memory, ") : QStringLiteral("Out of memory");
    if (bits & kLogOverflow)
        text += QStringLiteral("Log buffer overflow");
    return text;
}

QString ErrorLine(std::uint8_t bits)
{
    if (bits & kInvalidConfig)
        return QStringLiteral("SUPV_2 BIT 0 Set");
    if (bits & kOutOfMemory)
        return QStringLiteral("Controller Out of memory");
    if (bits & kLogOverflow)
        return QStringLiteral("Controller Log Buffer Overflow");
    return QString();
}

} // namespace

std::optional<NodeStatusRecord> NodeStatusRecord::Decode(const QByteArray& record)
{
    if (record.size() < kMinSize)
        return std::nullopt;
    NodeStatusRecord status;
    status.address = At(record, kAddress);
    status.packets = Counter(record, kPacketCount);
    status.badPackets = Counter(record, kBadPacketCount);
    AppendBits(status.supervision, At(record, kObstacleBits), kObstacleTexts);
    AppendBits(status.supervision, At(record, kChannelBits), kChannelTexts);
    status.supervision += MemoryTexts(At(record, kMemoryBits));
    status.errorLine = ErrorLine(At(record, kMemoryBits));
    return status;
}
