#pragma once

// Progress codes of WM_USER+15 and failure codes of WM_USER+19 that the link
// and the modem send to the Connecting dialog.
namespace LinkProgressCode {
inline constexpr unsigned kPortOpened = 0; // lParam the COM port number
inline constexpr unsigned kLineIdle = 6;
inline constexpr unsigned kDialing = 8;
inline constexpr unsigned kBusy = 9;
inline constexpr unsigned kConnected = 11; // lParam the rate in bits per second
inline constexpr unsigned kDisconnected = 12;
// Sent, not posted: lParam points to the disconnect text during the call.
inline constexpr unsigned kDisconnectText = 13;
// Sent, not posted: lParam points, during the call, to the text naming the
// COM port's device and why it did not open.
inline constexpr unsigned kPortNotOpenedText = 16;
} // namespace LinkProgressCode

namespace LinkFailureCode {
inline constexpr unsigned kPortNotConfigured = 14;
// The telephony service's "operation failed" number, which the Connecting
// dialog shows as "Line operation failed.".
inline constexpr unsigned kLineOperationFailed = 0x80000048;
} // namespace LinkFailureCode

// wParam of WM_USER+20: a link thread failed and ended.
inline constexpr unsigned kLinkThreadFailedCode = 2;
