#pragma once

#include "platform/WindowMessages.h"

#include <QByteArray>

// WM_USER+7: one whole reply frame, handed by the read thread to the
// user-interface thread. wParam is the frame's length field L; the frame
// travels with the event, so nothing is shared with the thread.
class ReplyFrameEvent : public AppMessageEvent
{
public:
    explicit ReplyFrameEvent(QByteArray frame);

    // The frame when event is a WM_USER+7 from the read thread; null otherwise.
    static const QByteArray* FrameOf(const QEvent* event);

    const QByteArray frame;
};
