#include "app/AppObjects.h"
#include "app/CDlgDstPleaseConnect.h"
#include "app/CDlgDstTimeSent.h"
#include "app/CMainFrame.h"
#include "app/CRPNavigationHelp.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/DatabaseCompaction.h"
#include "app/DstChangeNotice.h"
#include "app/InstallationTemplate.h"
#include "app/RunState.h"
#include "app/ShellHooks.h"
#include "app/TaskSchedulerLog.h"
#include "app/TaskState.h"
#include "app/ViewCommands.h"
#include "common/CommandIds.h"
#include "database/GlobalRecordsets.h"
#include "link/LinkState.h"
#include "link/NetCommandKinds.h"
#include "linkforms/CCommControlForm.h"
#include "linkforms/LinkViews.h"
#include "platform/Clock.h"
#include "platform/LockKeys.h"
#include "platform/PrivateProfile.h"
#include "platform/Profile.h"
#include "platform/WindowMessages.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/StandInViews.h"
#include "tests/support/TestEnvironment.h"

#include <QAction>
#include <QKeyEvent>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kDemoName = QStringLiteral("Acme Manufacturing(DEMO)");
// The name the demo's installation file gives it.
const QString kDemoTitle = QStringLiteral("Acme Manufacturing");

// A fresh program folder and profile: the first start makes the demo installation.
class ShellFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterLinkViews();
        RegisterStandInViews();
    }
    void TearDown() override
    {
        Hooks() = ShellHooks{};
        SetTaskMode(TaskMode::None);
        QueueBeingCreated = 0;
        HasControllers = 0;
    }

    QString InstallationPath(const QString& name) const
    {
        return env.ProgramFolderPath() + QStringLiteral("/Installations/%1/%1.wfi").arg(name);
    }

    // A later start whose most recent installation is the given file.
    void StartedBefore(const QString& recent)
    {
        Profile::WriteInt("Setup", "First launch of Wardix", 0);
        Profile::WriteString("Recent File List", "File1", recent);
    }
    // A complete installation outside the Installations folder.
    QString MakeInstallationElsewhere()
    {
        return InstallationTemplate::EnsureDemoInstallation(env.Path("elsewhere"));
    }

    TestEnvironment env;
};

class MainFrameTest : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_TRUE(app.InitInstance({}));
        frame = app.MainFrame();
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        app.ExitInstance();
        ShellFixture::TearDown();
    }
    QString Left() const { return frame->UpperLeftView()->objectName(); }
    QString Right() const { return frame->RightView()->objectName(); }
    void Send(unsigned command) { SendAppMessage(frame, Msg::WM_COMMAND, command); }

    MessageBoxScript boxes;
    CWFApp app;
    CMainFrame* frame = nullptr;
};

