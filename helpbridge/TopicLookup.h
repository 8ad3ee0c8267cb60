#pragma once

#include "helpbridge/CHelpFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Values of the help file's topic trees, and every text the bridge hands on,
// are at most this long.
inline constexpr std::size_t kMaxTopicTextLength = 1023;

inline constexpr char kTopicIdFileName[] = "|TopicId";
inline constexpr char kSourceFileName[] = "|Petra";

// Looks key up in an open internal file laid out as a B+ tree of 32-bit keys
// and zero-terminated texts. Empties value first; true and the value when found.
bool FindTopicString(CHelpFileSystem& fs, CHelpFileSystem::Hf file, std::int32_t key, std::string& value);

// FindTopicString on the internal file of that name, opened and closed here.
bool FindInternalFileString(CHelpFileSystem& fs, CHelpFileSystem::Hfs fileSystem, const char* internalName,
                            std::int32_t key, std::string& value);

// The source document of a topic, from "|Petra".
bool FindSourceFileName(CHelpFileSystem& fs, CHelpFileSystem::Hfs fileSystem, std::int32_t key, std::string& value);
