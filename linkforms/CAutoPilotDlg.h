#pragma once

#include "linkforms/AutoPilot.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;

// "Wardenfold Auto Pilot": makes network A's master produce door events in
// bulk, then disconnects; "Poll for Events" collects them afterwards. The
// Setup sheet's Advanced page keeps one for as long as it lives.
class CAutoPilotDlg : public QDialog
{
    Q_OBJECT
public:
    CAutoPilotDlg(AutoPilot pilot, QWidget* parent = nullptr);

    // "&Start" and "Pause"; the dialog stays open.
    void OnStart();
    void OnTimer();
    void OnPollForEvents();

    AutoPilot& Pilot() { return m_pilot; }
    QPushButton* StartButton() const { return m_start; }
    QPushButton* PollButton() const { return m_poll; }
    QLineEdit* EventsEdit() const { return m_events; }
    QLabel* StatusLabel() const { return m_status; }
    QLabel* CountLabel() const { return m_count; }
    QLabel* TimeLabel() const { return m_time; }
    bool IsTicking() const { return m_timer.isActive(); }

protected:
    void done(int result) override;

private:
    void ShowTexts();

    AutoPilot m_pilot;
    QTimer m_timer;
    QLabel* m_status = nullptr;
    QLabel* m_time = nullptr;
    QLabel* m_count = nullptr;
    QLineEdit* m_events = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_poll = nullptr;
};
