#include "app/CSingleInstance.h"
#include "app/CWFApp.h"
#include "app/CMainFrame.h"
#include "app/CWFDoc.h"
#include "app/InstallationTemplate.h"
#include "app/ShellHooks.h"
#include "app/TaskLogMessageBoxes.h"
#include "app/TaskSchedulerLog.h"
#include "app/TaskState.h"
#include "platform/Clock.h"
#include "platform/Profile.h"
#include "platform/ProgramFolder.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/StandInViews.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kDemoName = QStringLiteral("Acme Manufacturing(DEMO)");
const QString kStamp = QStringLiteral("March 07, 2026 06:05");

class TaskRunRefusal : public ::testing::Test
{
protected:
    void SetUp() override { Clock::Install(&clock); }
    void TearDown() override
    {
        Clock::Install(nullptr);
        Hooks() = ShellHooks{};
        SetTaskMode(TaskMode::None);
    }

    QString InstallationPath(const QString& name) const
    {
        return env.ProgramFolderPath() + QStringLiteral("/Installations/%1/%1.wfi").arg(name);
    }
    static QStringList LogLines()
    {
        QFile log(TaskSchedulerLog::FilePath());
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"));
    }
    // Runs the program as the scheduler would; the exit code.
    static int RunTask(const QString& parameter)
    {
        QFile::remove(TaskSchedulerLog::FilePath());
        CWFApp app;
        return app.Run({parameter});
    }

    TestEnvironment env;
    FixedClock clock{QDateTime(QDate(2026, 3, 7), QTime(6, 5), QTimeZone::utc())};
    MessageBoxScript boxes;
};

