#include "app/CMainFrame.h"
#include "app/CWFDoc.h"
#include "cardholders/CIndividualDlg.h"
#include "cardholders/CRPUser.h"
#include "cardholders/CUserMediaTab.h"
#include "database/GlobalRecordsets.h"
#include "link/CNetCommandQueue.h"
#include "link/LinkConnection.h"
#include "link/LinkTiming.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "link/WireFrame.h"
#include "linkforms/CCommControlForm.h"
#include "linkforms/CDlgNetworkConnection.h"
#include "linkforms/CNewNodeWizard.h"
#include "linkforms/CRPNetworkStatusForm.h"
#include "linkforms/CWizardNewNode1.h"
#include "linkforms/CWizardNewNode2.h"
#include "linkforms/NodeButtons.h"
#include "platform/ControlRegistry.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/fixtures/SimulatedNetwork.h"
#include "tests/screens/ScreenTour.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {

using namespace NodeMenu;

constexpr int kNetA = 1;
constexpr int kWatchMs = 20;
// Far above what a dialog waits for in a test: only one that never ends is closed.
constexpr int kDialogBoundMs = 20000;

// The program's window on the demo, its controllers A1-A3 simulated on a
// pseudo-terminal at COM1, and nothing at all answering at A4-A8: a site
// whose other panels are not installed yet. The connect's pass polls every
// address, so it waits on each empty one.
class WindowDuringLink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ControlRegistry::SetLocation(QString::fromUtf8(TEST_CONTROL_REGISTRY));
        for (int node : {1, 2, 3})
            line.WithNode(node, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        for (int node = 4; node <= 8; ++node)
            line.SetNodeMode(node, PanelLine::NodeMode::Silent);
        ASSERT_TRUE(tour.Start());
        // The program's start makes its link objects; the tour does not.
        ReachPanelsOn(line);
    }
    void TearDown() override
    {
        if (Form() && Form()->IsConnected())
            Form()->Disconnect();
        CommPort.reset();
        ControlRegistry::SetLocation({});
    }

    CCommControlForm* Form() const { return qobject_cast<CCommControlForm*>(tour.Frame()->CommView()); }
    QWidget* RightView() const { return tour.Frame()->RightView(); }
    CRPNetworkStatusForm* StatusPane() const { return qobject_cast<CRPNetworkStatusForm*>(RightView()); }
    int PollCursor() { return tour.Document()->m_netQueue.GetPollCursor(); }
    // The connect's pass is past the empty addresses; later passes poll A1-A3 only.
    bool PassIsOver() { return PollCursor() < 4; }

    // Link logins the panels have had: one for each connect.
    int Logins() const
    {
        int logins = 0;
        for (const PanelLine::Traffic& traffic : line.TrafficLog()) {
            const QByteArray& frame = traffic.frame;
            logins += traffic.fromProgram && Frame::ByteAt(frame, Frame::kAddressOffset) == 0x11
                && (Frame::ByteAt(frame, Frame::kCodeOffset) & 0x7F) == NetKind::LinkLogin;
        }
        return logins;
    }

    // Goes on line and waits until the connect's pass polls the empty addresses.
    void ConnectIntoThePass()
    {
        Form()->findChild<QAbstractButton*>(QString::number(CCommControlForm::IdOnOffLine))->click();
        ASSERT_TRUE(Form()->IsConnected()) << NetRunResults::ReasonLine(kNetA).toStdString();
        ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return PollCursor() >= 4; }));
    }

    // The status pane shown, then on line until the pass polls the empty addresses.
    CRPNetworkStatusForm* StatusPaneInThePass()
    {
        tour.Frame()->ShowNetworkStatusPanes();
        ScreenTour::Settle();
        ConnectIntoThePass();
        return HasFatalFailure() ? nullptr : StatusPane();
    }

    // Runs then once, as soon as until holds, from whatever event loop runs:
    // the nested one of an open menu or dialog too.
    static void When(QObject* context, std::function<bool()> until, std::function<void()> then)
    {
        auto* timer = new QTimer(context);
        QObject::connect(timer, &QTimer::timeout, context, [timer, until = std::move(until), then = std::move(then)] {
            if (!until())
                return;
            timer->stop();
            then();
        });
        timer->start(kWatchMs);
    }

    // The names page filled and Next pressed; Finish once the panel has
    // answered and the pass running when the wizard opened, or the one that
    // starts next, has polled the empty addresses and ended.
    void FinishAfterThePass(CNewNodeWizard& wizard, int& finishedAfterAPass)
    {
        const auto field = [&wizard](int id) { return wizard.NamesPage().findChild<QLineEdit*>(QString::number(id)); };
        field(CWizardNewNode1::IdControllerName)->setText("Loading dock");
        field(CWizardNewNode1::IdChannelA)->setText("Dock door");
        field(CWizardNewNode1::IdChannelC)->clear();
        wizard.show();
        wizard.next();
        // A wizard that cannot finish is closed, so that the test ends.
        QTimer::singleShot(kDialogBoundMs, &wizard, &QDialog::reject);
        auto passOver = std::make_shared<bool>(false);
        When(
            &wizard, [this] { return PollCursor() >= 4; },
            [this, &wizard, passOver] { When(&wizard, [this] { return PassIsOver(); }, [passOver] { *passOver = true; }); });
        When(
            &wizard, [&wizard, passOver] { return *passOver && wizard.button(QWizard::FinishButton)->isEnabled(); },
            [&wizard, &finishedAfterAPass] {
                ++finishedAfterAPass;
                wizard.button(QWizard::FinishButton)->click();
            });
    }

    TestEnvironment env;
    MessageBoxScript boxes;
    // Slow enough that the answering panels are never taken for silent ones
    // on a loaded machine: a reconnect would show the status pane again.
    LinkTiming::ScopedScale timing{0.1};
    PanelLine line{kNetA, {1, 2, 3}};
    ScreenTour tour;
};

