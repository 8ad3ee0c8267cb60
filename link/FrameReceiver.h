#pragma once

#include "link/WireFrame.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

class Clock;

// Cuts a received byte stream into frames. Fed one byte at a time, it hands
// back each whole frame whose CRC holds and whose code it accepts; anything
// else (bad sync, bad length, bad CRC, other codes, a stale partial frame) is
// dropped silently and the search for the next frame goes on.
class FrameReceiver
{
public:
    using CodeFilter = bool (*)(std::uint8_t code);

    // The link accepts replies; a panel accepts requests. A null clock reads
    // the program's current one.
    explicit FrameReceiver(CodeFilter accept = Frame::IsReplyCode, const Clock* clock = nullptr);

    std::optional<QByteArray> FrameReceivedByte(std::uint8_t byte);

    // Forgets a partial frame; the link calls it when a connection starts.
    void Reset();

private:
    enum class State { AwaitingSync1, AwaitingSync2, AwaitingLength, AwaitingBody };

    qint64 NowSeconds() const;
    std::optional<QByteArray> Decide();

    CodeFilter m_accept;
    const Clock* m_clock;
    std::array<std::uint8_t, Frame::kMaxFrameSize> m_buffer {};
    int m_count = 0;
    int m_expected = 1;
    State m_state = State::AwaitingSync1;
    qint64 m_deadline = 0;
};
