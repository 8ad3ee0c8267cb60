#include "helpbridge/HandOffBlock.h"

#include <algorithm>

namespace {

constexpr std::size_t kWindowOffset = 0;
constexpr std::size_t kWindowSize = 4;
constexpr std::size_t kTopicIdOffset = kWindowOffset + kWindowSize;

std::size_t PutText(std::span<unsigned char> block, std::size_t offset, const std::string& text)
{
    std::copy(text.begin(), text.end(), block.begin() + static_cast<std::ptrdiff_t>(offset));
    block[offset + text.size()] = 0;
    return offset + text.size() + 1;
}

} // namespace

bool WriteHandOffBlock(std::span<unsigned char> block, const std::string& topicId, const std::string& fileName,
                       std::uint32_t& window)
{
    if (block.size() < kTopicIdOffset + topicId.size() + 1 + fileName.size() + 1)
        return false;
    window = 0;
    for (std::size_t i = 0; i < kWindowSize; ++i) {
        window |= static_cast<std::uint32_t>(block[kWindowOffset + i]) << (8 * i);
        block[kWindowOffset + i] = 0;
    }
    PutText(block, PutText(block, kTopicIdOffset, topicId), fileName);
    return true;
}
