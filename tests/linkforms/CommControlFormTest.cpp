#include "tests/linkforms/FormFixture.h"

#include "app/TaskState.h"
#include "common/CommandIds.h"
#include "link/NetCommandKinds.h"
#include "platform/WindowMessages.h"
#include "tests/app/AnnexController.h"
#include "tests/linkforms/EventCollectionFixture.h"

#include <QPushButton>

namespace {

using CommControlForm = FormFixture;

TEST_F(CommControlForm, ShowsTheTextsPicturesAndTipsOfItsControls)
{
    const struct
    {
        int id;
        const char* text;
        const char* tip;
    } buttons[] = {
        {CCommControlForm::IdProgram, "Program", "Program networks"},
        {CCommControlForm::IdEventlog, "Eventlog", "Collect all event logs"},
        {CCommControlForm::IdOnOffLine, "", "On/Off-line with installation"},
        {CCommControlForm::IdSimpleProgram, "Program the network", "Send changes to network"},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.id);
        auto* button = Control<QAbstractButton>(b.id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), b.text);
        EXPECT_EQ(button->toolTip(), b.tip);
    }
    for (int id : {CCommControlForm::IdProgram, CCommControlForm::IdEventlog, CCommControlForm::IdOnOffLine})
        EXPECT_FALSE(Control<QAbstractButton>(id)->icon().isNull()) << id;
    EXPECT_EQ(Control<QLabel>(CCommControlForm::IdNetLabel)->text(), "Net:");
    EXPECT_EQ(Control<QLabel>(CCommControlForm::IdSendText)->text(), "SD");
    EXPECT_EQ(Control<QLabel>(CCommControlForm::IdReceiveText)->text(), "RD");
    EXPECT_EQ(Control<QAbstractButton>(CCommControlForm::IdDisconnectAfter)->text(), "Disconnect after programming");
    EXPECT_EQ(Control<QLabel>(CCommControlForm::IdStatus)->text(), "Not Connected");
    EXPECT_EQ(Control<QLabel>(CCommControlForm::IdErrors)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(Control<QLabel>(CCommControlForm::IdCount)->text(), "0");

    // The Program button's picture says whether data waits.
    const qint64 idle = Control<QAbstractButton>(CCommControlForm::IdProgram)->icon().cacheKey();
    form->ShowDataToProgram(1);
    EXPECT_TRUE(form->IsDataToProgramShown());
    EXPECT_NE(Control<QAbstractButton>(CCommControlForm::IdProgram)->icon().cacheKey(), idle);
    form->ShowDataToProgram(0);
    EXPECT_FALSE(form->IsDataToProgramShown());
    EXPECT_FALSE(Control<QAbstractButton>(CCommControlForm::IdSimpleProgram)->isEnabled())
        << "nothing pending and off-line";
}

TEST_F(CommControlForm, SimpleModeShowsOnlyTheOneButton)
{
    form->ShowControls(1);
    EXPECT_FALSE(Control(CCommControlForm::IdSimpleProgram)->isHidden());
    for (int id : {CCommControlForm::IdCount, CCommControlForm::IdProgram, CCommControlForm::IdEventlog,
                   CCommControlForm::IdOnOffLine, CCommControlForm::IdNetwork, CCommControlForm::IdErrors,
                   CCommControlForm::IdRetransmit, CCommControlForm::IdDisconnectAfter})
        EXPECT_TRUE(Control(id)->isHidden()) << id;
    EXPECT_FALSE(Control(CCommControlForm::IdStatus)->isHidden());
    form->ShowControls(0);
    EXPECT_TRUE(Control(CCommControlForm::IdSimpleProgram)->isHidden());
    EXPECT_FALSE(Control(CCommControlForm::IdOnOffLine)->isHidden());
    EXPECT_TRUE(Control(CCommControlForm::IdSendLamp)->isHidden()) << "the lamps stay dark until the link flashes them";
}

