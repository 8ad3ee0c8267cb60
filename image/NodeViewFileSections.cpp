#include "image/NodeViewSections.h"

#include "image/CDirCodesBinder.h"
#include "image/CEntryCodesBinder.h"
#include "image/DisplayMessageFile.h"
#include "image/DownloadBanks.h"
#include "image/HtmlRows.h"

#include <QFile>

#include <algorithm>
#include <functional>

using namespace HtmlRows;

namespace {

constexpr std::uint8_t kInUseBit = 0x80;
constexpr std::uint8_t kEnabledBit = 0x40;

constexpr int kCardholderRecordSize = 8;
constexpr int kCardholderSet = 1;
constexpr int kLastCardholderSet = 64;
constexpr int kExpiryMonth = 5;
constexpr int kExpiryDay = 6;
constexpr int kExpiryYear = 7;
constexpr int kFirstExpiryYear = 2000;

constexpr int kDirCodeRecordSize = 52;
constexpr int kDirCodeHiddenByte = 1;
constexpr std::uint8_t kDirCodeHidden = 0xFF;
constexpr std::uint8_t kExtendedTalkBit = 0x20;
constexpr std::uint8_t kSubsetBitsOfFlags = 0x0F;
constexpr int kDirCodeHolder = 6;
constexpr int kPhoneNumber = 8;
constexpr int kPhoneNumberLength = 16;
constexpr int kTenantName = 24;
constexpr int kTenantNameLength = 24;
constexpr int kDirCodeSubsets = 48;
constexpr int kSubsetLetters = 8;

constexpr int kPageSize = 4082;
constexpr int kBlockFirst = 1;
constexpr int kBlockLast = 6;
constexpr int kCredentialNumberLength = 5;
constexpr int kBlockMask = 11;
constexpr int kBlockStatusBits = 44;
constexpr int kBlockHolders = 282;
constexpr int kBlockPositions = 1900;
constexpr std::uint64_t kLargestBlockNumber = 65535;
constexpr int kBitsPerByte = 8;

constexpr int kEntryHolder = 9;

constexpr int kSingleRecordSize = 16;
constexpr int kSingleNumber = 1;
constexpr int kSingleMask = 6;
constexpr int kSingleHolder = 14;
constexpr std::uint64_t kEmptyNumber = 0xFFFFFFFFFFull;

const char* const kNothingRow = "<tr><td>%s</td></tr>";

QString Num(long long value)
{
    return QString::number(value);
}

QString Status(bool enabled, const char* otherwise)
{
    return enabled ? QStringLiteral("Enabled") : QString::fromLatin1(otherwise);
}

std::uint8_t At(const QByteArray& record, int offset)
{
    return static_cast<std::uint8_t>(record[offset]);
}

// Hands each whole record of the downloaded file to each, numbered from 0;
// false when the file cannot be opened. A failed read keeps what came before.
bool ForEachRecord(NodeViewSources& s, const QString& name, int size,
                   const std::function<void(const QByteArray& record, int number)>& each)
{
    QFile file(s.folder + name);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (int number = 0;; ++number) {
        const QByteArray record = file.read(size);
        if (file.error() != QFileDevice::NoError) {
            s.readFailed = true;
            break;
        }
        if (record.size() < size)
            break;
        each(record, number);
    }
    return true;
}

QString Nothing(const char* text)
{
    return Fill(kNothingRow, {QString::fromLatin1(text)});
}

QString Blocks(NodeViewSources& s, int bank, int facilityKind)
{
    QString rows = HeaderRow({"Block", "Start", "End", "Facility Code", "ID", "Cardholder ID", "Status"});
    const bool opened = ForEachRecord(s, DownloadBanks::FileName(bank), kPageSize, [&](const QByteArray& page, int number) {
        const std::uint64_t first = BigEndian(page, kBlockFirst, kCredentialNumberLength);
        const std::uint64_t last = BigEndian(page, kBlockLast, kCredentialNumberLength);
        const bool block = first != 0 && last != 0 && first <= kLargestBlockNumber && last <= kLargestBlockNumber
            && static_cast<long long>(first) - static_cast<long long>(last) <= kBlockPositions;
        if (!block) {
            rows += Fill("<tr><td align=center>%d</td><td colspan=3>&nbsp;</td></tr>", {Num(number + 1)});
            return;
        }
        const auto mask = static_cast<std::uint16_t>(BigEndian(page, kBlockMask, 2));
        rows += Fill("<tr><td align=center>%d</td><td align=center>%I64d</td><td align=center>%I64d</td>"
                     "<td align=center>%d</td><td align=center>&nbsp;</td><td align=center>&nbsp;</td></tr>",
                     {Num(number + 1), Num(static_cast<long long>(first)), Num(static_cast<long long>(last)),
                      Num(s.global.GetFacilityCodeByMask(mask, facilityKind))});
        for (int i = 0; i < kBlockPositions; ++i) {
            const auto holder = static_cast<int>(BigEndian(page, kBlockHolders + 2 * i, 2));
            if (holder == 0)
                continue;
            const bool inactive = At(page, kBlockStatusBits + i / kBitsPerByte) & (0x80u >> (i % kBitsPerByte));
            rows += Fill("<tr><td colspan=4>&nbsp;</td><td align=center>%I64d</td><td align=center>%d</td>"
                         "<td align=center>%s</td></tr>",
                         {Num(static_cast<long long>(first) + i), Num(holder), Status(!inactive, "Inactive")});
        }
    });
    return opened ? rows : Nothing("No Blocks downloaded");
}

QString SingleLearned(NodeViewSources& s, int bank, int facilityKind)
{
    QString rows = HeaderRow({"ID", "Cardholder ID", "Facility Code", "Status"});
    const bool opened = ForEachRecord(s, DownloadBanks::FileName(bank), kSingleRecordSize, [&](const QByteArray& record, int) {
        const std::uint64_t number = BigEndian(record, kSingleNumber, kCredentialNumberLength);
        const auto holder = static_cast<int>(BigEndian(record, kSingleHolder, 2));
        if (number == kEmptyNumber || (number == 0 && holder == 0))
            return;
        const auto mask = static_cast<std::uint16_t>(BigEndian(record, kSingleMask, 2));
        rows += Fill("<tr><td align=center>%I64d</td><td align=center>%d</td><td align=center>%d</td>"
                     "<td align=center>%s</td></tr>",
                     {Num(static_cast<long long>(number)), Num(holder), Num(s.global.GetFacilityCodeByMask(mask, facilityKind)),
                      Status(At(record, 0) & kEnabledBit, "Inactive")});
    });
    return opened ? rows : Nothing("No Single learned downloaded");
}

} // namespace

