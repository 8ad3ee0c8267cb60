#include "helpbridge/HelvoroTexts.h"

#include <cstdio>

namespace {

std::string Context(const HandOffNames& names)
{
    return "\n\nContext:\nShared file name : " + names.sharedBlock + "\nMutex name : " + names.mutex + "\n";
}

} // namespace

std::string MutexCreateFailedText(const HandOffNames& names)
{
    return "Unable to create a mutex object." + Context(names);
}

std::string MutexTimeoutText(const HandOffNames& names)
{
    return "Timeout to wait for Mutex object." + Context(names);
}

std::string SharedBlockUnusableText(const HandOffNames& names)
{
    return "Unable to write to the shared file." + Context(names);
}

std::string NullWindowText(const std::string& topicId, const std::string& fileName, const HandOffNames& names,
                           std::uint32_t window)
{
    char handle[32];
    std::snprintf(handle, sizeof handle, "0x%x (%d)", window, static_cast<std::int32_t>(window));
    return "hWnd is NULL!\n\nContext:\nTopicNo: " + topicId + "\nRTFFilename: " + fileName
        + "\nShared Memory Name: " + names.sharedBlock + "\nMutex Name: " + names.mutex + "\nhWnd: " + handle + "\n";
}
