#include "link/CLinkThreads.h"

#include "link/LinkThreadProcs.h"
#include "link/LinkTiming.h"
#include "platform/EventFd.h"
#include "platform/SerialPort.h"
#include "platform/WindowMessages.h"

#include <QDebug>

#include <chrono>

namespace {
constexpr int kStopWaitMs = 10000;
constexpr int kThreadCount = 2;
} // namespace

CLinkThreads::CLinkThreads() = default;

CLinkThreads::~CLinkThreads()
{
    Stop();
}

void CLinkThreads::Start(SerialPort& port, EventFd& stop, QObject* window)
{
    Stop();
    m_framer.Reset();
    m_messages.Clear();
    // Done here rather than on the reader, so what the panels send once this
    // returns is never purged.
    port.Discard(SerialPort::Purge::Input);
    m_context = std::make_unique<LinkThreadContext>(LinkThreadContext {port, stop, window, m_framer, m_messages});
    m_stop = &stop;
    m_running = kThreadCount;
    m_reader = std::thread([this] { Run(ReadThreadProc); });
    m_writer = std::thread([this] { Run(WriteThreadProc); });
}

void CLinkThreads::Run(int (*proc)(LinkThreadContext&))
{
    proc(*m_context);
    const std::lock_guard lock(m_mutex);
    --m_running;
    m_ended.notify_all();
}

void CLinkThreads::PostWriteRequest(QByteArray frame)
{
    m_messages.Post(Msg::WriteRequest, std::move(frame));
}

void CLinkThreads::PostThreadMessage(unsigned msg, QByteArray frame)
{
    m_messages.Post(msg, std::move(frame));
}

bool CLinkThreads::Stop()
{
    if (!IsRunning())
        return true;
    m_stop->Set();
    m_context->port.Discard(SerialPort::Purge::Both);
    bool inTime = false;
    {
        std::unique_lock lock(m_mutex);
        inTime = m_ended.wait_for(lock, std::chrono::milliseconds(LinkTiming::Ms(kStopWaitMs)),
                                  [this] { return m_running == 0; });
    }
    if (!inTime)
        qWarning().noquote() << "The link threads did not end within the stop wait; still waiting for them.";
    m_reader.join();
    m_writer.join();
    m_context.reset();
    m_stop = nullptr;
    return inTime;
}