TEST_F(MainFrameTest, StartsOnTheDemoInstallationWithItsPanes)
{
    // Nothing was saved yet: the window shows normal at its first size.
    EXPECT_TRUE(Profile::GetString("Settings", "WindowPos").isEmpty());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->size(), QSize(1024, 720));
    EXPECT_TRUE(app.IsInitialised());
    EXPECT_EQ(app.Document()->m_strInstallationName, kDemoTitle);
    // The demo has controllers: the cardholders view comes first.
    EXPECT_EQ(HasControllers, 1);
    EXPECT_EQ(Left(), "CMenuUsers");
    EXPECT_EQ(Right(), "CRPBlankPane");
    EXPECT_EQ(frame->windowTitle(), kDemoTitle + " - Cardholder Set - Wardix");
    EXPECT_NE(dynamic_cast<CCommControlForm*>(frame->CommView()), nullptr);
    EXPECT_EQ(TaskTargetWindow, frame->CommView());
    EXPECT_EQ(LinkReady, 1);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(MainFrameTest, ViewCommandsReplaceThePanesAsTheTableSays)
{
    const struct
    {
        unsigned command;
        const char* left;
        const char* right;
        const char* caption;
    } cases[] = {
        {CommandId::NavigationView, "CRPBlankPane", "CRPNavigationHelp", "Navigation Help"},
        {CommandId::NetworkView, "CMainMenu", "CRPNetworkStatusForm", "Network Settings"},
        {CommandId::MonitorView, "CMenuMonitorDlg", "CMonitorForm", "Monitor and Control"},
        {CommandId::CredentialsView, "CMenuMedias", "CRPBlankPane", "Credentials"},
        {CommandId::CardholdersView, "CMenuUsers", "CRPBlankPane", "Cardholder Set"},
        {CommandId::EventLogReport, "CMenuEventLog", "CRPBlankPane", "Event Log Report"},
        {CommandId::PrintReports, "CMenuReports", "CRPBlankPane", "Reports"},
        {CommandId::GlobalSettings, "CMainMenu", "CNetworkSettingDlg", "Global Network Settings"},
        {CommandId::TimeAndCalendar, "CMainMenu", "CNetworkSettingDlg", "Global Network Settings"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        QPointer<QWidget> oldRight = frame->RightView();
        Send(c.command);
        EXPECT_EQ(Left(), c.left);
        EXPECT_EQ(Right(), c.right);
        EXPECT_TRUE(oldRight.isNull() || oldRight->isHidden());
        EXPECT_EQ(frame->windowTitle(), kDemoTitle + " - " + c.caption + " - Wardix");
        EXPECT_TRUE(frame->Action(c.command)->isChecked());
        for (unsigned other : {CommandId::NavigationView, CommandId::NetworkView, CommandId::CardholdersView})
            EXPECT_EQ(frame->Action(other)->isChecked(), other == c.command);
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(MainFrameTest, PaneSwitchesKeepTheSplitterSizes)
{
    QApplication::processEvents();
    QSplitter* outer = frame->findChild<QSplitter*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(outer, nullptr);
    auto* inner = qobject_cast<QSplitter*>(outer->widget(0));
    ASSERT_NE(inner, nullptr);
    outer->setSizes({240, outer->width() - 240});
    inner->setSizes({300, inner->height() - 300});
    const QList<int> outerSizes = outer->sizes();
    const QList<int> innerSizes = inner->sizes();
    ASSERT_GT(outerSizes[1], 0);

    const auto expectKept = [&] {
        EXPECT_EQ(outer->sizes(), outerSizes);
        EXPECT_EQ(inner->sizes(), innerSizes);
        EXPECT_FALSE(frame->RightView()->isHidden());
    };
    for (unsigned command : {CommandId::NetworkView, CommandId::MonitorView, CommandId::CardholdersView,
                             CommandId::GlobalSettings, CommandId::NavigationView}) {
        SCOPED_TRACE(command);
        Send(command);
        expectKept();
    }
    // A node is suspended while its network status is shown: the status panes come again.
    Send(CommandId::NetworkView);
    frame->ReplaceLeftView(QStringLiteral("CRPBlankPane"));
    frame->ReplaceRightView(PaneKind::NetworkSettings, QStringLiteral("CRPNetworkStatusForm"));
    frame->ReplaceRightView(PaneKind::NetworkSettings, QStringLiteral("CRPNetworkStatusForm"));
    EXPECT_EQ(Right(), "CRPNetworkStatusForm");
    expectKept();
}

TEST_F(MainFrameTest, ToolbarButtonsKeepTheirPlacesAndIconsAreDrawnAtTheirSize)
{
    QApplication::processEvents();
    const QList<QToolButton*> buttons = frame->ToolBar()->findChildren<QToolButton*>(QRegularExpression("^ToolButton"));
    ASSERT_EQ(buttons.size(), 10);
    QList<QRect> places;
    QStringList texts;
    for (const QToolButton* button : buttons) {
        places << button->geometry();
        texts << button->text();
        EXPECT_EQ(button->icon().actualSize(button->iconSize()), button->iconSize()) << button->text().toStdString();
    }
    EXPECT_EQ(texts, (QStringList{"Navigation", "Cardholders", "Monitor", "Reports", "Setup", "Backup", "Set Time",
                                  "Clear Violated", "Reset", "Priority Access"}));
    for (unsigned command : {CommandId::MonitorView, CommandId::CardholdersView, CommandId::NavigationView}) {
        SCOPED_TRACE(command);
        Send(command);
        QApplication::processEvents();
        for (int i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i]->text(), texts[i]);
            EXPECT_EQ(buttons[i]->geometry(), places[i]);
        }
    }
}

TEST_F(MainFrameTest, NonAdministratorLosesTheToolbarOnTheCardholderView)
{
    frame->SetAdministrator(0);
    auto* comm = dynamic_cast<CCommControlForm*>(frame->CommView());
    ASSERT_NE(comm, nullptr);
    const QWidget* controls = comm->findChild<QWidget*>(QString::number(CCommControlForm::IdOnOffLine));
    Send(CommandId::CardholdersView);
    EXPECT_TRUE(frame->ToolBar()->isHidden());
    ASSERT_NE(controls, nullptr);
    EXPECT_TRUE(controls->isHidden());
    Send(CommandId::NavigationView);
    EXPECT_FALSE(frame->ToolBar()->isHidden());
    EXPECT_FALSE(controls->isHidden());

    frame->SetAdministrator(1);
    Send(CommandId::CardholdersView);
    EXPECT_FALSE(frame->ToolBar()->isHidden());
}

TEST_F(MainFrameTest, CloseIsRefusedWhileTheProgrammingRunWorks)
{
    // The run's progress dialogs let waiting messages through: a close among them is refused.
    PostAppMessage(frame, Msg::WM_CLOSE);
    ASSERT_EQ(app.Document()->PrepareNetworkProgramming(0, 0), 1);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(boxes.Texts(), QStringList("You cannot close Wardenfold while the network queue is being created."));
    EXPECT_EQ(QueueBeingCreated, 0);
    EXPECT_TRUE(frame->close()) << "once the run is over the window closes";
}

TEST_F(MainFrameTest, BusyQueueAsksAndOnlyYesRequestsTheStop)
{
    int stopRequests = 0;
    Hooks().queueBusy = [] { return true; };
    Hooks().requestStopAndClose = [&stopRequests] { ++stopRequests; };
    boxes.Answer(IDNO);
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(stopRequests, 0);
    boxes.Answer(IDYES);
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(stopRequests, 1);
    ASSERT_EQ(boxes.Shown().size(), 2);
    EXPECT_TRUE(boxes.Shown()[1].text.startsWith("Controller's database is being updated."));
    // The form closes the window after the next reply: that close goes through.
    frame->close();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(boxes.Shown().size(), 2);
}

TEST_F(MainFrameTest, QueueWorkDisablesFileNewBackupAndSetTime)
{
    bool busy = false;
    Hooks().queueBusy = [&busy] { return busy; };
    Hooks().commands[CommandId::FileNew] = [] {};
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->Action(CommandId::FileNew)->isEnabled());
    EXPECT_TRUE(frame->Action(CommandId::BackupRestoreMenu)->isEnabled());
    busy = true;
    frame->UpdateCommandUI();
    for (unsigned id : {CommandId::FileNew, CommandId::BackupRestoreMenu, CommandId::SetInstallationTime})
        EXPECT_FALSE(frame->Action(id)->isEnabled()) << id;
    // Commands nothing handles yet stay disabled.
    EXPECT_FALSE(frame->Action(CommandId::UnhandledToolbarButton)->isEnabled());
    EXPECT_FALSE(frame->Action(CommandId::PriorityAccess)->isEnabled());
}

