#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

// "Network Connection Failed": counts down to a redial; Retry redials at
// once, Cancel gives up.
class CDlgConnectFailed : public QDialog
{
    Q_OBJECT
public:
    // The results: Retry has identifier 2, Cancel 1.
    static constexpr int kRetry = 2;
    static constexpr int kGiveUp = 1;
    static constexpr int kCountdownStart = 15;
    static constexpr int kTickMs = 1000;
    static constexpr int kClosePauseMs = 1000;
    enum Control { IdFailure = 1710, IdNetwork = 1704, IdCountdown = 1702 };

    CDlgConnectFailed(QChar network, int reason, QWidget* parent = nullptr);

    // The failure text for a reason of the link (busy, no answer, no dial tone, time-out).
    static QString FailureText(int reason);
    int Countdown() const { return m_countdown; }
    QString CountdownText() const;
    QString FailureLine() const;

    void OnRetry();
    void OnCancel();

public slots:
    // Escape is Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Tick();
    void End(int result);

    QLabel* m_failure = nullptr;
    QLabel* m_countdownText = nullptr;
    QTimer m_timer;
    int m_countdown = kCountdownStart;
};
