#include "reports/eventlog/CEventDoorsTab.h"

#include "database/GlobalRecordsets.h"
#include "reports/eventlog/EventFilterText.h"

CEventDoorsTab::CEventDoorsTab(QWidget* parent) : CEventListTab(parent)
{
    SetEntries(ReadDoorEntries(g_setVestrels, g_setVLNetworks));
}

void CEventDoorsTab::OnClose()
{
    StoreDoorSelections(g_setVestrels, Entries());
}

QString CEventDoorsTab::Clause(int doorKey) const
{
    return DoorClause(doorKey);
}