TEST_F(MainFrameTest, ClockShowsTheTimeOfTheInstalledClock)
{
    FixedClock clock(QDateTime(QDate(2026, 1, 5), QTime(9, 5), QTimeZone::utc()));
    Clock::Install(&clock);
    frame->UpdateClock();
    Clock::Install(nullptr);
    EXPECT_EQ(frame->ClockPaneText(), " 9:05  AM ");
}

TEST_F(MainFrameTest, LockIndicatorsStandBeforeTheClockAndShowWhileOn)
{
    const auto pane = [this](const char* name) { return frame->statusBar()->findChild<QLabel*>(name); };
    QLabel* caps = pane("CAP");
    QLabel* num = pane("NUM");
    QLabel* scroll = pane("SCRL");
    QLabel* clock = pane("Clock");
    ASSERT_TRUE(caps && num && scroll && clock);
    EXPECT_LT(caps->geometry().right(), num->geometry().left());
    EXPECT_LT(num->geometry().right(), scroll->geometry().left());
    EXPECT_LT(scroll->geometry().right(), clock->geometry().left());

    const struct
    {
        std::optional<LockKeyStates> states;
        const char* caps;
        const char* num;
        const char* scroll;
    } cases[] = {
        {LockKeyStates{true, false, true}, "CAP", "", "SCRL"},
        {LockKeyStates{false, true, false}, "", "NUM", ""},
        // A windowing system that reports nothing leaves every indicator blank.
        {std::nullopt, "", "", ""},
    };
    for (const auto& c : cases) {
        SetLockKeySource([&c] { return c.states; });
        frame->UpdateCommandUI();
        EXPECT_EQ(caps->text(), c.caps);
        EXPECT_EQ(num->text(), c.num);
        EXPECT_EQ(scroll->text(), c.scroll);
    }
    // Pressing a lock key in any widget shows its new state at once.
    SetLockKeySource([] { return std::optional<LockKeyStates>(LockKeyStates{true, false, false}); });
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_CapsLock, Qt::NoModifier);
    QApplication::sendEvent(frame->statusBar(), &release);
    EXPECT_EQ(caps->text(), "CAP");
    SetLockKeySource({});
}

