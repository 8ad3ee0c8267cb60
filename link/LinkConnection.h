#pragma once

#include "platform/EventFd.h"

#include <cstdint>
#include <memory>

class CCommPort;
class CLinkThreads;
class CModem;
class SerialPort;

// The link state shared by the whole program; written on the user-interface
// thread, and the handle and the stop event only while the link threads are
// not running.
namespace LinkConnection {
inline constexpr std::uint8_t kModem = 0;
inline constexpr std::uint8_t kFirstComPort = 1;
inline constexpr std::uint8_t kLastComPort = 8;
inline constexpr std::uint8_t kNone = 9;
} // namespace LinkConnection

// Why the last call failed, for the Connection Failed dialog.
namespace ConnectFail {
inline constexpr int kNone = 0;
inline constexpr int kBusy = 1;
inline constexpr int kNoAnswer = 2;
inline constexpr int kNoDialTone = 3;
inline constexpr int kTimeOut = 4;
} // namespace ConnectFail

// 0 the modem, 1 to 8 that COM port, 9 none.
extern std::uint8_t CurrentConnection;
// The open link: the COM port or the modem's line after CONNECT; null when closed.
extern SerialPort* CommHandle;
// Set to end both link threads; made anew for each connection attempt.
extern std::unique_ptr<EventFd> StopEvent;
extern int ConnectFailReason;

// The two link objects, made at start-up and deleted at exit.
extern std::unique_ptr<CCommPort> CommPort;
extern std::unique_ptr<CModem> Modem;

// Ends a connection: stops both threads (never killing one), then closes the
// COM port or drops the modem's call, and clears the handle.
void StopLink(CLinkThreads& threads);
