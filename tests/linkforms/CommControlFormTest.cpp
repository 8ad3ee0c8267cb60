#include "tests/linkforms/FormFixture.h"

#include "common/CommandIds.h"
#include "platform/WindowMessages.h"

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

} // namespace
