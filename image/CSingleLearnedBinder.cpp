#include "image/CSingleLearnedBinder.h"

#include "image/BindProgress.h"
#include "image/BindingLog.h"
#include "image/CBindTree.h"
#include "image/CBlockBinder.h"
#include "image/TreeBinding.h"
#include "image/TreeSlotRuns.h"

namespace {
constexpr std::uint8_t kInUse = 0x80;
constexpr std::uint8_t kValid = 0x40;
constexpr int kFlagsByte = 0;
constexpr int kNumberByte = 1;
constexpr int kNumberBytes = 5;
constexpr int kMaskByte = 6;
constexpr int kHolderByte = 14;
constexpr int kBitsPerByte = 8;
// Credential numbers are 40 bits on the panel; 0 marks a free slot.
constexpr double kNumberLimit = 1099511627776.0;
} // namespace

void CSingleLearnedBinder::BuildRecord(CBindTreeEntry::Data& data, double number, std::uint16_t mask, bool lost,
                                       bool suspended, bool deleted, std::int32_t holder)
{
    data.fill(0);
    if (!deleted)
        data[kFlagsByte] = static_cast<std::uint8_t>(kInUse | (!lost && !suspended ? kValid : 0));
    const auto value = static_cast<std::uint64_t>(number);
    for (int i = 0; i < kNumberBytes; ++i)
        data[kNumberByte + i] = static_cast<std::uint8_t>(value >> (kBitsPerByte * (kNumberBytes - 1 - i)));
    data[kMaskByte] = static_cast<std::uint8_t>(mask >> kBitsPerByte);
    data[kMaskByte + 1] = static_cast<std::uint8_t>(mask & 0xFF);
    data[kHolderByte] = static_cast<std::uint8_t>(holder >> kBitsPerByte);
    data[kHolderByte + 1] = static_cast<std::uint8_t>(holder & 0xFF);
}

int CSingleLearnedBinder::GenerateCommands(std::uint8_t nodeCode, int force)
{
    return TreeSlotRuns::GenerateTreeCommands(m_manager, FileName(), kRecordSize, Bank(), nodeCode, force);
}

int CSingleLearnedBinder::BindRows(const std::vector<Row>& rows, const Texts& texts)
{
    const std::optional<QByteArray> stored = ReadBinderFile();
    if (!stored)
        return 0;
    CBindTree tree(FileName(), kCapacity, CBindTree::kCredentialRecords);
    BindProgress progress(BindProgress::Percent, QString::fromLatin1(kBindingDataCaption),
                          QString::fromLatin1(texts.progress), kCapacity);
    tree.Load(*stored);
    std::vector<TreeRow> treeRows;
    treeRows.reserve(rows.size());
    for (const Row& row : rows) {
        // A number the panel cannot hold would take a slot whose record
        // names another credential; 0 would read back as a free slot.
        if (!(row.number >= 1 && row.number < kNumberLimit)) {
            if (!row.deleted)
                LogBinding(QStringLiteral("%1: credential number %2 cannot be held by the panels and was not bound.")
                               .arg(QString::fromLatin1(texts.treeName))
                               .arg(row.number, 0, 'f', 0));
            continue;
        }
        treeRows.push_back({static_cast<std::uint64_t>(row.number), row.deleted, [&row](CBindTreeEntry::Data& data) {
                                BuildRecord(data, row.number, CBlockBinder::FacilityMask(row.facilityCodes),
                                            row.lost, row.suspended, false, row.holder);
                            }});
    }
    if (!BindTreeRows(tree, treeRows, texts.full))
        return 0;
    return SaveTree(tree, QString::fromLatin1(texts.treeName));
}
