#pragma once

class EventFd;
class FrameReceiver;
class QObject;
class SerialPort;
class ThreadMessageQueue;

// What the two link threads of one connection share. The user-interface
// thread keeps all of it alive until both threads have ended.
struct LinkThreadContext
{
    SerialPort& port;
    const EventFd& stop;
    // The communication form: gets the reply frames and the failure notice.
    QObject* window;
    // The read thread's alone while it runs.
    FrameReceiver& framer;
    ThreadMessageQueue& messages;
};

// The port's input was purged when the connection started.
// Feeds every received byte to the framer and posts each whole reply frame
// (WM_USER+7); ends at the stop event, or after posting WM_USER+20 when the
// port fails. Returns 0.
int ReadThreadProc(LinkThreadContext& link);

// Writes the frame of each write request (WM_USER+21) completely; ends at the
// stop event, or after WM_USER+20 when a write fails. Returns 1.
int WriteThreadProc(LinkThreadContext& link);
