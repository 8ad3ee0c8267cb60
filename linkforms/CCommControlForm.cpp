#include "linkforms/CCommControlForm.h"

#include "app/AppObjects.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/TaskState.h"
#include "app/ViewCommands.h"
#include "common/CommandIds.h"
#include "common/Formatting.h"
#include "common/RecordsetWalk.h"
#include "common/SharedHelpers.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/CCommLink.h"
#include "link/CConnectAttempt.h"
#include "link/CSerialTransport.h"
#include "link/LinkConnection.h"
#include "link/LinkState.h"
#include "link/LinkTiming.h"
#include "link/NodeAddress.h"
#include "linkforms/CDlgConnectFailed.h"
#include "linkforms/CDlgConnecting.h"
#include "linkforms/CDlgPutFlashFailed.h"
#include "linkforms/LinkFormImages.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int kErrorLineBlanksAtStart = 8;
constexpr int kRetransmitBlanksAtStart = 9;
constexpr int kBlankLine = 18;
constexpr int kErrorFontPixels = 16;
constexpr int kCountMaxChars = 10;
constexpr int kSimpleButtonHeight = 45;
constexpr int kMaxConnectFailures = 2;
// A step or button that arrives while an attempt runs is tried again after this.
constexpr int kDeferMs = 200;
constexpr int kRunWatchMs = 1000;
// Privileges that may program: 0, 2, 4 and 5.
constexpr int kProgramPrivileges[] = {0, 2, 4, 5};

const char* const kQueueNoticeText =
    "There are items in the Net queue that need to be sent to the network.\n\nGo Online with the network.";
const char* const kSelectRefusedText =
    "You cannot select another network while the current network is being programmed.";
const char* const kMultipleRetriesText = "Failed to connect to network %1 after multiple retries.";
const char* const kTestModeText = "You cannot send commands to the network while you are in Test Mode.";
const char* const kTestModeExitText = "Press the F9 key to exit Test Mode.";
const char* const kUpdatingText =
    "Controller's database is being updated. Disconnecting from the network while its database is being "
    "updated may cause the controller to contain a corrupted database and leave the controller in an "
    "inoperable state requiring a local reset.";
const char* const kUpdatingQuestionText =
    "\n\r\n\rClick YES to disconnect from network and stop database update or click NO to let the database "
    "update finish.";
const char* const kNoModemForText = "No modem is selected for";
const char* const kNoModemHintText = "Please go to the Wardenfold Setup dialog and specify the modem to use.";
const char* const kNoModemText =
    "No modem is selected for your installation.\nPlease go to the Wardenfold Setup dialog and specify the modem to use.";

QString Text(const char* text)
{
    return QString::fromLatin1(text);
}

bool MayProgram()
{
    return std::any_of(std::begin(kProgramPrivileges), std::end(kProgramPrivileges),
                       [](int privilege) { return OperatorHasPrivilege(privilege); });
}

QChar Letter(int net)
{
    return GetNetworkLetter(MakeNodeAddress(static_cast<std::uint8_t>(net), 1));
}
} // namespace

CCommControlForm::CCommControlForm(QWidget* parent, std::unique_ptr<ILinkTransport> transport)
    : CPaneView(parent), m_transport(transport ? std::move(transport) : std::make_unique<CSerialTransport>())
{
    BuildControls();
    for (auto [timer, lamp] : {std::pair{&m_sendLampTimer, m_sendLamp}, std::pair{&m_receiveLampTimer, m_receiveLamp}}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, lamp, &QLabel::hide);
    }
    m_runWatch.setInterval(LinkTiming::Ms(kRunWatchMs));
    connect(&m_runWatch, &QTimer::timeout, this, &CCommControlForm::CheckSendStep);
    SetCommControlForm(this);
    TaskTargetWindow = this;
    OnInitialUpdate();
}

CCommControlForm::~CCommControlForm()
{
    if (m_link)
        m_link->Disconnect();
    if (GetCommControlForm() == this)
        SetCommControlForm(nullptr);
    if (TaskTargetWindow == this)
        TaskTargetWindow = nullptr;
}

