#include "link/FrameReceiver.h"
#include "link/Rle.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

// Every input goes through the framer byte by byte and through the decoder
// into a buffer of the largest memory write; neither may read or write out of
// bounds, and every frame handed out must be whole and self-consistent.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FixedClock clock(QDateTime::fromSecsSinceEpoch(1'000'000'000, QTimeZone::utc()));
    FrameReceiver framer(Frame::IsReplyCode, &clock);
    for (std::size_t i = 0; i < size; ++i) {
        if (const std::optional<QByteArray> frame = framer.FrameReceivedByte(data[i])) {
            if (frame->size() != Frame::ReadLength(*frame) + Frame::kHeaderSize
                || !Frame::IsReplyCode(Frame::ByteAt(*frame, Frame::kCodeOffset)))
                std::abort();
        }
    }

    std::array<std::uint8_t, 4096> out {};
    if (const std::optional<std::size_t> n = RleDecode(std::span<const std::uint8_t>(data, size), out)) {
        if (*n > out.size())
            std::abort();
    }
    return 0;
}
