#include "CStandInTool.h"

#include "helpbridge/CPosixNamedMutex.h"
#include "helpbridge/GoToTopicDatagram.h"
#include "helpbridge/PosixObjectNames.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr std::chrono::milliseconds kStartWait{5000};
constexpr std::chrono::milliseconds kMutexWait{5000};

void Report(int reports, const std::string& line)
{
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t written = ::write(reports, text.data(), text.size());
}

std::uint32_t UInt32At(const unsigned char* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8
        | static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void ListenUntilQuit(int socketFd, int quitPipe, int reports)
{
    for (;;) {
        pollfd fds[2] = {{socketFd, POLLIN, 0}, {quitPipe, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            return;
        if (fds[0].revents & POLLIN) {
            unsigned char datagram[kGoToTopicDatagramSize];
            if (::recv(socketFd, datagram, sizeof datagram, 0) == static_cast<ssize_t>(sizeof datagram))
                Report(reports, "message " + std::to_string(UInt32At(datagram)) + " " + std::to_string(UInt32At(datagram + 4))
                                    + " " + std::to_string(UInt32At(datagram + 8)));
        }
        if (fds[1].revents)
            return;
    }
}

// The tool's side, in the child process; returns its exit status.
int RunTool(const HandOffNames& names, const CStandInTool::Options& options, int quitPipe, int reports)
{
    const int blockFd = ::shm_open(PosixSharedObjectName(names.sharedBlock).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (blockFd < 0 || ::ftruncate(blockFd, static_cast<off_t>(options.blockSize)) != 0)
        return 1;
    void* block = ::mmap(nullptr, options.blockSize, PROT_READ | PROT_WRITE, MAP_SHARED, blockFd, 0);
    if (block == MAP_FAILED)
        return 1;
    const auto window = static_cast<std::uint32_t>(::getpid());
    std::unique_ptr<CPosixNamedMutex> mutex;
    if (options.mutex == CStandInTool::MutexUse::Unusable) {
        if (::shm_open(PosixSharedObjectName(names.mutex).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600) < 0)
            return 1;
    } else {
        mutex = CPosixNamedMutex::CreateOrOpen(names.mutex);
        if (!mutex || mutex->Wait(kMutexWait) != CNamedMutex::WaitResult::Obtained)
            return 1;
    }
    auto* bytes = static_cast<unsigned char*>(block);
    for (std::size_t i = 0; i < 4 && i < options.blockSize; ++i)
        bytes[i] = static_cast<unsigned char>(window >> (8 * i));
    if (options.mutex == CStandInTool::MutexUse::Free)
        mutex->Release();

    const int socketFd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address;
    const socklen_t length = GoToTopicSocketAddress(window, address);
    if (socketFd < 0 || ::bind(socketFd, reinterpret_cast<const sockaddr*>(&address), length) != 0)
        return 1;
    Report(reports, "ready " + std::to_string(window));
    // An abandoning tool dies owning the mutex, still mapped, so the system
    // marks its owner dead.
    if (options.mutex == CStandInTool::MutexUse::Abandoned)
        ::_exit(0);
    ListenUntilQuit(socketFd, quitPipe, reports);
    if (options.mutex == CStandInTool::MutexUse::Held)
        mutex->Release();
    return 0;
}

} // namespace

CStandInTool::CStandInTool(HandOffNames names, Options options) : m_names(std::move(names))
{
    int quitPipe[2];
    int reportPipe[2];
    if (::pipe2(quitPipe, O_CLOEXEC) != 0)
        return;
    if (::pipe2(reportPipe, O_CLOEXEC) != 0) {
        ::close(quitPipe[0]);
        ::close(quitPipe[1]);
        return;
    }
    std::fflush(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(quitPipe[1]);
        ::close(reportPipe[0]);
        ::_exit(RunTool(m_names, options, quitPipe[0], reportPipe[1]));
    }
    ::close(quitPipe[0]);
    ::close(reportPipe[1]);
    m_quit = quitPipe[1];
    m_reports = reportPipe[0];
    const std::optional<std::string> line = ReadLine(kStartWait);
    unsigned window = 0;
    if (line && std::sscanf(line->c_str(), "ready %u", &window) == 1)
        m_window = window;
}

CStandInTool::~CStandInTool()
{
    // End of the quit pipe tells the tool to quit; a write could meet a
    // tool that already died.
    if (m_quit >= 0)
        ::close(m_quit);
    WaitForExit();
    if (m_reports >= 0)
        ::close(m_reports);
    ::shm_unlink(PosixSharedObjectName(m_names.sharedBlock).c_str());
    ::shm_unlink(PosixSharedObjectName(m_names.mutex).c_str());
}

void CStandInTool::WaitForExit()
{
    if (m_pid > 0) {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
}

std::optional<std::string> CStandInTool::ReadLine(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd fd = {m_reports, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char c;
        if (::read(m_reports, &c, 1) != 1)
            return std::nullopt;
        if (c == '\n')
            return line;
        line.push_back(c);
    }
}

std::optional<CStandInTool::Message> CStandInTool::WaitForMessage(std::chrono::milliseconds timeout)
{
    const std::optional<std::string> line = ReadLine(timeout);
    Message message{};
    if (!line || std::sscanf(line->c_str(), "message %u %u %u", &message[0], &message[1], &message[2]) != 3)
        return std::nullopt;
    return message;
}

std::vector<unsigned char> CStandInTool::BlockBytes() const
{
    const int fd = ::shm_open(PosixSharedObjectName(m_names.sharedBlock).c_str(), O_RDONLY, 0);
    if (fd < 0)
        return {};
    struct stat status;
    std::vector<unsigned char> bytes;
    if (::fstat(fd, &status) == 0 && status.st_size > 0) {
        const auto size = static_cast<std::size_t>(status.st_size);
        void* address = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
        if (address != MAP_FAILED) {
            const auto* begin = static_cast<const unsigned char*>(address);
            bytes.assign(begin, begin + size);
            ::munmap(address, size);
        }
    }
    ::close(fd);
    return bytes;
}

std::string UniqueProjectPath(const std::string& tag)
{
    static int counter = 0;
    return "C:\\Helvoro Tests\\" + tag + "_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + ".HLP";
}
