#pragma once

#include <QDialog>

class CCommLink;
class CNetCommandQueue;

// "Set Network Time": sets the clocks of the current network's panels and
// waits for the answer. Every way out marks the network's time-set entry,
// so a scheduled run always goes on.
class CDlgSetNetTime : public QDialog
{
    Q_OBJECT
public:
    CDlgSetNetTime(CNetCommandQueue& queue, CCommLink& link, QWidget* parent = nullptr);

    // Queues the time setting for the queue's current network; false when
    // the network has no row (the dialog then ends as a failure).
    bool QueueSetTime();
    // 1 when a node of the network acknowledged the new time.
    int Acknowledged() const { return m_acknowledged; }
    int Network() const { return m_net; }

public slots:
    void reject() override;

protected:
    bool event(QEvent* e) override;

private:
    void Finish(bool acknowledged);

    CNetCommandQueue& m_queue;
    CCommLink& m_link;
    int m_net = 0;
    int m_acknowledged = 0;
};