void CCommControlForm::BuildControls()
{
    auto* grid = new QGridLayout(this);
    const auto make = [](auto* widget, int id) {
        widget->setObjectName(QString::number(id));
        return widget;
    };
    m_program = make(new QPushButton(tr("Program"), this), IdProgram);
    m_program->setToolTip(tr("Program networks"));
    m_eventlog = make(new QPushButton(tr("Eventlog"), this), IdEventlog);
    m_eventlog->setToolTip(tr("Collect all event logs"));
    m_onOff = make(new QPushButton(tr("Check1"), this), IdOnOffLine);
    m_onOff->setCheckable(true);
    m_onOff->setToolTip(tr("On/Off-line with installation"));
    auto* netLabel = make(new QLabel(tr("Net:"), this), IdNetLabel);
    m_network = make(new QComboBox(this), IdNetwork);
    auto* sendText = make(new QLabel(tr("SD"), this), IdSendText);
    m_sendLamp = make(new QLabel(this), IdSendLamp);
    auto* receiveText = make(new QLabel(tr("RD"), this), IdReceiveText);
    m_receiveLamp = make(new QLabel(this), IdReceiveLamp);
    for (QLabel* lamp : {m_sendLamp, m_receiveLamp}) {
        lamp->setPixmap(LinkFormImages::Lamp());
        lamp->hide();
    }
    m_count = make(new QLabel(tr("Cnt"), this), IdCount);
    m_status = make(new QLabel(tr("Comm Control Status"), this), IdStatus);
    m_error = make(new QLabel(tr("Comm Control Errors"), this), IdErrors);
    m_retransmit = make(new QLabel(tr("Retransmit Count"), this), IdRetransmit);
    m_disconnectAfter = make(new QCheckBox(tr("Disconnect after programming"), this), IdDisconnectAfter);
    for (QLabel* line : {m_status, m_error, m_retransmit})
        line->setWordWrap(true);

    grid->addWidget(m_program, 0, 0);
    grid->addWidget(m_eventlog, 0, 1);
    grid->addWidget(m_onOff, 0, 2);
    grid->addWidget(netLabel, 1, 0);
    grid->addWidget(m_network, 1, 1, 1, 2);
    auto* lamps = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(sendText), static_cast<QWidget*>(m_sendLamp),
                            static_cast<QWidget*>(receiveText), static_cast<QWidget*>(m_receiveLamp),
                            static_cast<QWidget*>(m_count)})
        lamps->addWidget(widget);
    grid->addLayout(lamps, 2, 0, 1, 3);
    grid->addWidget(m_status, 3, 0, 1, 3);
    grid->addWidget(m_error, 4, 0, 1, 3);
    grid->addWidget(m_retransmit, 5, 0, 1, 3);
    grid->addWidget(m_disconnectAfter, 6, 0, 1, 3);
    grid->setRowStretch(7, 1);
    m_normalControls = {m_count, m_sendLamp, m_receiveLamp, receiveText, sendText, netLabel, m_network,
                        m_program, m_eventlog, m_onOff, m_error, m_retransmit, m_disconnectAfter};

    connect(m_program, &QPushButton::clicked, this, [this] { OnProgram(); });
    connect(m_eventlog, &QPushButton::clicked, this, [this] { OnEventlog(); });
    connect(m_onOff, &QPushButton::clicked, this, [this] { OnOnOffLine(); });
    connect(m_network, &QComboBox::activated, this, [this] { OnSelchangeNetwork(); });
    connect(m_disconnectAfter, &QCheckBox::toggled, this, [this] { ReadControls(); });
}

QAbstractButton* CCommControlForm::Button(int id) const
{
    return findChild<QAbstractButton*>(QString::number(id));
}

CWFDoc* CCommControlForm::Document()
{
    if (!m_doc)
        m_doc = GetInstallationDoc();
    return m_doc;
}

