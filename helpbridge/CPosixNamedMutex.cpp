#include "helpbridge/CPosixNamedMutex.h"

#include "helpbridge/PosixObjectNames.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <thread>

// The creator sets the mark last, so an opener never uses a mutex that is
// still being set up.
struct SharedMutexArea
{
    std::atomic<std::uint32_t> readyMark;
    pthread_mutex_t mutex;
};

namespace {

constexpr std::uint32_t kReadyMark = 0x4D757478;
constexpr mode_t kOwnerOnly = 0600;
// How long an opener waits for a creator in another process to finish.
constexpr std::chrono::milliseconds kCreatorWait{1000};
constexpr std::chrono::milliseconds kCreatorPoll{1};
constexpr long kNanosecondsPerSecond = 1000000000L;

SharedMutexArea* MapArea(int fd)
{
    void* address = ::mmap(nullptr, sizeof(SharedMutexArea), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return address == MAP_FAILED ? nullptr : static_cast<SharedMutexArea*>(address);
}

void UnmapArea(SharedMutexArea* area)
{
    ::munmap(area, sizeof(SharedMutexArea));
}

bool InitialiseArea(SharedMutexArea* area)
{
    pthread_mutexattr_t attributes;
    if (::pthread_mutexattr_init(&attributes) != 0)
        return false;
    const bool ok = ::pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED) == 0
        && ::pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST) == 0
        && ::pthread_mutex_init(&area->mutex, &attributes) == 0;
    ::pthread_mutexattr_destroy(&attributes);
    if (ok)
        area->readyMark.store(kReadyMark, std::memory_order_release);
    return ok;
}

SharedMutexArea* CreateArea(int fd)
{
    if (::ftruncate(fd, sizeof(SharedMutexArea)) != 0)
        return nullptr;
    SharedMutexArea* area = MapArea(fd);
    if (area && !InitialiseArea(area)) {
        UnmapArea(area);
        return nullptr;
    }
    return area;
}

SharedMutexArea* OpenArea(int fd)
{
    const auto deadline = std::chrono::steady_clock::now() + kCreatorWait;
    struct stat status;
    while (::fstat(fd, &status) == 0 && status.st_size < static_cast<off_t>(sizeof(SharedMutexArea))) {
        if (std::chrono::steady_clock::now() > deadline)
            return nullptr;
        std::this_thread::sleep_for(kCreatorPoll);
    }
    SharedMutexArea* area = MapArea(fd);
    if (!area)
        return nullptr;
    while (area->readyMark.load(std::memory_order_acquire) != kReadyMark) {
        if (std::chrono::steady_clock::now() > deadline) {
            UnmapArea(area);
            return nullptr;
        }
        std::this_thread::sleep_for(kCreatorPoll);
    }
    return area;
}

timespec DeadlineAfter(std::chrono::milliseconds timeout)
{
    timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const auto total = std::chrono::nanoseconds(timeout).count() + now.tv_nsec;
    return {now.tv_sec + static_cast<time_t>(total / kNanosecondsPerSecond),
            static_cast<long>(total % kNanosecondsPerSecond)};
}

} // namespace

std::unique_ptr<CPosixNamedMutex> CPosixNamedMutex::CreateOrOpen(const std::string& name)
{
    const std::string posixName = PosixSharedObjectName(name);
    int fd = ::shm_open(posixName.c_str(), O_RDWR | O_CREAT | O_EXCL, kOwnerOnly);
    const bool created = fd >= 0;
    if (!created && errno == EEXIST)
        fd = ::shm_open(posixName.c_str(), O_RDWR, 0);
    if (fd < 0)
        return nullptr;
    SharedMutexArea* area = created ? CreateArea(fd) : OpenArea(fd);
    if (!area) {
        // A half-made object of ours would block every later opener.
        if (created)
            ::shm_unlink(posixName.c_str());
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<CPosixNamedMutex>(new CPosixNamedMutex(fd, area));
}

CPosixNamedMutex::~CPosixNamedMutex()
{
    UnmapArea(m_area);
    ::close(m_fd);
}

CNamedMutex::WaitResult CPosixNamedMutex::Wait(std::chrono::milliseconds timeout)
{
    const timespec deadline = DeadlineAfter(timeout);
    switch (::pthread_mutex_clocklock(&m_area->mutex, CLOCK_MONOTONIC, &deadline)) {
    case 0:
        return WaitResult::Obtained;
    case ETIMEDOUT:
        return WaitResult::TimedOut;
    case EOWNERDEAD:
        ::pthread_mutex_consistent(&m_area->mutex);
        ::pthread_mutex_unlock(&m_area->mutex);
        return WaitResult::Abandoned;
    default:
        return WaitResult::Failed;
    }
}

void CPosixNamedMutex::Release()
{
    ::pthread_mutex_unlock(&m_area->mutex);
}