TEST_F(MainFrameTest, PromptsGoToTheStatusBarAndEveryToolbarButtonHasATooltip)
{
    QAction* priority = frame->Action(CommandId::PriorityAccess);
    EXPECT_EQ(priority->statusTip(), "Trigger all priority access relays in this installation");
    priority->showStatusText(frame);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Trigger all priority access relays in this installation");

    const QList<QToolButton*> buttons = frame->ToolBar()->findChildren<QToolButton*>(
        QRegularExpression("^ToolButton"));
    EXPECT_EQ(buttons.size(), 10);
    for (const QToolButton* button : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_FALSE(button->toolTip().contains('\n'));
    }
    const auto* priorityButton = frame->ToolBar()->findChild<QToolButton*>("ToolButton32882");
    ASSERT_NE(priorityButton, nullptr);
    EXPECT_EQ(priorityButton->toolTip(), "Priority Access");
    EXPECT_EQ(priorityButton->statusTip(), "Trigger all priority access relays in this installation");
}

TEST_F(MainFrameTest, SetupMenuListsItsCommandsWithTheirKeys)
{
    QMenu* setup = nullptr;
    for (QAction* a : frame->menuBar()->actions()) {
        if (a->text() == "&Setup")
            setup = a->menu();
    }
    ASSERT_NE(setup, nullptr);
    QStringList items;
    for (const QAction* a : setup->actions())
        items << a->text() + '\t' + a->shortcut().toString();
    EXPECT_EQ(items, QStringList({"&Global  network settings\tF7", "&Credentials\tF4", "&Network\tF2",
                                  "&Wardenfold\t", "&Printer\t"}));
}

