#include "helpbridge/CHelpBridge.h"

#include "helpbridge/HandOffBlock.h"
#include "helpbridge/HelvoroTexts.h"
#include "helpbridge/TopicLookup.h"

namespace {

const char* TextOrEmpty(const char* text)
{
    return text ? text : "";
}

// Topic numbers count from 0, the help file's keys from 1.
std::int32_t TopicKey(std::int32_t topicNo)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(topicNo) + 1u);
}

class MutexHold
{
public:
    explicit MutexHold(CNamedMutex& mutex) : m_mutex(mutex) {}
    ~MutexHold() { m_mutex.Release(); }
    MutexHold(const MutexHold&) = delete;
    MutexHold& operator=(const MutexHold&) = delete;

private:
    CNamedMutex& m_mutex;
};

} // namespace

CHelpBridge::CHelpBridge(CHelpFileSystem& fileSystem, CHandOffPort& port, CMessageSink& sink)
    : m_fileSystem(fileSystem), m_port(port), m_sink(sink)
{
}

bool CHelpBridge::GotoTopic(const char* helpFile, std::int32_t topicNo)
{
    return GotoTopic1(helpFile, helpFile, topicNo);
}

bool CHelpBridge::GotoTopic1(const char* helpFile, const char* project, std::int32_t topicNo)
{
    std::string topicId;
    std::string fileName;
    if (!FindTopic(TextOrEmpty(helpFile), TopicKey(topicNo), topicId, fileName))
        return false;
    fileName = RewriteTemporaryName(fileName, m_tempFolder, m_topicMap);
    const std::optional<HandOffNames> names = BuildObjectNames(TextOrEmpty(project));
    if (!names) {
        // No tool can have published a block for such a path.
        Show(kToolMissingText);
        return false;
    }
    return HandOff(*names, topicId, fileName);
}

void CHelpBridge::RegTempFolder(const char* folder)
{
    const std::string text = TextOrEmpty(folder);
    m_tempFolder = text.size() <= kMaxTempFolderLength ? text : std::string();
}

void CHelpBridge::RegTopicMap(const char* tempName, const char* sourceName)
{
    const std::string key = TextOrEmpty(tempName);
    const std::string value = TextOrEmpty(sourceName);
    if (key.size() <= kMaxTopicTextLength && value.size() <= kMaxTopicTextLength)
        m_topicMap[key] = value;
}

bool CHelpBridge::FindTopic(const char* helpFile, std::int32_t key, std::string& topicId, std::string& fileName)
{
    // Before the viewer's callback table arrives nothing opens: the help file
    // cannot be read, which is what text 4 says.
    const CHelpFileSystem::FileSystemPtr fileSystem = m_fileSystem.OpenFileSystem(helpFile);
    if (!fileSystem) {
        Show(kProjectOutOfDateText);
        return false;
    }
    if (!FindInternalFileString(m_fileSystem, fileSystem.get(), kTopicIdFileName, key, topicId)
        || !FindSourceFileName(m_fileSystem, fileSystem.get(), key, fileName)) {
        Show(kTopicExcludedText);
        return false;
    }
    return true;
}

bool CHelpBridge::HandOff(const HandOffNames& names, const std::string& topicId, const std::string& fileName)
{
    const std::unique_ptr<CSharedBlock> block = m_port.OpenSharedBlock(names.sharedBlock);
    if (!block) {
        Show(kToolMissingText);
        return false;
    }
    const std::unique_ptr<CNamedMutex> mutex = m_port.CreateNamedMutex(names.mutex);
    if (!mutex) {
        Show(MutexCreateFailedText(names));
        return false;
    }
    if (mutex->Wait(kMutexWait) != CNamedMutex::WaitResult::Obtained) {
        Show(MutexTimeoutText(names));
        return false;
    }
    std::uint32_t window = 0;
    bool written = false;
    {
        const MutexHold hold(*mutex);
        const std::unique_ptr<CSharedBlockView> view = block->MapView();
        written = view && WriteHandOffBlock(view->Bytes(), topicId, fileName, window);
    }
    if (!written) {
        Show(SharedBlockUnusableText(names));
        return false;
    }
    if (window == 0) {
        Show(NullWindowText(topicId, fileName, names, window));
        return false;
    }
    return m_port.PostGoToTopic(window);
}

void CHelpBridge::Show(std::string_view text)
{
    m_sink.Show(kCaptionText, text);
}
