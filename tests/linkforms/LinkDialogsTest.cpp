#include "tests/linkforms/FormFixture.h"

#include "linkforms/CDlgConnectFailed.h"
#include "linkforms/CDlgConnecting.h"
#include "linkforms/CDlgPutFlashFailed.h"

#include <QPushButton>
#include <QTimer>

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
        if (!c.press)
            EXPECT_EQ(dialog.Countdown(), 0);
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

TEST_F(FormFixture, FailedUpdateNoticeNamesTheNetworkAndNode)
{
    CDlgPutFlashFailed notice(0x12);
    EXPECT_TRUE(notice.windowTitle().startsWith("Error updating database [A] "));
    EXPECT_TRUE(notice.windowTitle().endsWith("..."));
    EXPECT_EQ(notice.NodeText(), "2");
    CDlgPutFlashFailed unknown(0x72);
    EXPECT_EQ(unknown.windowTitle(), "Error updating database...");
}

} // namespace
