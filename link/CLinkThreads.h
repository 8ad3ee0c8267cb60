#pragma once

#include "link/FrameReceiver.h"
#include "link/ThreadMessageQueue.h"

#include <QByteArray>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class EventFd;
class QObject;
class SerialPort;
struct LinkThreadContext;

// The read and write threads of one connection. The user-interface thread
// builds every frame; the writer only writes the finished bytes it is given.
class CLinkThreads
{
public:
    CLinkThreads();
    ~CLinkThreads();
    CLinkThreads(const CLinkThreads&) = delete;
    CLinkThreads& operator=(const CLinkThreads&) = delete;

    // Starts both threads on the open port. The framer starts empty, so no
    // partial frame of an earlier connection swallows the first reply.
    void Start(SerialPort& port, EventFd& stop, QObject* window);
    bool IsRunning() const { return m_reader.joinable() || m_writer.joinable(); }

    // WM_USER+21: write this frame.
    void PostWriteRequest(QByteArray frame);
    void PostThreadMessage(unsigned msg, QByteArray frame = {});

    // Sets the stop event, discards what the port holds and waits for both
    // threads. A thread is never killed: past the stop wait it is logged and
    // still waited for. False when the wait ran past its time.
    bool Stop();

private:
    void Run(int (*proc)(LinkThreadContext&));

    FrameReceiver m_framer;
    ThreadMessageQueue m_messages;
    std::unique_ptr<LinkThreadContext> m_context;
    EventFd* m_stop = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    int m_running = 0;
    std::thread m_reader;
    std::thread m_writer;
};
