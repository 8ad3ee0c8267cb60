#pragma once

#include "helpbridge/CHandOffPort.h"
#include "helpbridge/CHelpFileSystem.h"
#include "helpbridge/CMessageSink.h"
#include "helpbridge/ObjectNames.h"
#include "helpbridge/TemporaryNameRewrite.h"

#include <chrono>
#include <cstdint>
#include <string>

// The jump from a help topic to its source document: finds the topic's
// identifier and source file in the help file and hands both to the authoring
// tool. Every failure ends the jump after one message.
class CHelpBridge
{
public:
    static constexpr std::chrono::milliseconds kMutexWait{1000};

    CHelpBridge(CHelpFileSystem& fileSystem, CHandOffPort& port, CMessageSink& sink);

    // True when the tool's window was signalled.
    bool GotoTopic(const char* helpFile, std::int32_t topicNo);
    bool GotoTopic1(const char* helpFile, const char* project, std::int32_t topicNo);

    // Texts too long for the bridge are refused: an overlong folder leaves no
    // folder registered, an overlong map entry is not stored.
    void RegTempFolder(const char* folder);
    void RegTopicMap(const char* tempName, const char* sourceName);

private:
    bool FindTopic(const char* helpFile, std::int32_t key, std::string& topicId, std::string& fileName);
    bool HandOff(const HandOffNames& names, const std::string& topicId, const std::string& fileName);
    void Show(std::string_view text);

    CHelpFileSystem& m_fileSystem;
    CHandOffPort& m_port;
    CMessageSink& m_sink;
    std::string m_tempFolder;
    TopicMap m_topicMap;
};
