#include "helpbridge/HandOffBlock.h"
#include "helpbridge/ObjectNames.h"
#include "helpbridge/TemporaryNameRewrite.h"
#include "helpbridge/TopicLookup.h"

#include <gtest/gtest.h>

TEST(ObjectNames, BuiltFromTheProjectPath)
{
    struct Case
    {
        std::string path;
        std::optional<std::string> stem;
    };
    const Case cases[] = {
        {"C:\\Docs\\Guide.hlp", "c:_docs_guide"},
        {"C:\\DOCS\\Guide.HPJ", "c:_docs_guide"},
        // The last four characters go, whatever they are.
        {"C:\\Docs\\Guide.h", "c:_docs_gui"},
        {"/home/Op/Guide.hlp", "/home/op/guide"},
        {"\xC9T\xC9.hlp", "\xC9t\xC9"},
        {"Ab.x", ""},
        {std::string(kMaxTopicTextLength, 'A'), std::string(kMaxTopicTextLength - 4, 'a')},
        {"A.x", std::nullopt},
        {"", std::nullopt},
        {std::string(kMaxTopicTextLength + 1, 'A'), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::optional<HandOffNames> names = BuildObjectNames(c.path);
        ASSERT_EQ(names.has_value(), c.stem.has_value());
        if (names) {
            EXPECT_EQ(names->sharedBlock, "SharedMem_Plumawit_" + *c.stem + ".hpj");
            EXPECT_EQ(names->mutex, "Mutex_Plumawit_" + *c.stem + ".hpj");
        }
    }
}

TEST(TemporaryNameRewrite, PartAfterTheFolderIsLookedUpInTheTopicMap)
{
    const TopicMap map = {
        {"a.rtf", "D:\\Src\\a.rtf"},
        {"empty.rtf", ""},
        {"sub\\b.rtf", "D:\\Src\\sub\\b.rtf"},
        {std::string(kMaxTempFolderLength + 1, 'p'), "D:\\Src\\long.rtf"},
    };
    struct Case
    {
        const char* name;
        std::string folder;
        std::string fileName;
        std::string expected;
    };
    const Case cases[] = {
        {"registered part", "C:\\Tmp", "C:\\Tmp\\a.rtf", "D:\\Src\\a.rtf"},
        {"deeper part", "C:\\Tmp", "C:\\Tmp\\sub\\b.rtf", "D:\\Src\\sub\\b.rtf"},
        {"no folder registered", "", "a.rtf", "a.rtf"},
        {"no folder, entries all the same", "", "C:\\Tmp\\a.rtf", "C:\\Tmp\\a.rtf"},
        {"empty registered name", "C:\\Tmp", "C:\\Tmp\\empty.rtf", "C:\\Tmp\\empty.rtf"},
        {"part not registered", "C:\\Tmp", "C:\\Tmp\\c.rtf", "C:\\Tmp\\c.rtf"},
        {"keys are case-sensitive", "C:\\Tmp", "C:\\Tmp\\A.rtf", "C:\\Tmp\\A.rtf"},
        {"the prefix is not compared", "C:\\Tmp", "X:\\Abc\\a.rtf", "D:\\Src\\a.rtf"},
        {"no longer than the folder and a separator", "C:\\Tmp", "C:\\Tmp\\", "C:\\Tmp\\"},
        {"shorter than the folder", "C:\\Tmp", "a.rtf", "a.rtf"},
        {"part longer than a folder may be", "C:\\Tmp", "C:\\Tmp\\" + std::string(kMaxTempFolderLength + 1, 'p'),
         "C:\\Tmp\\" + std::string(kMaxTempFolderLength + 1, 'p')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RewriteTemporaryName(c.fileName, c.folder, map), c.expected);
    }
}

TEST(HandOffBlock, HandleIsTakenAndZeroedAndTheTextsFollowIt)
{
    std::vector<unsigned char> block(4 + 4 + 6, 0xEE);
    block[0] = 0x78;
    block[1] = 0x56;
    block[2] = 0x34;
    block[3] = 0x12;
    std::uint32_t window = 0;
    ASSERT_TRUE(WriteHandOffBlock(block, "IDH", "a.rtf", window));
    EXPECT_EQ(window, 0x12345678u);
    const std::vector<unsigned char> expected = {0, 0, 0, 0, 'I', 'D', 'H', 0, 'a', '.', 'r', 't', 'f', 0};
    EXPECT_EQ(block, expected);
}

TEST(HandOffBlock, BlockTooSmallForTheTextsIsLeftAlone)
{
    std::vector<unsigned char> block(4 + 4 + 5, 0xEE);
    const std::vector<unsigned char> before = block;
    std::uint32_t window = 7;
    EXPECT_FALSE(WriteHandOffBlock(block, "IDH", "a.rtf", window));
    EXPECT_EQ(block, before);
    std::vector<unsigned char> tiny(3, 0xEE);
    EXPECT_FALSE(WriteHandOffBlock(tiny, "", "", window));
}
