#pragma once

#include <QDialog>
#include <QPointer>

class CCommLink;
class CConnectAttempt;
class QLabel;
class QListWidget;

// "Connecting to network...": shows the link engine's attempt while it runs,
// its status lines and seconds, the redial number, and cancels it. The
// attempt decides the outcome; the dialog closes when it ends.
class CDlgConnecting : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kRetryLimit = 4;
    enum Control { IdStatusList = 1545, IdSeconds = 1304, IdRetry = 1700, IdRetryLimit = 1706 };

    CDlgConnecting(CConnectAttempt& attempt, CCommLink& link, QWidget* parent = nullptr);

    QStringList Lines() const;
    QString SecondsText() const;
    bool RetryShown() const;

public slots:
    void reject() override;

private:
    QPointer<CConnectAttempt> m_attempt;
    QListWidget* m_list = nullptr;
    QLabel* m_seconds = nullptr;
    QWidget* m_retry = nullptr;
};