void CCommControlForm::EnsureLink()
{
    if (m_link || !Document())
        return;
    m_link = std::make_unique<CCommLink>(m_doc->m_netQueue, *m_doc, *m_transport, *this);
    m_link->m_simpleMode = m_simpleMode;
    connect(m_link.get(), &CCommLink::statusText, m_status, &QLabel::setText);
    connect(m_link.get(), &CCommLink::errorText, this, &CCommControlForm::SetErrorText);
    connect(m_link.get(), &CCommLink::nakCountText, m_retransmit, &QLabel::setText);
    connect(m_link.get(), &CCommLink::queueCountText, this, [this] { UpdateQueueCount(); });
    connect(m_link.get(), &CCommLink::connectedChanged, this, &CCommControlForm::OnConnectedChanged);
    connect(m_link.get(), &CCommLink::sendLamp, this, [this] { FlashLamp(m_sendLamp, m_sendLampTimer); });
    connect(m_link.get(), &CCommLink::receiveLamp, this, [this] { FlashLamp(m_receiveLamp, m_receiveLampTimer); });
    connect(m_link.get(), &CCommLink::programStepRequested, this, [this] { OnStepProgram(); });
    connect(m_link.get(), &CCommLink::attemptStarted, this, &CCommControlForm::OnAttemptStarted);
}

void CCommControlForm::OnInitialUpdate()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(kErrorFontPixels);
    m_error->setFont(font);
    QPalette palette = m_error->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_error->setPalette(palette);
    EnsureLink();
    if (CWFApp* app = GetApp())
        m_disconnectAfter->setChecked(app->Settings().m_disconnectAfterUpload != 0);
    m_program->setIcon(LinkFormImages::ProgramIdle());
    m_eventlog->setIcon(LinkFormImages::EventLog());
    m_onOff->setIcon(LinkFormImages::OnOffLine());
    m_onOff->setText(QString());
    ShowLinkStatus(CCommLink::NotConnected);
    m_program->setVisible(MayProgram());
    m_error->setText(QString(kErrorLineBlanksAtStart, QLatin1Char(' ')));
    m_retransmit->setText(QString(kRetransmitBlanksAtStart, QLatin1Char(' ')));
    ShowNakCount(NakCount);
    RefreshAfterOpen();
    if (!GetCommControlForm())
        SetCommControlForm(this);
    if (!m_simple) {
        m_simple = new QPushButton(tr("Program the network"), this);
        m_simple->setObjectName(QString::number(IdSimpleProgram));
        m_simple->setCheckable(true);
        m_simple->setToolTip(tr("Send changes to network"));
        m_simple->setMinimumHeight(kSimpleButtonHeight);
        static_cast<QGridLayout*>(layout())->addWidget(m_simple, 8, 0, 1, 3);
        connect(m_simple, &QPushButton::clicked, this, [this] { OnProgram(); });
    }
    ShowControls(0);
    ShowDataToProgram(m_doc ? m_doc->GetDataToProgram() : 0);
}

void CCommControlForm::RefreshAfterOpen()
{
    EnsureLink();
    FillNetworkCombo();
    UpdateQueueCount();
    if (m_doc && CurrentTaskMode() == TaskMode::None && m_doc->GetPendingCommandCount() > 0)
        ShowMessageBox(Text(kQueueNoticeText), MbButtons::Ok, MbIcon::Information);
    if (m_doc && m_doc->m_bInstallationOpen)
        ShowDataToProgram(m_doc->GetDataToProgram());
}

void CCommControlForm::ReadControls()
{
    if (CWFApp* app = GetApp())
        app->Settings().m_disconnectAfterUpload = m_disconnectAfter->isChecked() ? 1 : 0;
}

bool CCommControlForm::IsConnected() const
{
    return m_link && m_link->IsConnected();
}

void CCommControlForm::Disconnect()
{
    if (m_link)
        m_link->Disconnect();
    m_network->setEnabled(NetworkCount() >= 2);
}

int CCommControlForm::GoOnline()
{
    if (Document())
        m_doc->SetDataToProgram(1);
    ShowDataToProgram(1);
    return 1;
}

void CCommControlForm::ServiceQueue()
{
    if (m_link)
        m_link->ServiceQueue();
}

void CCommControlForm::RequestPriorityAccess()
{
    if (!m_link)
        return;
    m_link->m_afterPoll = true;
    m_link->m_afterPriorityAccess = true;
}