TEST_F(CommControlForm, NetworkChoiceIsOpenOnlyWithTwoNetworks)
{
    auto* combo = Control<QComboBox>(CCommControlForm::IdNetwork);
    ASSERT_EQ(combo->count(), 1);
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_EQ(combo->itemData(0).toInt(), 1);
    EXPECT_TRUE(combo->itemText(0).startsWith("[A] "));
    ActivateNetworkB();
    ASSERT_EQ(combo->count(), 2);
    EXPECT_TRUE(combo->isEnabled());
    EXPECT_TRUE(combo->itemText(1).startsWith("[B] "));
    EXPECT_EQ(form->GetSelectedNetwork(), 1) << "the selection is kept";
    EXPECT_TRUE(form->HasNetwork(2));
    EXPECT_FALSE(form->HasNetwork(3));
}

TEST_F(CommControlForm, OnlineWithOneNetworkResetsItsStatesAndConnects)
{
    NetQueueState[0] = kNetworkStateNoAnswer;
    NetQueueState[4] = kNetworkStateConnectError;
    NodeTimedOut[0][1] = 1;
    NodeLinkState[0][1] = kNetworkStateNoAnswer;
    NetConnectFailures[0] = 1;
    Control<QPushButton>(CCommControlForm::IdOnOffLine)->click();
    EXPECT_TRUE(form->IsConnected());
    EXPECT_TRUE(Control<QAbstractButton>(CCommControlForm::IdOnOffLine)->isChecked());
    EXPECT_EQ(NetQueueState[4], kNetworkStateNormal);
    EXPECT_EQ(NodeTimedOut[0][1], 0);
    EXPECT_EQ(NodeLinkState[0][1], kNodeStateAnswers);
    EXPECT_EQ(NetConnectFailures[0], 0);
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();

    Control<QPushButton>(CCommControlForm::IdOnOffLine)->click();
    EXPECT_FALSE(form->IsConnected());
    EXPECT_FALSE(Control<QAbstractButton>(CCommControlForm::IdOnOffLine)->isChecked());
    EXPECT_EQ(Control<QLabel>(CCommControlForm::IdStatus)->text(), "Not Connected");
}

TEST_F(CommControlForm, AnotherNetworkCannotBeChosenWhileOneIsProgrammed)
{
    ActivateNetworkB();
    m_doc.m_netQueue.m_state = CNetCommandQueue::kStageIdle + 1;
    auto* combo = Control<QComboBox>(CCommControlForm::IdNetwork);
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    m_doc.m_netQueue.m_state = CNetCommandQueue::kStageIdle;
    EXPECT_EQ(boxes.Texts(),
              QStringList("You cannot select another network while the current network is being programmed."));
    EXPECT_EQ(form->GetSelectedNetwork(), 1);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_FALSE(form->IsConnected());
}

TEST_F(CommControlForm, TestModeWithCommandsPendingRefusesToGoOnline)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    TestMode = 1;
    SendAppMessage(form.get(), Msg::WM_COMMAND, CommandId::OnOffLine);
    EXPECT_EQ(boxes.Texts(), QStringList("You cannot send commands to the network while you are in Test Mode.\n\n"
                                         "Press the F9 key to exit Test Mode."));
    EXPECT_FALSE(Control<QAbstractButton>(CCommControlForm::IdOnOffLine)->isChecked());
    EXPECT_FALSE(form->IsConnected());
    EXPECT_EQ(line.Closings(), 0) << "the port was never opened";
}

