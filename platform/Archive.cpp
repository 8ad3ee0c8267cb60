#include "platform/Archive.h"

#include <QFile>

namespace {
constexpr std::uint8_t kByteLengthEscape = 0xFF;
constexpr std::uint16_t kWordLengthEscape = 0xFFFF;
constexpr qsizetype kLongestWordLength = 0xFFFE;
} // namespace

void ArchiveWriter::WriteByte(std::uint8_t value)
{
    m_bytes.append(static_cast<char>(value));
}

void ArchiveWriter::WriteWord(std::uint16_t value)
{
    WriteByte(value & 0xFF);
    WriteByte(value >> 8);
}

void ArchiveWriter::WriteDWord(std::uint32_t value)
{
    WriteWord(value & 0xFFFF);
    WriteWord(value >> 16);
}

void ArchiveWriter::WriteBytes(const QByteArray& bytes)
{
    m_bytes.append(bytes);
}

void ArchiveWriter::WriteString(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    const qsizetype length = bytes.size();
    if (length < kByteLengthEscape) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < kLongestWordLength) {
        WriteByte(kByteLengthEscape);
        WriteWord(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(kByteLengthEscape);
        WriteWord(kWordLengthEscape);
        WriteDWord(static_cast<std::uint32_t>(length));
    }
    WriteBytes(bytes);
}

ArchiveReader::ArchiveReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

bool ArchiveReader::Take(qsizetype count, const char*& at)
{
    if (!m_ok || count < 0 || count > m_bytes.size() - m_pos) {
        m_ok = false;
        return false;
    }
    at = m_bytes.constData() + m_pos;
    m_pos += count;
    return true;
}

bool ArchiveReader::ReadByte(std::uint8_t& value)
{
    const char* at = nullptr;
    if (!Take(1, at))
        return false;
    value = static_cast<std::uint8_t>(at[0]);
    return true;
}

bool ArchiveReader::ReadWord(std::uint16_t& value)
{
    const char* at = nullptr;
    if (!Take(2, at))
        return false;
    value = static_cast<std::uint16_t>(static_cast<std::uint8_t>(at[0]) | static_cast<std::uint8_t>(at[1]) << 8);
    return true;
}

bool ArchiveReader::ReadDWord(std::uint32_t& value)
{
    const char* at = nullptr;
    if (!Take(4, at))
        return false;
    value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(at[i]);
    return true;
}

bool ArchiveReader::ReadBytes(qsizetype count, QByteArray& bytes)
{
    const char* at = nullptr;
    if (!Take(count, at))
        return false;
    bytes = QByteArray(at, count);
    return true;
}

bool ArchiveReader::ReadString(QString& text)
{
    std::uint8_t shortLength = 0;
    if (!ReadByte(shortLength))
        return false;
    qsizetype length = shortLength;
    if (shortLength == kByteLengthEscape) {
        std::uint16_t wordLength = 0;
        if (!ReadWord(wordLength))
            return false;
        length = wordLength;
        if (wordLength == kWordLengthEscape) {
            std::uint32_t longLength = 0;
            if (!ReadDWord(longLength))
                return false;
            length = static_cast<qsizetype>(longLength);
        }
    }
    QByteArray bytes;
    if (!ReadBytes(length, bytes))
        return false;
    text = QString::fromLatin1(bytes);
    return true;
}

std::optional<QByteArray> ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}
