#pragma once

#include <QEventLoop>
#include <QObject>
#include <QStringList>
#include <QTimer>

class CCommLink;
class ILinkTransport;

// One attempt to connect to a network, as the Connecting dialog runs it but
// without a window: open the line, start the link threads, send the link
// login and end with 1 when the network answers it, 2 otherwise. Every way
// through ends, so an unattended run never waits on it.
class CConnectAttempt : public QObject
{
    Q_OBJECT

public:
    static constexpr int kAnswered = 1;
    static constexpr int kFailed = 2;
    static constexpr int kClosePauseMs = 2000;
    static constexpr int kTickMs = 1000;
    // Longer than any login with its retries: past it the attempt has failed.
    static constexpr int kBoundMs = 120000;

    CConnectAttempt(CCommLink& link, ILinkTransport& transport, int net, QObject* parent = nullptr);

    // Runs the attempt to its end; the result.
    int Run();
    // The status lines the Connecting dialog would list.
    const QStringList& Lines() const { return m_lines; }
    // The line that says why the attempt failed; empty when none did.
    const QString& FailureLine() const { return m_failureLine; }
    int Seconds() const { return m_seconds; }
    int Network() const { return m_net; }
    // The operator's Cancel.
    void Cancel();

signals:
    void lineAdded(const QString& line);
    // The connection-time field: the seconds counted, or the redial wait.
    void connectionTimeChanged(const QString& text);

protected:
    bool event(QEvent* e) override;

private:
    void AddLine(const QString& line);
    void AddFailureLine(const QString& line);
    void DialOrOpen();
    void WaitBeforeRedial();
    void OpenLine();
    void OnProgress(unsigned code, qintptr argument);
    void OnFailure(unsigned code);
    void CloseAfterPause();
    void End(int result);

    CCommLink& m_link;
    ILinkTransport& m_transport;
    int m_net;
    QStringList m_lines;
    QString m_failureLine;
    QEventLoop m_loop;
    QTimer m_tick;
    QTimer m_bound;
    int m_seconds = 0;
    int m_result = 0;
    bool m_lineOpen = false;
    bool m_failureReported = false;
    bool m_ended = false;
};
