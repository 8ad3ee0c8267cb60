#pragma once

#include <QString>

#include <termios.h>

// A serial device held by the program alone: opened non-blocking, locked with
// flock and marked exclusive (TIOCEXCL), so neither another program nor a
// second open of ours can use it meanwhile. Every wait is a poll() on the
// device and a stop descriptor, so whoever owns the stop can always end it.
class SerialPort
{
public:
    enum class OpenResult { Opened, Held, Failed };
    enum class WaitResult { Ready, Stopped, TimedOut, Failed };
    enum class Purge { Input, Output, Both };

    static constexpr int kNoTimeout = -1;

    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Held: another holder has the device, by lock or by exclusive mode.
    OpenResult Open(const QString& path);
    // The system's reason the last Open failed; empty after one that opened.
    QString OpenErrorText() const;
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }

    bool GetState(termios& state) const;
    bool SetState(const termios& state);
    // Raw bytes at 38400 baud, 8 data bits, no parity, one stop bit; line
    // errors (framing, parity, break) are ignored rather than reported.
    static bool BuildLinkState(termios& state);
    static void SwitchOffFlowControl(termios& state);
    // A read completes as soon as one byte is there.
    static void SetReadOneByte(termios& state);

    void Discard(Purge what);
    // Waits for readability (or writability) of the device or the stop fd.
    WaitResult WaitReadable(int stopFd, int timeoutMs = kNoTimeout) const;
    WaitResult WaitWritable(int stopFd, int timeoutMs = kNoTimeout) const;
    // Never blocks: the bytes moved, 0 when nothing could move now, -1 when
    // the device failed or is gone.
    qsizetype Read(char* buffer, qsizetype size);
    qsizetype Write(const char* data, qsizetype size);
    // Drops DTR; false on a device without modem lines.
    bool DropDtr();

private:
    WaitResult Wait(short events, int stopFd, int timeoutMs) const;

    int m_fd = -1;
    int m_openError = 0;
};
