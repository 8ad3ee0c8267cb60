#include "app/CTaskStepDriver.h"
#include "app/CWFDoc.h"
#include "app/TaskState.h"
#include "platform/WindowMessages.h"

#include <QCoreApplication>
#include <QObject>

#include <gtest/gtest.h>

namespace {

// Records the messages posted to it; optionally finishes each step it gets.
class ScriptedTarget : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() != AppMessageEvent::Type())
            return QObject::event(e);
        const auto* m = static_cast<AppMessageEvent*>(e);
        received.push_back({m->msg, m->wParam});
        if (finishSteps) {
            for (auto [msg, step] : {std::pair{Msg::TaskStepProgram, &TaskStepProgram},
                                     std::pair{Msg::TaskStepSend, &TaskStepSend},
                                     std::pair{Msg::TaskStepEventLogs, &TaskStepEventLogs},
                                     std::pair{Msg::TaskStepBackup, &TaskStepBackup},
                                     std::pair{Msg::TaskStepSetTime, &TaskStepSetTime}}) {
                if (m->msg == msg)
                    *step = kStepDone;
            }
        }
        return true;
    }
    std::vector<std::pair<unsigned, quintptr>> received;
    bool finishSteps = true;
};

class TaskStepDriverTest : public ::testing::Test
{
protected:
    void SetUp() override { ResetSteps(); }
    void TearDown() override
    {
        ResetSteps();
        SetTaskMode(TaskMode::None);
        TaskTargetWindow = nullptr;
        ProgramDeferred = 0;
    }
    static void ResetSteps()
    {
        for (int* step : {&TaskStepProgram, &TaskStepSend, &TaskStepEventLogs, &TaskStepBackup, &TaskStepSetTime})
            *step = kStepNotStarted;
    }
    // Runs idle calls until the main window is asked to close (or a bound is hit);
    // returns every message in the order the two objects got them.
    std::vector<unsigned> RunUntilClosed(int maxIdleCalls = 200)
    {
        std::vector<unsigned> order;
        for (int i = 0; i < maxIdleCalls && mainWindow.received.empty(); ++i) {
            driver.OnIdle(&mainWindow);
            const size_t before = target.received.size();
            QCoreApplication::sendPostedEvents();
            for (size_t k = before; k < target.received.size(); ++k)
                order.push_back(target.received[k].first);
        }
        if (!mainWindow.received.empty())
            order.push_back(mainWindow.received.front().first);
        return order;
    }

    CTaskStepDriver driver;
    ScriptedTarget target;
    ScriptedTarget mainWindow;
};

TEST_F(TaskStepDriverTest, EachModeRunsItsStepsInOrderThenCloses)
{
    const struct
    {
        TaskMode mode;
        std::vector<unsigned> order;
    } cases[] = {
        {TaskMode::Update, {Msg::TaskStepProgram, Msg::TaskStepSend, Msg::TaskStepEventLogs, Msg::WM_CLOSE}},
        {TaskMode::Backup, {Msg::TaskStepBackup, Msg::WM_CLOSE}},
        {TaskMode::SetTime, {Msg::TaskStepProgram, Msg::TaskStepSend, Msg::TaskStepSetTime, Msg::WM_CLOSE}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        ResetSteps();
        target.received.clear();
        mainWindow.received.clear();
        driver.Reset();
        SetTaskMode(c.mode);
        TaskTargetWindow = &target;
        EXPECT_EQ(RunUntilClosed(), c.order);
    }
    ASSERT_FALSE(target.received.empty());
    EXPECT_EQ(target.received.front(), (std::pair<unsigned, quintptr>{Msg::TaskStepProgram, 0}));
}

TEST_F(TaskStepDriverTest, BackupStepCarriesTheTaskFlag)
{
    SetTaskMode(TaskMode::Backup);
    TaskTargetWindow = &target;
    RunUntilClosed();
    ASSERT_FALSE(target.received.empty());
    EXPECT_EQ(target.received.front().second, 1u);
}

TEST_F(TaskStepDriverTest, IdleCallsOnlyCountUntilTheFormExists)
{
    SetTaskMode(TaskMode::Update);
    for (int i = 0; i < 10; ++i)
        driver.OnIdle(&mainWindow);
    EXPECT_EQ(TaskStepProgram, kStepNotStarted);
    TaskTargetWindow = &target;
    driver.OnIdle(&mainWindow);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(target.received.size(), 1u);
    EXPECT_EQ(driver.IdleCounter(), 0);
}

TEST_F(TaskStepDriverTest, StepsArePacedBySixIdleCallsAndNeverPostedTwice)
{
    SetTaskMode(TaskMode::Update);
    TaskTargetWindow = &target;
    target.finishSteps = false;
    for (int i = 0; i < CTaskStepDriver::kIdleCallsPerStep - 1; ++i)
        driver.OnIdle(&mainWindow);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(target.received.empty());
    for (int i = 0; i < 5 * CTaskStepDriver::kIdleCallsPerStep; ++i)
        driver.OnIdle(&mainWindow);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(target.received.size(), 1u);
    EXPECT_EQ(TaskStepProgram, kStepPosted);
    EXPECT_TRUE(mainWindow.received.empty());
}

TEST_F(TaskStepDriverTest, DeferredProgrammingWaitsForAnEmptyQueue)
{
    CWFDoc doc;
    doc.m_nPendingCommands = 3;
    TaskTargetWindow = &target;
    ProgramDeferred = 1;
    for (int i = 0; i < 3 * CTaskStepDriver::kIdleCallsPerStep; ++i)
        driver.OnIdle(&mainWindow);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(target.received.empty());
    EXPECT_EQ(ProgramDeferred, 1);

    doc.m_nPendingCommands = 0;
    for (int i = 0; i < CTaskStepDriver::kIdleCallsPerStep; ++i)
        driver.OnIdle(&mainWindow);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(target.received.size(), 1u);
    EXPECT_EQ(target.received.front().first, Msg::TaskStepProgram);
    EXPECT_EQ(ProgramDeferred, 0);
}

} // namespace
