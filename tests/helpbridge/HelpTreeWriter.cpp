#include "HelpTreeWriter.h"

#include <stdexcept>

namespace {

constexpr std::int16_t kNoPage = -1;

struct PageRef
{
    std::int32_t firstKey;
    std::int16_t page;
};

void Append16(TreeBytes& page, std::int16_t value)
{
    page.push_back(static_cast<unsigned char>(value));
    page.push_back(static_cast<unsigned char>(static_cast<std::uint16_t>(value) >> 8));
}

void Append32(TreeBytes& page, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        page.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * i)));
}

void AddPage(std::vector<TreeBytes>& pages, TreeBytes page, std::int32_t pageSize)
{
    if (page.size() > static_cast<std::size_t>(pageSize))
        throw std::logic_error("tree page overflows its page size");
    page.resize(static_cast<std::size_t>(pageSize), 0);
    pages.push_back(std::move(page));
}

} // namespace

TreeBytes BuildTree(const std::vector<TreeLeaf>& leaves, const TreeLayout& layout)
{
    if (leaves.empty())
        return EmptyTree();
    std::vector<TreeBytes> pages;
    std::vector<PageRef> level;
    const auto leafCount = static_cast<std::int16_t>(leaves.size());
    for (std::int16_t i = 0; i < leafCount; ++i) {
        const TreeLeaf& leaf = leaves[static_cast<std::size_t>(i)];
        TreeBytes page;
        Append16(page, 0);
        Append16(page, static_cast<std::int16_t>(leaf.size()));
        Append16(page, i > 0 ? static_cast<std::int16_t>(i - 1) : kNoPage);
        Append16(page, i + 1 < leafCount ? static_cast<std::int16_t>(i + 1) : kNoPage);
        for (const TreeEntry& entry : leaf) {
            Append32(page, entry.first);
            page.insert(page.end(), entry.second.begin(), entry.second.end());
            page.push_back(0);
        }
        level.push_back({leaf.empty() ? 0 : leaf.front().first, i});
        AddPage(pages, std::move(page), layout.pageSize);
    }
    std::int16_t levels = 1;
    while (level.size() > 1) {
        std::vector<PageRef> above;
        for (std::size_t start = 0; start < level.size(); start += layout.fanOut) {
            const std::size_t end = std::min(level.size(), start + layout.fanOut);
            TreeBytes page;
            Append16(page, 0);
            Append16(page, static_cast<std::int16_t>(end - start - 1));
            Append16(page, level[start].page);
            for (std::size_t i = start + 1; i < end; ++i) {
                Append32(page, level[i].firstKey);
                Append16(page, level[i].page);
            }
            above.push_back({level[start].firstKey, static_cast<std::int16_t>(pages.size())});
            AddPage(pages, std::move(page), layout.pageSize);
        }
        level = std::move(above);
        ++levels;
    }
    TreeBytes bytes = EmptyTree();
    PutInt16(bytes, kTreeRootPageAt, level.front().page);
    PutInt16(bytes, kTreePageCountAt, static_cast<std::int16_t>(pages.size()));
    PutInt16(bytes, kTreeLevelCountAt, levels);
    for (const TreeBytes& page : pages)
        bytes.insert(bytes.end(), page.begin(), page.end());
    return bytes;
}

std::vector<TreeLeaf> SplitIntoLeaves(const std::vector<TreeEntry>& entries, std::size_t perLeaf)
{
    std::vector<TreeLeaf> leaves;
    for (std::size_t start = 0; start < entries.size(); start += perLeaf)
        leaves.emplace_back(entries.begin() + static_cast<std::ptrdiff_t>(start),
                            entries.begin() + static_cast<std::ptrdiff_t>(std::min(entries.size(), start + perLeaf)));
    return leaves;
}

TreeBytes EmptyTree()
{
    return TreeBytes(kTreeHeaderBytes, 0);
}

void PutInt16(TreeBytes& bytes, std::size_t offset, std::int16_t value)
{
    bytes.at(offset) = static_cast<unsigned char>(value);
    bytes.at(offset + 1) = static_cast<unsigned char>(static_cast<std::uint16_t>(value) >> 8);
}

void PutInt32(TreeBytes& bytes, std::size_t offset, std::int32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * i));
}

std::int16_t Int16In(const TreeBytes& bytes, std::size_t offset)
{
    return static_cast<std::int16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}
