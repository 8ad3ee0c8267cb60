#include "link/Rle.h"

#include <algorithm>

namespace {
constexpr std::size_t kMaxGroup = 127;
constexpr std::size_t kMinRun = 2;
} // namespace

QByteArray RleEncode(std::span<const std::uint8_t> input)
{
    QByteArray out;
    const std::size_t n = input.size();
    std::size_t i = 0;
    while (i < n) {
        std::size_t run = 1;
        while (run < kMaxGroup && i + run < n && input[i + run] == input[i])
            ++run;
        if (run >= kMinRun) {
            out.append(static_cast<char>(run));
            out.append(static_cast<char>(input[i]));
            i += run;
            continue;
        }

        // A literal group stops before a byte that would make three equal in a row.
        std::size_t length = 1;
        while (length < kMaxGroup && i + length < n
               && !(length >= 2 && input[i + length] == input[i + length - 1]
                    && input[i + length - 1] == input[i + length - 2]))
            ++length;
        // Leave a following run all of its bytes.
        while (i + length < n && input[i + length] == input[i + length - 1])
            --length;
        out.append(static_cast<char>(-static_cast<int>(length)));
        out.append(reinterpret_cast<const char*>(input.data() + i), static_cast<qsizetype>(length));
        i += length;
    }
    return out;
}

std::optional<std::size_t> RleDecode(std::span<const std::uint8_t> input, std::span<std::uint8_t> out)
{
    std::size_t in = 0;
    std::size_t written = 0;
    while (in < input.size()) {
        const int count = static_cast<std::int8_t>(input[in++]);
        if (count == 0 || count < -static_cast<int>(kMaxGroup))
            return std::nullopt;
        if (count > 0) {
            const auto repeat = static_cast<std::size_t>(count);
            if (in >= input.size() || repeat > out.size() - written)
                return std::nullopt;
            std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(written), repeat, input[in]);
            ++in;
            written += repeat;
        } else {
            const auto literal = static_cast<std::size_t>(-count);
            if (literal > input.size() - in || literal > out.size() - written)
                return std::nullopt;
            std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(in), literal,
                        out.begin() + static_cast<std::ptrdiff_t>(written));
            in += literal;
            written += literal;
        }
    }
    return written;
}
