#include "image/CBindTree.h"
#include "image/CBindTreeRecord.h"
#include "image/CEntryCodesBinder.h"
#include "image/CSingleLearnedBinder.h"
#include "image/TreeSlotRuns.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// The largest tree a panel bank holds; a bigger file is no copy of one.
constexpr std::uint32_t kLargestTree = 8192;

// A tree file as a binder reads it back: it loads, or counts as damaged and
// leaves an empty tree. Whatever the tree holds after loading, a removal
// and an addition writes a file that loads again whole, to the same bytes.
void LoadTree(const QByteArray& bytes, std::size_t slotCount, int layout, std::uint64_t removeKey)
{
    bool damaged = false;
    CBindTree tree(QStringLiteral("fuzz"), static_cast<int>(slotCount) - 1, layout,
                   [&damaged](const QString&) { damaged = true; });
    tree.Load(bytes);
    if (damaged && tree.Count() != 0)
        std::abort();

    if (removeKey != 0) {
        if (CBindTreeEntry* entry = tree.Find(removeKey))
            tree.Remove(*entry);
    }
    const std::uint16_t slot = tree.FindFreeSlot();
    const std::uint64_t addKey = 0x1234'5678'9ABCull + slot;
    if (slot != 0 && !tree.Find(addKey))
        tree.Add(std::make_unique<CBindTreeEntry>(slot, addKey));
    tree.MakeHeaderRecord();
    const QByteArray written = tree.FileBytes();

    bool rewrittenDamaged = false;
    CBindTree reread(QStringLiteral("fuzz"), static_cast<int>(slotCount) - 1, layout,
                     [&rewrittenDamaged](const QString&) { rewrittenDamaged = true; });
    reread.Load(written);
    reread.MakeHeaderRecord();
    if (rewrittenDamaged || reread.Count() != tree.Count() || reread.FileBytes() != written)
        std::abort();
}

// What a programming run sends of the file: the slotCount' panel data, compared
// with an empty copy.
void SendSlots(const QByteArray& bytes, int recordSize)
{
    const std::optional<QByteArray> panelData = TreeSlotRuns::SlotData(bytes, recordSize);
    if (!panelData)
        return;
    if (panelData->size() % recordSize != 0)
        std::abort();
    for (const TreeSlotRuns::SlotRun& run : TreeSlotRuns::DifferingRuns(*panelData, QByteArray(), recordSize)) {
        if (run.data.isEmpty() || run.data.size() % recordSize != 0 || run.firstSlot < 0
            || (run.firstSlot + run.data.size() / recordSize) * recordSize > panelData->size())
            std::abort();
    }
}

} // namespace

// Credential and entry-code trees (the binders' record index files).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSandbox::Get();
    const QByteArray bytes = FuzzSandbox::Bytes(data, size);
    const auto records = CBindTreeRecord::ReadArray(bytes);
    const std::size_t slotCount = records && !records->empty() && records->size() <= kLargestTree ? records->size() : 4;
    const std::uint64_t removeKey = records && !records->empty() ? records->back().key : 0;
    LoadTree(bytes, slotCount, CBindTree::kCredentialRecords, removeKey);
    LoadTree(bytes, slotCount, CBindTree::kEntryCodeRecords, removeKey);
    SendSlots(bytes, CSingleLearnedBinder::kRecordSize);
    SendSlots(bytes, CEntryCodesBinder::kRecordSize);
    return 0;
}
