#pragma once

#include "helpbridge/CNamedMutex.h"

#include <memory>
#include <string>

struct SharedMutexArea;

// A named mutex as a robust, process-shared mutex in POSIX shared memory, so
// that an owner that dies leaves it abandoned rather than locked for good.
class CPosixNamedMutex final : public CNamedMutex
{
public:
    // Creates the object when missing, not owned; null on failure.
    static std::unique_ptr<CPosixNamedMutex> CreateOrOpen(const std::string& name);
    ~CPosixNamedMutex() override;

    CPosixNamedMutex(const CPosixNamedMutex&) = delete;
    CPosixNamedMutex& operator=(const CPosixNamedMutex&) = delete;

    WaitResult Wait(std::chrono::milliseconds timeout) override;
    void Release() override;

private:
    CPosixNamedMutex(int fd, SharedMutexArea* area) : m_fd(fd), m_area(area) {}

    int m_fd;
    SharedMutexArea* m_area;
};
