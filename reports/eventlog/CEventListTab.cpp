#include "reports/eventlog/CEventListTab.h"

#include "reports/eventlog/EventFilterText.h"

#include <QListWidget>
#include <QVBoxLayout>

CEventListTab::CEventListTab(QWidget* parent) : CEventFilterTab(parent), m_list(new QListWidget(this))
{
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

void CEventListTab::SetEntries(const std::vector<FilterEntry>& entries)
{
    m_entries = entries;
    m_list->clear();
    for (const FilterEntry& entry : m_entries) {
        auto* item = new QListWidgetItem(entry.text, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<FilterEntry> CEventListTab::Entries() const
{
    std::vector<FilterEntry> entries = m_entries;
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].checked = m_list->item(static_cast<int>(i))->checkState() == Qt::Checked;
    return entries;
}

void CEventListTab::UpdateData()
{
    QStringList clauses;
    for (const FilterEntry& entry : Entries()) {
        if (entry.checked)
            clauses << Clause(entry.value);
    }
    m_strFilter = JoinClauses(clauses);
}

void CEventListTab::OnUncheckAll()
{
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setCheckState(Qt::Unchecked);
}
