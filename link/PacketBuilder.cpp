#include "link/PacketBuilder.h"

#include "link/CNetCommand.h"
#include "link/Crc16.h"
#include "link/NetCommandKinds.h"
#include "link/NodeAddress.h"
#include "link/Rle.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

namespace {

constexpr int kPasswordLength = 6;
constexpr int kMemoryReadRequestSize = 5;
constexpr int kNodeCommandSentSize = 6;
constexpr int kTimeSettingBytes = 7;
constexpr int kMinTimeSettingPayload = 2;
constexpr int kPanelYearBase = 2000;
constexpr int kSecondsPerHour = 3600;
constexpr int kDaysPerWeek = 7;

constexpr int kMemoryWriteCountOffset = 3;
// Only a write of at least one data byte is worth compressing.
constexpr int kMinCompressibleLength = 10;

constexpr const char* kCorruptPacketText = "Corrupt packet.";

std::uint8_t PayloadByte(const CNetCommand& request, int index)
{
    return Frame::ByteAt(request.m_payload, index);
}

QByteArray NewFrame(const CNetCommand& request, int length)
{
    QByteArray frame(length + Frame::kHeaderSize, '\0');
    Frame::WriteLength(frame, length);
    frame[Frame::kAddressOffset] = static_cast<char>(request.m_frameAddress);
    frame[Frame::kCodeOffset] = static_cast<char>(request.m_kind);
    return frame;
}

QByteArray LinkLoginFrame(const CNetCommand& request)
{
    // The panels expect the password last character first. A short password
    // is sent padded with zero bytes.
    QByteArray frame = NewFrame(request, Frame::kLengthOverhead + kPasswordLength);
    const QByteArray password = request.m_strPassword.toLatin1().left(kPasswordLength);
    for (int i = 0; i < password.size(); ++i)
        frame[Frame::kPayloadOffset + kPasswordLength - 1 - i] = password[i];
    return frame;
}

QByteArray PayloadFrame(const CNetCommand& request, int payloadBytes)
{
    QByteArray frame = NewFrame(request, Frame::kLengthOverhead + payloadBytes);
    for (int i = 0; i < payloadBytes; ++i)
        frame[Frame::kPayloadOffset + i] = request.m_payload[i];
    return frame;
}

// Sunday is 1 on the panels; Qt counts Monday as 1 and Sunday as 7.
int PanelWeekday(const QDate& date)
{
    return date.dayOfWeek() % kDaysPerWeek + 1;
}

QByteArray TimeSettingFrame(const CNetCommand& request, const Clock& clock)
{
    QByteArray frame = NewFrame(request, Frame::kLengthOverhead + kTimeSettingBytes);
    const QDateTime time = TimeSettingTime(PayloadByte(request, 0), static_cast<std::int8_t>(PayloadByte(request, 1)), clock);
    const std::uint8_t bytes[kTimeSettingBytes] = {
        TimeSettingMode::StandardTime,
        static_cast<std::uint8_t>(time.time().minute()),
        static_cast<std::uint8_t>(time.time().hour()),
        static_cast<std::uint8_t>(time.date().day()),
        static_cast<std::uint8_t>(PanelWeekday(time.date())),
        static_cast<std::uint8_t>(time.date().month()),
        static_cast<std::uint8_t>(time.date().year() - kPanelYearBase),
    };
    for (int i = 0; i < kTimeSettingBytes; ++i)
        frame[Frame::kPayloadOffset + i] = static_cast<char>(bytes[i]);
    return frame;
}

int MemoryWriteCount(const QByteArray& bytes, int offset)
{
    return Frame::ByteAt(bytes, offset) << 8 | Frame::ByteAt(bytes, offset + 1);
}

} // namespace

QDateTime TimeSettingTime(std::uint8_t mode, std::int8_t hoursOffset, const Clock& clock)
{
    const QDateTime utc = clock.NowUtc();
    const int offsetSeconds = mode == TimeSettingMode::DaylightSavingTime
                                  ? clock.TimeZone().offsetFromUtc(utc)
                                  : clock.TimeZone().standardTimeOffset(utc);
    // Carried as a UTC value so that no zone rule shifts the wall time again.
    return utc.toUTC().addSecs(static_cast<qint64>(offsetSeconds) + hoursOffset * kSecondsPerHour);
}

