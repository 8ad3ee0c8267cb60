#include "cardholders/CRPEntryCodes.h"

#include "app/CListCtrlEx.h"
#include "cardholders/CardholderIcons.h"
#include "cardholders/EntryCodeListing.h"
#include "cardholders/ReportListColumns.h"
#include "database/WaitCursor.h"

namespace {

constexpr ListColumn kColumns[] = {{"Entry Code", 75, true}, {"Cardholder", 175}, {"Cardholder Set", 130},
                                   {"Status", 177}};

} // namespace

CRPEntryCodes::CRPEntryCodes(QWidget* parent) : ReadOnlyListView(QStringLiteral("Entry Codes"), parent)
{
    setObjectName(QStringLiteral("CRPEntryCodes"));
    List()->SetSmallImageList(CardholderIcons::CredentialStatusImages());
    SetListColumns(List(), kColumns);
    FillList();
}

void CRPEntryCodes::FillList()
{
    WaitCursor wait;
    List()->clear();
    QList<QTreeWidgetItem*> items;
    for (const EntryCodeListing::Row& row : EntryCodeListing::ListEntryCodes())
        items << NewListItem(List(), {row.code, row.holder, row.set, row.status}, row.entryCodeId, row.image);
    List()->addTopLevelItems(items);
}
