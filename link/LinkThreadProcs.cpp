#include "link/LinkThreadProcs.h"

#include "link/FrameReceiver.h"
#include "link/LinkMessages.h"
#include "link/ReplyFrameEvent.h"
#include "link/ThreadMessageQueue.h"
#include "platform/EventFd.h"
#include "platform/SerialPort.h"
#include "platform/WindowMessages.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

constexpr int kReadChunk = 4096;
constexpr int kWakeEvent = 1;

// Nothing handles the notice; a failed link shows itself through reply
// time-outs, so it is logged here for whoever looks.
void ReportFailure(const LinkThreadContext& link, const char* thread)
{
    qWarning().noquote() << QStringLiteral("%1 thread of the link failed and ended.").arg(QLatin1String(thread));
    PostAppMessage(link.window, Msg::LinkThreadFailed, kLinkThreadFailedCode);
}

// Writes every byte of the frame, across partial writes. False when the stop
// event came first or the port failed (then after the notice).
bool WriteFrame(LinkThreadContext& link, const QByteArray& frame)
{
    qsizetype done = 0;
    while (done < frame.size()) {
        const qsizetype n = link.port.Write(frame.constData() + done, frame.size() - done);
        if (n < 0) {
            qDebug().noquote() << "Error to writing to CommFile. Closing TAPI";
            ReportFailure(link, "Write");
            return false;
        }
        done += n;
        if (done == frame.size())
            break;
        switch (link.port.WaitWritable(link.stop.Fd())) {
        case SerialPort::WaitResult::Ready:
            break;
        case SerialPort::WaitResult::Stopped:
            return false;
        case SerialPort::WaitResult::TimedOut:
        case SerialPort::WaitResult::Failed:
            ReportFailure(link, "Write");
            return false;
        }
    }
    return true;
}

// False when the thread must end.
bool ServeMessages(LinkThreadContext& link)
{
    for (const ThreadMessageQueue::Message& message : link.messages.TakeAll()) {
        if (link.stop.IsSet())
            return false;
        if (message.msg != Msg::WriteRequest) {
            qDebug().noquote() << QStringLiteral("Unexpected message posted to Write thread: %1").arg(message.msg);
            continue;
        }
        if (!WriteFrame(link, message.frame))
            return false;
    }
    return true;
}

} // namespace

int ReadThreadProc(LinkThreadContext& link)
{
    char buffer[kReadChunk];
    for (;;) {
        const SerialPort::WaitResult wait = link.port.WaitReadable(link.stop.Fd());
        if (wait == SerialPort::WaitResult::Stopped)
            break;
        const qsizetype n = wait == SerialPort::WaitResult::Ready ? link.port.Read(buffer, kReadChunk) : -1;
        if (n < 0) {
            ReportFailure(link, "Read");
            break;
        }
        for (qsizetype i = 0; i < n; ++i) {
            if (std::optional<QByteArray> frame = link.framer.FrameReceivedByte(static_cast<std::uint8_t>(buffer[i]))) {
                if (link.window)
                    QCoreApplication::postEvent(link.window, new ReplyFrameEvent(std::move(*frame)));
            }
        }
    }
    link.port.Discard(SerialPort::Purge::Input);
    return 0;
}

int WriteThreadProc(LinkThreadContext& link)
{
    for (;;) {
        const int woken = EventFd::WaitEither(link.stop, link.messages.Wake());
        if (woken != kWakeEvent) {
            if (woken < 0)
                ReportFailure(link, "Write");
            break;
        }
        if (!ServeMessages(link))
            break;
    }
    link.port.Discard(SerialPort::Purge::Output);
    return 1;
}
