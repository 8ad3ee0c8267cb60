#pragma once

#include "reports/eventlog/CEventFilterTab.h"

class CColumnWidths;
class QCheckBox;
class QDateEdit;

// The Dates page: one period of days, or all dates. The profile keeps its
// check and both dates.
class CEventDatesTab : public CEventFilterTab
{
    Q_OBJECT
public:
    CEventDatesTab(CColumnWidths& settings, QWidget* parent = nullptr);

    void UpdateData() override;
    // The check and the dates into the profile's values.
    void OnClose() override;
    // The pickers are disabled while "All dates" is checked.
    void OnAllDates();

    QCheckBox* AllDates() const { return m_allDates; }
    QDateEdit* FromDate() const { return m_from; }
    QDateEdit* ToDate() const { return m_to; }

private:
    CColumnWidths& m_settings;
    QCheckBox* m_allDates;
    QDateEdit* m_from;
    QDateEdit* m_to;
};
