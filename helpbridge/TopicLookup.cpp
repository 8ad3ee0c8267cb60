#include "helpbridge/TopicLookup.h"

#include <array>

namespace {

// Tree header: only the root page, the page count and the level count are read.
constexpr std::int32_t kTreeHeaderSize = 38;
constexpr std::size_t kRootPageOffset = 26;
constexpr std::size_t kPageCountOffset = 30;
constexpr std::size_t kLevelCountOffset = 32;

// Both page kinds start with an unused word and their entry count; a leaf
// then carries its two neighbour page numbers, which the lookup never follows.
constexpr std::int32_t kUnusedWordSize = 2;
constexpr std::int32_t kNeighbourPagesSize = 4;

std::int16_t Int16At(const unsigned char* bytes)
{
    return static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
}

std::int32_t Int32At(const unsigned char* bytes)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8
                                     | static_cast<std::uint32_t>(bytes[2]) << 16
                                     | static_cast<std::uint32_t>(bytes[3]) << 24);
}

// Reads the fields of one page through the viewer's callbacks. Every read is
// kept inside the page, so counts and lengths from a damaged file cannot walk
// into other pages or off the end of the internal file.
class PageReader
{
public:
    PageReader(CHelpFileSystem& fs, CHelpFileSystem::Hf file, std::int32_t pageSize)
        : m_fs(fs), m_file(file), m_left(pageSize)
    {
    }

    bool Seek(std::int64_t offset)
    {
        return offset <= INT32_MAX
            && m_fs.LSeekHf(m_file, static_cast<std::int32_t>(offset), CHelpFileSystem::kSeekFromStart) == offset;
    }

    bool Read(void* buffer, std::int32_t count)
    {
        if (count > m_left || m_fs.LcbReadHf(m_file, buffer, count) != count)
            return false;
        m_left -= count;
        return true;
    }

    bool Skip(std::int32_t count)
    {
        std::array<unsigned char, kNeighbourPagesSize> scratch;
        return count <= static_cast<std::int32_t>(scratch.size()) && Read(scratch.data(), count);
    }

    bool ReadInt16(std::int16_t& value)
    {
        unsigned char bytes[2];
        if (!Read(bytes, sizeof bytes))
            return false;
        value = Int16At(bytes);
        return true;
    }

    bool ReadInt32(std::int32_t& value)
    {
        unsigned char bytes[4];
        if (!Read(bytes, sizeof bytes))
            return false;
        value = Int32At(bytes);
        return true;
    }

    // A zero-terminated value; one that has no zero within the longest text
    // the bridge can carry counts as damaged.
    bool ReadValue(std::string& value)
    {
        value.clear();
        for (;;) {
            char c;
            if (!Read(&c, 1))
                return false;
            if (c == '\0')
                return true;
            if (value.size() == kMaxTopicTextLength)
                return false;
            value.push_back(c);
        }
    }

private:
    CHelpFileSystem& m_fs;
    CHelpFileSystem::Hf m_file;
    std::int32_t m_left;
};

struct TreeShape
{
    std::int16_t rootPage = 0;
    std::int16_t pageCount = 0;
    std::int16_t levelCount = 0;
    std::int32_t pageSize = 0;
    std::int32_t base = 0;
};

bool ReadTreeShape(CHelpFileSystem& fs, CHelpFileSystem::Hf file, TreeShape& shape)
{
    std::array<unsigned char, kTreeHeaderSize> header;
    if (fs.LSeekHf(file, 0, CHelpFileSystem::kSeekFromStart) != 0
        || fs.LcbReadHf(file, header.data(), kTreeHeaderSize) != kTreeHeaderSize)
        return false;
    shape.rootPage = Int16At(&header[kRootPageOffset]);
    shape.pageCount = Int16At(&header[kPageCountOffset]);
    shape.levelCount = Int16At(&header[kLevelCountOffset]);
    if (shape.pageCount <= 0)
        return false;
    const std::int32_t size = fs.LcbSizeHf(file);
    shape.base = fs.LTellHf(file);
    if (size < kTreeHeaderSize || shape.base < kTreeHeaderSize)
        return false;
    shape.pageSize = (size - kTreeHeaderSize) / shape.pageCount;
    return true;
}

bool OpenPage(PageReader& reader, const TreeShape& shape, std::int16_t page)
{
    return page >= 0 && page < shape.pageCount
        && reader.Seek(shape.base + static_cast<std::int64_t>(page) * shape.pageSize)
        && reader.Skip(kUnusedWordSize);
}

// One index page: the child that covers key. A key equal to an index key goes
// to the child after it, since only a smaller key takes the child before it.
// The child after the last key is read alone, so a full last page still works.
bool DescendIndexPage(CHelpFileSystem& fs, CHelpFileSystem::Hf file, const TreeShape& shape, std::int32_t key,
                      std::int16_t& page)
{
    PageReader reader(fs, file, shape.pageSize);
    std::int16_t keyCount;
    std::int16_t child;
    if (!OpenPage(reader, shape, page) || !reader.ReadInt16(keyCount) || keyCount < 0 || !reader.ReadInt16(child))
        return false;
    for (std::int16_t i = 0; i < keyCount; ++i) {
        std::int32_t indexKey;
        if (!reader.ReadInt32(indexKey))
            return false;
        if (key < indexKey)
            break;
        if (!reader.ReadInt16(child))
            return false;
    }
    page = child;
    return true;
}

// Only the one leaf the descent reached is searched.
bool SearchLeaf(CHelpFileSystem& fs, CHelpFileSystem::Hf file, const TreeShape& shape, std::int32_t key,
                std::int16_t page, std::string& value)
{
    PageReader reader(fs, file, shape.pageSize);
    std::int16_t entryCount;
    if (!OpenPage(reader, shape, page) || !reader.ReadInt16(entryCount) || entryCount < 0
        || !reader.Skip(kNeighbourPagesSize))
        return false;
    std::string text;
    for (std::int16_t i = 0; i < entryCount; ++i) {
        std::int32_t entryKey;
        if (!reader.ReadInt32(entryKey) || !reader.ReadValue(text))
            return false;
        if (entryKey == key) {
            value = text;
            return true;
        }
    }
    return false;
}

} // namespace

bool FindTopicString(CHelpFileSystem& fs, CHelpFileSystem::Hf file, std::int32_t key, std::string& value)
{
    value.clear();
    TreeShape shape;
    if (!ReadTreeShape(fs, file, shape))
        return false;
    std::int16_t page = shape.rootPage;
    for (std::int16_t level = 1; level < shape.levelCount; ++level) {
        if (!DescendIndexPage(fs, file, shape, key, page))
            return false;
    }
    return SearchLeaf(fs, file, shape, key, page, value);
}

bool FindInternalFileString(CHelpFileSystem& fs, CHelpFileSystem::Hfs fileSystem, const char* internalName,
                            std::int32_t key, std::string& value)
{
    value.clear();
    const CHelpFileSystem::FilePtr file = fs.OpenFile(fileSystem, internalName);
    return file && FindTopicString(fs, file.get(), key, value);
}

bool FindSourceFileName(CHelpFileSystem& fs, CHelpFileSystem::Hfs fileSystem, std::int32_t key, std::string& value)
{
    return FindInternalFileString(fs, fileSystem, kSourceFileName, key, value);
}