PacketResult BuildPacket(const CNetCommand& request, const Clock& clock, QByteArray& frame, SentRequestRecord& sent)
{
    const auto payloadSize = request.m_payload.size();
    switch (request.m_kind) {
    case NetKind::LinkLogin:
        frame = LinkLoginFrame(request);
        break;
    case NetKind::StatusPoll:
    case NetKind::EventLogRead:
    case NetKind::Ack:
        frame = NewFrame(request, Frame::kLengthOverhead);
        break;
    case NetKind::MemoryRead:
        if (payloadSize < kMemoryReadRequestSize)
            return PacketResult::Corrupt;
        frame = PayloadFrame(request, kMemoryReadRequestSize);
        break;
    case NetKind::NodeCommand:
        if (payloadSize < kNodeCommandSentSize)
            return PacketResult::Corrupt;
        frame = PayloadFrame(request, kNodeCommandSentSize);
        break;
    case NetKind::TimeSetting:
        if (payloadSize < kMinTimeSettingPayload)
            return PacketResult::Corrupt;
        frame = TimeSettingFrame(request, clock);
        break;
    case NetKind::MemoryWrite: {
        if (payloadSize < Frame::kMemoryWriteHeaderSize)
            return PacketResult::Corrupt;
        const int count = MemoryWriteCount(request.m_payload, kMemoryWriteCountOffset);
        const int length = count + Frame::kMemoryWriteOverhead;
        if (length > Frame::kMaxMemoryWriteLength || payloadSize < Frame::kMemoryWriteHeaderSize + count)
            return PacketResult::Corrupt;
        frame = PayloadFrame(request, Frame::kMemoryWriteHeaderSize + count);
        break;
    }
    default:
        return PacketResult::NotBuilt;
    }

    if (request.m_kind != NetKind::Ack) {
        const NetNode expected = SplitNodeAddress(request.m_frameAddress);
        sent.code = request.m_kind;
        sent.network = expected.network;
        sent.node = expected.node;
    }
    SealPacket(frame);
    return PacketResult::Built;
}

void SealPacket(QByteArray& frame)
{
    int length = Frame::ReadLength(frame);
    if (Frame::ByteAt(frame, Frame::kCodeOffset) == NetKind::MemoryWrite && length >= kMinCompressibleLength) {
        const auto data = std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(frame.constData()) + Frame::kMemoryWriteDataOffset,
            static_cast<std::size_t>(length - Frame::kMemoryWriteOverhead));
        const QByteArray encoded = RleEncode(data);
        if (encoded.size() < static_cast<qsizetype>(data.size())) {
            // The request bytes keep the uncompressed count for the panel.
            length = static_cast<int>(encoded.size()) + Frame::kMemoryWriteOverhead;
            frame.replace(Frame::kMemoryWriteDataOffset, encoded.size(), encoded);
            Frame::WriteLength(frame, length);
            frame[Frame::kCodeOffset] = static_cast<char>(NetKind::MemoryWrite | Frame::kCompressedFlag);
        }
    }
    frame.resize(length + Frame::kHeaderSize);
    frame[Frame::kSync1Offset] = static_cast<char>(Frame::kSync1);
    frame[Frame::kSync2Offset] = static_cast<char>(Frame::kSync2);
    const int crcOffset = length + Frame::kHeaderSize - Frame::kCrcSize;
    const std::uint16_t crc = crc16(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(frame.constData()) + Frame::kAddressOffset,
        static_cast<std::size_t>(length - Frame::kCrcSize)));
    frame[crcOffset] = static_cast<char>(crc >> 8);
    frame[crcOffset + 1] = static_cast<char>(crc & 0xFF);
}

bool PrepareRequestFrame(const CNetCommand& request, const Clock& clock, QByteArray& frame, SentRequestRecord& sent)
{
    const PacketResult result = BuildPacket(request, clock, frame, sent);
    if (result == PacketResult::Corrupt)
        ShowMessageBox(QString::fromLatin1(kCorruptPacketText));
    return result == PacketResult::Built;
}
