#include "reports/eventlog/CEventTypesTab.h"

#include "app/CColumnWidths.h"
#include "reports/eventlog/EventFilterLists.h"
#include "reports/eventlog/EventFilterText.h"

CEventTypesTab::CEventTypesTab(CColumnWidths& settings, QWidget* parent) : CEventListTab(parent), m_settings(settings)
{
    std::vector<FilterEntry> entries;
    for (const EventFilterChoice& choice : EventTypeFilterList)
        entries.push_back({QString::fromLatin1(choice.text), choice.value});
    SortFilterEntries(entries);
    // The mask counts list positions, so it follows the sorted order.
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].checked = (m_settings.m_selectedEvents & (1 << i)) != 0;
    SetEntries(entries);
}

void CEventTypesTab::OnClose()
{
    int selected = 0;
    const std::vector<FilterEntry> entries = Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].checked)
            selected |= 1 << i;
    }
    m_settings.m_selectedEvents = selected;
}

QString CEventTypesTab::Clause(int type) const
{
    return TypeClause(type);
}
