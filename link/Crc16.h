#pragma once

#include <cstdint>
#include <span>

// CRC-16/KERMIT (polynomial 0x1021 bit-reversed, initial 0, no final XOR).
// Frames carry the result high byte first.
std::uint16_t crc16(std::span<const std::uint8_t> bytes);
