#include "platform/AtModemLine.h"
#include "platform/SerialPort.h"

#include <gtest/gtest.h>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A modem's line on a pseudo-terminal: the test writes the modem's side.
class AtModemReader : public testing::Test
{
protected:
    void SetUp() override
    {
        int slave = -1;
        char name[256] = {};
        ASSERT_EQ(::openpty(&m_modem, &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        ASSERT_EQ(port.Open(QString::fromLocal8Bit(name)), SerialPort::OpenResult::Opened);
        termios state {};
        ASSERT_TRUE(port.GetState(state));
        ::cfmakeraw(&state);
        ASSERT_TRUE(port.SetState(state));
    }

    void TearDown() override
    {
        port.Close();
        ::close(m_modem);
    }

    void ModemSends(const QByteArray& bytes)
    {
        ASSERT_EQ(::write(m_modem, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
    }

    // The lines read until at least count have come and the port then
    // stays quiet a while.
    QList<QByteArray> Take(qsizetype count = 0)
    {
        QList<QByteArray> lines;
        for (;;) {
            lines += reader.TakeLines();
            const int waitMs = lines.size() < count ? kBoundMs : kQuietMs;
            if (port.WaitReadable(-1, waitMs) != SerialPort::WaitResult::Ready)
                return lines;
        }
    }

    static constexpr int kQuietMs = 20;
    static constexpr int kBoundMs = 5000;
    SerialPort port;
    AtModemLine reader {port};
    int m_modem = -1;
};

TEST_F(AtModemReader, LineThatNeverEndsIsHeldWithinTheBoundAndDroppedWhole)
{
    // Noise that ends in what looks like a result word, sent a piece at a time.
    const QByteArray piece(1000, 'x');
    constexpr int kPieces = 16;
    QList<QByteArray> lines;
    for (int i = 0; i < kPieces; ++i) {
        ModemSends(piece);
        lines += Take();
        ASSERT_LE(reader.PendingSize(), AtModemLine::kMaxLineLength) << "after " << (i + 1) * piece.size() << " bytes";
    }
    ModemSends("CONNECT 9600\r\nOK\r\n");
    lines += Take(1);
    EXPECT_EQ(lines, QList<QByteArray> {"OK"}) << "no tail of the long line is a result";
    EXPECT_EQ(reader.PendingSize(), 0);
}

TEST_F(AtModemReader, LinesUpToTheBoundAreKept)
{
    const QByteArray longest = "CONNECT " + QByteArray(AtModemLine::kMaxLineLength - 8, '1');
    ModemSends("\r\nOK\r\n" + longest + "\r" + "NO CARRIER\n" + "BU");
    EXPECT_EQ(Take(3), (QList<QByteArray> {"OK", longest, "NO CARRIER"}));
    EXPECT_EQ(reader.PendingSize(), 2) << "the start of a line waits for its end";
    ModemSends("SY\r");
    EXPECT_EQ(Take(1), QList<QByteArray> {"BUSY"});
}

} // namespace
