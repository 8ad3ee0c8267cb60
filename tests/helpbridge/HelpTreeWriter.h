#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Builds the help file's topic trees the way the help compiler lays them out,
// for any page size and number of levels. Leaves are given explicitly so a
// test can place keys where the descent should or should not find them.
using TreeEntry = std::pair<std::int32_t, std::string>;
using TreeLeaf = std::vector<TreeEntry>;
using TreeBytes = std::vector<unsigned char>;

struct TreeLayout
{
    std::int32_t pageSize = 64;
    // Children per index page; more leaves than this make another level.
    std::size_t fanOut = 3;
};

// Header fields and page starts, for tests that damage a tree.
inline constexpr std::size_t kTreeHeaderBytes = 38;
inline constexpr std::size_t kTreeRootPageAt = 26;
inline constexpr std::size_t kTreePageCountAt = 30;
inline constexpr std::size_t kTreeLevelCountAt = 32;
inline constexpr std::size_t kPageCountAt = 2;
inline constexpr std::size_t kLeafFirstEntryAt = 8;
inline constexpr std::size_t kIndexFirstChildAt = 4;

// Leaves become pages 0, 1, ...; each index level follows; the root is last.
TreeBytes BuildTree(const std::vector<TreeLeaf>& leaves, const TreeLayout& layout = {});

// Sorted entries cut into leaves of at most perLeaf entries.
std::vector<TreeLeaf> SplitIntoLeaves(const std::vector<TreeEntry>& entries, std::size_t perLeaf);

// A header alone that says the tree has no pages.
TreeBytes EmptyTree();

void PutInt16(TreeBytes& bytes, std::size_t offset, std::int16_t value);
void PutInt32(TreeBytes& bytes, std::size_t offset, std::int32_t value);
std::int16_t Int16In(const TreeBytes& bytes, std::size_t offset);
