#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class CBindManager;

// What a panel receives of a record index tree file: only the panel data of
// each slot, slot i at unit i of its bank.
namespace TreeSlotRuns {

struct SlotRun
{
    int firstSlot;
    QByteArray data;
};

// The first recordSize data bytes of every slot of a tree file, in slot
// order; nothing when the bytes are not a whole tree file.
std::optional<QByteArray> SlotData(const QByteArray& treeFile, int recordSize);

// The runs of slots whose data differ from the reference (a missing
// reference slot reads as zero). A run holds whole slots up to the largest
// memory write and ends at its last differing slot.
std::vector<SlotRun> DifferingRuns(const QByteArray& current, const QByteArray& reference, int recordSize);

// The same over the first slotCount slots, either side reading as zero
// beyond its end.
std::vector<SlotRun> DifferingRuns(const QByteArray& current, const QByteArray& reference, int recordSize,
                                   qsizetype slotCount);

// Queues for one node the writes that bring its bank up to the tree file
// name of the controller folder, against the node's last-programmed copy
// (none with force, or when the copy is of another size). 0, after saying
// so, when the current file cannot be opened or read as a tree.
int GenerateTreeCommands(CBindManager& manager, const QString& name, int recordSize, std::uint8_t bank,
                         std::uint8_t nodeCode, int force);

} // namespace TreeSlotRuns
