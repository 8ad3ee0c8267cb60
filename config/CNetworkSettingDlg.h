#pragma once

#include "app/CPaneView.h"
#include "config/CScheduleBarSource.h"

#include <vector>

class CWFDoc;
class IDoorSchedulesPage;
class INetworkSettingsPage;
class QPushButton;
class QTabWidget;

// The installation-wide settings in one right-pane view of twelve pages.
// Apply stores every page and saves; Cancel leaves without storing; leaving
// after an Apply stores again and asks about each change.
class CNetworkSettingDlg : public CPaneView
{
    Q_OBJECT
public:
    static constexpr int kPages = 12;

    explicit CNetworkSettingDlg(QWidget* parent = nullptr);
    ~CNetworkSettingDlg() override;

    // The document's save's result.
    bool OnApply();
    void OnCancel();
    // Every page's store in the fixed order.
    void SaveAllPages();
    CWFDoc* GetDocument() const { return m_doc; }
    // The telephone directory page tells the editor of a display-message edit.
    void SetDisplayMessagesChanged() { m_displayMessagesChanged = true; }

    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPages();
    // The door-schedules page compared with the controllers table, then the
    // document's save with its questions, then the door-schedule question.
    void SaveWithQuestions(const QString& doorScheduleQuestion);

    CWFDoc* m_doc = nullptr;
    QTabWidget* m_tabs = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
    CScheduleBarSource m_bars;
    std::vector<INetworkSettingsPage*> m_storeOrder;
    IDoorSchedulesPage* m_doorSchedules = nullptr;
    bool m_applied = false;
    bool m_displayMessagesChanged = false;
    bool m_doorSchedulesChanged = false;
};
