#pragma once

#include "link/CNetCommandQueue.h"
#include "link/EventLogBlockWriter.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>

class AppMessageEvent;
class CCommLink;
class DatabaseException;

// Collects the stored events of the current network's nodes into the event
// log: node by node it reads the log, stores each block and acknowledges it,
// and reads the same node again until it has nothing more. It is the notify
// window of its reads and acknowledgements. A node whose read or
// acknowledgement is given up is done with; one whose wait the link cut by
// going down is asked again once the link is back. Every wait ends, also
// when the link goes down and does not come back.
class EventLogCollector : public QObject
{
    Q_OBJECT

public:
    // How long a collection waits for a lost link to come back.
    static constexpr int kReconnectWaitMs = 30000;
    // Blanks the communication form's error line gets when a node is done.
    static constexpr int kErrorLineBlanks = 25;

    EventLogCollector(CCommLink& link, CNetCommandQueue& queue, std::uint8_t directoryCodeLength,
                      QObject* parent = nullptr);
    ~EventLogCollector() override;

    // Asks the first node of the queue's current network; false when the
    // network has no node to ask.
    bool Start();
    // The block being read is still stored; the collection ends after it.
    void RequestStop() { m_stopRequested = true; }

    bool IsFinished() const { return m_finished; }
    int EventsRetrieved() const { return m_writer.EventsStored(); }
    int CurrentNode() const { return m_node; }

signals:
    // The next node is asked: the progress moves one step.
    void nodeStarted(const QString& label);
    void eventsRetrievedChanged(int count);
    void finished();

protected:
    bool event(QEvent* e) override;

private:
    enum class Waiting { Nothing, Read, Ack };
    enum class AfterAck { SameNode, NextNode };

    bool RequestNextNode(bool advance);
    bool RequestEventLog();
    // After a cut: the same node once more, while its cuts stay within its
    // read's resends; false when it is not to be asked again.
    bool AskAgain();
    bool IsResponding(int node) const;
    qintptr OnEventLogBlock(const AppMessageEvent& message);
    void OnAck();
    // The link gave the node's read or acknowledgement up.
    void OnFailure();
    void EndWait();
    void Continue();
    void OnConnectedChanged(bool connected);
    void FinishWithError(const DatabaseException& error);
    void Finish();
    // Every controller of the network whose log was not read to its end fails
    // the network's run: one that was asked and did not answer, or one the
    // collection ended before. A panel answering where the installation has
    // no controller is named, and fails nothing.
    void NoteUnreadLogs();

    CCommLink& m_link;
    CNetCommandQueue& m_queue;
    EventLogBlockWriter m_writer;
    int m_network = 0;
    int m_node = 0;
    bool m_stopRequested = false;
    bool m_finished = false;
    Waiting m_waiting = Waiting::Nothing;
    AfterAck m_afterAck = AfterAck::NextNode;
    std::uint8_t m_blockAddress = 0;
    // Indexed by node: the node said it has nothing more.
    std::array<bool, CNetCommandQueue::kNodes + 1> m_readToEnd{};
    // Indexed by node: the link gave the node's read or acknowledgement up.
    std::array<bool, CNetCommandQueue::kNodes + 1> m_givenUp{};
    // Indexed by node: the controller table has no row for the node's entry.
    std::array<bool, CNetCommandQueue::kNodes + 1> m_notInTable{};
    // The link went down while the node's read or acknowledgement waited.
    bool m_cut = false;
    int m_cutsOfNode = 0;
    int m_readRetries = 0;
    QTimer m_reconnectWait;
};
