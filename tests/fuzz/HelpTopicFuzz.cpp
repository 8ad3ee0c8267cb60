#include "helpbridge/TopicLookup.h"
#include "tests/helpbridge/CMemoryHelpFileSystem.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// The topic trees of a help file ("|TopicId" and "|Petra") as the bridge
// walks them for a key: texts stay within their bound and every handle
// opened is closed again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string helpFile = "guide.hlp";
    CMemoryHelpFileSystem fs;
    fs.AddInternalFile(helpFile, kTopicIdFileName, TreeBytes(data, data + size));
    fs.AddInternalFile(helpFile, kSourceFileName, TreeBytes(data, data + size));

    std::int32_t fromInput = 0;
    std::memcpy(&fromInput, data, std::min(size, sizeof fromInput));
    for (const std::int32_t key : {fromInput, 0, 1, -1, INT32_MIN, INT32_MAX}) {
        std::string value;
        {
            const auto system = fs.OpenFileSystem(helpFile.c_str());
            if (FindInternalFileString(fs, system.get(), kTopicIdFileName, key, value)
                && value.size() > kMaxTopicTextLength)
                std::abort();
            if (FindSourceFileName(fs, system.get(), key, value) && value.size() > kMaxTopicTextLength)
                std::abort();
        }
        if (fs.OpenHandles() != 0)
            std::abort();
    }
    return 0;
}
