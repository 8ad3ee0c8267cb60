#pragma once

#include "reports/eventlog/CEventFilterTab.h"
#include "reports/eventlog/EventFilterSelections.h"

#include <vector>

class QListWidget;

// A filter page with a check list that fills it: the entries stand in the
// order given, and the fragment ORs the clauses of the checked ones in that
// order.
class CEventListTab : public CEventFilterTab
{
    Q_OBJECT
public:
    void UpdateData() override;
    void OnUncheckAll() override;

    QListWidget* List() const { return m_list; }
    // The entries in list order with their checks as shown.
    std::vector<FilterEntry> Entries() const;

protected:
    explicit CEventListTab(QWidget* parent);
    void SetEntries(const std::vector<FilterEntry>& entries);
    virtual QString Clause(int value) const = 0;

private:
    QListWidget* m_list;
    std::vector<FilterEntry> m_entries;
};
