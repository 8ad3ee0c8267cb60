#include "linkforms/ProcessEndWatch.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

bool ProcessExists(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

ProcessEndWatch::ProcessEndWatch(qint64 pid) : m_pid(pid)
{
    // A process descriptor turns readable when the process ends, reaped or not.
    m_fd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (m_fd >= 0) {
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &ProcessEndWatch::End);
        pollfd ready{m_fd, POLLIN, 0};
        if (::poll(&ready, 1, 0) > 0)
            End();
        return;
    }
    if (errno == ESRCH) {
        m_ended = true;
        return;
    }
    m_poll = std::make_unique<QTimer>();
    connect(m_poll.get(), &QTimer::timeout, this, &ProcessEndWatch::Check);
    m_poll->start(kPollMs);
    Check();
}

ProcessEndWatch::~ProcessEndWatch()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

void ProcessEndWatch::Check()
{
    if (!ProcessExists(m_pid))
        End();
}

void ProcessEndWatch::End()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_poll)
        m_poll->stop();
    emit ended();
}