QString NodeViewSections::Cardholders(NodeViewSources& s)
{
    QString rows = HeaderRow({"Cardholder ID", "Cardholder Set", "Expiration Date"});
    const bool opened = ForEachRecord(s, DownloadBanks::FileName(DownloadBanks::kCardholders), kCardholderRecordSize,
                                      [&](const QByteArray& record, int number) {
        const int set = At(record, kCardholderSet);
        if (!(At(record, 0) & kInUseBit) || set > kLastCardholderSet)
            return;
        const QString expiry = At(record, kExpiryMonth) == 0
            ? QStringLiteral("Never Expires")
            : Fill("%.2d/%.2d/%d", {Zeros(At(record, kExpiryDay), 2), Zeros(At(record, kExpiryMonth), 2),
                                    Num(At(record, kExpiryYear) + kFirstExpiryYear)});
        rows += Fill("<tr><td align=center>%d</td><td align=center>%d</td><td align=center>%s</td></tr>",
                     {Num(number), Num(set), expiry});
    });
    return opened ? rows : Nothing("No Cardholders downloaded");
}

QString NodeViewSections::DirectoryCodes(NodeViewSources& s)
{
    QString rows = HeaderRow({"Cardholder ID", "Tenant Name", "Telephone #", "Extented Talk Time", "Directory Subset"});
    const bool opened = ForEachRecord(s, DownloadBanks::FileName(DownloadBanks::kDirectoryCodes), kDirCodeRecordSize,
                                      [&](const QByteArray& record, int number) {
        const std::uint8_t flags = At(record, 0);
        if (number == 0 || !(flags & kInUseBit) || At(record, kDirCodeHiddenByte) == kDirCodeHidden)
            return;
        const QString tenant = Escaped(TextUpToNul(record.mid(kTenantName, kTenantNameLength))).replace(u' ', QStringLiteral("&nbsp;"));
        const QString phone = Escaped(CDirCodesBinder::FormatDirectoryPhone(record.mid(kPhoneNumber, kPhoneNumberLength)));
        const std::uint8_t subsets = (flags & kSubsetBitsOfFlags) | At(record, kDirCodeSubsets);
        rows += Fill("<tr><td align=center>%d</td><td align=center>%s</td><td align=center>%s</td>"
                     "<td align=center>%s</td><td align=center>%s</td></tr>",
                     {Num(static_cast<long long>(BigEndian(record, kDirCodeHolder, 2))), tenant, phone,
                      (flags & kExtendedTalkBit) ? QStringLiteral("Yes") : QStringLiteral("No"),
                      Letters(subsets, kSubsetLetters)});
    });
    return opened ? rows : Nothing("No Directory Codes downloaded");
}

