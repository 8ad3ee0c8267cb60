#include "image/CEntryCodesBinder.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/AllRowsWalk.h"
#include "image/BindProgress.h"
#include "image/BindingLog.h"
#include "image/CBindTree.h"
#include "image/TreeBinding.h"
#include "image/TreeSlotRuns.h"
#include "platform/DatabaseException.h"

#include <vector>

namespace {
constexpr std::uint8_t kInUse = 0x80;
constexpr std::uint8_t kNotSuspended = 0x40;
constexpr std::uint8_t kDigitCountMask = 0x0F;
constexpr int kFlagsByte = 0;
constexpr int kDigitsByte = 1;
constexpr int kDigitBytes = 4;
constexpr int kLinksByte = 5;
constexpr int kLinkBytes = 4;
constexpr int kHolderByte = 9;
constexpr int kBitsPerByte = 8;
constexpr std::uint8_t kUnusedNibble = 0x0F;
constexpr std::uint8_t kUnusedLinks = 0xFF;
const char* const kFullText = "The database for entry codes is full";
const char* const kTreeName = "Entry Codes";

struct Row
{
    QString code;
    bool suspended = false;
    bool deleted = false;
    std::int32_t holder = 0;
};

std::vector<Row> ReadRows()
{
    std::vector<Row> rows;
    ReadAllRows(g_setEntryCodes, QString(), [&](const CSetEntryCodes& set) {
        rows.push_back({set.m_Code, set.m_Suspended, set.m_Deleted, set.m_UserID});
    });
    return rows;
}

} // namespace

bool CEntryCodesBinder::BuildRecord(CBindTreeEntry::Data& data, const QString& code, bool suspended,
                                    std::int32_t holder)
{
    const int digits = static_cast<int>(code.size());
    if (digits < 1 || digits > kMaxDigits)
        return false;
    data[kFlagsByte] = static_cast<std::uint8_t>(kInUse | (suspended ? 0 : kNotSuspended) | digits);
    std::uint32_t packed = ~std::uint32_t(0);
    for (const QChar c : code)
        packed = (packed << 4) | static_cast<std::uint32_t>((c.unicode() - u'0') & kUnusedNibble);
    for (int i = 0; i < kDigitBytes; ++i)
        data[kDigitsByte + i] = static_cast<std::uint8_t>(packed >> (kBitsPerByte * (kDigitBytes - 1 - i)));
    for (int i = 0; i < kLinkBytes; ++i)
        data[kLinksByte + i] = kUnusedLinks;
    data[kHolderByte] = static_cast<std::uint8_t>(holder >> kBitsPerByte);
    data[kHolderByte + 1] = static_cast<std::uint8_t>(holder & 0xFF);
    return true;
}

std::optional<std::uint64_t> CEntryCodesBinder::KeyOf(const QString& code)
{
    const auto value = CSetEntryCodes::CodeValueOf(code);
    if (!value)
        return std::nullopt;
    // Through a signed number: the packed digits are negative.
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(*value));
}

QString CEntryCodesBinder::FormatEntryCodeRecord(const Record& record)
{
    const int digits = record[kFlagsByte] & kDigitCountMask;
    if (digits == 0 || digits > kMaxDigits)
        return {};
    QString text;
    for (int i = 0; i < kDigitBytes; ++i) {
        for (const int nibble : {record[kDigitsByte + i] >> 4, record[kDigitsByte + i] & kUnusedNibble}) {
            if (nibble != kUnusedNibble)
                text.append(QChar(u'0' + nibble));
        }
    }
    return text;
}

int CEntryCodesBinder::GenerateCommands(std::uint8_t nodeCode, int force)
{
    return TreeSlotRuns::GenerateTreeCommands(m_manager, FileName(), kRecordSize, kBank, nodeCode, force);
}

int CEntryCodesBinder::Bind()
{
    const std::optional<QByteArray> stored = ReadBinderFile();
    if (!stored)
        return 0;
    CBindTree tree(FileName(), kCapacity, CBindTree::kEntryCodeRecords);
    BindProgress progress(BindProgress::Percent, QString::fromLatin1(kBindingDataCaption),
                          QStringLiteral("Binding Key Codes..."), kCapacity);
    tree.Load(*stored);
    std::vector<Row> rows;
    try {
        rows = ReadRows();
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    std::vector<TreeRow> treeRows;
    treeRows.reserve(rows.size());
    for (const Row& row : rows) {
        const auto key = KeyOf(row.code);
        // A code the panel cannot hold would take a slot whose record says
        // something else than its key; key 0 would read back as a free slot.
        if (!key || *key == 0 || row.code.isEmpty() || row.code.size() > kMaxDigits) {
            if (!row.deleted)
                LogBinding(QStringLiteral("Entry code \"%1\" of cardholder %2 is not a code of 1 to %3 digits "
                                          "and was not bound.")
                               .arg(row.code, QString::number(row.holder), QString::number(kMaxDigits)));
            continue;
        }
        treeRows.push_back({*key, row.deleted, [&row](CBindTreeEntry::Data& data) {
                                BuildRecord(data, row.code, row.suspended, row.holder);
                            }});
    }
    if (!BindTreeRows(tree, treeRows, kFullText))
        return 0;
    return SaveTree(tree, QString::fromLatin1(kTreeName));
}
