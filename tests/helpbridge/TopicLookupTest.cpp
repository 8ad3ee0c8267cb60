#include "CMemoryHelpFileSystem.h"
#include "HelpTreeWriter.h"

#include "helpbridge/TopicLookup.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

const std::string kHelpFile = "guide.hlp";

class TopicLookupTest : public ::testing::Test
{
protected:
    // The value found for key, or nullopt; every handle is closed again.
    std::optional<std::string> Lookup(const TreeBytes& tree, std::int32_t key)
    {
        fs.AddInternalFile(kHelpFile, kTopicIdFileName, tree);
        std::string value = "stale";
        bool found = false;
        {
            const auto system = fs.OpenFileSystem(kHelpFile.c_str());
            found = FindInternalFileString(fs, system.get(), kTopicIdFileName, key, value);
        }
        EXPECT_EQ(fs.OpenHandles(), 0);
        if (!found) {
            EXPECT_EQ(value, "");
            return std::nullopt;
        }
        return value;
    }

    CMemoryHelpFileSystem fs;
};

std::vector<TreeEntry> NumberedEntries(std::int32_t first, std::int32_t count, std::int32_t step)
{
    std::vector<TreeEntry> entries;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t key = first + i * step;
        entries.push_back({key, "topic" + std::to_string(key)});
    }
    return entries;
}

} // namespace

TEST_F(TopicLookupTest, FindsEveryKeyAndNoOtherInTreesOfAnyDepth)
{
    struct Case
    {
        std::size_t perLeaf;
        std::size_t fanOut;
        std::int32_t pageSize;
        std::int32_t count;
        std::int16_t levels;
    };
    const Case cases[] = {
        {8, 3, 256, 5, 1},
        {3, 4, 64, 12, 2},
        {3, 3, 64, 30, 4},
        {2, 2, 48, 40, 6},
        {40, 50, 1024, 2000, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " entries, " << c.perLeaf << " per leaf, fan-out " << c.fanOut);
        // Keys on both sides of zero, since keys compare signed.
        const std::vector<TreeEntry> entries = NumberedEntries(-3 * c.count / 2, c.count, 3);
        const TreeBytes tree = BuildTree(SplitIntoLeaves(entries, c.perLeaf), {c.pageSize, c.fanOut});
        ASSERT_EQ(Int16In(tree, kTreeLevelCountAt), c.levels);
        for (const TreeEntry& entry : entries) {
            EXPECT_EQ(Lookup(tree, entry.first), entry.second) << "key " << entry.first;
            EXPECT_EQ(Lookup(tree, entry.first + 1), std::nullopt) << "key " << entry.first + 1;
        }
        EXPECT_EQ(Lookup(tree, entries.front().first - 1), std::nullopt);
        EXPECT_EQ(Lookup(tree, INT32_MIN), std::nullopt);
        EXPECT_EQ(Lookup(tree, INT32_MAX), std::nullopt);
    }
}

TEST_F(TopicLookupTest, DescentTakesTheChildThatCoversTheKey)
{
    const auto withLevels = [](TreeBytes tree, std::int16_t levels) {
        PutInt16(tree, kTreeLevelCountAt, levels);
        return tree;
    };
    struct Case
    {
        const char* name;
        TreeBytes tree;
        std::int32_t key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"no pages", EmptyTree(), 1, std::nullopt},
        {"no levels: the root is the leaf", withLevels(BuildTree({{{4, "four"}, {6, "six"}}}), 0), 6, "six"},
        {"one level: the root is the leaf", BuildTree({{{4, "four"}, {6, "six"}}}), 4, "four"},
        {"a key equal to an index key goes right", BuildTree({{{3, "a"}, {5, "left"}}, {{5, "right"}, {7, "b"}}}), 5,
         "right"},
        {"a key below the first index key goes to the first child",
         BuildTree({{{-10, "low"}}, {{0, "zero"}}, {{10, "ten"}}}), -10, "low"},
        {"a key above the last index key goes to the last child",
         BuildTree({{{1, "a"}}, {{5, "b"}, {99, "last"}}}), 99, "last"},
        {"a key missing from its leaf is not found there or next door",
         BuildTree({{{1, "a"}, {9, "misplaced"}}, {{5, "b"}, {7, "c"}}}), 9, std::nullopt},
        {"the last child of a full index page that ends the file",
         BuildTree({{{1, "a"}}, {{2, "b"}}, {{3, "c"}}}, {18, 3}), 3, "c"},
        {"an empty value is found empty", BuildTree({{{2, "x"}, {4, ""}, {6, "y"}}}), 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Lookup(c.tree, c.key), c.expected);
    }
}