// The status pane's node menu stays open through the pass, then does what
// the operator picks in it.
TEST_F(WindowDuringLink, NodeMenuHeldOpenThroughThePassThenOpensNodeSetup)
{
    QPointer<CRPNetworkStatusForm> pane = StatusPaneInThePass();
    ASSERT_TRUE(pane);
    bool openAtTheEnd = false;
    pane->trackPopup = [&](QMenu& menu, const QPoint& at) -> unsigned {
        When(
            &menu, [&] { return PassIsOver(); },
            [&] {
                openAtTheEnd = menu.isVisible();
                for (QAction* action : menu.actions()) {
                    if (action->data().toUInt() == kNodeSetup)
                        menu.setActiveAction(action);
                }
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QCoreApplication::sendEvent(&menu, &enter);
            });
        const QAction* chosen = menu.exec(at);
        return chosen ? chosen->data().toUInt() : 0;
    };
    pane->NodeButton(kNetA, 1)->click();
    EXPECT_TRUE(openAtTheEnd);
    EXPECT_EQ(RightView()->objectName(), "CSingleVLSettingForm");
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(WindowDuringLink, NetworkDialogHeldOpenThroughThePassThenTakesItsAnswer)
{
    QPointer<CRPNetworkStatusForm> pane = StatusPaneInThePass();
    ASSERT_TRUE(pane);
    bool openAtTheEnd = false;
    pane->runNetworkDialog = [&](CDlgNetworkConnection& dialog) {
        When(
            &dialog, [&] { return PassIsOver(); },
            [&] {
                openAtTheEnd = dialog.isVisible();
                dialog.accept();
            });
        return dialog.exec() == QDialog::Accepted;
    };
    pane->NetworkButton(kNetA)->click();
    EXPECT_TRUE(openAtTheEnd);
    ScreenTour::Settle();
    EXPECT_EQ(StatusPane(), pane.data()) << "the pane the operator was in stays";
}

// A new site installs its panels one after the other: the first wizard is
// open through the connect's pass, the second through the pass that Finish
// of the first starts, each over the empty addresses A6-A8.
TEST_F(WindowDuringLink, PanelsNotYetInstalledInstallOneAfterTheOtherThroughThePasses)
{
    for (int node : {4, 5})
        WirePanel(line, node);
    QPointer<CRPNetworkStatusForm> pane = StatusPaneInThePass();
    ASSERT_TRUE(pane);
    const CNetCommandQueue& queue = tour.Document()->m_netQueue;
    // A panel is offered for installing once it has answered a poll.
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return queue.HasNode(kNetA, 4) && queue.HasNode(kNetA, 5); }));
    ASSERT_FALSE(PassIsOver()) << "A6-A8 are still to be polled";
    pane->trackPopup = [](QMenu&, const QPoint&) { return kInstallPanel; };
    int finishedAfterAPass = 0;
    pane->runInstallWizard = [&](CNewNodeWizard& wizard) {
        FinishAfterThePass(wizard, finishedAfterAPass);
        return wizard.exec() == QDialog::Accepted;
    };
    pane->NodeButton(kNetA, 4)->click();
    ASSERT_TRUE(pane);
    pane->NodeButton(kNetA, 5)->click();
    EXPECT_EQ(finishedAfterAPass, 2);
    for (int node : {4, 5}) {
        SCOPED_TRACE(node);
        EXPECT_TRUE(g_setVestrels.FindByAddress(kNetA, node));
        EXPECT_TRUE(queue.IsConfigured(kNetA, node));
    }
    EXPECT_EQ(StatusPane(), pane.data());
}

