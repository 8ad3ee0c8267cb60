#pragma once

#include "app/CPaneView.h"

#include <cstdint>

class CListCtrlEx;
class CPanelEvent;
class QListWidget;
class QRadioButton;

// The live monitor (right pane): every live event as a line, the doors of
// its control list with the picture of their last state, and the door
// commands and status polls sent for the chosen doors.
class CMonitorForm : public CPaneView
{
    Q_OBJECT

public:
    static constexpr int kTimeWidth = 115;
    static constexpr int kActivatorWidth = 140;
    static constexpr int kDoorWidth = 115;
    static constexpr int kEventWidth = 165;
    // Item data of a control-list row.
    static constexpr int kDoorKeyRole = Qt::UserRole + 2;

    explicit CMonitorForm(QWidget* parent = nullptr);
    ~CMonitorForm() override;

    CListCtrlEx* MonitorList() const { return m_monitorList; }
    CListCtrlEx* ControlList() const { return m_controlList; }
    QListWidget* EventFilter() const { return m_filter; }
    QRadioButton* StartButton() const { return m_start; }
    QRadioButton* StopButton() const { return m_stop; }

    // The buttons, by their texts.
    void SendDoorCommand(std::uint8_t code);
    void OnUpdateState();
    void OnRemoveDoors();
    void OnClearMonitor();

protected:
    qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnPanelEvent(const CPanelEvent& event);
    int OnAddDoor(std::uint32_t key, const QString& label);
    void OnNodeStatus(const QByteArray& record);
    void UpdateDoorImage(std::uint8_t address, int door, std::uint8_t state);
    void QueuePoll(std::uint32_t key);
    void LoadDoors();
    void SaveDoors();
    void FillEventFilter();
    void StoreEventFilter();
    std::uint32_t CheckedMask() const;
    QList<std::uint32_t> SelectedDoorKeys() const;

    CListCtrlEx* m_monitorList;
    CListCtrlEx* m_controlList;
    QListWidget* m_filter;
    QRadioButton* m_start;
    QRadioButton* m_stop;
    bool m_closed = false;
};
