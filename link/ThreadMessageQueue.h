#pragma once

#include "platform/EventFd.h"

#include <QByteArray>

#include <deque>
#include <mutex>

// The write thread's message queue: messages posted from the user-interface
// thread, each with its finished frame, and an event that wakes the thread.
class ThreadMessageQueue
{
public:
    struct Message
    {
        unsigned msg = 0;
        QByteArray frame;
    };

    void Post(unsigned msg, QByteArray frame = {});
    // Takes every waiting message and clears the wake event.
    std::deque<Message> TakeAll();
    void Clear();
    const EventFd& Wake() const { return m_wake; }

private:
    std::mutex m_mutex;
    std::deque<Message> m_messages;
    EventFd m_wake;
};
