#include "link/ReplyFrameEvent.h"

#include "link/WireFrame.h"

ReplyFrameEvent::ReplyFrameEvent(QByteArray bytes)
    : AppMessageEvent(Msg::ReplyFrame, static_cast<quintptr>(Frame::ReadLength(bytes)), 0), frame(std::move(bytes))
{
}

const QByteArray* ReplyFrameEvent::FrameOf(const QEvent* event)
{
    if (event->type() != AppMessageEvent::Type() || static_cast<const AppMessageEvent*>(event)->msg != Msg::ReplyFrame)
        return nullptr;
    const auto* reply = dynamic_cast<const ReplyFrameEvent*>(event);
    return reply ? &reply->frame : nullptr;
}
