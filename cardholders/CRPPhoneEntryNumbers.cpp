#include "cardholders/CRPPhoneEntryNumbers.h"

#include "app/AppObjects.h"
#include "app/CListCtrlEx.h"
#include "cardholders/DirectoryListing.h"
#include "cardholders/ReportListColumns.h"
#include "database/WaitCursor.h"

namespace {

constexpr ListColumn kColumns[] = {{"Dir. Code", 65},         {"Cardholder", 120},         {"Tenant Name", 100},
                                   {"Telephone #", 85},       {"Directory Subsets", 110, true},
                                   {"Ext. talk time", 75, true}};

} // namespace

CRPPhoneEntryNumbers::CRPPhoneEntryNumbers(QWidget* parent)
    : ReadOnlyListView(QStringLiteral("Telephone Directory"), parent)
{
    setObjectName(QStringLiteral("CRPPhoneEntryNumbers"));
    SetListColumns(List(), kColumns);
    FillList();
}

void CRPPhoneEntryNumbers::FillList()
{
    WaitCursor wait;
    List()->clear();
    const CWFDoc* doc = GetInstallationDoc();
    if (!doc)
        return;
    QList<QTreeWidgetItem*> items;
    for (const DirectoryListing::Row& row : DirectoryListing::ListDirectory(*doc)) {
        const QStringList texts = row.complete ? QStringList{row.code, row.holder, row.tenant, row.phone, row.subsets,
                                                             row.extendedTalk}
                                               : QStringList{row.code};
        items << NewListItem(List(), texts, row.entryNumberId);
    }
    List()->addTopLevelItems(items);
    List()->sortItems(0, Qt::AscendingOrder);
}