void CCommControlForm::RequestStopAndClose()
{
    if (!m_link)
        return;
    m_link->m_afterPoll = true;
    m_link->m_afterCloseApplication = true;
}

bool CCommControlForm::HasNetwork(int net) const
{
    return m_link && m_link->HasNetwork(net);
}

bool CCommControlForm::ClearQueue()
{
    const bool cleared = Document() && m_doc->ClearNetCommands();
    UpdateQueueCount();
    return cleared;
}

QObject* CCommControlForm::GetPaneWindow()
{
    return ::GetPaneWindow(0, 1);
}

void CCommControlForm::ShowNetworkStatusPanes()
{
    CWFApp* app = GetApp();
    if (CMainFrame* frame = app ? app->MainFrame() : nullptr)
        frame->ShowNetworkStatusPanes();
}

void CCommControlForm::RecreateMonitorViews()
{
    CWFApp* app = GetApp();
    if (CMainFrame* frame = app ? app->MainFrame() : nullptr)
        frame->RecreateMonitorViews();
}

ILinkHost::RunMode CCommControlForm::GetRunMode() const
{
    switch (CurrentTaskMode()) {
    case TaskMode::Update:
        return RunMode::Program;
    case TaskMode::SetTime:
        return RunMode::SetTime;
    case TaskMode::Backup:
        return RunMode::OtherTask;
    case TaskMode::None:
        break;
    }
    return RunMode::Interactive;
}

bool CCommControlForm::DisconnectAfterProgramming() const
{
    return m_disconnectAfter->isChecked();
}

bool CCommControlForm::GetSelectedController(int& net, int& node) const
{
    // The node commands of the status pane name their node themselves.
    Q_UNUSED(net);
    Q_UNUSED(node);
    return false;
}

void CCommControlForm::SetDataToProgram(int flag)
{
    if (Document())
        m_doc->SetDataToProgram(flag);
}

void CCommControlForm::CloseMainWindow()
{
    CWFApp* app = GetApp();
    if (QWidget* frame = app ? app->MainFrame() : nullptr)
        PostAppMessage(frame, Msg::WM_CLOSE);
}

void CCommControlForm::ShowFlashFailedNotice()
{
    QApplication::beep();
    if (!m_link)
        return;
    auto* notice = new CDlgPutFlashFailed(m_link->Request().m_frameAddress, window());
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->show();
}

ILinkHost::FailedConnectAnswer CCommControlForm::ConnectionFailed(QChar network, int reason)
{
    CDlgConnectFailed dialog(network, reason, window());
    emit dialogOpened(&dialog);
    return dialog.exec() == CDlgConnectFailed::kGiveUp ? FailedConnectAnswer::GiveUp : FailedConnectAnswer::Retry;
}

void CCommControlForm::OnAttemptStarted(CConnectAttempt* attempt)
{
    auto* dialog = new CDlgConnecting(*attempt, *m_link, window());
    m_connecting = dialog;
    connect(m_link.get(), &CCommLink::attemptEnded, dialog, &QObject::deleteLater, Qt::SingleShotConnection);
    dialog->show();
    emit dialogOpened(dialog);
}

void CCommControlForm::OnConnectedChanged(bool connected)
{
    m_onOff->setChecked(connected);
    if (m_simple)
        m_simple->setChecked(connected);
    ShowDataToProgram(IsDataToProgramShown());
}

void CCommControlForm::FlashLamp(QLabel* lamp, QTimer& timer)
{
    if (m_simpleMode)
        return;
    lamp->show();
    timer.start(CCommLink::kLampMs);
}

void CCommControlForm::FillNetworkCombo()
{
    if (!m_link)
        return;
    m_link->FillNetworkCombo();
    const int selected = m_link->GetSelectedNetwork();
    m_filling = true;
    m_network->clear();
    for (int net = 1; net <= kNetworkCount; ++net) {
        if (m_link->HasNetwork(net)) {
            m_link->SelectNetwork(net);
            m_network->addItem(g_setVLNetworks.IsOpen() ? g_setVLNetworks.GetNetLabel(net) : QString(), net);
        }
    }
    if (selected)
        m_link->SelectNetwork(selected);
    m_network->setCurrentIndex(m_network->findData(selected));
    m_filling = false;
    m_network->setEnabled(m_network->count() >= 2);
}

