#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class CNetCommandQueue;
class INodeCommandHost;

// The new-node wizard's one talk with the panel: a short memory read whose
// reply proves that the panel answers. It is the notify window of the read,
// so the link hands it the reply (WM_USER+10) and a final negative
// acknowledgement (WM_USER+18). No widgets here.
class NewNodeCheck : public QObject
{
    Q_OBJECT

public:
    NewNodeCheck(CNetCommandQueue& queue, INodeCommandHost& host, int net, int node, QObject* parent = nullptr);

    // Queues the read when the link is connected; says so otherwise.
    void Start();

    bool HasAnswered() const { return m_answered; }
    // Record bytes 3-5 of the reply; "XXX" until it came.
    const QByteArray& Reply() const { return m_reply; }
    const QString& Text() const { return m_text; }

signals:
    void answered();
    void textChanged(const QString& text);

protected:
    bool event(QEvent* event) override;

private:
    void OnMemoryData(int length, const char* record);
    void OnNak(unsigned reason);

    CNetCommandQueue& m_queue;
    INodeCommandHost& m_host;
    int m_net;
    int m_node;
    bool m_answered = false;
    QByteArray m_reply;
    QString m_text;
};
