#include "link/ThreadMessageQueue.h"

void ThreadMessageQueue::Post(unsigned msg, QByteArray frame)
{
    {
        const std::lock_guard lock(m_mutex);
        m_messages.push_back({msg, std::move(frame)});
    }
    m_wake.Set();
}

std::deque<ThreadMessageQueue::Message> ThreadMessageQueue::TakeAll()
{
    const std::lock_guard lock(m_mutex);
    m_wake.Reset();
    return std::exchange(m_messages, {});
}

void ThreadMessageQueue::Clear()
{
    TakeAll();
}
