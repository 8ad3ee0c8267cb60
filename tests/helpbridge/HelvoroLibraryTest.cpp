#include "CMemoryHelpFileSystem.h"
#include "CStandInTool.h"
#include "HelpTreeWriter.h"

#include "helpbridge/Helvoro.h"
#include "helpbridge/HelvoroTexts.h"
#include "helpbridge/TopicLookup.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>

namespace {

constexpr std::chrono::milliseconds kArrivalWait{5000};

// The viewer's side of the callback table, over an in-memory help file.
CMemoryHelpFileSystem* g_files = nullptr;

HelvoroHfs ViewerOpenFileSystem(const char* name, uint8_t flags) { return g_files->HfsOpenSz(name, flags); }
int16_t ViewerCloseFileSystem(HelvoroHfs fs) { g_files->RcCloseHfs(fs); return 0; }
HelvoroHf ViewerOpenFile(HelvoroHfs fs, const char* name, uint8_t flags) { return g_files->HfOpenHfs(fs, name, flags); }
int16_t ViewerCloseFile(HelvoroHf file) { g_files->RcCloseHf(file); return 0; }
int32_t ViewerRead(HelvoroHf file, void* buffer, int32_t count) { return g_files->LcbReadHf(file, buffer, count); }
int32_t ViewerTell(HelvoroHf file) { return g_files->LTellHf(file); }
int32_t ViewerSeek(HelvoroHf file, int32_t offset, uint16_t origin) { return g_files->LSeekHf(file, offset, origin); }
int32_t ViewerSize(HelvoroHf file) { return g_files->LcbSizeHf(file); }

std::array<HelvoroCallback, HE_API + 1> ViewerTable()
{
    std::array<HelvoroCallback, HE_API + 1> table{};
    table[HE_HfsOpenSz] = reinterpret_cast<HelvoroCallback>(&ViewerOpenFileSystem);
    table[HE_RcCloseHfs] = reinterpret_cast<HelvoroCallback>(&ViewerCloseFileSystem);
    table[HE_HfOpenHfs] = reinterpret_cast<HelvoroCallback>(&ViewerOpenFile);
    table[HE_RcCloseHf] = reinterpret_cast<HelvoroCallback>(&ViewerCloseFile);
    table[HE_LcbReadHf] = reinterpret_cast<HelvoroCallback>(&ViewerRead);
    table[HE_LTellHf] = reinterpret_cast<HelvoroCallback>(&ViewerTell);
    table[HE_LSeekHf] = reinterpret_cast<HelvoroCallback>(&ViewerSeek);
    table[HE_LcbSizeHf] = reinterpret_cast<HelvoroCallback>(&ViewerSize);
    return table;
}

// What the library writes to standard error while run() runs.
std::string CaptureStandardError(const std::function<void()>& run)
{
    std::fflush(stderr);
    char path[] = "/tmp/helvoro-stderr-XXXXXX";
    const int capture = ::mkstemp(path);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(capture, STDERR_FILENO);
    run();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::string text;
    char buffer[512];
    ::lseek(capture, 0, SEEK_SET);
    for (ssize_t got; (got = ::read(capture, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(capture);
    ::unlink(path);
    return text;
}

class HelvoroLibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_library = ::dlopen(HELVORO_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_library, nullptr) << ::dlerror();
        handler = Entry<decltype(&LDLLHandler)>("LDLLHandler");
        gotoTopic1 = Entry<decltype(&Helvoro_GotoTopic1)>("Helvoro_GotoTopic1");
        regTempFolder = Entry<decltype(&Helvoro_RegTempFolder)>("Helvoro_RegTempFolder");
        regTopicMap = Entry<decltype(&Helvoro_RegTopicMap)>("Helvoro_RegTopicMap");
        g_files = &files;
    }

    void TearDown() override
    {
        g_files = nullptr;
        if (m_library)
            ::dlclose(m_library);
    }

    template <typename Function>
    Function Entry(const char* name)
    {
        auto* entry = reinterpret_cast<Function>(::dlsym(m_library, name));
        EXPECT_NE(entry, nullptr) << name;
        return entry;
    }

    CMemoryHelpFileSystem files;
    decltype(&LDLLHandler) handler = nullptr;
    decltype(&Helvoro_GotoTopic1) gotoTopic1 = nullptr;
    decltype(&Helvoro_RegTempFolder) regTempFolder = nullptr;
    decltype(&Helvoro_RegTopicMap) regTopicMap = nullptr;

private:
    void* m_library = nullptr;
};

} // namespace

TEST_F(HelvoroLibraryTest, AnswersTheViewerNotifications)
{
    const std::array<HelvoroCallback, HE_API + 1> table = ViewerTable();
    EXPECT_EQ(handler(DW_WHATMSG, 0, 0), 31);
    EXPECT_EQ(handler(DW_CALLBACKS, reinterpret_cast<intptr_t>(table.data()), 0), 1);
    EXPECT_EQ(handler(DW_CALLBACKS, 0, 0), 1);
    EXPECT_EQ(handler(2, 0, 0), 1);
}

TEST_F(HelvoroLibraryTest, JumpBeforeTheCallbackTableFailsThenHandsOffThroughIt)
{
    const std::string project = UniqueProjectPath("Library");
    files.AddInternalFile(project, kTopicIdFileName, BuildTree({{{1, "IDH_INTRO"}, {2, "IDH_SETUP"}}}));
    files.AddInternalFile(project, kSourceFileName, BuildTree({{{1, "/tmp/wk/intro.rtf"}, {2, "/tmp/wk/setup.rtf"}}}));
    CStandInTool tool(*BuildObjectNames(project));
    ASSERT_TRUE(tool.Ready());

    int32_t result = -1;
    std::string shown = CaptureStandardError([&] { result = gotoTopic1(project.c_str(), project.c_str(), 1); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(shown, std::string(kCaptionText) + "\n" + kProjectOutOfDateText + "\n");

    const std::array<HelvoroCallback, HE_API + 1> table = ViewerTable();
    handler(DW_CALLBACKS, reinterpret_cast<intptr_t>(table.data()), 0);
    regTempFolder("/tmp/wk");
    regTopicMap("setup.rtf", "/home/op/help/Setup.rtf");
    shown = CaptureStandardError([&] { result = gotoTopic1(project.c_str(), project.c_str(), 1); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(shown, "");
    EXPECT_TRUE(tool.WaitForMessage(kArrivalWait).has_value());
    const std::vector<unsigned char> block = tool.BlockBytes();
    const std::string expected = std::string(4, '\0') + "IDH_SETUP" + '\0' + "/home/op/help/Setup.rtf" + '\0';
    ASSERT_GE(block.size(), expected.size());
    EXPECT_EQ(std::string(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(files.OpenHandles(), 0);
}
