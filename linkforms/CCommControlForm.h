#pragma once

#include "app/CPaneView.h"
#include "common/ICommControlForm.h"
#include "link/ILinkHost.h"
#include "link/ILinkTransport.h"
#include "link/LinkState.h"
#include "linkforms/CDlgConnecting.h"
#include "linkforms/CDlgSetNetTime.h"
#include "linkforms/CEventPollDlg.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <memory>

class CCommLink;
class CConnectAttempt;
class CWFDoc;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The communication control form in the lower left pane: the one driver of
// the panel link. It picks the network, goes on-line and off-line, starts
// programming and event-log collection and carries out the scheduled
// steps; the link engine does the sending and the replies.
class CCommControlForm : public CPaneView, public ICommControlForm, public ILinkHost
{
    Q_OBJECT
public:
    // Control identifiers, also the controls' object names.
    enum Control {
        IdProgram = 1307,
        IdEventlog = 1733,
        IdOnOffLine = 2156,
        IdNetwork = 1574,
        IdNetLabel = 1742,
        IdSendText = 1745,
        IdSendLamp = 1493,
        IdReceiveText = 1744,
        IdReceiveLamp = 1492,
        IdCount = 1303,
        IdStatus = 1299,
        IdErrors = 1766,
        IdRetransmit = 1767,
        IdDisconnectAfter = 2388,
        IdSimpleProgram = 2709,
    };

    // The transport is the serial link unless a test gives another.
    explicit CCommControlForm(QWidget* parent = nullptr, std::unique_ptr<ILinkTransport> transport = nullptr);
    ~CCommControlForm() override;

    // The engine; null until a document exists.
    CCommLink* Link() const { return m_link.get(); }

    // ICommControlForm.
    bool IsConnected() const override;
    void Disconnect() override;
    int GoOnline() override;
    void ServiceQueue() override;
    void RefreshAfterOpen() override;
    bool HasNetwork(int net) const override;
    bool ClearQueue() override;
    int GetSelectedNetwork() const override;
    void RequestPriorityAccess() override;
    void RequestStopAndClose() override;

    // ILinkHost.
    QObject* GetPaneWindow() override;
    void ShowNetworkStatusPanes() override;
    void RecreateMonitorViews() override;
    RunMode GetRunMode() const override;
    bool DisconnectAfterProgramming() const override;
    bool GetSelectedController(int& net, int& node) const override;
    void SetDataToProgram(int flag) override;
    void CloseMainWindow() override;
    void ShowFlashFailedNotice() override;
    FailedConnectAnswer ConnectionFailed(QChar network, int reason) override;

    void OnInitialUpdate();
    int Connect();
    void FillNetworkCombo();
    void SelectNetwork(int net);
    int NetworkCount() const;
    void OnSelchangeNetwork();
    void OnOnOffLine();
    void OnProgram();
    void OnEventlog();
    // 1 when the network acknowledged the new time.
    int RunSetNetTimeDialog();

    Q_INVOKABLE void ShowControls(int hide);
    Q_INVOKABLE void ClearErrorText();
    void ShowLinkStatus(int state);
    void UpdateQueueCount();
    void ShowDataToProgram(int flag);
    bool IsDataToProgramShown() const { return m_dataShown; }
    void SetErrorText(const QString& text);
    void ShowNakCount(int count);
    void ClearNakCountText();
    bool IsSimpleMode() const { return m_simpleMode; }

    // The step handlers of a scheduled run (WM_USER+24 to +28).
    void OnStepProgram();
    void OnStepSend();
    void OnStepEventLogs();
    void OnStepBackup(quintptr wParam);
    void OnStepTimeSet();

    // The Connecting dialog while an attempt runs; null otherwise.
    CDlgConnecting* ConnectingDialog() const { return m_connecting; }
    CDlgSetNetTime* SetNetTimeDialog() const { return m_setNetTime; }
    CEventPollDlg* EventPollDialog() const { return m_eventPoll; }

signals:
    // A Connecting or Connection Failed dialog was opened (for tests and the help).
    void dialogOpened(QWidget* dialog);

protected:
    bool event(QEvent* e) override;
    qintptr OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam) override;

private:
    void BuildControls();
    QAbstractButton* Button(int id) const;
    void EnsureLink();
    CWFDoc* Document();
    void ReadControls();
    void OnConnectedChanged(bool connected);
    void OnAttemptStarted(CConnectAttempt* attempt);
    void FlashLamp(QLabel* lamp, QTimer& timer);
    bool ModemMissing();
    void ConnectOrGiveUp();
    void ResetForSingleNetwork(bool keepSuspended);
    void OnlineWithSeveralNetworks();
    void SuspendQueuedNodes(int net, bool timedOut);
    void SelectAndRefill(int net);
    bool IsScheduledProgramOrTime() const;
    // Steps and buttons wait while an attempt runs: one connect at a time.
    bool DeferWhileConnecting(unsigned msg, quintptr wParam, qintptr lParam);
    // The event-log and time-set steps: each listed network once, on-line.
    template <typename Visit>
    void VisitListedNetworks(NetworkIntTable& done, int& stepState, Visit visit);
    // Ends a scheduled send step whose link is down for good or whose queue stopped shrinking.
    void CheckSendStep();

    std::unique_ptr<ILinkTransport> m_transport;
    std::unique_ptr<CCommLink> m_link;
    CWFDoc* m_doc = nullptr;

    QPushButton* m_program = nullptr;
    QPushButton* m_eventlog = nullptr;
    QPushButton* m_onOff = nullptr;
    QComboBox* m_network = nullptr;
    QLabel* m_sendLamp = nullptr;
    QLabel* m_receiveLamp = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_error = nullptr;
    QLabel* m_retransmit = nullptr;
    QCheckBox* m_disconnectAfter = nullptr;
    QPushButton* m_simple = nullptr;
    QList<QWidget*> m_normalControls;

    QTimer m_sendLampTimer;
    QTimer m_receiveLampTimer;
    QTimer m_runWatch;
    QElapsedTimer m_sendStall;
    int m_stallPending = 0;
    bool m_simpleMode = false;
    bool m_dataShown = false;
    bool m_filling = false;
    int m_lastNetwork = 0;
    QPointer<CDlgConnecting> m_connecting;
    QPointer<CDlgSetNetTime> m_setNetTime;
    QPointer<CEventPollDlg> m_eventPoll;
};
