#include "tests/link/LinkTestSupport.h"

#include "link/NetCommandKinds.h"
#include "link/PacketBuilder.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"

namespace LinkTestSupport {

namespace {
constexpr int kLargestWriteData = 4096;
}

QByteArray RequestFrame(const CNetCommand& command)
{
    QByteArray frame;
    SentRequestRecord sent;
    PrepareRequestFrame(command, Clock::Current(), frame, sent);
    return frame;
}

QByteArray LoginFrame(int network, int node, const QString& password)
{
    CNetCommand login(NetKind::LinkLogin, static_cast<std::uint8_t>(network), static_cast<std::uint8_t>(node));
    login.m_strPassword = password;
    return RequestFrame(login);
}

QByteArray StatusPollFrame(int network, int node)
{
    return RequestFrame(CNetCommand(NetKind::StatusPoll, static_cast<std::uint8_t>(network), static_cast<std::uint8_t>(node)));
}

QByteArray LargestWriteFrame(std::uint8_t address)
{
    // Bank 1 from unit 2, then data that does not compress.
    QByteArray payload = QByteArray::fromHex("0100020000");
    payload[3] = static_cast<char>(kLargestWriteData >> 8);
    payload[4] = static_cast<char>(kLargestWriteData & 0xFF);
    for (int i = 0; i < kLargestWriteData; ++i)
        payload.append(static_cast<char>(i * 7 + i / 3));
    return RequestFrame(CNetCommand::CNetCommandMemoryUpdate(address, payload));
}

std::uint8_t CodeOf(const QByteArray& frame)
{
    return Frame::ByteAt(frame, Frame::kCodeOffset);
}

std::uint8_t AddressOf(const QByteArray& frame)
{
    return Frame::ByteAt(frame, Frame::kAddressOffset);
}

} // namespace LinkTestSupport
