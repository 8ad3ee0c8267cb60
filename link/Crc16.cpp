#include "link/Crc16.h"

std::uint16_t crc16(std::span<const std::uint8_t> bytes)
{
    // Table-free form of the reflected CRC; the panels compute the same.
    std::uint16_t crc = 0;
    for (const std::uint8_t b : bytes) {
        std::uint16_t t = (b ^ crc) & 0xFF;
        t ^= (t << 4) & 0xFF;
        crc = static_cast<std::uint16_t>((crc >> 8) ^ (t << 8) ^ (t << 3) ^ (t >> 4));
    }
    return crc;
}
