#pragma once

#include "app/CPaneView.h"
#include "reports/eventlog/EventLogList.h"

#include <cstdint>
#include <vector>

class CColumnWidths;
class CEventCardholdersTab;
class CEventDatesTab;
class CEventDoorsTab;
class CEventFilterTab;
class CEventOperatorsTab;
class CEventTypesTab;
class CWFDoc;
class QListWidget;
class QPushButton;
class QTabWidget;

// The event-log area's navigation form: the five filter pages, the logs that
// can be searched, and the buttons that ask for the event-log report in the
// right pane or print it.
class CMenuEventLog : public CPaneView
{
    Q_OBJECT
public:
    static constexpr std::int8_t kPaneNothing = 0;
    static constexpr std::int8_t kPaneList = 10;

    explicit CMenuEventLog(CColumnWidths& settings, QWidget* parent = nullptr);

    void FillLogList();
    void OnLogListDblClk();
    void OnAllEventReport();
    void OnGenerateFilteredReport();
    void OnUncheckAll();
    void OnPrint();
    void ShowRightPane(std::int8_t mode);
    // Each page rebuilds its fragment.
    void UpdatePages();

    std::int8_t RightPaneMode() const { return m_nRightPaneMode; }
    QTabWidget* Tabs() const { return m_tabs; }
    QListWidget* LogList() const { return m_logList; }
    CEventDatesTab* DatesTab() const { return m_pDatesTab; }
    CEventTypesTab* TypesTab() const { return m_pTypesTab; }
    CEventDoorsTab* DoorsTab() const { return m_pDoorsTab; }
    CEventCardholdersTab* CardholdersTab() const { return m_pCardholdersTab; }
    CEventOperatorsTab* OperatorsTab() const { return m_pOperatorsTab; }

protected:
    // The pages keep their selections for the next showing.
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* AddButton(const QString& caption, void (CMenuEventLog::*handler)());
    std::vector<CEventFilterTab*> Pages() const;
    // The report of the chosen log under the criterion.
    void ShowReport(const QString& criteria);
    CWFDoc* GetDocument() const;

    QPushButton* m_print = nullptr;
    QListWidget* m_logList = nullptr;
    QTabWidget* m_tabs = nullptr;
    CEventDatesTab* m_pDatesTab = nullptr;
    CEventTypesTab* m_pTypesTab = nullptr;
    CEventDoorsTab* m_pDoorsTab = nullptr;
    CEventCardholdersTab* m_pCardholdersTab = nullptr;
    CEventOperatorsTab* m_pOperatorsTab = nullptr;
    std::vector<EventLogEntry> m_logs;
    std::int8_t m_nRightPaneMode = kPaneNothing;
    bool m_pagesClosed = false;
};
