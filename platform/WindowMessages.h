#pragma once

#include <QEvent>
#include <QtGlobal>

class QObject;

// Window messages of the program, posted (queued) or sent (synchronous) to a
// QObject. The numbers are kept because receivers and senders dispatch on them.
namespace Msg {
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_COMMAND = 0x0111; // wParam command identifier

inline constexpr unsigned LoadController = WM_USER + 4;     // node setup: wParam VestrelID
inline constexpr unsigned AddDoor = WM_USER + 5;            // wParam door key, lParam label text
inline constexpr unsigned PanelEvent = WM_USER + 6;         // lParam CPanelEvent, valid during the call
inline constexpr unsigned ReplyFrame = WM_USER + 7;         // read thread hands a whole reply frame
inline constexpr unsigned NodeStatus = WM_USER + 8;         // lParam status record of a panel
inline constexpr unsigned ShowCardholder = WM_USER + 9;     // wParam UserID
inline constexpr unsigned MemoryData = WM_USER + 10;        // wParam frame length, lParam frame
inline constexpr unsigned ShowCardholderSet = WM_USER + 11; // wParam CHSetIndex
inline constexpr unsigned RefreshAfterAdd = WM_USER + 12;
inline constexpr unsigned EventLogBlock = WM_USER + 14;
inline constexpr unsigned LinkProgress = WM_USER + 15;      // wParam code, lParam argument
inline constexpr unsigned Ack = WM_USER + 16;
inline constexpr unsigned CommandDone = WM_USER + 17;
inline constexpr unsigned Nak = WM_USER + 18;               // wParam NAK reason
inline constexpr unsigned ConnectFailed = WM_USER + 19;     // wParam failure code
inline constexpr unsigned LinkThreadFailed = WM_USER + 20;
inline constexpr unsigned WriteRequest = WM_USER + 21;      // write thread: send the request record
inline constexpr unsigned NetworkChanged = WM_USER + 22;    // wParam network number
inline constexpr unsigned CardholderChanged = WM_USER + 23; // wParam UserID
inline constexpr unsigned TaskStepProgram = WM_USER + 24;
inline constexpr unsigned TaskStepSend = WM_USER + 25;
inline constexpr unsigned TaskStepEventLogs = WM_USER + 26;
inline constexpr unsigned TaskStepBackup = WM_USER + 27;    // wParam 1 in the backup task
inline constexpr unsigned TaskStepSetTime = WM_USER + 28;
inline constexpr unsigned SelectNode = WM_USER + 29;        // wParam node identifier
} // namespace Msg

// One message as a Qt event. Receivers test event->type() == AppMessageEvent::Type()
// and dispatch on msg; a sent message's receiver may set result.
class AppMessageEvent : public QEvent
{
public:
    AppMessageEvent(unsigned msg, quintptr wParam, qintptr lParam);

    static QEvent::Type Type();

    unsigned msg;
    quintptr wParam;
    qintptr lParam;
    qintptr result = 0;
};

// Queued: returns at once; the event is delivered by the target's event loop.
void PostAppMessage(QObject* target, unsigned msg, quintptr wParam = 0, qintptr lParam = 0);

// Synchronous: delivered before this returns; gives the receiver's result.
qintptr SendAppMessage(QObject* target, unsigned msg, quintptr wParam = 0, qintptr lParam = 0);
