#pragma once

#include "link/CNetCommand.h"
#include "link/PacketBuilder.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class CConnectAttempt;
class CNetCommandQueue;
class ILinkHost;
class ILinkTransport;
class INetCommandStore;
struct SetAsideCommand;

// The panel link's engine: connects to one network at a time, sends one
// command at a time from the queue, resends and gives up on time-outs,
// dispatches replies and moves on to the next network with work. It shows
// nothing itself: the communication form shows its texts and lamps.
class CCommLink : public QObject
{
    Q_OBJECT

public:
    CCommLink(CNetCommandQueue& queue, INetCommandStore& store, ILinkTransport& transport, ILinkHost& host,
              QObject* parent = nullptr);
    ~CCommLink() override;

    // Timer identifiers and periods.
    enum Timer { ReplyTimer = 1, SendLampTimer = 2, ReceiveLampTimer = 3, PacingTimer = 4 };
    static constexpr int kResendExtraMs = 4000;
    static constexpr int kPacingMs = 10000;
    static constexpr int kLampMs = 750;

    // Link status states.
    enum LinkStatus { NotConnected = 0, Disconnecting = 1, ReplyReceived = 2, RetriesUsedUp = 3, Sending = 4 };

    // The network list: (number, "[A] name") of each active network.
    void FillNetworkCombo();
    void SetNetworks(std::vector<std::pair<int, QString>> networks);
    bool HasNetwork(int net) const;
    int GetSelectedNetwork() const;
    bool SelectNetwork(int net);
    int NetworkCount() const { return static_cast<int>(m_networks.size()); }

    int IsConnected() const { return m_connected; }
    void SetConnected(int flag);
    bool IsInFlight() const { return m_inFlight; }
    const CNetCommand& Request() const { return m_request; }
    // The last timer-1 period asked for, before scaling.
    int ReplyTimeoutMs() const { return m_replyTimeoutMs; }

    // Connects to the selected network: the line opened, the link login
    // answered and the poll pass started. Non-zero when the link is up.
    int Connect();
    // True while Connect waits on an attempt.
    bool IsConnecting() const { return m_connecting; }
    // Ends the link; safe when nothing is connected.
    void Disconnect();
    // Starts the link threads on the open line and sends the link login,
    // whose answer goes to notify.
    void StartThreads(QObject* notify);

    // Whether an operator is there to answer a message.
    bool IsInteractive() const;
    // Milliseconds (scaled) a redial must still wait to keep 3 s from the last dial.
    qint64 DialWaitMs() const;
    void NoteDial() { m_lastDial.start(); }
    static constexpr int kDialSpacingMs = 3000;

    // Sending.
    void ServiceQueue();
    int SendNextCommand();
    void SendCommandNow(CNetCommand command);
    void PollNode(int flag);
    void PollNextNode();
    int CompleteCommand();

    // Replies: one whole frame from the read thread.
    void OnPacketReceived(const QByteArray& frame);
    // Timer 1 ran out.
    void OnReplyTimeout();
    // Timer 4: the pacing of the status poll passes.
    void OnPacingTimer();

    // The communication form's error line.
    void SetErrorText(const QString& text);

    bool FindNetworkWithWork(int current, int& next);
    // Connects the queue's current network, or the next one with work when
    // its queue was cleared; on failure the give-up message when due. 1 when connected.
    int ReconnectCurrentNetwork();
    // "Failed to connect to network %c after multiple retries." once two
    // dial cycles failed; the count starts again.
    void GiveUpMessageIfDue(int net);

    // What the form shows.
    void ShowLinkStatus(int state);
    void ShowNakCount(int count);
    void UpdateQueueCount();
    void SuspendNetwork(int net);
    int MarkNodeForReprogram(std::uint8_t address);

