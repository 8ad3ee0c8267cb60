#include "image/TreeBinding.h"

#include "image/BindingLog.h"
#include "image/CBindTree.h"
#include "platform/MessageBox.h"

#include <memory>

int BindTreeRows(CBindTree& tree, QFile& file, const std::vector<TreeRow>& rows, const char* fullText,
                 const QString& treeName)
{
    for (const TreeRow& row : rows) {
        CBindTreeEntry* entry = tree.Find(row.key);
        if (row.deleted) {
            if (entry)
                tree.Remove(*entry);
            continue;
        }
        if (!entry) {
            const std::uint16_t slot = tree.FindFreeSlot();
            if (slot == 0) {
                ShowMessageBox(QString::fromLatin1(fullText), MbButtons::Ok, MbIcon::Stop);
                return 0;
            }
            auto made = std::make_unique<CBindTreeEntry>(slot, row.key);
            entry = made.get();
            if (!tree.Add(std::move(made)))
                continue;
        }
        row.build(entry->GetData());
    }
    tree.MakeHeaderRecord();
    if (!tree.Save(file)) {
        LogBinding(QStringLiteral("%1: the file could not be written.").arg(file.fileName()));
        return 0;
    }
    file.close();
    tree.LogStatistics(treeName);
    return 1;
}
