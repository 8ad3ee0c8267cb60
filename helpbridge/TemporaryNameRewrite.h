#pragma once

#include <cstddef>
#include <map>
#include <string>

using TopicMap = std::map<std::string, std::string>;

// The authoring tool's temporary folder is at most this long, and so is the
// part of a file name after it.
inline constexpr std::size_t kMaxTempFolderLength = 263;

// A source document compiled from the tool's temporary folder carries its
// temporary name in the help file; the tool registered the real one. The part
// after the folder's length and one separator is looked up; the prefix itself
// is not compared. An empty registered name leaves the file name alone.
std::string RewriteTemporaryName(const std::string& fileName, const std::string& tempFolder, const TopicMap& topicMap);
