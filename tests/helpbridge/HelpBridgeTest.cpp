#include "CMemoryHelpFileSystem.h"
#include "CRecordingMessageSink.h"
#include "CStandInTool.h"
#include "HelpTreeWriter.h"

#include "helpbridge/CHelpBridge.h"
#include "helpbridge/CPosixHandOffPort.h"
#include "helpbridge/GoToTopicDatagram.h"
#include "helpbridge/HelvoroTexts.h"
#include "helpbridge/TopicLookup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

constexpr std::chrono::milliseconds kArrivalWait{5000};
constexpr std::chrono::milliseconds kNoArrivalWait{200};

struct BlockContent
{
    std::uint32_t window;
    std::string topicId;
    std::string fileName;
};

BlockContent ReadBlock(const std::vector<unsigned char>& bytes)
{
    BlockContent content{};
    if (bytes.size() < 4)
        return content;
    for (int i = 0; i < 4; ++i)
        content.window |= static_cast<std::uint32_t>(bytes[static_cast<std::size_t>(i)]) << (8 * i);
    const char* text = reinterpret_cast<const char*>(bytes.data()) + 4;
    content.topicId = std::string(text, strnlen(text, bytes.size() - 4));
    const std::size_t fileAt = 4 + content.topicId.size() + 1;
    if (fileAt < bytes.size())
        content.fileName = std::string(reinterpret_cast<const char*>(bytes.data()) + fileAt,
                                       strnlen(reinterpret_cast<const char*>(bytes.data()) + fileAt, bytes.size() - fileAt));
    return content;
}

// Open descriptors and shared-memory mappings of this process, so a test can
// see that every path out let go of what it took.
struct ProcessHoldings
{
    std::size_t descriptors = 0;
    std::size_t sharedMappings = 0;

    bool operator==(const ProcessHoldings&) const = default;

    static ProcessHoldings Now()
    {
        ProcessHoldings holdings;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
            ++holdings.descriptors;
        std::ifstream maps("/proc/self/maps");
        for (std::string line; std::getline(maps, line);)
            holdings.sharedMappings += line.find("/dev/shm/") != std::string::npos;
        return holdings;
    }
};

class HelpBridgeTest : public ::testing::Test
{
protected:
    void SetUp() override { m_before = ProcessHoldings::Now(); }

    void TearDown() override
    {
        const ProcessHoldings after = ProcessHoldings::Now();
        EXPECT_EQ(after.descriptors, m_before.descriptors);
        EXPECT_EQ(after.sharedMappings, m_before.sharedMappings);
    }

    // Topic n (key n + 1) is "IDH_n", compiled from "C:\Tmp\topic<n>.rtf".
    void AddHelpFile(const std::string& helpFile)
    {
        std::vector<TreeEntry> topicIds;
        std::vector<TreeEntry> sources;
        for (std::int32_t topic = 0; topic < 20; ++topic) {
            topicIds.push_back({topic + 1, "IDH_" + std::to_string(topic)});
            sources.push_back({topic + 1, "C:\\Tmp\\topic" + std::to_string(topic) + ".rtf"});
        }
        fs.AddInternalFile(helpFile, kTopicIdFileName, BuildTree(SplitIntoLeaves(topicIds, 4), {256, 3}));
        fs.AddInternalFile(helpFile, kSourceFileName, BuildTree(SplitIntoLeaves(sources, 3), {256, 2}));
    }

    void ExpectShown(const std::vector<std::string>& texts)
    {
        EXPECT_EQ(sink.texts, texts);
        for (const std::string& caption : sink.captions)
            EXPECT_EQ(caption, kCaptionText);
        EXPECT_EQ(fs.OpenHandles(), 0);
    }

    CMemoryHelpFileSystem fs;
    CPosixHandOffPort port;
    CRecordingMessageSink sink;
    CHelpBridge bridge{fs, port, sink};
    const std::string helpFile = "C:\\Help\\Guide.hlp";
    const std::string project = UniqueProjectPath("Guide");
    const HandOffNames names = *BuildObjectNames(project);

private:
    ProcessHoldings m_before;
};

} // namespace

