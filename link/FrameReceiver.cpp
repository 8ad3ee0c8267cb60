#include "link/FrameReceiver.h"

#include "link/Crc16.h"
#include "platform/Clock.h"

#include <span>

namespace {
// Seconds, not milliseconds: a partial frame may wait long. The link resets
// the framer when a connection starts, so nothing stale crosses connections.
constexpr qint64 kFrameDeadlineSeconds = 2000;
constexpr int kLengthFieldEnd = Frame::kLengthOffset + 2;
} // namespace

FrameReceiver::FrameReceiver(CodeFilter accept, const Clock* clock) : m_accept(accept), m_clock(clock) {}

void FrameReceiver::Reset()
{
    m_count = 0;
    m_expected = 1;
    m_state = State::AwaitingSync1;
    m_deadline = 0;
}

qint64 FrameReceiver::NowSeconds() const
{
    const Clock& clock = m_clock ? *m_clock : Clock::Current();
    return clock.NowUtc().toSecsSinceEpoch();
}

std::optional<QByteArray> FrameReceiver::FrameReceivedByte(std::uint8_t byte)
{
    if (m_deadline != 0 && NowSeconds() > m_deadline)
        Reset();
    m_buffer[static_cast<std::size_t>(m_count++)] = byte;
    if (m_count < m_expected)
        return std::nullopt;
    return Decide();
}

std::optional<QByteArray> FrameReceiver::Decide()
{
    switch (m_state) {
    case State::AwaitingSync1:
        if (m_buffer[Frame::kSync1Offset] != Frame::kSync1)
            break;
        m_deadline = NowSeconds() + kFrameDeadlineSeconds;
        m_expected = Frame::kSync2Offset + 1;
        m_state = State::AwaitingSync2;
        return std::nullopt;
    case State::AwaitingSync2:
        if (m_buffer[Frame::kSync2Offset] != Frame::kSync2)
            break;
        m_expected = kLengthFieldEnd;
        m_state = State::AwaitingLength;
        return std::nullopt;
    case State::AwaitingLength: {
        const int length = m_buffer[Frame::kLengthOffset] << 8 | m_buffer[Frame::kLengthOffset + 1];
        if (length < Frame::kMinLength || length > Frame::kMaxLength)
            break;
        m_expected = length + Frame::kHeaderSize;
        m_state = State::AwaitingBody;
        return std::nullopt;
    }
    case State::AwaitingBody: {
        const int crcOffset = m_count - Frame::kCrcSize;
        const std::uint16_t crc = crc16(std::span<const std::uint8_t>(
            m_buffer.data() + Frame::kAddressOffset, static_cast<std::size_t>(crcOffset - Frame::kAddressOffset)));
        const bool good = (crc >> 8) == m_buffer[static_cast<std::size_t>(crcOffset)]
                          && (crc & 0xFF) == m_buffer[static_cast<std::size_t>(crcOffset + 1)]
                          && m_accept(m_buffer[Frame::kCodeOffset]);
        std::optional<QByteArray> frame;
        if (good)
            frame = QByteArray(reinterpret_cast<const char*>(m_buffer.data()), m_count);
        Reset();
        return frame;
    }
    }
    Reset();
    return std::nullopt;
}
