#include "link/CNetCommand.h"
#include "link/PacketBuilder.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
bool SameCommand(const CNetCommand& a, const CNetCommand& b)
{
    return a.m_strSending == b.m_strSending && a.m_strDone == b.m_strDone && a.m_strFailed == b.m_strFailed
        && a.m_strPassword == b.m_strPassword && a.m_kind == b.m_kind && a.m_timeout == b.m_timeout
        && a.m_retries == b.m_retries && a.m_expectedReply == b.m_expectedReply
        && a.m_frameAddress == b.m_frameAddress && a.m_payload == b.m_payload;
}
} // namespace

// A stored command file as the queue reads it before sending: a file that
// loads must save and load to the same command, and the frame built from it
// must be one the line can carry.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzSandbox& sandbox = FuzzSandbox::Get();
    static const QString path = sandbox.Path(QStringLiteral("NetCommands1.dat"));
    static const QString again = sandbox.Path(QStringLiteral("NetCommands2.dat"));
    static const FixedClock clock(QDateTime::fromSecsSinceEpoch(1'000'000'000, QTimeZone::utc()));

    FuzzSandbox::WriteFile(path, FuzzSandbox::Bytes(data, size));
    CNetCommand command;
    if (!command.LoadFromFile(path, 1))
        return 0;

    CNetCommand reloaded;
    if (!command.SaveToFile(again) || !reloaded.LoadFromFile(again, 1) || !SameCommand(command, reloaded))
        std::abort();

    QByteArray frame;
    SentRequestRecord sent;
    if (BuildPacket(command, clock, frame, sent) == PacketResult::Built) {
        if (frame.size() > Frame::kMaxFrameSize || frame.size() != Frame::ReadLength(frame) + Frame::kHeaderSize)
            std::abort();
    }
    return 0;
}
