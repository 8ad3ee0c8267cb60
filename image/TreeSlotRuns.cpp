#include "image/TreeSlotRuns.h"

#include "image/CBindManager.h"
#include "image/CBindTreeEntry.h"
#include "image/CBindTreeRecord.h"
#include "platform/MessageBox.h"

#include <QFile>

#include <cstring>

namespace TreeSlotRuns {

std::optional<QByteArray> SlotData(const QByteArray& treeFile, int recordSize)
{
    const auto records = CBindTreeRecord::ReadArray(treeFile);
    if (!records || recordSize <= 0 || recordSize > CBindTreeEntry::kDataSize)
        return std::nullopt;
    QByteArray data(static_cast<qsizetype>(records->size()) * recordSize, Qt::Uninitialized);
    char* out = data.data();
    for (const CBindTreeRecord& record : *records) {
        std::memcpy(out, record.data.data(), static_cast<size_t>(recordSize));
        out += recordSize;
    }
    return data;
}

namespace {
// Slot s of bytes; where bytes end inside or before it, a copy in scratch
// with zeros for what is missing.
QByteArrayView SlotAt(const QByteArray& bytes, qsizetype s, int size, QByteArray& scratch)
{
    const qsizetype start = s * size;
    if (start + size <= bytes.size())
        return QByteArrayView(bytes.constData() + start, size);
    scratch = bytes.mid(start, size);
    scratch.append(QByteArray(size - scratch.size(), '\0'));
    return scratch;
}
} // namespace

std::vector<SlotRun> DifferingRuns(const QByteArray& current, const QByteArray& reference, int recordSize,
                                   qsizetype slotCount)
{
    std::vector<SlotRun> runs;
    if (recordSize <= 0)
        return runs;
    QByteArray mineScratch;
    QByteArray beforeScratch;
    SlotRun run{0, {}};
    qsizetype lastDifferingEnd = 0;
    bool inRun = false;
    for (qsizetype s = 0; s < slotCount; ++s) {
        const QByteArrayView mine = SlotAt(current, s, recordSize, mineScratch);
        const bool differs = mine != SlotAt(reference, s, recordSize, beforeScratch);
        if (!inRun) {
            if (!differs)
                continue;
            inRun = true;
            run = {static_cast<int>(s), {}};
            lastDifferingEnd = 0;
        }
        run.data.append(mine);
        if (differs)
            lastDifferingEnd = run.data.size();
        if (run.data.size() + recordSize > CBindManager::kMaxWriteLength) {
            run.data.truncate(lastDifferingEnd);
            runs.push_back(run);
            inRun = false;
        }
    }
    if (inRun) {
        run.data.truncate(lastDifferingEnd);
        runs.push_back(run);
    }
    return runs;
}

std::vector<SlotRun> DifferingRuns(const QByteArray& current, const QByteArray& reference, int recordSize)
{
    if (recordSize <= 0)
        return {};
    return DifferingRuns(current, reference, recordSize, current.size() / recordSize);
}

int GenerateTreeCommands(CBindManager& manager, const QString& name, int recordSize, std::uint8_t bank,
                         std::uint8_t nodeCode, int force)
{
    const QString currentPath = manager.ControllerFolder() + QLatin1Char('/') + name;
    QFile current(currentPath);
    if (!current.open(QIODevice::ReadOnly)) {
        ShowMessageBox(QStringLiteral("Error opening file ") + currentPath);
        return 0;
    }
    const QByteArray bytes = current.readAll();
    current.close();
    const QString key = QStringLiteral("%1/%2/%3").arg(name).arg(recordSize).arg(force);
    const RunsCache::Runs* runs = manager.Runs().Find(key, bytes);
    if (!runs) {
        const auto mine = SlotData(bytes, recordSize);
        if (!mine) {
            ShowMessageBox(QStringLiteral("Error opening file ") + currentPath);
            return 0;
        }
        QByteArray reference;
        if (!force) {
            QFile copy(manager.LastProgrammedFolder() + QLatin1Char('/') + name);
            if (copy.exists() && copy.open(QIODevice::ReadOnly)) {
                // A copy of another size is no copy: everything is sent again.
                const auto before = SlotData(copy.readAll(), recordSize);
                if (before && before->size() == mine->size())
                    reference = *before;
            }
        }
        runs = &manager.Runs().Keep(key, bytes, DifferingRuns(*mine, reference, recordSize));
    }
    const std::uint8_t nodeByte = NodeByteOf(nodeCode);
    for (const SlotRun& run : *runs) {
        if (!manager.QueueMemoryWrite(bank, run.firstSlot, run.data, nodeByte))
            return 0;
    }
    return 1;
}

} // namespace TreeSlotRuns
