#include "tests/linkforms/FormFixture.h"

#include "link/CConnectAttempt.h"
#include "linkforms/CDlgConnectFailed.h"
#include "linkforms/CDlgConnecting.h"
#include "linkforms/CDlgPutFlashFailed.h"
#include "linkforms/CDlgSetNetTime.h"
#include "link/NetCommandKinds.h"
#include "link/PacketBuilder.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"
#include "platform/WindowMessages.h"

#include <QDialogButtonBox>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <atomic>

namespace {

class ConnectFailedDialog : public ::testing::Test
{
protected:
    LinkTiming::ScopedScale timing{0.01};
};

TEST_F(ConnectFailedDialog, RetryDoesWhatTheCountdownDoes)
{
    const struct
    {
        const char* name;
        int press; // the button pressed at once, 0 for none
        int result;
    } cases[] = {
        {"countdown runs out", 0, CDlgConnectFailed::kRetry},
        {"Retry", CDlgConnectFailed::kRetry, CDlgConnectFailed::kRetry},
        {"Cancel", CDlgConnectFailed::kGiveUp, CDlgConnectFailed::kGiveUp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDlgConnectFailed dialog(QLatin1Char('A'), ConnectFail::kBusy);
        EXPECT_EQ(dialog.FailureLine(), "is busy.");
        EXPECT_EQ(dialog.CountdownText(), "15");
        if (c.press)
            QTimer::singleShot(0, dialog.findChild<QPushButton*>(QString::number(c.press)), &QPushButton::click);
        EXPECT_EQ(dialog.exec(), c.result);
        if (!c.press) {
            EXPECT_EQ(dialog.Countdown(), 0);
        }
    }
}

TEST(ConnectFailedTexts, EachReasonHasItsText)
{
    EXPECT_EQ(CDlgConnectFailed::FailureText(ConnectFail::kBusy), "is busy.");
    EXPECT_EQ(CDlgConnectFailed::FailureText(ConnectFail::kNoAnswer), "-- No Answer");
    EXPECT_EQ(CDlgConnectFailed::FailureText(ConnectFail::kNoDialTone), "-- No Dial Tone");
    EXPECT_EQ(CDlgConnectFailed::FailureText(ConnectFail::kTimeOut), "-- Connection Timeout");
}

// Network A reached through a Hayes modem on the line.
class ModemForm : public FormFixture
{
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        if (HasFatalFailure())
            return;
        Modem = std::make_unique<CModem>();
        Profile::WriteString(QStringLiteral("Modem Lines"), QStringLiteral("Line0 Device"), line.SlavePath());
        Profile::WriteString(QStringLiteral("Modem Lines"), QStringLiteral("Line0 Name"), QStringLiteral("Modem 0"));
        Profile::WriteInt(QStringLiteral("Setup"), QStringLiteral("The number of the modem selected"), 0);
        line.EnableModem();
        SetNetwork(1, [](CSetVLNetworks& row) {
            row.m_ConnectUsing = LinkConnection::kModem;
            row.m_PhoneNo = QStringLiteral("5551234");
        });
        QObject::connect(form.get(), &CCommControlForm::dialogOpened, [this](QWidget* dialog) {
            if (auto* failed = qobject_cast<CDlgConnectFailed*>(dialog))
                failures << failed->FailureLine();
            if (auto* connecting = qobject_cast<CDlgConnecting*>(dialog))
                retryShown << connecting->RetryShown();
        });
    }

    QStringList failures;
    QList<bool> retryShown;
};

TEST_F(ModemForm, BusyLineShowsIsBusyAndRedials)
{
    line.ScriptDial({"BUSY"});
    line.ScriptDial({"CONNECT 38400"});
    form->OnOnOffLine();
    EXPECT_TRUE(form->IsConnected()) << boxes.Texts().join('|').toStdString();
    EXPECT_EQ(line.DialledNumbers().size(), 2);
    EXPECT_EQ(failures, QStringList("is busy."));
    EXPECT_EQ(retryShown, (QList<bool>{false, true})) << "the redial shows its retry count";
}

TEST_F(ModemForm, SecondCycleOfFiveBusySignalsGivesTheNetworkUp)
{
    for (int dial = 0; dial < 10; ++dial)
        line.ScriptDial({"BUSY"});
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    form->OnSelchangeNetwork();
    EXPECT_FALSE(form->IsConnected());
    EXPECT_EQ(line.DialledNumbers().size(), 10);
    EXPECT_EQ(failures.size(), 8) << "four redials a cycle";
    EXPECT_EQ(boxes.Texts(), QStringList("Failed to connect to network A after multiple retries."));
    EXPECT_EQ(NetConnectFailures[0], 0) << "the count starts again";
}

TEST_F(ModemForm, RedialAfterNoCarrierCountsDownItsWaitInTheTimeField)
{
    // Slow enough that the redial still has part of its 3 s to wait.
    LinkTiming::ScopedScale timing {0.5};
    line.ScriptDial({"NO CARRIER"});
    line.ScriptDial({"CONNECT 38400"});
    QStringList waits;
    QObject context;
    QObject::connect(form.get(), &CCommControlForm::dialogOpened, &context, [&](QWidget* dialog) {
        if (auto* failed = qobject_cast<CDlgConnectFailed*>(dialog)) {
            // Retry at once, well inside the spacing of the last dial.
            QTimer::singleShot(0, failed, [failed] { failed->done(CDlgConnectFailed::kRetry); });
            QObject::connect(form->Link(), &CCommLink::attemptStarted, &context, [&](CConnectAttempt* attempt) {
                QObject::connect(attempt, &CConnectAttempt::connectionTimeChanged, &context,
                                 [&](const QString& text) {
                                     if (!text.front().isDigit())
                                         waits << text;
                                 });
            });
        }
    });
    form->OnOnOffLine();
    EXPECT_TRUE(form->IsConnected()) << boxes.Texts().join('|').toStdString();
    EXPECT_EQ(failures, QStringList("-- No Answer"));
    ASSERT_FALSE(waits.isEmpty()) << "the redial did not wait";
    EXPECT_EQ(waits.last(), "Waiting before re-dialing...1");
    for (const QString& text : waits)
        EXPECT_TRUE(text.startsWith("Waiting before re-dialing...")) << text.toStdString();
}

TEST_F(ModemForm, FailedDialIsSaidToTheOperatorAndEndsATaskAttempt)
{
    line.SetModemSilent(true);
    boxes.Answer(IDOK);
    boxes.Answer(IDOK);
    boxes.Answer(IDCANCEL);
    bool cancelled = false;
    {
        QObject operatorThere;
        QObject::connect(form.get(), &CCommControlForm::dialogOpened, &operatorThere, [&](QWidget* dialog) {
            if (auto* connecting = qobject_cast<CDlgConnecting*>(dialog)) {
                QTimer::singleShot(LinkTiming::Ms(3000), connecting, [connecting, &cancelled] {
                    cancelled = true;
                    connecting->reject();
                });
            }
        });
        form->OnOnOffLine();
    }
    EXPECT_FALSE(form->IsConnected());
    EXPECT_EQ(boxes.Texts(), (QStringList {"Unable to configure the modem.", "Error dialing the net.",
                                           "An error has occurred while connecting to network A."}));
    EXPECT_TRUE(cancelled) << "the attempt waited for the operator";

    // Nobody is there to read it in a scheduled run: the attempt ends by itself.
    SetTaskMode(TaskMode::SetTime);
    QStringList lines;
    QObject context;
    QObject::connect(form->Link(), &CCommLink::connectLine, &context, [&](const QString& line) { lines << line; });
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    form->OnSelchangeNetwork();
    EXPECT_FALSE(form->IsConnected());
    EXPECT_FALSE(boxes.Texts().mid(3).contains("Error dialing the net.")) << boxes.Texts().join('|').toStdString();
    EXPECT_FALSE(lines.contains("Connection timeout.")) << lines.join('|').toStdString();
    EXPECT_TRUE(line.DialledNumbers().isEmpty());
}

TEST_F(FormFixture, ConnectingDialogListsTheAttemptAndCancelEndsIt)
{
    line.SetDead(true);
    QStringList shown;
    QObject context;
    QObject::connect(form.get(), &CCommControlForm::dialogOpened, &context, [&](QWidget* dialog) {
        auto* connecting = qobject_cast<CDlgConnecting*>(dialog);
        ASSERT_NE(connecting, nullptr);
        EXPECT_TRUE(connecting->windowTitle().startsWith("Connecting to [A] "));
        EXPECT_FALSE(connecting->RetryShown());
        QTimer::singleShot(LinkTiming::Ms(3000), connecting, [connecting, &shown] {
            shown = connecting->Lines();
            connecting->reject();
        });
    });
    form->OnOnOffLine();
    EXPECT_FALSE(form->IsConnected());
    EXPECT_EQ(shown.value(0), "COM1 opened.");
    EXPECT_TRUE(shown.contains("Polling network")) << shown.join('|').toStdString();
    EXPECT_EQ(ConnectCancelled, 1);
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(FormFixture, PortThatDoesNotOpenIsNamedInTheListBehindItsMessage)
{
    Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM1"), QStringLiteral("/nonexistent/ttyS9"));
    QPointer<CDlgConnecting> connecting;
    QObject context;
    QObject::connect(form.get(), &CCommControlForm::dialogOpened, &context, [&](QWidget* dialog) {
        if (auto* opened = qobject_cast<CDlgConnecting*>(dialog))
            connecting = opened;
    });
    // What the list shows while each message is up.
    QMap<QString, QStringList> listed;
    MessageBoxPresenter script;
    script = SetMessageBoxPresenter([&](const MessageBoxRequest& request) {
        listed[request.text] = connecting ? connecting->Lines() : QStringList{"no dialog"};
        return script(request);
    });
    boxes.Answer(IDOK);
    boxes.Answer(IDCANCEL);
    form->OnOnOffLine();
    SetMessageBoxPresenter(script);
    EXPECT_FALSE(form->IsConnected());
    const QString held = QStringLiteral("Error opening COM port\n\nYou may have to restart Wardenfold.");
    EXPECT_EQ(boxes.Texts(), (QStringList{held, "An error has occurred while connecting to network A."}));
    EXPECT_EQ(listed.value(held),
              QStringList{"COM1 (/nonexistent/ttyS9) could not be opened: No such file or directory."});
}

TEST_F(FormFixture, FailedUpdateNoticeNamesTheNetworkAndNode)
{
    CDlgPutFlashFailed notice(0x12);
    EXPECT_TRUE(notice.windowTitle().startsWith("Error updating database [A] "));
    EXPECT_TRUE(notice.windowTitle().endsWith("..."));
    EXPECT_EQ(notice.NodeText(), "2");
    CDlgPutFlashFailed unknown(0x72);
    EXPECT_EQ(unknown.windowTitle(), "Error updating database...");
}

// The set-network-time dialog on network A, with the form's link.
class SetNetTimeDialog : public FormFixture
{
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        if (HasFatalFailure())
            return;
        NetTaskResult.fill(0);
        NetTimeSetDone.fill(0);
        m_doc.m_netQueue.SetCurrentNetwork(1);
    }
    void TearDown() override
    {
        Clock::Install(nullptr);
        FormFixture::TearDown();
    }

    // Runs the dialog as the form does; one still open after the bound
    // fails the test instead of hanging it.
    int Run(CDlgSetNetTime& dialog, std::function<void()> whileOpen = {})
    {
        QTimer bound;
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, &dialog, [&] {
            ADD_FAILURE() << "the dialog did not end";
            dialog.done(-2);
        });
        bound.start(30000);
        if (whileOpen)
            QTimer::singleShot(0, &dialog, whileOpen);
        return dialog.exec();
    }
};

