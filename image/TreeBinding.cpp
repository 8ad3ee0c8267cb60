#include "image/TreeBinding.h"

#include "image/CBindTree.h"
#include "platform/MessageBox.h"

#include <memory>

bool BindTreeRows(CBindTree& tree, const std::vector<TreeRow>& rows, const char* fullText)
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
                return false;
            }
            auto made = std::make_unique<CBindTreeEntry>(slot, row.key);
            entry = made.get();
            if (!tree.Add(std::move(made)))
                continue;
        }
        row.build(entry->GetData());
    }
    tree.MakeHeaderRecord();
    return true;
}