TEST_F(MainFrameTest, NavigationHelpClickRunsTheAreaPressedAndReleasedOnIt)
{
    Send(CommandId::NavigationView);
    auto* help = dynamic_cast<CRPNavigationHelp*>(frame->RightView());
    ASSERT_NE(help, nullptr);
    // Dialog units (50, 80) lie in the cardholders area.
    const QPointF at = help->ToPixels(QRect(50, 80, 2, 2)).center();
    ASSERT_EQ(help->ToDialogUnits(at.toPoint()), QPoint(50, 80));
    const auto click = [help](QEvent::Type type, const QPointF& p) {
        QMouseEvent e(type, p, help->mapToGlobal(p), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(help, &e);
    };
    click(QEvent::MouseButtonRelease, at);
    EXPECT_EQ(Left(), "CRPBlankPane");
    click(QEvent::MouseButtonPress, at);
    click(QEvent::MouseButtonRelease, at);
    EXPECT_EQ(Left(), "CMenuUsers");
}

TEST_F(MainFrameTest, TestModeAndBackupWarningToggleWithTheirMessages)
{
    Send(CommandId::TestModeToggle);
    EXPECT_EQ(TestMode, 1);
    Send(CommandId::TestModeToggle);
    EXPECT_EQ(TestMode, 0);
    const int warning = app.GetBackupWarning();
    Send(CommandId::BackupWarningToggle);
    EXPECT_NE(app.GetBackupWarning(), warning);
    EXPECT_EQ(boxes.Texts(), (QStringList{"Test Mode enabled.", "Test Mode disabled.",
                                          warning == 1 ? "Disable backup warning." : "Enable backup warning."}));
}

TEST_F(MainFrameTest, RecentFileIsRefusedWhileTheNetworkIsProgrammed)
{
    Hooks().queueBusy = [] { return true; };
    ASSERT_FALSE(app.RecentFiles().isEmpty());
    const QString open = app.Document()->GetPathName();
    EXPECT_FALSE(app.OnOpenRecentFile(CommandId::FileMruFirst));
    EXPECT_EQ(app.Document()->GetPathName(), open);
    EXPECT_EQ(boxes.Texts(), QStringList("You cannot open another installation file while the network is being programmed."));
}

TEST_F(MainFrameTest, WindowPlacementIsSavedAtCloseAndReadBackOnScreen)
{
    frame->ShowDataToProgramIcon();
    EXPECT_TRUE(frame->HasDataToProgramIcon());
    frame->setGeometry(40, 30, 700, 500);
    ASSERT_TRUE(frame->close());
    EXPECT_FALSE(frame->HasDataToProgramIcon());
    const auto placement = frame->LoadWindowPlacement();
    ASSERT_TRUE(placement);
    EXPECT_EQ(placement->normal.size(), QSize(700, 500));
    Profile::WriteString("Settings", "WindowPos", "0,1,-1,-1");
    EXPECT_FALSE(frame->LoadWindowPlacement());
}

TEST_F(ShellFixture, SecondInteractiveStartIsRefused)
{
    MessageBoxScript boxes;
    CWFApp first;
    ASSERT_TRUE(first.InitInstance({}));
    {
        CWFApp second;
        EXPECT_FALSE(second.InitInstance({}));
        second.ExitInstance();
    }
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, "An instance of Wardenfold is already running.");
    EXPECT_EQ(boxes.Shown()[0].title, "Wardenfold Error");
    EXPECT_TRUE(first.MainFrame()->isVisible());
    first.ExitInstance();
}

TEST_F(ShellFixture, ScheduledBackupStepsClosesAndLogsTruthfully)
{
    MessageBoxScript boxes;
    CWFApp app;
    ASSERT_TRUE(app.InitInstance({"\\BM"}));
    EXPECT_TRUE(app.MainFrame()->isMinimized());
    EXPECT_EQ(app.MainFrame()->RightView()->objectName(), "CRPNavigationHelp");
    for (int i = 0; i < 100 && app.MainFrame()->isVisible(); ++i) {
        app.OnIdle();
        QCoreApplication::sendPostedEvents();
    }
    EXPECT_FALSE(app.MainFrame()->isVisible());
    EXPECT_EQ(TaskStepBackup, kStepDone);
    app.ExitInstance();

    QFile log(TaskSchedulerLog::FilePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(log.readAll());
    EXPECT_TRUE(text.startsWith("Task Scheduler Log for Wardenfold\r\n\r\n"));
    EXPECT_TRUE(text.contains(" Start-auto backup for " + kDemoTitle + "\r\nAuto-backup passed.\r\n"));
    EXPECT_TRUE(text.contains(" End auto-backup for " + kDemoTitle));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(ShellFixture, BadParameterShowsTheUsage)
{
    MessageBoxScript boxes;
    CWFApp app;
    EXPECT_FALSE(app.InitInstance({"\\AX"}));
    app.ExitInstance();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_TRUE(boxes.Shown()[0].text.startsWith("INVALID COMMAND LINE ARGUMENT IN TASK SHCHEDULER"));
}

TEST_F(ShellFixture, MissingRecentInstallationGoesToOpenAnInstallation)
{
    StartedBefore(InstallationPath("Gone"));
    const QString other = MakeInstallationElsewhere();
    ASSERT_FALSE(other.isEmpty());
    MessageBoxScript boxes;
    int dialogs = 0;
    Hooks().openInstallationDialog = [&] {
        ++dialogs;
        return other;
    };
    CWFApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(app.Document()->GetPathName(), QFileInfo(other).absoluteFilePath());
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_TRUE(boxes.Shown()[0].text.startsWith("Wardenfold cannot locate "));
    app.ExitInstance();
    // The installation opened becomes the most recent one.
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), QFileInfo(other).absoluteFilePath());
}

