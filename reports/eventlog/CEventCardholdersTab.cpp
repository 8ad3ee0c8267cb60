#include "reports/eventlog/CEventCardholdersTab.h"

#include "database/GlobalRecordsets.h"
#include "reports/eventlog/EventFilterText.h"

CEventCardholdersTab::CEventCardholdersTab(QWidget* parent) : CEventListTab(parent)
{
    SetEntries(ReadCardholderEntries(g_setUsers));
}

void CEventCardholdersTab::OnClose()
{
    StoreCardholderSelections(g_setUsers, Entries());
}

QString CEventCardholdersTab::Clause(int userID) const
{
    return UserClause(userID);
}
