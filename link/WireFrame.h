#pragma once

#include <QByteArray>

#include <cstdint>

// Layout of a frame on the panel line: 5A A5, a big-endian length L counting
// from the address byte to the end of the CRC, the address, the code, the
// payload and the CRC high byte first.
namespace Frame {
inline constexpr std::uint8_t kSync1 = 0x5A;
inline constexpr std::uint8_t kSync2 = 0xA5;

inline constexpr int kSync1Offset = 0;
inline constexpr int kSync2Offset = 1;
inline constexpr int kLengthOffset = 2;
inline constexpr int kAddressOffset = 4;
inline constexpr int kCodeOffset = 5;
inline constexpr int kPayloadOffset = 6;

// Bytes before the address byte: the two sync bytes and the length.
inline constexpr int kHeaderSize = 4;
// L counts address, code and the two CRC bytes besides the payload.
inline constexpr int kLengthOverhead = 4;
inline constexpr int kCrcSize = 2;

inline constexpr int kMinLength = 4;
inline constexpr int kMaxLength = 4112;
inline constexpr int kMaxFrameSize = kMaxLength + kHeaderSize;

// A memory write carries area, unit (2 bytes) and count (2 bytes) before its data.
inline constexpr int kMemoryWriteHeaderSize = 5;
inline constexpr int kMemoryWriteDataOffset = kPayloadOffset + kMemoryWriteHeaderSize;
inline constexpr int kMemoryWriteOverhead = kLengthOverhead + kMemoryWriteHeaderSize;
// The longest memory write a panel takes: 4096 data bytes.
inline constexpr int kMaxMemoryWriteLength = 4105;

inline constexpr std::uint8_t kCompressedFlag = 0x80;

// Codes of replies, which only panels send.
inline constexpr std::uint8_t kEventRecord = 8;
inline constexpr std::uint8_t kNodeStatus = 9;
inline constexpr std::uint8_t kMemoryData = 10;
inline constexpr std::uint8_t kEventLogBlock = 11;
inline constexpr std::uint8_t kAck = 12;
inline constexpr std::uint8_t kNak = 13;

// First payload byte of a NAK.
inline constexpr std::uint8_t kNakCrcError = 1;
inline constexpr std::uint8_t kNakWrongPassword = 2;
inline constexpr std::uint8_t kNakTimeOut = 3;

inline constexpr bool IsReplyCode(std::uint8_t code)
{
    return code >= kEventRecord && code <= kNak;
}

// Requests are the command kinds 1 to 7 and the acknowledgement; a memory
// write may come compressed.
inline constexpr bool IsRequestCode(std::uint8_t code)
{
    return (code >= 1 && code <= 7) || code == kAck || code == (7 | kCompressedFlag);
}

inline int ReadLength(const QByteArray& frame)
{
    return static_cast<std::uint8_t>(frame[kLengthOffset]) << 8 | static_cast<std::uint8_t>(frame[kLengthOffset + 1]);
}

inline void WriteLength(QByteArray& frame, int length)
{
    frame[kLengthOffset] = static_cast<char>(length >> 8);
    frame[kLengthOffset + 1] = static_cast<char>(length & 0xFF);
}

inline std::uint8_t ByteAt(const QByteArray& bytes, qsizetype index)
{
    return static_cast<std::uint8_t>(bytes[index]);
}
} // namespace Frame