TEST_F(SetNetTimeDialog, DaylightSavingWithAnOffsetSendsLocalTimeLessAnHour)
{
    SetNetwork(1, [](CSetVLNetworks& row) {
        row.m_DaylightSavings = true;
        row.m_HoursOffset = -1;
    });
    // 10:30 UTC on a summer day is 12:30 in Berlin, daylight saving time.
    const FixedClock clock(QDateTime(QDate(2026, 7, 15), QTime(10, 30), QTimeZone::utc()),
                           QTimeZone("Europe/Berlin"));
    Clock::Install(&clock);
    CDlgSetNetTime dialog(m_doc.m_netQueue, *form->Link());
    ASSERT_TRUE(dialog.QueueSetTime());
    CNetCommand command;
    ASSERT_TRUE(m_doc.m_netQueue.GetNextRequest(command));
    EXPECT_EQ(command.m_kind, NetKind::TimeSetting);
    EXPECT_EQ(command.m_payload.left(2), QByteArray("\x81\xFF", 2));
    EXPECT_EQ(command.m_notifyWindow, &dialog);
    QByteArray frame;
    SentRequestRecord sent;
    ASSERT_EQ(BuildPacket(command, clock, frame, sent), PacketResult::Built);
    const auto at = [&](int i) { return static_cast<std::uint8_t>(frame[Frame::kPayloadOffset + i]); };
    EXPECT_EQ(at(1), 30) << "minute";
    EXPECT_EQ(at(2), 11) << "hour: 12:30 local, less one";
    EXPECT_EQ(at(3), 15);
    EXPECT_EQ(at(5), 7);
    EXPECT_EQ(at(6), 26);
}