int CCommControlForm::GetSelectedNetwork() const
{
    return m_link ? m_link->GetSelectedNetwork() : 0;
}

void CCommControlForm::SelectNetwork(int net)
{
    if (!m_link || !m_link->SelectNetwork(net))
        return;
    m_network->setCurrentIndex(m_network->findData(net));
}

void CCommControlForm::SelectAndRefill(int net)
{
    SelectNetwork(net);
    FillNetworkCombo();
}

int CCommControlForm::NetworkCount() const
{
    return m_link ? m_link->NetworkCount() : 0;
}

bool CCommControlForm::ModemMissing()
{
    CWFApp* app = GetApp();
    if (!app || app->Settings().m_firstLaunch != 1 || !m_doc || m_doc->GetPendingCommandCount() == 0
        || app->Settings().m_selectedModem >= 0)
        return false;
    QString panel;
    bool found = false;
    try {
        for (bool row = MoveToFirstRow(g_setVestrels); row && !found && !g_setVestrels.IsEOF(); g_setVestrels.MoveNext()) {
            const std::int32_t nodeId = g_setVestrels.m_NodeID;
            const QString name = g_setVestrels.m_VestrelName;
            if (g_setVLNetworks.FindByNodeID(nodeId) && g_setVLNetworks.m_Active
                && g_setVLNetworks.m_ConnectUsing == LinkConnection::kModem) {
                found = true;
                panel = name;
            }
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return false;
    }
    if (!found)
        return false;
    ShowMessageBox(panel.isEmpty() ? Text(kNoModemText)
                                   : Text(kNoModemForText) + QLatin1Char(' ') + panel + QStringLiteral(".\n\n")
                           + Text(kNoModemHintText));
    m_onOff->setChecked(false);
    return true;
}

int CCommControlForm::Connect()
{
    if (!m_link || m_link->IsConnecting() || ModemMissing())
        return 0;
    const int connected = m_link->Connect();
    UpdateQueueCount();
    if (connected) {
        m_link->SetConnected(1);
        m_link->SendNextCommand();
    }
    return connected;
}

void CCommControlForm::ConnectOrGiveUp()
{
    if (Connect())
        return;
    Disconnect();
    if (m_link)
        m_link->GiveUpMessageIfDue(m_doc->m_netQueue.GetCurrentNetwork());
}

void CCommControlForm::OnSelchangeNetwork()
{
    if (m_filling || !m_link)
        return;
    const int chosen = m_network->currentData().toInt();
    if (Document() && m_doc->m_netQueue.m_state != CNetCommandQueue::kStageIdle) {
        ShowMessageBox(Text(kSelectRefusedText));
        SelectNetwork(GetSelectedNetwork());
        return;
    }
    if (m_link->IsConnecting())
        return;
    m_link->SelectNetwork(chosen);
    ReadControls();
    m_link->m_connectHandled = 0;
    NetReconnectTries.fill(0);
    NetConnectFailures.fill(0);
    if (IsConnected())
        Disconnect();
    if (NetworkCount() < 2)
        ResetForSingleNetwork(false);
    for (;;) {
        if (Connect()) {
            m_link->SendNextCommand();
            SendAppMessage(GetPaneWindow(), Msg::NetworkChanged, static_cast<quintptr>(GetSelectedNetwork()));
            m_lastNetwork = GetSelectedNetwork();
            RecreateMonitorViews();
            return;
        }
        Disconnect();
        if (m_link->m_connectHandled)
            return;
        const int failed = m_doc->m_netQueue.GetCurrentNetwork();
        if (failed < 1 || failed > kNetworkCount)
            return;
        if (NetConnectFailures[failed - 1] >= kMaxConnectFailures) {
            NetConnectFailures[failed - 1] = 0;
            ShowMessageBox(Text(kMultipleRetriesText).arg(Letter(failed)), MbButtons::Ok, MbIcon::Exclamation);
            return;
        }
        int next = 0;
        if (!m_link->FindNetworkWithWork(failed, next))
            return;
        if (m_doc->CountQueuedCommands() != m_doc->GetPendingCommandCount() && next == failed)
            continue;
        SelectAndRefill(next);
        if (NetQueueState[failed - 1] == kNetworkStateNoAnswer) {
            SuspendQueuedNodes(failed, false);
            return;
        }
    }
}

void CCommControlForm::ResetForSingleNetwork(bool keepSuspended)
{
    NetQueueState.fill(kNetworkStateNormal);
    for (auto& row : NodeTimedOut)
        row.fill(0);
    for (auto& row : NodeLinkState) {
        for (auto& state : row) {
            if (!keepSuspended || state != kNodeStateFailed)
                state = kNodeStateAnswers;
        }
    }
}

void CCommControlForm::OnOnOffLine()
{
    if (!m_link || m_link->IsConnecting()) {
        m_onOff->setChecked(IsConnected());
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (IsConnected()) {
        if (m_doc->m_netQueue.m_state == CNetCommandQueue::kStageIdle) {
            Disconnect();
        } else if (ShowMessageBox(Text(kUpdatingText) + Text(kUpdatingQuestionText), MbButtons::YesNo,
                                  MbIcon::Question) == IDYES) {
            m_link->m_afterDisconnect = true;
            if (!m_link->IsInFlight())
                m_link->PollNode(1);
            else
                m_link->m_afterPoll = true;
        }
    } else if (TestMode && m_doc->GetPendingCommandCount() > 0) {
        QApplication::restoreOverrideCursor();
        ShowMessageBox(Text(kTestModeText) + QStringLiteral("\n\n") + Text(kTestModeExitText));
        m_onOff->setChecked(false);
        return;
    } else {
        NetReconnectTries.fill(0);
        NetConnectFailures.fill(0);
        if (NetworkCount() < 2) {
            ResetForSingleNetwork(true);
            ConnectOrGiveUp();
        } else {
            OnlineWithSeveralNetworks();
        }
    }
    m_onOff->setChecked(IsConnected());
    QApplication::restoreOverrideCursor();
}

void CCommControlForm::SuspendQueuedNodes(int net, bool timedOut)
{
    m_link->SuspendNetwork(net);
    for (int node = 1; timedOut && node <= CNetCommandQueue::kNodes; ++node) {
        if (m_doc->m_netQueue.HasNode(net, node))
            NodeTimedOut[net - 1][node - 1] = 1;
    }
}

void CCommControlForm::OnlineWithSeveralNetworks()
{
    bool anyUsable = false;
    for (int net = 1; net <= kNetworkCount; ++net)
        anyUsable = anyUsable || (HasNetwork(net) && NetQueueState[net - 1] != kNetworkStateNoAnswer);
    if (!anyUsable) {
        ConnectOrGiveUp();
        return;
    }
    NetResponsive.fill(1);
    const int selected = GetSelectedNetwork();
    if (NetQueueState[selected - 1] == kNetworkStateNoAnswer) {
        SuspendQueuedNodes(selected, true);
        int next = 0;
        if (!m_link->FindNetworkWithWork(selected, next)) {
            m_link->SetConnected(0);
            return;
        }
        SelectAndRefill(next);
    }
    for (;;) {
        if (m_link->ReconnectCurrentNetwork()) {
            UpdateQueueCount();
            m_link->SendNextCommand();
            return;
        }
        if (NetworkCount() < 2)
            return;
        if (m_link->m_connectHandled) {
            m_link->m_connectHandled = 0;
            return;
        }
        const int failed = m_doc->m_netQueue.GetCurrentNetwork();
        int next = 0;
        if (failed < 1 || failed > kNetworkCount || !m_link->FindNetworkWithWork(failed, next))
            return;
        if (m_doc->CountQueuedCommands() != m_doc->GetPendingCommandCount() && next == failed)
            continue;
        SelectAndRefill(next);
        if (NetQueueState[failed - 1] == kNetworkStateNoAnswer) {
            SuspendQueuedNodes(failed, false);
            return;
        }
    }
}

void CCommControlForm::ShowControls(int hide)
{
    m_simpleMode = hide != 0;
    if (m_link)
        m_link->m_simpleMode = m_simpleMode;
    for (QWidget* control : m_normalControls)
        control->setVisible(!m_simpleMode);
    // The lamps stay dark until the link flashes them; the Program button
    // shows only to those who may program.
    m_sendLamp->hide();
    m_receiveLamp->hide();
    if (!m_simpleMode)
        m_program->setVisible(MayProgram());
    if (m_simple)
        m_simple->setVisible(m_simpleMode);
}

void CCommControlForm::ClearErrorText()
{
    SetErrorText(QString(kBlankLine, QLatin1Char(' ')));
    ClearNakCountText();
}

void CCommControlForm::ShowLinkStatus(int state)
{
    if (m_link)
        m_link->ShowLinkStatus(state);
    else
        m_status->setText(tr("Not Connected"));
}

void CCommControlForm::UpdateQueueCount()
{
    const int pending = Document() ? m_doc->GetPendingCommandCount() : 0;
    m_count->setText(QString::number(pending).left(kCountMaxChars));
    m_network->setEnabled(m_network->count() >= 2);
    // In simple mode the status line counts the commands down, to "Program
    // complete" once the last one is done.
    if (m_simpleMode && IsConnected())
        m_link->ShowLinkStatus(CCommLink::ReplyReceived);
}

void CCommControlForm::ShowDataToProgram(int flag)
{
    m_dataShown = flag != 0;
    m_program->setIcon(m_dataShown ? LinkFormImages::ProgramData() : LinkFormImages::ProgramIdle());
    if (!m_simple)
        return;
    if (m_dataShown)
        m_simple->setEnabled(true);
    else if ((!Document() || m_doc->GetPendingCommandCount() == 0) && !IsConnected())
        m_simple->setEnabled(false);
}

void CCommControlForm::SetErrorText(const QString& text)
{
    m_error->setText(text);
}

void CCommControlForm::ShowNakCount(int count)
{
    if (TestMode)
        m_retransmit->setText(QStringLiteral("NAK count: %1").arg(count));
}

void CCommControlForm::ClearNakCountText()
{
    m_retransmit->setText(QString(kBlankLine, QLatin1Char(' ')));
}

bool CCommControlForm::event(QEvent* e)
{
    if (e->type() == AppMessageEvent::Type() && static_cast<AppMessageEvent*>(e)->msg == Msg::WM_CLOSE)
        Disconnect();
    return CPaneView::event(e);
}

bool CCommControlForm::DeferWhileConnecting(unsigned msg, quintptr wParam, qintptr lParam)
{
    if (!m_link || !m_link->IsConnecting())
        return false;
    QPointer<CCommControlForm> self(this);
    QTimer::singleShot(kDeferMs, this, [self, msg, wParam, lParam] {
        if (self)
            PostAppMessage(self, msg, wParam, lParam);
    });
    return true;
}

qintptr CCommControlForm::OnAppMessage(unsigned msg, quintptr wParam, qintptr lParam)
{
    constexpr qintptr kHandled = 1;
    switch (msg) {
    case Msg::WM_COMMAND:
    case Msg::TaskStepProgram:
    case Msg::TaskStepSend:
    case Msg::TaskStepEventLogs:
    case Msg::TaskStepBackup:
    case Msg::TaskStepSetTime:
        if (DeferWhileConnecting(msg, wParam, lParam))
            return kHandled;
        break;
    default:
        return 0;
    }
    switch (msg) {
    case Msg::WM_COMMAND:
        if (wParam == CommandId::OnOffLine) {
            m_onOff->toggle();
            OnOnOffLine();
        } else if (wParam == CommandId::ProgramNetwork) {
            OnProgram();
        } else if (wParam == CommandId::CollectEventLogs) {
            OnEventlog();
        }
        return 0;
    case Msg::TaskStepProgram:
        OnStepProgram();
        break;
    case Msg::TaskStepSend:
        OnStepSend();
        break;
    case Msg::TaskStepEventLogs:
        OnStepEventLogs();
        break;
    case Msg::TaskStepBackup:
        OnStepBackup(wParam);
        break;
    case Msg::TaskStepSetTime:
        OnStepTimeSet();
        break;
    default:
        break;
    }
    return kHandled;
}