    // After-reply actions, one per reply in this order.
    bool m_afterPoll = false;
    bool m_afterPriorityAccess = false;
    bool m_afterDisconnect = false;
    bool m_afterCloseApplication = false;
    bool m_disconnectWhenDone = false;
    // Set by the connecting attempt when it reports a connection error.
    int m_connectError = 0;
    // Connect has dealt with a failure itself.
    int m_connectHandled = 0;
    bool m_simpleMode = false;

signals:
    void statusText(const QString& text);
    void errorText(const QString& text);
    void nakCountText(const QString& text);
    void queueCountText(const QString& text);
    void connectedChanged(bool connected);
    void sendLamp();
    void receiveLamp();
    // WM_USER+24 for the deferred Program press.
    void programStepRequested();
    // A status line of the connecting attempt.
    void connectLine(const QString& line);
    // An attempt is about to run, and it has ended: the Connecting dialog's
    // life. The attempt lives until attemptEnded.
    void attemptStarted(CConnectAttempt* attempt);
    void attemptEnded();

protected:
    bool event(QEvent* e) override;

private:
    enum class Outcome { Resent, GivenUp, WriteDropped };

    void Dispatch(const CNetCommand& command, int timeoutMs);
    void RestartTimer(QTimer& timer, int ms);
    Outcome Retransmit(QPointer<QObject>& notify);
    void ServeAfterGiveUp();
    void HandleReplyTimeout();
    void HandleMasterTimeout();
    void HandleNodeTimeout();
    bool ReconnectAfterWriteTimeout();
    void HandleNakTimeout();
    void SuspendNode(int net, int node, bool timedOut);
    // The request is one of the installation's stored commands.
    bool IsStoredRequest() const;
    // Ends the command in flight; a stored one leaves the store only when removeStored.
    void EndCommand(bool removeStored);
    // The given-up command's node is marked for a full reprogram and its network fails.
    void MarkGivenUpNode();
    // A full reprogram of the node, or of every node for kAllNodes; a
    // suspended node is marked when it answers again.
    void MarkForReprogram(int net, int node);
    // Removes the node's stored commands (node 0: every selected row); any
    // that go unsent fail the network.
    void RemoveUnsent(int net, int node);
    void OnUnreadableCommand(const SetAsideCommand& command);
    bool ReconnectOrGiveUp();
    void FinishQueue();
    bool IsNetworkQueued(int net) const;
    bool Quiet() const;
    void EndQuiet();

    void RunAfterReply();

    void OnStatusRecord(const QByteArray& record, int length);
    // Reinstates or adds the node that answered its poll; polls the next.
    void FinishStatusReply(int net, int node, bool wasPoll);
    void OnMemoryData(const QByteArray& record, int length);
    void OnEventLogBlock(const QByteArray& record, int length);
    void OnAck(int length);
    void OnNak(const QByteArray& record);
    void StoreNodeFirmware(const QByteArray& record);

    CNetCommandQueue& m_queue;
    INetCommandStore& m_store;
    ILinkTransport& m_transport;
    ILinkHost& m_host;

    std::vector<std::pair<int, QString>> m_networks;
    int m_selected = -1;

    int m_connected = 0;
    bool m_connecting = false;
    bool m_inFlight = false;
    CNetCommand m_request;
    QByteArray m_requestFrame;
    SentRequestRecord m_sent;
    int m_sends = 0;
    int m_initialRetries = 0;
    int m_replyTimeoutMs = 0;
    int m_pollArgument = 0;

    QTimer m_replyTimer;
    QTimer m_pacingTimer;
    // A late duplicate of a resent command's acknowledgement: nothing is
    // sent until it would have come.
    QElapsedTimer m_lastSend;
    QElapsedTimer m_lastDial;
    qint64 m_quietUntil = 0;
    QTimer m_quietTimer;
    std::optional<CNetCommand> m_heldCommand;

    // Nodes already reconnected for after a silent poll; cleared when they answer.
    std::array<std::array<bool, 8>, 8> m_reconnectedFor{};
};