TEST_F(TopicLookupTest, AnEmptyTreeReadsNoPage)
{
    EXPECT_EQ(Lookup(EmptyTree(), 1), std::nullopt);
    EXPECT_EQ(fs.ReadCalls(), 1);
}

TEST_F(TopicLookupTest, DamagedTreesAreNotFound)
{
    // 30 keys, three to a leaf: leaves are pages 0 to 9, the root page 16,
    // four levels.
    constexpr std::int32_t kPageSize = 64;
    constexpr std::int16_t kRootPage = 16;
    const TreeBytes intact = BuildTree(SplitIntoLeaves(NumberedEntries(1, 30, 1), 3), {kPageSize, 3});
    ASSERT_EQ(Int16In(intact, kTreeRootPageAt), kRootPage);
    const auto pageAt = [](std::int32_t page) { return kTreeHeaderBytes + static_cast<std::size_t>(page * kPageSize); };

    struct Case
    {
        const char* name;
        std::int32_t key;
        std::function<void(TreeBytes&)> damage;
    };
    const Case cases[] = {
        {"header cut short", 14, [](TreeBytes& t) { t.resize(kTreeHeaderBytes - 18); }},
        {"negative page count", 14, [](TreeBytes& t) { PutInt16(t, kTreePageCountAt, -1); }},
        {"more pages than the file holds", 14, [](TreeBytes& t) { PutInt16(t, kTreePageCountAt, INT16_MAX); }},
        {"root beyond the last page", 14, [](TreeBytes& t) { PutInt16(t, kTreeRootPageAt, kRootPage + 1); }},
        {"negative root page", 14, [](TreeBytes& t) { PutInt16(t, kTreeRootPageAt, -2); }},
        {"index child beyond the last page", 14,
         [&](TreeBytes& t) {
             PutInt16(t, pageAt(kRootPage) + kPageCountAt, 0);
             PutInt16(t, pageAt(kRootPage) + kIndexFirstChildAt, 40);
         }},
        {"negative index key count", 14, [&](TreeBytes& t) { PutInt16(t, pageAt(kRootPage) + kPageCountAt, -1); }},
        {"index key count beyond its page", 29,
         [&](TreeBytes& t) { PutInt16(t, pageAt(kRootPage) + kPageCountAt, 1000); }},
        {"negative leaf entry count", 14, [&](TreeBytes& t) { PutInt16(t, pageAt(4) + kPageCountAt, -1); }},
        {"value runs off its page", 15,
         [&](TreeBytes& t) {
             std::fill(t.begin() + static_cast<std::ptrdiff_t>(pageAt(4) + kLeafFirstEntryAt + 2 * 12 + 4),
                       t.begin() + static_cast<std::ptrdiff_t>(pageAt(5)), 'x');
         }},
        {"file cut inside the last page", 29, [](TreeBytes& t) { t.resize(t.size() - 10); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Lookup(intact, c.key).has_value());
        TreeBytes damaged = intact;
        c.damage(damaged);
        EXPECT_EQ(Lookup(damaged, c.key), std::nullopt);
    }
}

TEST_F(TopicLookupTest, ValuesEndWithinTheLongestTextTheBridgeCarries)
{
    const std::string longest(kMaxTopicTextLength, 'v');
    const std::string tooLong(kMaxTopicTextLength + 1, 'v');
    const TreeBytes tree = BuildTree({{{1, longest}, {2, tooLong}, {3, "after"}}}, {4096, 3});
    EXPECT_EQ(Lookup(tree, 1), longest);
    EXPECT_EQ(Lookup(tree, 2), std::nullopt);
    // Past an overlong value the leaf cannot be read any further.
    EXPECT_EQ(Lookup(tree, 3), std::nullopt);
}

TEST_F(TopicLookupTest, SourceFileNameComesFromItsOwnTreeWhichIsClosedAgain)
{
    fs.AddInternalFile(kHelpFile, kTopicIdFileName, BuildTree({{{8, "IDH_TOPIC"}}}));
    fs.AddInternalFile(kHelpFile, kSourceFileName, BuildTree({{{8, "C:\\Docs\\guide.rtf"}}}));
    const auto system = fs.OpenFileSystem(kHelpFile.c_str());
    std::string value;
    EXPECT_TRUE(FindSourceFileName(fs, system.get(), 8, value));
    EXPECT_EQ(value, "C:\\Docs\\guide.rtf");
    EXPECT_FALSE(FindSourceFileName(fs, system.get(), 9, value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(fs.OpenHandles(), 1);
}