TEST_F(ShellFixture, WithoutTheOpenDialogAMissingInstallationEndsAsACancelledChoiceWould)
{
    StartedBefore(InstallationPath("Gone"));
    MessageBoxScript boxes;
    CWFApp app;
    EXPECT_FALSE(app.InitInstance({}));
    EXPECT_TRUE(app.Document()->GetPathName().isEmpty());
    app.ExitInstance();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_TRUE(boxes.Shown()[0].text.startsWith("Wardenfold cannot locate "));
}

TEST_F(ShellFixture, OldInstallationIsRefusedAndNothingIsSaved)
{
    const QString demo = InstallationTemplate::EnsureDemoInstallation(env.ProgramFolderPath() + "/Installations");
    ASSERT_EQ(demo, InstallationPath(kDemoName));
    PrivateProfile::DeleteSection("Version", demo);
    MessageBoxScript boxes;
    CWFApp app;
    EXPECT_FALSE(app.InitInstance({}));
    app.ExitInstance();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_TRUE(boxes.Shown()[0].text.startsWith(
        "The installation you are trying to open was created with a version of Wardenfold prior to Wardix."));
    EXPECT_EQ(SkipProfileSave, 1);
    EXPECT_EQ(Profile::GetInt("Setup", "First launch of Wardix", 1), 1);
    SkipProfileSave = 0;
}

TEST_F(ShellFixture, VersionIsReadInTheCLocaleAndOneXIsRewritten)
{
    const QString path = env.Path("Versions.wfi");
    const struct
    {
        const char* stored;
        double read;
        const char* after;
    } cases[] = {{"1.5", 1.5, "2.00"}, {" 2.10abc", 2.1, " 2.10abc"}, {"1,5", 1.0, "2.00"}, {"x", 0.0, "x"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        PrivateProfile::WriteString("Version", "Installation Version", QString::fromLatin1(c.stored), path);
        EXPECT_DOUBLE_EQ(CWFApp::ReadInstallationVersion(path), c.read);
        EXPECT_EQ(PrivateProfile::GetString("Version", "Installation Version", "", path), QString::fromLatin1(c.after));
    }
}

} // namespace

namespace {

TEST_F(ShellFixture, DaylightSavingChangeQueuesTheTimeAndTellsTheOperator)
{
    const QString demo = InstallationTemplate::EnsureDemoInstallation(env.ProgramFolderPath() + "/Installations");
    QFile file(demo);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 1, 10), QTime(12, 0), QTimeZone::utc()),
                                 QFileDevice::FileModificationTime));
    file.close();
    FixedClock clock(QDateTime(QDate(2026, 7, 10), QTime(12, 0), QTimeZone::utc()), QTimeZone("Europe/Berlin"));
    Clock::Install(&clock);
    const struct Restore
    {
        ~Restore() { Clock::Install(nullptr); }
    } restoreClock;

    MessageBoxScript boxes;
    CWFApp app;
    ASSERT_TRUE(app.InitInstance({}));
    // The demo's one active network is network 1; its time setting goes to all its nodes.
    CNetQueueNode* master = app.Document()->m_netQueue.GetNode(1, 1);
    ASSERT_NE(master, nullptr);
    ASSERT_EQ(master->PendingCount(), 1u);
    EXPECT_EQ(boxes.Texts(), QStringList("Daylight Saving Time has changed since the last time the application was run."
                                         "\n\rUpdated date and time will be sent to the networks automatically after the"
                                         "\n\rnetworks are connected. Please connect to the networks."));

    // The clock tick sees no further change until the state flips again.
    app.MainFrame()->UpdateClock();
    EXPECT_EQ(master->PendingCount(), 1u);
    clock.Set(QDateTime(QDate(2026, 11, 10), QTime(12, 0), QTimeZone::utc()));
    app.MainFrame()->UpdateClock();
    EXPECT_EQ(master->PendingCount(), 2u);
    EXPECT_EQ(boxes.Texts().size(), 1);
    CDlgDstPleaseConnect* notice = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<CDlgDstPleaseConnect*>(w); d && d->isVisible())
            notice = d;
    }
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isModal());
    EXPECT_EQ(notice->windowTitle(), "DST Changed, please connect");
    EXPECT_EQ(notice->Lines(),
              (QStringList{"The application has detected Daylight Saving Time change in your installation.",
                           "Updated date and time will be sent to the networks automatically after the",
                           "networks are connected. Please connect to the networks."}));

    CNetCommand command;
    ASSERT_TRUE(master->TakeNextPending(command));
    EXPECT_EQ(command.m_kind, NetKind::TimeSetting);
    EXPECT_EQ(command.m_frameAddress, 0x1F);
    ASSERT_GE(command.m_payload.size(), 2);
    EXPECT_EQ(static_cast<std::uint8_t>(command.m_payload[0]), TimeSettingMode::StandardTime);
    EXPECT_EQ(command.m_payload[1], 0);
    app.ExitInstance();
}