TEST_F(SetNetTimeDialog, EveryAnswerClosesItAndMarksTheNetwork)
{
    const struct
    {
        const char* name;
        unsigned msg;
        int result;
    } cases[] = {
        {"ACK", Msg::Ack, kTaskNetPassed},
        {"NAK", Msg::Nak, kTaskNetFailed},
        {"given up", Msg::CommandDone, kTaskNetFailed},
        {"connection lost", Msg::ConnectFailed, kTaskNetFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NetTaskResult.fill(0);
        NetTimeSetDone.fill(0);
        CDlgSetNetTime dialog(m_doc.m_netQueue, *form->Link());
        ASSERT_TRUE(dialog.QueueSetTime());
        EXPECT_EQ(Run(dialog, [&] { PostAppMessage(&dialog, c.msg); }), 1);
        EXPECT_EQ(NetTaskResult[0], c.result);
        EXPECT_EQ(NetTimeSetDone[0], 1);
        EXPECT_EQ(NetTimeSetDone[1], 0);
        EXPECT_EQ(dialog.Acknowledged(), c.result == kTaskNetPassed ? 1 : 0);
        CNetCommand left;
        while (m_doc.m_netQueue.GetNextRequest(left)) {
        }
    }
}

TEST_F(SetNetTimeDialog, CancelMarksEveryNetwork)
{
    CDlgSetNetTime dialog(m_doc.m_netQueue, *form->Link());
    ASSERT_TRUE(dialog.QueueSetTime());
    auto* cancel = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
    EXPECT_EQ(Run(dialog, [cancel] { cancel->click(); }), 1);
    EXPECT_EQ(NetTimeSetDone, (NetworkIntTable{1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(NetTaskResult[0], 0) << "nobody answered";
}

TEST_F(SetNetTimeDialog, NetworkWithoutARowEndsAsAFailure)
{
    ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 3"));
    g_setVLNetworks.Delete();
    m_doc.m_netQueue.SetCurrentNetwork(3);
    CDlgSetNetTime dialog(m_doc.m_netQueue, *form->Link());
    EXPECT_FALSE(dialog.QueueSetTime());
    EXPECT_EQ(Run(dialog), 1);
    EXPECT_EQ(NetTaskResult[2], kTaskNetFailed);
    EXPECT_EQ(NetTimeSetDone[2], 1);
    CNetCommand nothing;
    EXPECT_FALSE(m_doc.m_netQueue.GetNextRequest(nothing));
}

// The panels acknowledge "Setting network time" from whichever node answers.
TEST_F(SetNetTimeDialog, AnAckFromAnyNodeClosesIt)
{
    for (std::uint8_t node : {2, 3}) {
        SCOPED_TRACE(node);
        std::atomic<bool> held = false;
        line.SetRequestHook([&](const QByteArray& request) {
            if (Frame::ByteAt(request, Frame::kCodeOffset) != NetKind::TimeSetting)
                return PanelLine::RequestAction::Answer;
            held = true;
            return PanelLine::RequestAction::Drop;
        });
        form->OnOnOffLine();
        ASSERT_TRUE(form->IsConnected()) << boxes.Texts().join('|').toStdString();
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (held.exchange(false))
                line.SendRaw(PanelSimulator::MakeReply(static_cast<std::uint8_t>(0x10 | node), Frame::kAck, {}));
        });
        answer.start(5);
        NetTaskResult.fill(0);
        NetTimeSetDone.fill(0);
        EXPECT_EQ(form->RunSetNetTimeDialog(), 1);
        EXPECT_EQ(NetTaskResult[0], kTaskNetPassed);
        EXPECT_EQ(NetTimeSetDone[0], 1);
        answer.stop();
        line.SetRequestHook({});
        form->Disconnect();
    }
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

} // namespace
