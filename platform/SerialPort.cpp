#include "platform/SerialPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

SerialPort::~SerialPort()
{
    Close();
}

SerialPort::OpenResult SerialPort::Open(const QString& path)
{
    Close();
    m_openError = 0;
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_openError = errno;
        return m_openError == EBUSY ? OpenResult::Held : OpenResult::Failed;
    }
    // TIOCEXCL does not stop root, so the lock is what keeps two holders apart.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        // A held lock is a busy device to whoever reads the reason.
        m_openError = error == EWOULDBLOCK ? EBUSY : error;
        return error == EWOULDBLOCK ? OpenResult::Held : OpenResult::Failed;
    }
    // A device that is no terminal refuses TIOCEXCL; reading its state tells.
    if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) {
        m_openError = errno;
        ::close(fd);
        return OpenResult::Failed;
    }
    m_fd = fd;
    return OpenResult::Opened;
}

QString SerialPort::OpenErrorText() const
{
    return m_openError == 0 ? QString() : QString::fromLocal8Bit(std::strerror(m_openError));
}

void SerialPort::Close()
{
    if (m_fd < 0)
        return;
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

bool SerialPort::GetState(termios& state) const
{
    return ::tcgetattr(m_fd, &state) == 0;
}

bool SerialPort::SetState(const termios& state)
{
    return ::tcsetattr(m_fd, TCSANOW, &state) == 0;
}

bool SerialPort::BuildLinkState(termios& state)
{
    ::cfmakeraw(&state);
    if (::cfsetispeed(&state, B38400) != 0 || ::cfsetospeed(&state, B38400) != 0)
        return false;
    state.c_cflag &= ~(CSIZE | PARENB | CSTOPB);
    state.c_cflag |= CS8 | CREAD | CLOCAL;
    state.c_iflag |= IGNBRK | IGNPAR;
    return true;
}

void SerialPort::SwitchOffFlowControl(termios& state)
{
    state.c_cflag &= ~CRTSCTS;
    state.c_iflag &= ~(IXON | IXOFF);
}

void SerialPort::SetReadOneByte(termios& state)
{
    state.c_cc[VMIN] = 1;
    state.c_cc[VTIME] = 0;
}

void SerialPort::Discard(Purge what)
{
    static constexpr int kQueue[] = {TCIFLUSH, TCOFLUSH, TCIOFLUSH};
    ::tcflush(m_fd, kQueue[static_cast<int>(what)]);
}

SerialPort::WaitResult SerialPort::WaitReadable(int stopFd, int timeoutMs) const
{
    return Wait(POLLIN, stopFd, timeoutMs);
}

SerialPort::WaitResult SerialPort::WaitWritable(int stopFd, int timeoutMs) const
{
    return Wait(POLLOUT, stopFd, timeoutMs);
}

SerialPort::WaitResult SerialPort::Wait(short events, int stopFd, int timeoutMs) const
{
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {m_fd, events, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return WaitResult::Failed;
        if (ready == 0)
            return WaitResult::TimedOut;
        if (fds[0].revents & POLLIN)
            return WaitResult::Stopped;
        if (fds[1].revents & events)
            return WaitResult::Ready;
        return WaitResult::Failed;
    }
}

qsizetype SerialPort::Read(char* buffer, qsizetype size)
{
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, static_cast<size_t>(size));
        if (n > 0)
            return n;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        // End of file: the other side of the line is gone.
        return -1;
    }
}

qsizetype SerialPort::Write(const char* data, qsizetype size)
{
    for (;;) {
        const ssize_t n = ::write(m_fd, data, static_cast<size_t>(size));
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
}

bool SerialPort::DropDtr()
{
    int lines = TIOCM_DTR;
    return ::ioctl(m_fd, TIOCMBIC, &lines) == 0;
}
