#include "platform/AtModemLine.h"

#include "platform/SerialPort.h"

#include <QDeadlineTimer>
#include <QThread>

#include <utility>

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr int kReadChunk = 256;
const QByteArray kEscape = QByteArrayLiteral("+++");

struct ResultWord
{
    const char* word;
    AtModemLine::Result result;
};

constexpr ResultWord kResultWords[] = {
    {"OK", AtModemLine::Result::Ok},
    {"CONNECT", AtModemLine::Result::Connect},
    {"BUSY", AtModemLine::Result::Busy},
    {"NO ANSWER", AtModemLine::Result::NoAnswer},
    {"NO CARRIER", AtModemLine::Result::NoCarrier},
    {"NO DIALTONE", AtModemLine::Result::NoDialTone},
    {"NO DIAL TONE", AtModemLine::Result::NoDialTone},
    {"ERROR", AtModemLine::Result::Error},
};

int RemainingMs(const QDeadlineTimer& deadline)
{
    return static_cast<int>(deadline.remainingTime());
}

} // namespace

AtModemLine::Reply AtModemLine::Classify(const QByteArray& line)
{
    const QByteArray text = line.trimmed().toUpper();
    for (const ResultWord& word : kResultWords) {
        if (text == word.word)
            return {word.result, 0};
    }
    const QByteArray connect = QByteArrayLiteral("CONNECT ");
    if (text.startsWith(connect)) {
        const QByteArray rest = text.mid(connect.size());
        qsizetype digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
            ++digits;
        return {Result::Connect, rest.left(digits).toInt()};
    }
    return {Result::Other, 0};
}

bool AtModemLine::WriteAll(const QByteArray& bytes, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qsizetype n = m_port.Write(bytes.constData() + done, bytes.size() - done);
        if (n < 0)
            return false;
        done += n;
        if (done < bytes.size() && m_port.WaitWritable(-1, RemainingMs(deadline)) != SerialPort::WaitResult::Ready)
            return false;
    }
    return true;
}

bool AtModemLine::Send(const QByteArray& command, int timeoutMs)
{
    return WriteAll(command + kCarriageReturn, timeoutMs);
}

AtModemLine::Reply AtModemLine::Command(const QByteArray& command, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    if (!Send(command, timeoutMs))
        return {};
    return AwaitResult(RemainingMs(deadline));
}

bool AtModemLine::Reset(int timeoutMs)
{
    return Command("ATZ", timeoutMs).result == Result::Ok && Command("ATE0V1X4", timeoutMs).result == Result::Ok;
}

bool AtModemLine::Dial(const QByteArray& number, int timeoutMs)
{
    return Send("ATDT" + number, timeoutMs);
}

AtModemLine::Reply AtModemLine::Escape(int guardMs, int timeoutMs)
{
    QThread::msleep(static_cast<unsigned long>(guardMs));
    if (!WriteAll(kEscape, timeoutMs))
        return {};
    QThread::msleep(static_cast<unsigned long>(guardMs));
    return AwaitResult(timeoutMs);
}

AtModemLine::Reply AtModemLine::AwaitResult(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        ReadLines();
        while (!m_lines.isEmpty()) {
            const Reply reply = Classify(m_lines.takeFirst());
            if (reply.result != Result::Other)
                return reply;
        }
        if (deadline.hasExpired() || m_port.WaitReadable(-1, RemainingMs(deadline)) == SerialPort::WaitResult::Failed)
            return {};
    }
}

QList<QByteArray> AtModemLine::TakeLines()
{
    ReadLines();
    return std::exchange(m_lines, {});
}

void AtModemLine::ClearPending()
{
    m_failed = false;
    m_pending.clear();
    m_discarding = false;
    m_lines.clear();
}

void AtModemLine::ReadLines()
{
    char buffer[kReadChunk];
    qsizetype n = 0;
    while ((n = m_port.Read(buffer, kReadChunk)) > 0)
        TakeBytes(QByteArrayView(buffer, n));
    m_failed = n < 0;
}

void AtModemLine::TakeBytes(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c == kCarriageReturn || c == kLineFeed) {
            const QByteArray line = m_pending.trimmed();
            if (!line.isEmpty() && !m_discarding)
                m_lines.append(line);
            m_pending.clear();
            m_discarding = false;
        } else if (m_discarding) {
            continue;
        } else if (m_pending.size() < kMaxLineLength) {
            m_pending.append(c);
        } else {
            // A line this long is noise, not a result: it is dropped whole,
            // so that no tail of it is read as a result word.
            m_pending.clear();
            m_discarding = true;
        }
    }
}
