#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;
class QTimer;

// Tells when a process that is not our child ends, while the event loop
// runs: through a process descriptor where the system offers one, else by
// asking every so often whether the process still exists.
class ProcessEndWatch : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPollMs = 250;

    explicit ProcessEndWatch(qint64 pid);
    ~ProcessEndWatch() override;

    bool HasEnded() const { return m_ended; }

signals:
    void ended();

private:
    void Check();
    void End();

    qint64 m_pid;
    int m_fd = -1;
    bool m_ended = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<QTimer> m_poll;
};
