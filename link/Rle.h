#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Run-length form of memory-write data. A signed count byte c: 1 to 127
// repeats the next byte c times; -1 to -127 copies the next -c bytes as they
// are. Runs are never shorter than 2 and groups never longer than 127.
QByteArray RleEncode(std::span<const std::uint8_t> input);

// The decoded length, or nothing when the input is malformed: a count of 0 or
// -128 (the encoder writes neither), a group cut short by the end of the
// input, or output that would not fit into out.
std::optional<std::size_t> RleDecode(std::span<const std::uint8_t> input, std::span<std::uint8_t> out);