TEST_F(MainFrameTest, SetInstallationTimeQueuesTheTimeEvenWhenNotConnected)
{
    CNetQueueNode* master = app.Document()->m_netQueue.GetNode(1, 1);
    ASSERT_NE(master, nullptr);
    const std::size_t before = master->PendingCount();
    Send(CommandId::SetInstallationTime);
    EXPECT_EQ(master->PendingCount(), before + 1);
    EXPECT_EQ(boxes.Texts(), QStringList("Network is not connected. Please connect to the network."));
}

TEST_F(MainFrameTest, ConnectedTimeChangeShowsTheTimeSentNotice)
{
    ShowDstChangeNotice(false, true);
    const auto notices = frame->findChildren<CDlgDstTimeSent*>();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0]->isVisible());
    EXPECT_EQ(notices[0]->windowTitle(), "DST Changed, installation time sent");
    EXPECT_EQ(notices[0]->Lines(), (QStringList{"The application has detected Daylight Saving Time change in your "
                                                "installation.",
                                                "Updated date and time has been sent to the networks."}));
    // OK closes it and it goes.
    QPointer<CDlgDstTimeSent> gone = notices[0];
    gone->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(MainFrameTest, UnknownViewClassIsRefusedAndThePanesStay)
{
    QWidget* left = frame->UpperLeftView();
    QWidget* right = frame->RightView();
    frame->ReplaceRightView(PaneKind::Reports, QStringLiteral("CNoSuchView"));
    frame->ReplaceLeftView(QStringLiteral("CNoSuchMenu"));
    EXPECT_EQ(frame->RightView(), right);
    EXPECT_EQ(frame->UpperLeftView(), left);
    EXPECT_TRUE(right->isVisible());
    EXPECT_TRUE(left->isVisible());
    EXPECT_EQ(boxes.Texts(), QStringList({"The view CNoSuchView is not known: it cannot be shown.",
                                          "The view CNoSuchMenu is not known: it cannot be shown."}));
}

TEST(MainFrameCreation, AViewThatCannotBeMadeFailsTheStart)
{
    TestEnvironment env;
    MessageBoxScript boxes;
    if (IsViewClassRegistered(QStringLiteral("CCommControlForm")))
        GTEST_SKIP() << "an earlier test of this process registered the communication form";
    CWFApp app;
    EXPECT_FALSE(app.InitInstance({}));
    app.ExitInstance();
    EXPECT_EQ(boxes.Texts(), QStringList({"The view CCommControlForm is not known: it cannot be shown."}));
}

TEST_F(MainFrameTest, PaneWindowsByRowAndColumn)
{
    EXPECT_EQ(GetPaneWindow(0, 1), frame->RightView());
    EXPECT_EQ(GetPaneWindow(0, 0), frame->UpperLeftView());
    EXPECT_EQ(GetPaneWindow(1, 0), frame->CommView());
    EXPECT_EQ(GetPaneWindow(1, 1), nullptr);
    EXPECT_EQ(GetPaneWindow(-1, 0), nullptr);
}

} // namespace

