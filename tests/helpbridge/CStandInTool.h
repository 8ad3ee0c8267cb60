#pragma once

#include "helpbridge/ObjectNames.h"

#include <sys/types.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The authoring tool in a process of its own: it creates the project's block
// and mutex, writes its window handle into the block, listens for the
// go-to-topic message and reports each arrival. The objects are removed when
// the stand-in is destroyed, whatever became of the process.
class CStandInTool
{
public:
    static constexpr std::size_t kFullBlockSize = 4 + 1024 + 1024;

    // Free: let go after writing the handle; Held: kept until the stand-in
    // ends; Abandoned: the process dies owning it; Unusable: an object of the
    // mutex's name that never becomes a mutex.
    enum class MutexUse { Free, Held, Abandoned, Unusable };

    struct Options
    {
        std::size_t blockSize = kFullBlockSize;
        MutexUse mutex = MutexUse::Free;
    };

    using Message = std::array<std::uint32_t, 3>;

    explicit CStandInTool(HandOffNames names, Options options);
    explicit CStandInTool(HandOffNames names) : CStandInTool(std::move(names), Options{}) {}
    ~CStandInTool();

    CStandInTool(const CStandInTool&) = delete;
    CStandInTool& operator=(const CStandInTool&) = delete;

    bool Ready() const { return m_window != 0; }
    std::uint32_t Window() const { return m_window; }

    // The next message that reached the tool's window: message, wParam, lParam.
    std::optional<Message> WaitForMessage(std::chrono::milliseconds timeout);
    // Waits for the process to end (after an abandoning stand-in let go of everything).
    void WaitForExit();
    std::vector<unsigned char> BlockBytes() const;

private:
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);

    HandOffNames m_names;
    pid_t m_pid = -1;
    int m_quit = -1;
    int m_reports = -1;
    std::uint32_t m_window = 0;
};

// A project path whose object names no other test run shares.
std::string UniqueProjectPath(const std::string& tag);
