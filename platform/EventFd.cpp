#include "platform/EventFd.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

EventFd::EventFd() : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

EventFd::~EventFd()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void EventFd::Set()
{
    const std::uint64_t one = 1;
    // A full counter is already set; nothing else can fail on a valid eventfd.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

void EventFd::Reset()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_fd, &count, sizeof count);
}

bool EventFd::IsSet() const
{
    pollfd fd {m_fd, POLLIN, 0};
    return ::poll(&fd, 1, 0) == 1 && (fd.revents & POLLIN);
}

int EventFd::WaitEither(const EventFd& first, const EventFd& second)
{
    pollfd fds[2] = {{first.m_fd, POLLIN, 0}, {second.m_fd, POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return -1;
        if (fds[0].revents & POLLIN)
            return 0;
        if (fds[1].revents & POLLIN)
            return 1;
        return -1;
    }
}