QString NodeViewSections::TransmitterBlocks(NodeViewSources& s)
{
    return Blocks(s, DownloadBanks::kTransmitterBlocks, CVLGlobalMemory::TransmitterFacility);
}

QString NodeViewSections::CardBlocks(NodeViewSources& s)
{
    return Blocks(s, DownloadBanks::kCardBlocks, CVLGlobalMemory::CardFacility);
}

QString NodeViewSections::EntryCodes(NodeViewSources& s)
{
    QString rows = HeaderRow({"Entry Code", "Cardholder ID", "Status"});
    const bool opened = ForEachRecord(s, DownloadBanks::FileName(DownloadBanks::kEntryCodes), CEntryCodesBinder::kRecordSize,
                                      [&](const QByteArray& bytes, int number) {
        CEntryCodesBinder::Record record{};
        std::copy(bytes.begin(), bytes.end(), record.begin());
        const QString code = CEntryCodesBinder::FormatEntryCodeRecord(record);
        if (number == 0 || code.isEmpty() || !(record[0] & kInUseBit))
            return;
        rows += Fill("<tr><td align=center>%s</td><td align=center>%d</td><td align=center>%s</td></tr>",
                     {code, Num(static_cast<long long>(BigEndian(bytes, kEntryHolder, 2))),
                      Status(record[0] & kEnabledBit, "Suspended")});
    });
    return opened ? rows : Nothing("No Entry Codes downloaded");
}

QString NodeViewSections::SingleTransmitters(NodeViewSources& s)
{
    return SingleLearned(s, DownloadBanks::kSingleTransmitters, CVLGlobalMemory::TransmitterFacility);
}

QString NodeViewSections::SingleCards(NodeViewSources& s)
{
    return SingleLearned(s, DownloadBanks::kSingleCards, CVLGlobalMemory::CardFacility);
}

QString NodeViewSections::DisplayMessages(NodeViewSources& s)
{
    QFile file(s.folder + DownloadBanks::FileName(DownloadBanks::kDisplayMessages));
    if (!file.open(QIODevice::ReadOnly))
        return Nothing("No Display Messages Downloaded");
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        s.readFailed = true;
    QString rows = HeaderRow({QStringLiteral("&nbsp;"), QStringLiteral("Display Message")});
    // Each message ends at a 0 or 255 byte; an empty one still takes its number.
    int number = 0;
    for (qsizetype at = DisplayMessageFile::kTextStart; at < bytes.size(); ++number) {
        qsizetype end = at;
        while (end < bytes.size() && bytes[end] != '\0' && static_cast<std::uint8_t>(bytes[end]) != 0xFF)
            ++end;
        if (end > at)
            rows += Fill("<tr><td>%d</td><td>%s</td></tr>", {Num(number), Escaped(QString::fromLatin1(bytes.mid(at, end - at)))});
        at = end + 1;
    }
    return rows;
}
