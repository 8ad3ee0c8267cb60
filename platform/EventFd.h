#pragma once

// A manual-reset event over an eventfd: set, it stays readable until reset, so
// any number of poll() waits see it. Used to stop the link threads and to wake
// the write thread.
class EventFd
{
public:
    EventFd();
    ~EventFd();
    EventFd(const EventFd&) = delete;
    EventFd& operator=(const EventFd&) = delete;

    int Fd() const { return m_fd; }

    void Set();
    void Reset();
    bool IsSet() const;

    // Waits until one of the two is set: 0 or 1, -1 when the wait failed.
    static int WaitEither(const EventFd& first, const EventFd& second);

private:
    int m_fd;
};