TEST_F(HelpBridgeTest, LookupFailuresShowTheirTextAndCloseWhatTheyOpened)
{
    struct Case
    {
        const char* name;
        std::function<void(CMemoryHelpFileSystem&)> build;
        const char* text;
    };
    const TreeBytes topicIds = BuildTree({{{1, "IDH_0"}, {2, "IDH_1"}}});
    const TreeBytes sources = BuildTree({{{1, "a.rtf"}}});
    const Case cases[] = {
        {"no help file", [](CMemoryHelpFileSystem&) {}, kProjectOutOfDateText},
        {"no topic tree", [&](CMemoryHelpFileSystem& f) { f.AddInternalFile(helpFile, kSourceFileName, sources); },
         kTopicExcludedText},
        {"topic not in the topic tree",
         [&](CMemoryHelpFileSystem& f) {
             f.AddInternalFile(helpFile, kTopicIdFileName, BuildTree({{{2, "IDH_1"}}}));
             f.AddInternalFile(helpFile, kSourceFileName, sources);
         },
         kTopicExcludedText},
        {"no source tree", [&](CMemoryHelpFileSystem& f) { f.AddInternalFile(helpFile, kTopicIdFileName, topicIds); },
         kTopicExcludedText},
        {"topic not in the source tree",
         [&](CMemoryHelpFileSystem& f) {
             f.AddInternalFile(helpFile, kTopicIdFileName, topicIds);
             f.AddInternalFile(helpFile, kSourceFileName, BuildTree({{{2, "b.rtf"}}}));
         },
         kTopicExcludedText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryHelpFileSystem files;
        c.build(files);
        CRecordingMessageSink shown;
        CHelpBridge caseBridge(files, port, shown);
        EXPECT_FALSE(caseBridge.GotoTopic1(helpFile.c_str(), project.c_str(), 0));
        EXPECT_EQ(shown.texts, std::vector<std::string>{c.text});
        EXPECT_EQ(files.OpenHandles(), 0);
    }
}

TEST_F(HelpBridgeTest, WithoutTheToolOnlyTheToolMissingTextIsShown)
{
    AddHelpFile(helpFile);
    const std::string projects[] = {project, "A.b", "", std::string(kMaxTopicTextLength + 1, 'p')};
    for (const std::string& path : projects) {
        SCOPED_TRACE(path.substr(0, 40));
        sink.texts.clear();
        EXPECT_FALSE(bridge.GotoTopic1(helpFile.c_str(), path.c_str(), 3));
        ExpectShown({kToolMissingText});
    }
}

TEST_F(HelpBridgeTest, JumpHandsOffAndConsumesTheHandleSoTheNextFindsNoWindow)
{
    AddHelpFile(helpFile);
    CStandInTool tool(names);
    ASSERT_TRUE(tool.Ready());

    EXPECT_TRUE(bridge.GotoTopic1(helpFile.c_str(), project.c_str(), 3));
    const std::optional<CStandInTool::Message> message = tool.WaitForMessage(kArrivalWait);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, (CStandInTool::Message{RegisterGoToTopicMessage(), 0, 0}));
    BlockContent block = ReadBlock(tool.BlockBytes());
    EXPECT_EQ(block.window, 0u);
    EXPECT_EQ(block.topicId, "IDH_3");
    EXPECT_EQ(block.fileName, "C:\\Tmp\\topic3.rtf");
    ExpectShown({});

    EXPECT_FALSE(bridge.GotoTopic1(helpFile.c_str(), project.c_str(), 12));
    ExpectShown({"hWnd is NULL!\n\nContext:\nTopicNo: IDH_12\nRTFFilename: C:\\Tmp\\topic12.rtf\nShared Memory Name: "
                 + names.sharedBlock + "\nMutex Name: " + names.mutex + "\nhWnd: 0x0 (0)\n"});
    block = ReadBlock(tool.BlockBytes());
    EXPECT_EQ(block.topicId, "IDH_12");
    EXPECT_EQ(block.fileName, "C:\\Tmp\\topic12.rtf");
    EXPECT_FALSE(tool.WaitForMessage(kNoArrivalWait).has_value());
}

TEST_F(HelpBridgeTest, GotoTopicTakesTheHelpFileAsProjectAndLooksUpTheNextKey)
{
    AddHelpFile(project);
    CStandInTool tool(names);
    ASSERT_TRUE(tool.Ready());
    EXPECT_TRUE(bridge.GotoTopic(project.c_str(), 7));
    EXPECT_TRUE(tool.WaitForMessage(kArrivalWait).has_value());
    EXPECT_EQ(ReadBlock(tool.BlockBytes()).topicId, "IDH_7");
    ExpectShown({});
}

