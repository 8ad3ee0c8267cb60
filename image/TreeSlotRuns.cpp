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

std::vector<SlotRun> DifferingRuns(const QByteArray& current, const QByteArray& reference, int recordSize)
{
    std::vector<SlotRun> runs;
    if (recordSize <= 0)
        return runs;
    const QByteArray zero(recordSize, '\0');
    const qsizetype slotCount = current.size() / recordSize;
    SlotRun run{0, {}};
    qsizetype lastDifferingEnd = 0;
    bool inRun = false;
    for (qsizetype s = 0; s < slotCount; ++s) {
        const QByteArrayView mine(current.constData() + s * recordSize, recordSize);
        const QByteArrayView before = (s + 1) * recordSize <= reference.size()
                                          ? QByteArrayView(reference.constData() + s * recordSize, recordSize)
                                          : QByteArrayView(zero);
        const bool differs = mine != before;
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
