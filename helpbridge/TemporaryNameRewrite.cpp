#include "helpbridge/TemporaryNameRewrite.h"

namespace {

constexpr std::size_t kSeparatorLength = 1;

} // namespace

std::string RewriteTemporaryName(const std::string& fileName, const std::string& tempFolder, const TopicMap& topicMap)
{
    const std::size_t partStart = tempFolder.size() + kSeparatorLength;
    if (tempFolder.empty() || fileName.size() <= partStart)
        return fileName;
    const std::string part = fileName.substr(partStart);
    if (part.size() > kMaxTempFolderLength)
        return fileName;
    const auto found = topicMap.find(part);
    if (found == topicMap.end() || found->second.empty())
        return fileName;
    return found->second;
}