TEST_F(CommControlForm, TestModeConnectEndsWithPossiblyInvalidComPort)
{
    TestMode = 1;
    QStringList lines;
    QObject context;
    QObject::connect(form->Link(), &CCommLink::connectLine, &context, [&](const QString& text) { lines << text; });
    SendAppMessage(form.get(), Msg::WM_COMMAND, CommandId::OnOffLine);
    EXPECT_FALSE(form->IsConnected());
    EXPECT_TRUE(lines.contains("COM1 CONNECTION ERROR:\nPossible invalid COM port.")) << lines.join('|').toStdString();
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(CommControlForm, SimpleModeCountsTheCommandsDownToProgramComplete)
{
    form->ShowControls(1);
    form->ShowDataToProgram(1);
    QStringList statuses;
    QObject context;
    QObject::connect(form->Link(), &CCommLink::statusText, &context, [&](const QString& text) { statuses << text; });
    auto* button = Control<QPushButton>(CCommControlForm::IdSimpleProgram);
    ASSERT_TRUE(button->isEnabled());
    button->click();
    ASSERT_TRUE(form->IsConnected()) << boxes.Texts().join('|').toStdString();
    ASSERT_TRUE(RunUntilSent());
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return statuses.contains("Program complete"); }))
        << statuses.join('|').toStdString();
    const auto counting = std::find_if(statuses.begin(), statuses.end(),
                                       [](const QString& s) { return s.startsWith("Programming... ("); });
    ASSERT_NE(counting, statuses.end()) << statuses.join('|').toStdString();
    EXPECT_LT(counting - statuses.begin(), statuses.indexOf("Program complete"));
    EXPECT_FALSE(form->IsDataToProgramShown());
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(CommControlForm, ClosingTheFormEndsTheLink)
{
    SendAppMessage(form.get(), Msg::WM_COMMAND, CommandId::OnOffLine);
    ASSERT_TRUE(form->IsConnected());
    SendAppMessage(form.get(), Msg::WM_CLOSE);
    EXPECT_FALSE(form->IsConnected());
}

const QString kDeferredText =
    "Your data will be added to the network queue after the current commands are sent to the network.";

bool GotNodeControl(const PanelSimulator& panel, std::uint8_t argument)
{
    return std::any_of(panel.NodeCommands().begin(), panel.NodeCommands().end(), [&](const QByteArray& payload) {
        return payload.size() >= 2 && static_cast<std::uint8_t>(payload[0]) == NodeCommandOp::NodeControl
               && static_cast<std::uint8_t>(payload[1]) == argument;
    });
}

TEST_F(CommControlForm, DeferredProgramSaysSoOnceAndProgramsWhenTheQueueEmpties)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_GT(m_doc.GetPendingCommandCount(), 0);
    // A change made while the first run waits: node 2 is to get everything.
    SetFlags(2, 1);
    form->ShowDataToProgram(1);
    Control<QPushButton>(CCommControlForm::IdProgram)->click();
    EXPECT_EQ(boxes.Texts(), QStringList(kDeferredText));
    EXPECT_EQ(ProgramDeferred, 1);
    EXPECT_EQ(FlagsOf(2) & 1, 1) << "nothing is programmed yet";

    form->OnOnOffLine();
    ASSERT_TRUE(form->IsConnected());
    bool started = false;
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] {
        line.WithNode(2, [&](PanelSimulator& panel) { started = GotNodeControl(panel, 64); });
        return started && ProgramDeferred == 0 && m_doc.GetPendingCommandCount() == 0 && !form->Link()->IsInFlight();
    }, 30000)) << "the deferred run was not sent";
    EXPECT_EQ(FlagsOf(2) & 1, 0);
    EXPECT_FALSE(form->IsDataToProgramShown());
    EXPECT_EQ(boxes.Texts(), QStringList(kDeferredText)) << "said once";
}

TEST_F(CommControlForm, BackupStepIsMarkedOnlyWhenTheTaskPostedIt)
{
    Profile::WriteString(QStringLiteral("Installations"), QStringLiteral("Installation 1"), m_doc.GetPathName());
    SetTaskMode(TaskMode::Backup);
    const struct
    {
        quintptr wParam;
        int state;
    } cases[] = {{kBackupFromTask, kStepDone}, {0, kStepPosted}, {2, kStepPosted}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wParam);
        TaskStepBackup = kStepPosted;
        TaskBackupResult = 0;
        SendAppMessage(form.get(), Msg::TaskStepBackup, c.wParam);
        EXPECT_EQ(TaskBackupResult, 1) << "backed up";
        EXPECT_EQ(TaskStepBackup, c.state);
    }
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