TEST_F(TaskRunRefusal, ARefusedRunLogsItsStartTheReasonAndItsEnd)
{
    {
        // The program folder and the demo as a first start leaves them.
        CWFApp first;
        RegisterStandInViews();
        ASSERT_TRUE(first.InitInstance({}));
        first.ExitInstance();
    }
    const QString missing = QDir::toNativeSeparators(InstallationPath("Missing"));
    const QString outside = QDir::cleanPath(env.ProgramFolderPath() + "/Installations/../Elsewhere/x.wfi");
    ASSERT_EQ(RunTask("Missing\\Missing.wfi"), 1);
    EXPECT_EQ(LogLines(), (QStringList{"Task Scheduler Log for Wardenfold", "",
                                       kStamp + " Start auto-update for Missing\\Missing.wfi",
                                       "The installation file does not exist at: " + missing,
                                       kStamp + " End auto-update for Missing\\Missing.wfi"}));
    ASSERT_EQ(RunTask("..\\Elsewhere\\x.wfi"), 1);
    EXPECT_EQ(LogLines().value(3).left(40), "The installation file does not exist at:");

    // A backup of a most recent installation that has gone: no dialog to choose another.
    int dialogs = 0;
    Hooks().openInstallationDialog = [&dialogs] {
        ++dialogs;
        return QString();
    };
    const QString gone = InstallationPath("Gone");
    Profile::WriteString("Recent File List", "File1", gone);
    ASSERT_EQ(RunTask("\\B"), 1);
    EXPECT_EQ(dialogs, 0);
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[2], kStamp + " Start-auto backup for " + gone);
    EXPECT_TRUE(lines[3].startsWith("Wardenfold cannot locate " + gone)) << lines[3].toStdString();
    EXPECT_EQ(lines[4], "Auto-backup failed.");
    EXPECT_EQ(lines[5], kStamp + " End auto-backup for " + gone);

    Profile::WriteString("Recent File List", "File1", QString());
    ASSERT_EQ(RunTask("\\T"), 1);
    EXPECT_EQ(LogLines().mid(2), (QStringList{kStamp + " Start-auto time set for \\T",
                                              "There is no recent installation to open: the task did not run.",
                                              kStamp + " End-auto time set for \\T"}));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(TaskRunRefusal, AnotherCopyThatDoesNotAnswerEndsTheRunAtOnceWithItsReason)
{
    EnsureFolder(env.ProgramFolderPath());
    const QString demo = InstallationTemplate::EnsureDemoInstallation(env.ProgramFolderPath() + "/Installations");
    Profile::WriteString("Recent File List", "File1", demo);
    CSingleInstance running(ProgramFolder());
    ASSERT_TRUE(running.TryAcquire());
    ASSERT_EQ(RunTask("\\B"), 1);
    EXPECT_EQ(LogLines().mid(2),
              (QStringList{kStamp + " Start-auto backup for " + demo,
                           "Another copy of Wardenfold is running and did not close: the task did not run.",
                           "Auto-backup failed.", kStamp + " End auto-backup for " + demo}));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

// The running copy answers from its own thread, as another process would.
TEST_F(TaskRunRefusal, RunningCopyAnswersBusyOrStartingAndIsLeftRunning)
{
    EnsureFolder(env.ProgramFolderPath());
    const struct
    {
        bool programming;
        bool hasMainWindow;
        CSingleInstance::CloseResult result;
    } cases[] = {
        {true, true, CSingleInstance::CloseResult::Programming},
        {false, false, CSingleInstance::CloseResult::Starting},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.result));
        QThread thread;
        thread.start();
        auto* running = new CSingleInstance(ProgramFolder());
        ASSERT_TRUE(running->TryAcquire());
        running->moveToThread(&thread);
        int closes = 0;
        QMetaObject::invokeMethod(
            running,
            [&] {
                running->Listen([&c] { return c.programming; },
                                [&] {
                                    ++closes;
                                    return c.hasMainWindow;
                                });
            },
            Qt::BlockingQueuedConnection);
        CSingleInstance later(ProgramFolder());
        EXPECT_FALSE(later.TryAcquire());
        EXPECT_EQ(later.AskRunningCopyToClose(1000), c.result);
        EXPECT_FALSE(later.TryAcquire());
        QMetaObject::invokeMethod(running, [running] { delete running; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
        EXPECT_EQ(closes, c.programming ? 0 : 1);
    }
}

// Everything an interactive start shows the operator, counted; the task runs must show none of it.
TEST_F(TaskRunRefusal, TaskRunsShowNoStartupDialogLoginReminderOrTimeNotice)
{
    const QString demo = InstallationTemplate::EnsureDemoInstallation(env.ProgramFolderPath() + "/Installations");
    ASSERT_FALSE(demo.isEmpty());
    Profile::WriteString("Recent File List", "File1", demo);
    Profile::WriteInt("Setup", "First launch of Wardix", 0);
    Profile::WriteInt("Setup", "Don't show dialog", 0);
    Profile::WriteInt("Setup", "Enable Backup Warning", 1);
    // Winter when last used, summer now: a daylight-saving change to report.
    clock.Set(QDateTime(QDate(2026, 7, 10), QTime(12, 0), QTimeZone::utc()));
    const FixedClock summer(clock.NowUtc(), QTimeZone("Europe/Berlin"));
    Clock::Install(&summer);

    int startupDialogs = 0;
    int logins = 0;
    int reminders = 0;
    Hooks().startupDialog = [&startupDialogs] { ++startupDialogs; };
    Hooks().login = [&logins]() -> std::optional<bool> {
        ++logins;
        return true;
    };
    Hooks().backupReminder = [&reminders] { ++reminders; };
    const struct
    {
        const char* parameter;
        int shown;
    } cases[] = {{"", 1}, {"\\A", 0}, {"\\B", 0}, {"\\TM", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameter);
        startupDialogs = logins = reminders = 0;
        QFile file(demo);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 1, 10), QTime(12, 0), QTimeZone::utc()),
                                     QFileDevice::FileModificationTime));
        file.close();
        MessageBoxScript notices;
        CWFApp app;
        const QString parameter = QString::fromLatin1(c.parameter);
        RegisterStandInViews();
        ASSERT_TRUE(app.InitInstance(parameter.isEmpty() ? QStringList() : QStringList{parameter}));
        app.MainFrame()->UpdateClock();
        EXPECT_EQ(startupDialogs, c.shown);
        EXPECT_EQ(logins, c.shown);
        EXPECT_EQ(reminders, c.shown);
        EXPECT_EQ(notices.Texts().size(), c.shown) << "the daylight-saving notice";
        EXPECT_EQ(app.Document()->m_netQueue.GetNode(1, 1)->PendingCount(), static_cast<std::size_t>(c.shown));
        app.ExitInstance();
    }
    Clock::Install(&clock);
}

TEST(TaskLogMessageBoxes, TextGoesToTheLogAsOneLineAndNothingIsAgreedTo)
{
    QStringList lines;
    {
        MessageBoxScript outer;
        TaskLogMessageBoxes boxes([&lines](const QString& line) { lines << line; });
        EXPECT_EQ(ShowMessageBox("Unable to open /x.\n\nWardix will close."), IDOK);
        EXPECT_EQ(ShowMessageBox("Proceed?\n\rReally?", MbButtons::YesNo), IDNO);
        EXPECT_EQ(ShowMessageBox("Retry?", MbButtons::RetryCancel), IDCANCEL);
        EXPECT_TRUE(outer.Texts().isEmpty());
    }
    EXPECT_EQ(lines, (QStringList{"Unable to open /x. Wardix will close.", "Proceed? Really?", "Retry?"}));
}

} // namespace
