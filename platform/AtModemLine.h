#pragma once

#include <QByteArray>
#include <QList>

class SerialPort;

// A Hayes modem spoken to in AT commands over an open serial port. It knows
// the result words, not what a caller makes of them; every wait is bounded by
// the time the caller gives.
class AtModemLine
{
public:
    enum class Result { None, Ok, Connect, Busy, NoAnswer, NoCarrier, NoDialTone, Error, Other };

    struct Reply
    {
        Result result = Result::None;
        // The rate a CONNECT names; 0 when it names none.
        int rate = 0;
    };

    // Far above any result line a modem sends; a longer line is dropped.
    static constexpr qsizetype kMaxLineLength = 1024;

    explicit AtModemLine(SerialPort& port) : m_port(port) {}

    static Reply Classify(const QByteArray& line);

    // Sends the command and a carriage return; false when the line took
    // nothing within the time.
    bool Send(const QByteArray& command, int timeoutMs);
    // Sends the command, then waits for its final result line.
    Reply Command(const QByteArray& command, int timeoutMs);
    // Back to the stored profile with verbal, extended results and no echo.
    bool Reset(int timeoutMs);
    bool Dial(const QByteArray& number, int timeoutMs);
    // Escapes from a connected call to command mode: silence, "+++", silence.
    Reply Escape(int guardMs, int timeoutMs);

    // What arrived so far, as whole non-empty lines; never waits.
    QList<QByteArray> TakeLines();
    // The device failed or went away while reading.
    bool LineFailed() const { return m_failed; }
    // Forgets whatever was read and not yet taken.
    void ClearPending();
    // Bytes held of a line not yet ended; bounded whatever the line sends.
    qsizetype PendingSize() const { return m_pending.size(); }

private:
    bool WriteAll(const QByteArray& bytes, int timeoutMs);
    Reply AwaitResult(int timeoutMs);
    void ReadLines();
    void TakeBytes(QByteArrayView bytes);

    SerialPort& m_port;
    QByteArray m_pending;
    QList<QByteArray> m_lines;
    bool m_failed = false;
    // Dropping the rest of a line that outgrew the bound.
    bool m_discarding = false;
};