// Network B (one node, on COM2) beside the demo's network A.
class TwoNetworkForm : public FormFixture
{
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        if (HasFatalFailure())
            return;
        lineB.WithNode(1, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM2"), lineB.SlavePath());
        ActivateNetworkB();
        ASSERT_TRUE(AddAnnexController(m_doc, g_setVLNetworks.m_NodeID));
        g_setEventLog.DeleteAll();
        g_setEventLog.Requery();
        SetTaskMode(TaskMode::Update);
        NetEventLogDone.fill(0);
    }

    static int RowsOf(int netNode)
    {
        int rows = 0;
        g_setEventLog.Requery();
        for (bool row = !g_setEventLog.IsEOF(); row; g_setEventLog.MoveNext(), row = !g_setEventLog.IsEOF())
            rows += g_setEventLog.m_NetNode == netNode;
        return rows;
    }

    PanelLine lineB{2, {1}};
};

TEST_F(TwoNetworkForm, EventLogStepVisitsEachListedNetworkOnce)
{
    line.WithNode(3, [](PanelSimulator& panel) {
        for (int i = 0; i < 5; ++i)
            panel.AddStoredEvent(EventCollection::StoredEventOf(3, i));
    });
    lineB.WithNode(1, [](PanelSimulator& panel) {
        for (int i = 0; i < 7; ++i)
            panel.AddStoredEvent(EventCollection::StoredEventOf(1, i));
    });
    TaskStepEventLogs = kStepPosted;
    SendAppMessage(form.get(), Msg::TaskStepEventLogs);
    EXPECT_EQ(TaskStepEventLogs, kStepDone);
    EXPECT_EQ(RowsOf(0x13), 5);
    EXPECT_EQ(RowsOf(0x21), 7);
    // The line sees the port close a moment after the program closes it.
    EXPECT_TRUE(LinkMessageRecorder::WaitUntil([&] { return line.Closings() >= 1 && lineB.Closings() >= 1; }));
    EXPECT_EQ(line.Closings(), 1) << "network A once";
    EXPECT_EQ(lineB.Closings(), 1) << "network B once";
    EXPECT_EQ(NetEventLogDone[0], 1);
    EXPECT_EQ(NetEventLogDone[1], 1);
    EXPECT_FALSE(form->IsConnected());
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(TwoNetworkForm, EventLogStepWithCommandsPendingEndsWithoutCollecting)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    TaskStepEventLogs = kStepPosted;
    SendAppMessage(form.get(), Msg::TaskStepEventLogs);
    EXPECT_EQ(TaskStepEventLogs, kStepDone);
    EXPECT_EQ(line.Closings() + lineB.Closings(), 0) << "no network was connected";
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(TwoNetworkForm, TimeSetStepSetsEachClockAndFailsTheNetworkThatDidNotAnswer)
{
    SetTaskMode(TaskMode::SetTime);
    lineB.SetNodeMode(1, PanelLine::NodeMode::Quiet);
    NetTaskResult.fill(0);
    NetTimeSetDone.fill(0);
    TaskStepSetTime = kStepPosted;
    SendAppMessage(form.get(), Msg::TaskStepSetTime);
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([] { return TaskStepSetTime == kStepDone; }, 30000));
    EXPECT_EQ(NetTaskResult[0], kTaskNetPassed);
    EXPECT_EQ(NetTaskResult[1], kTaskNetFailed) << "its clock was never set";
    EXPECT_EQ(NetTimeSetDone[0], 1);
    EXPECT_EQ(NetTimeSetDone[1], 1);
    line.WithNode(1, [](PanelSimulator& panel) { EXPECT_EQ(panel.LastTimeSetting().size(), 7); });
    EXPECT_FALSE(form->IsConnected());
}

} // namespace
