#include "image/CBindTreeRecord.h"

#include "platform/Archive.h"

namespace {

constexpr int kRootOffset = 0;
constexpr int kKeyOffset = 8;
constexpr int kColourOffset = 16;
constexpr int kLeftOffset = 20;
constexpr int kRightOffset = 22;
constexpr int kDataOffset = 24;
// MFC writes a count below this as one word, else this word and a double word.
constexpr std::uint16_t kWideCountMark = 0xFFFF;

template <typename T>
void PutLittle(QByteArray& out, qsizetype at, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out[at + static_cast<qsizetype>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

template <typename T>
T GetLittle(const QByteArray& in, qsizetype at)
{
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<T>(static_cast<std::uint8_t>(in[at + static_cast<qsizetype>(i)])) << (8 * i);
    return value;
}

} // namespace

void CBindTreeRecord::AppendTo(QByteArray& out) const
{
    const qsizetype at = out.size();
    out.append(kSize, '\0');
    PutLittle(out, at + kRootOffset, root);
    PutLittle(out, at + kKeyOffset, key);
    PutLittle(out, at + kColourOffset, colour);
    PutLittle(out, at + kLeftOffset, left);
    PutLittle(out, at + kRightOffset, right);
    for (int i = 0; i < CBindTreeEntry::kDataSize; ++i)
        out[at + kDataOffset + i] = static_cast<char>(data[i]);
}

CBindTreeRecord CBindTreeRecord::ReadAt(const QByteArray& bytes, qsizetype offset)
{
    CBindTreeRecord record;
    record.root = GetLittle<std::uint32_t>(bytes, offset + kRootOffset);
    record.key = GetLittle<std::uint64_t>(bytes, offset + kKeyOffset);
    record.colour = GetLittle<std::uint32_t>(bytes, offset + kColourOffset);
    record.left = GetLittle<std::uint16_t>(bytes, offset + kLeftOffset);
    record.right = GetLittle<std::uint16_t>(bytes, offset + kRightOffset);
    for (int i = 0; i < CBindTreeEntry::kDataSize; ++i)
        record.data[i] = static_cast<std::uint8_t>(bytes[offset + kDataOffset + i]);
    return record;
}

QByteArray CBindTreeRecord::WriteArray(const std::vector<CBindTreeRecord>& records)
{
    ArchiveWriter writer;
    const auto count = static_cast<std::uint32_t>(records.size());
    if (count < kWideCountMark) {
        writer.WriteWord(static_cast<std::uint16_t>(count));
    } else {
        writer.WriteWord(kWideCountMark);
        writer.WriteDWord(count);
    }
    QByteArray bytes = writer.Bytes();
    bytes.reserve(bytes.size() + static_cast<qsizetype>(count) * kSize);
    for (const CBindTreeRecord& record : records)
        record.AppendTo(bytes);
    return bytes;
}

std::optional<std::vector<CBindTreeRecord>> CBindTreeRecord::ReadArray(const QByteArray& bytes)
{
    ArchiveReader reader(bytes);
    std::uint16_t shortCount = 0;
    if (!reader.ReadWord(shortCount))
        return std::nullopt;
    std::uint32_t count = shortCount;
    if (shortCount == kWideCountMark && !reader.ReadDWord(count))
        return std::nullopt;
    const qsizetype first = reader.Position();
    if ((bytes.size() - first) / kSize < static_cast<qsizetype>(count))
        return std::nullopt;
    std::vector<CBindTreeRecord> records;
    records.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        records.push_back(ReadAt(bytes, first + static_cast<qsizetype>(i) * kSize));
    return records;
}