// The first silent address of a pass shows the status pane; a form the
// operator opens after that stays for the rest of the pass.
TEST_F(WindowDuringLink, PanesSwitchOnceInAPassAndAFormOpenedAfterStays)
{
    ASSERT_TRUE(tour.CardholderForm(QStringLiteral("Office Staff"), 1));
    ConnectIntoThePass();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return StatusPane() != nullptr; }));
    ASSERT_FALSE(PassIsOver()) << "A5-A8 are still to be polled";
    QPointer<CRPUser> form = tour.CardholderForm(QStringLiteral("Office Staff"), 1);
    ASSERT_TRUE(form);
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return PassIsOver(); }));
    ScreenTour::Settle();
    EXPECT_EQ(RightView(), form.data());
}

// A controller falls silent while the cardholder form's new-card dialog is
// open: the reconnect shows the status pane once the dialog has closed, not
// under it, and the dialog still takes its answer.
TEST_F(WindowDuringLink, NewCardDialogOpenThroughAReconnectStillTakesItsAnswer)
{
    ConnectIntoThePass();
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return PassIsOver(); }));
    QPointer<CRPUser> form = tour.CardholderForm(QStringLiteral("Office Staff"), 1);
    ASSERT_TRUE(form);
    const int logins = Logins();
    bool reconnectedUnderIt = false;
    QObject watch;
    // A dialog still open past the bound is closed, so that the test ends.
    QTimer::singleShot(kDialogBoundMs, &watch, [] {
        if (QWidget* open = QApplication::activeModalWidget())
            open->close();
    });
    When(
        &watch, [] { return qobject_cast<CIndividualDlg*>(QApplication::activeModalWidget()) != nullptr; },
        [&] {
            QPointer<QWidget> dialog = QApplication::activeModalWidget();
            line.SetNodeMode(2, PanelLine::NodeMode::Silent);
            When(
                &watch, [&] { return Logins() > logins && Form()->IsConnected(); },
                [&, dialog] {
                    reconnectedUnderIt = dialog && dialog->isVisible() && RightView() == form.data();
                    if (dialog)
                        QMetaObject::invokeMethod(dialog, "reject");
                });
        });
    form->CardsPage()->AssignNewIndividualButton()->click();
    EXPECT_TRUE(reconnectedUnderIt);
    EXPECT_TRUE(LinkMessageRecorder::WaitUntil([&] { return StatusPane() != nullptr; }))
        << "the reconnect's status pane, once the dialog is closed";
}

} // namespace
