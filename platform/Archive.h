#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Byte layout of the MFC archive: little-endian integers; a string is its
// length (one byte below 255, else 0xFF and 16 bits below 0xFFFE, else 0xFF,
// 0xFFFF and 32 bits) followed by its bytes, one per character (Latin-1).
class ArchiveWriter
{
public:
    void WriteByte(std::uint8_t value);
    void WriteWord(std::uint16_t value);
    void WriteDWord(std::uint32_t value);
    void WriteBytes(const QByteArray& bytes);
    void WriteString(const QString& text);

    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads what ArchiveWriter wrote. Every read is bounds-checked: a read past
// the end fails, leaves the output untouched and marks the reader bad, so a
// caller may read a whole record and test Ok() once.
class ArchiveReader
{
public:
    explicit ArchiveReader(QByteArray bytes);

    bool ReadByte(std::uint8_t& value);
    bool ReadWord(std::uint16_t& value);
    bool ReadDWord(std::uint32_t& value);
    bool ReadBytes(qsizetype count, QByteArray& bytes);
    bool ReadString(QString& text);

    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_pos == m_bytes.size(); }
    qsizetype Position() const { return m_pos; }

private:
    bool Take(qsizetype count, const char*& at);

    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

// The whole file, or none when it cannot be read. Files are written with
// WriteWholeFile (platform/DurableFiles.h).
std::optional<QByteArray> ReadWholeFile(const QString& path);
