#pragma once

#include <cstdint>
#include <span>
#include <string>

// The block the authoring tool shares: its window handle (32-bit
// little-endian), then the topic identifier and the source file name, each
// zero-terminated, back to back.
//
// Reads the handle into window, zeroes it and writes the two texts. A block
// too small for them is left untouched: false.
bool WriteHandOffBlock(std::span<unsigned char> block, const std::string& topicId, const std::string& fileName,
                       std::uint32_t& window);
