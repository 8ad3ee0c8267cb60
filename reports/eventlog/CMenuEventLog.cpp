#include "reports/eventlog/CMenuEventLog.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/ViewCommands.h"
#include "database/WaitCursor.h"
#include "platform/MessageBox.h"
#include "reports/eventlog/CEventCardholdersTab.h"
#include "reports/eventlog/CEventDatesTab.h"
#include "reports/eventlog/CEventDoorsTab.h"
#include "reports/eventlog/CEventOperatorsTab.h"
#include "reports/eventlog/CEventTypesTab.h"
#include "reports/eventlog/EventFilterText.h"
#include "reports/lists/CRPListView.h"
#include "reports/lists/ReportColumns.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const kListViewClass = "CRPListView";
const char* const kAllEventsFilter = "LogID > 0";
const char* const kNothingSelectedText = "Select the events you want to include in the report.";
const char* const kNothingToPrintText = "There is no report to print.";

CMainFrame* MainFrame()
{
    CWFApp* app = GetApp();
    return app ? app->MainFrame() : nullptr;
}

} // namespace

CMenuEventLog::CMenuEventLog(CColumnWidths& settings, QWidget* parent) : CPaneView(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_pDatesTab = new CEventDatesTab(settings, m_tabs);
    m_pTypesTab = new CEventTypesTab(settings, m_tabs);
    m_pDoorsTab = new CEventDoorsTab(m_tabs);
    m_pCardholdersTab = new CEventCardholdersTab(m_tabs);
    m_pOperatorsTab = new CEventOperatorsTab(m_tabs);
    m_tabs->addTab(m_pDatesTab, tr("Dates"));
    m_tabs->addTab(m_pTypesTab, tr("Types"));
    m_tabs->addTab(m_pDoorsTab, tr("Doors"));
    m_tabs->addTab(m_pCardholdersTab, tr("Cardholders"));
    m_tabs->addTab(m_pOperatorsTab, tr("Operators"));
    layout->addWidget(m_tabs, 1);

    layout->addWidget(AddButton(tr("Uncheck All"), &CMenuEventLog::OnUncheckAll));
    m_logList = new QListWidget(this);
    m_logList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_logList, &QListWidget::itemDoubleClicked, this, [this] { OnLogListDblClk(); });
    layout->addWidget(m_logList);
    layout->addWidget(AddButton(tr("Generate Filtered Report"), &CMenuEventLog::OnGenerateFilteredReport));
    m_print = AddButton(tr("Print"), &CMenuEventLog::OnPrint);
    m_print->setIcon(QIcon::fromTheme(QStringLiteral("document-print")));
    layout->addWidget(m_print, 0, Qt::AlignHCenter);
    layout->addWidget(AddButton(tr("All Event Report"), &CMenuEventLog::OnAllEventReport));

    FillLogList();
}

QPushButton* CMenuEventLog::AddButton(const QString& caption, void (CMenuEventLog::*handler)())
{
    auto* button = new QPushButton(caption, this);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

CWFDoc* CMenuEventLog::GetDocument() const
{
    return GetInstallationDoc();
}

std::vector<CEventFilterTab*> CMenuEventLog::Pages() const
{
    return {m_pDatesTab, m_pTypesTab, m_pDoorsTab, m_pCardholdersTab, m_pOperatorsTab};
}

void CMenuEventLog::FillLogList()
{
    const CWFDoc* doc = GetDocument();
    m_logs = ListEventLogs(doc ? doc->m_strInstallationFolder : QString());
    m_logList->clear();
    for (const EventLogEntry& entry : m_logs)
        m_logList->addItem(entry.text);
    m_logList->setCurrentRow(CurrentEventLogIndex(m_logs));
}

void CMenuEventLog::OnLogListDblClk()
{
    const int row = m_logList->currentRow();
    const EventLogEntry entry = row >= 0 && row < static_cast<int>(m_logs.size()) ? m_logs[row] : EventLogEntry{};
    const CWFDoc* doc = GetDocument();
    if (doc && DeleteEventLog(doc->m_strInstallationFolder, entry))
        FillLogList();
}

void CMenuEventLog::OnAllEventReport()
{
    const WaitCursor wait;
    ShowReport(QString::fromLatin1(kAllEventsFilter));
}

void CMenuEventLog::OnGenerateFilteredReport()
{
    const WaitCursor wait;
    UpdatePages();
    const QString filter = ComposeEventLogFilter({m_pDatesTab->m_strFilter, m_pTypesTab->m_strFilter,
                                                  m_pDoorsTab->m_strFilter, m_pCardholdersTab->m_strFilter,
                                                  m_pOperatorsTab->m_strFilter});
    if (filter.isEmpty()) {
        ShowMessageBox(QString::fromLatin1(kNothingSelectedText));
        return;
    }
    ShowReport(filter);
}

void CMenuEventLog::ShowReport(const QString& criteria)
{
    ShowRightPane(kPaneList);
    CWFDoc* doc = GetDocument();
    if (!doc)
        return;
    const int row = m_logList->currentRow();
    doc->m_strEventLogFilter = criteria;
    doc->m_strEventLogLabel = row >= 0 && row < static_cast<int>(m_logs.size()) ? m_logs[row].log : QString();
    doc->SetReportKind(static_cast<std::int8_t>(kReportKindEventLog));
}

void CMenuEventLog::OnUncheckAll()
{
    for (CEventFilterTab* page : Pages())
        page->OnUncheckAll();
}

void CMenuEventLog::OnPrint()
{
    const WaitCursor wait;
    CMainFrame* frame = MainFrame();
    auto* list = m_nRightPaneMode == kPaneList && frame ? dynamic_cast<CRPListView*>(frame->RightView()) : nullptr;
    if (list)
        list->PrintReport();
    else
        ShowMessageBox(QString::fromLatin1(kNothingToPrintText));
}

void CMenuEventLog::ShowRightPane(std::int8_t mode)
{
    CMainFrame* frame = MainFrame();
    if (mode != kPaneList || m_nRightPaneMode == kPaneList || !frame)
        return;
    frame->ReplaceRightView(PaneKind::EventLogReport, QString::fromLatin1(kListViewClass));
    m_nRightPaneMode = kPaneList;
}

void CMenuEventLog::UpdatePages()
{
    for (CEventFilterTab* page : Pages())
        page->UpdateData();
}

void CMenuEventLog::closeEvent(QCloseEvent* event)
{
    // Closed once, though the frame may send WM_CLOSE again as it goes.
    if (!m_pagesClosed) {
        m_pagesClosed = true;
        for (CEventFilterTab* page : Pages())
            page->OnClose();
    }
    event->accept();
}
