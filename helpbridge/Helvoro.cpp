#include "helpbridge/Helvoro.h"

#include "helpbridge/CHelpBridge.h"
#include "helpbridge/CPosixHandOffPort.h"
#include "helpbridge/CStderrMessageSink.h"
#include "helpbridge/CViewerFileSystem.h"

namespace {

// Every notification class the viewer offers.
constexpr std::int32_t kAllNotificationClasses = 31;
constexpr std::int32_t kHandled = 1;

// Made on first use and kept until the library is unloaded.
struct Library
{
    CViewerFileSystem viewerFileSystem;
    CPosixHandOffPort port;
    CStderrMessageSink sink;
    CHelpBridge bridge{viewerFileSystem, port, sink};
};

Library& TheLibrary()
{
    static Library library;
    return library;
}

} // namespace

extern "C" {

int32_t LDLLHandler(uint32_t message, intptr_t param1, intptr_t)
{
    switch (message) {
    case DW_WHATMSG:
        return kAllNotificationClasses;
    case DW_CALLBACKS:
        TheLibrary().viewerFileSystem.TakeCallbacks(reinterpret_cast<const HelvoroCallback*>(param1));
        return kHandled;
    default:
        return kHandled;
    }
}

int32_t Helvoro_GotoTopic(const char* helpFile, int32_t topicNo)
{
    return TheLibrary().bridge.GotoTopic(helpFile, topicNo) ? 1 : 0;
}

int32_t Helvoro_GotoTopic1(const char* helpFile, const char* project, int32_t topicNo)
{
    return TheLibrary().bridge.GotoTopic1(helpFile, project, topicNo) ? 1 : 0;
}

void Helvoro_RegTempFolder(const char* folder)
{
    TheLibrary().bridge.RegTempFolder(folder);
}

void Helvoro_RegTopicMap(const char* tempName, const char* sourceName)
{
    TheLibrary().bridge.RegTopicMap(tempName, sourceName);
}

} // extern "C"