namespace {

TEST_F(MainFrameTest, FailedFileOpenOpensThePreviousInstallationAgain)
{
    const QString demo = app.Document()->GetPathName();
    const QStringList recent = app.RecentFiles();
    const QString broken = env.Path("Broken/Broken.wfi");
    Hooks().installationsDialog = [&broken] { return broken; };
    Send(CommandId::FileOpen);
    EXPECT_EQ(boxes.Texts(), QStringList("Unable to open " + env.Path("Broken") +
                                         ".\n\nThe installation that was open before is opened again."));
    EXPECT_EQ(app.Document()->GetPathName(), demo);
    EXPECT_EQ(app.Document()->m_bInstallationOpen, 1);
    EXPECT_EQ(SkipProfileSave, 0);
    EXPECT_EQ(app.RecentFiles(), recent);
    EXPECT_TRUE(frame->windowTitle().startsWith(kDemoTitle + " - "));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(frame->isVisible());

    app.ExitInstance();
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), demo);
    EXPECT_EQ(Profile::GetInt("Setup", "First launch of Wardix", 1), 0) << "the profile was saved";
}

TEST_F(MainFrameTest, FailedReopenOfTheOpenInstallationClosesKeepingTheProfile)
{
    const QString demo = app.Document()->GetPathName();
    // The installation itself can no longer be opened, as after a failed database rebuild.
    ASSERT_TRUE(QFile::remove(QFileInfo(demo).absolutePath() + "/Vestrels/GlobalSettings.dat"));
    EXPECT_FALSE(app.OpenDocumentFile(demo));
    ASSERT_GE(boxes.Texts().size(), 2);
    EXPECT_TRUE(boxes.Texts().front().startsWith("Cannot locate "));
    EXPECT_EQ(boxes.Texts().back(), "Unable to open " + QFileInfo(demo).absolutePath() + ".\n\nWardix will close.");
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(frame->isVisible());

    app.ExitInstance();
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), demo);
    EXPECT_EQ(Profile::GetInt("Setup", "First launch of Wardix", 1), 0) << "the profile was saved";
}

TEST_F(MainFrameTest, OptimizeWhoseReopenFailsClosesKeepingTheProfile)
{
    const QString demo = app.Document()->GetPathName();
    const QString folder = QFileInfo(demo).absolutePath();
    const QString users = folder + "/Database/Users.mdb";
    ASSERT_TRUE(QFile::setPermissions(users, QFile::ReadOwner));
    DatabaseCompaction::Optimize(*app.Document());
    ASSERT_TRUE(QFile::setPermissions(users, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_FALSE(boxes.Texts().isEmpty());
    EXPECT_FALSE(boxes.Texts().contains("The internal database has been optimized."));
    EXPECT_EQ(boxes.Texts().back(), "Unable to open " + folder + ".\n\nWardix will close.");
    EXPECT_FALSE(g_setVestrels.IsOpen()) << "no half-open installation";
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(frame->isVisible());

    app.ExitInstance();
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), demo);
}

} // namespace

namespace {

TEST_F(MainFrameTest, InstallationWithAFailedNodeOpensOnTheNetworkStatus)
{
    const QString demo = app.Document()->GetPathName();
    Send(CommandId::CardholdersView);
    ASSERT_TRUE(app.OpenDocumentFile(demo));
    EXPECT_EQ(Left(), "CMenuUsers") << "nothing failed: the panes stay";

    // Node 2 of network 1 failed when the installation was last used.
    NodeLinkState[0][1] = kNodeStateFailed;
    ASSERT_TRUE(app.OpenDocumentFile(demo));
    NodeLinkState[0][1] = kNodeStateAnswers;
    EXPECT_EQ(Left(), "CRPBlankPane");
    EXPECT_EQ(Right(), "CRPNetworkStatusForm");
    EXPECT_EQ(app.Document()->m_netQueue.GetNode(1, 2)->GetState(), CNetQueueNode::Suspended);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

} // namespace