TEST_F(HelpBridgeTest, RegisteredTemporaryNamesAreHandedOnAsTheirSources)
{
    AddHelpFile(helpFile);
    CStandInTool tool(names);
    ASSERT_TRUE(tool.Ready());
    struct Case
    {
        const char* name;
        std::string folder;
        std::string tempName;
        std::string sourceName;
        std::string expected;
    };
    const Case cases[] = {
        {"registered", "C:\\Tmp", "topic5.rtf", "D:\\Src\\Topic5.rtf", "D:\\Src\\Topic5.rtf"},
        {"no folder", "", "topic5.rtf", "D:\\Src\\Topic5.rtf", "C:\\Tmp\\topic5.rtf"},
        {"folder too long", std::string(kMaxTempFolderLength + 1, 'f'), "topic5.rtf", "D:\\Src\\Topic5.rtf",
         "C:\\Tmp\\topic5.rtf"},
        {"source too long", "C:\\Tmp", "topic5.rtf", std::string(kMaxTopicTextLength + 1, 's'), "C:\\Tmp\\topic5.rtf"},
        {"empty source", "C:\\Tmp", "topic5.rtf", "", "C:\\Tmp\\topic5.rtf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingMessageSink shown;
        CHelpBridge caseBridge(fs, port, shown);
        caseBridge.RegTempFolder("C:\\Tmp");
        caseBridge.RegTempFolder(c.folder.c_str());
        caseBridge.RegTopicMap(c.tempName.c_str(), c.sourceName.c_str());
        caseBridge.GotoTopic1(helpFile.c_str(), project.c_str(), 5);
        EXPECT_EQ(ReadBlock(tool.BlockBytes()).fileName, c.expected);
    }
}

TEST_F(HelpBridgeTest, MutexHeldElsewhereTimesOutAfterAboutASecond)
{
    AddHelpFile(helpFile);
    CStandInTool tool(names, {CStandInTool::kFullBlockSize, CStandInTool::MutexUse::Held});
    ASSERT_TRUE(tool.Ready());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(bridge.GotoTopic1(helpFile.c_str(), project.c_str(), 3));
    EXPECT_GE(std::chrono::steady_clock::now() - start, CHelpBridge::kMutexWait * 9 / 10);
    ExpectShown({"Timeout to wait for Mutex object.\n\nContext:\nShared file name : " + names.sharedBlock
                 + "\nMutex name : " + names.mutex + "\n"});
    EXPECT_EQ(ReadBlock(tool.BlockBytes()).window, tool.Window());
}

TEST_F(HelpBridgeTest, AbandonedMutexReadsAsTimeoutAndIsUsableAgain)
{
    AddHelpFile(helpFile);
    CStandInTool tool(names, {CStandInTool::kFullBlockSize, CStandInTool::MutexUse::Abandoned});
    ASSERT_TRUE(tool.Ready());
    tool.WaitForExit();
    EXPECT_FALSE(bridge.GotoTopic1(helpFile.c_str(), project.c_str(), 3));
    ExpectShown({MutexTimeoutText(names)});
    EXPECT_EQ(ReadBlock(tool.BlockBytes()).window, tool.Window());

    // The tool's window is gone, so nothing is signalled, but the block is written.
    sink.texts.clear();
    EXPECT_FALSE(bridge.GotoTopic1(helpFile.c_str(), project.c_str(), 4));
    ExpectShown({});
    const BlockContent block = ReadBlock(tool.BlockBytes());
    EXPECT_EQ(block.window, 0u);
    EXPECT_EQ(block.topicId, "IDH_4");
}

TEST_F(HelpBridgeTest, MutexThatCannotBeMadeIsReported)
{
    AddHelpFile(helpFile);
    CStandInTool tool(names, {CStandInTool::kFullBlockSize, CStandInTool::MutexUse::Unusable});
    ASSERT_TRUE(tool.Ready());
    EXPECT_FALSE(bridge.GotoTopic1(helpFile.c_str(), project.c_str(), 3));
    ExpectShown({"Unable to create a mutex object.\n\nContext:\nShared file name : " + names.sharedBlock
                 + "\nMutex name : " + names.mutex + "\n"});
    EXPECT_EQ(ReadBlock(tool.BlockBytes()).window, tool.Window());
}

TEST_F(HelpBridgeTest, BlockTooSmallForTheTextsIsLeftUntouched)
{
    AddHelpFile(helpFile);
    CStandInTool tool(names, {12, CStandInTool::MutexUse::Free});
    ASSERT_TRUE(tool.Ready());
    const std::vector<unsigned char> before = tool.BlockBytes();
    EXPECT_FALSE(bridge.GotoTopic1(helpFile.c_str(), project.c_str(), 3));
    ExpectShown({SharedBlockUnusableText(names)});
    EXPECT_EQ(tool.BlockBytes(), before);
    EXPECT_FALSE(tool.WaitForMessage(kNoArrivalWait).has_value());
}
