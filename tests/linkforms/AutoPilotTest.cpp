#include "app/CTabWfAdvance.h"
#include "app/ShellHooks.h"
#include "linkforms/AutoPilot.h"
#include "linkforms/CAutoPilotDlg.h"
#include "linkforms/LinkFormHooks.h"
#include "tests/linkforms/PanelLinkFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The Auto Pilot against network A's simulated master, a fresh program run each time.
class AutoPilotRun : public PanelLinkPane
{
protected:
    void SetUp() override
    {
        PanelLinkPane::SetUp();
        AutoPilot::Program() = {};
    }
    void TearDown() override
    {
        AutoPilot::Program() = {};
        PanelLinkPane::TearDown();
    }
    void Ticks(AutoPilot& pilot, int count)
    {
        for (int i = 0; i < count; ++i)
            pilot.Tick();
    }
    QList<QByteArray> MasterCommands()
    {
        QList<QByteArray> commands;
        line.WithNode(1, [&](PanelSimulator& panel) { commands = panel.NodeCommands(); });
        return commands;
    }

    AutoPilot pilot{m_doc.m_netQueue};
};

TEST_F(AutoPilotRun, SixteenEventsAreTwoPairsThenTheLinkIsDropped)
{
    Connect();
    pilot.m_eventsToGenerate = 16;
    pilot.Tick();
    EXPECT_EQ(pilot.EventsGenerated(), 8);
    EXPECT_EQ(pilot.StatusText(), "Sending events...");
    EXPECT_EQ(pilot.CountText(), "Count: 8");
    EXPECT_EQ(pilot.TimeText(), "Time: 2 seconds");
    Ticks(pilot, 3);
    EXPECT_EQ(pilot.EventsGenerated(), 16);
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return MasterCommands().size() >= 4; }));
    EXPECT_EQ(MasterCommands(), (QList<QByteArray>{QByteArray::fromHex("010002020202"), QByteArray::fromHex("010001010101"),
                                                   QByteArray::fromHex("010002020202"), QByteArray::fromHex("010001010101")}));
    Ticks(pilot, 3);
    EXPECT_EQ(AutoPilot::Program().phase, AutoPilot::kDisconnecting);
    EXPECT_EQ(host.disconnects, 0);
    Ticks(pilot, 3);
    EXPECT_EQ(pilot.StatusText(), "Disconnecting...");
    EXPECT_EQ(host.disconnects, 1);
    EXPECT_FALSE(link.IsConnected());
    Ticks(pilot, 6);
    EXPECT_EQ(pilot.StatusText(), "Complete - 16 events generated");
    EXPECT_EQ(pilot.TimeText(), "");
    EXPECT_EQ(MasterCommands().size(), 4);
}

TEST_F(AutoPilotRun, NothingToGenerateGoesStraightToTheDisconnect)
{
    Connect();
    pilot.m_eventsToGenerate = 0;
    pilot.Tick();
    EXPECT_EQ(AutoPilot::Program().phase, AutoPilot::kDisconnecting);
    EXPECT_EQ(pilot.CountText(), "Count: 0");
    Ticks(pilot, 2);
    EXPECT_EQ(host.disconnects, 0);
    pilot.Tick();
    EXPECT_EQ(host.disconnects, 1) << "three seconds after the first tick";
    EXPECT_TRUE(MasterCommands().isEmpty());
    EXPECT_FALSE(m_doc.m_netQueue.GetNode(1, 1)->HasPending());
}

TEST_F(AutoPilotRun, FinishedRunStaysFinishedForTheNextDialog)
{
    pilot.m_eventsToGenerate = 0;
    Ticks(pilot, 10);
    AutoPilot next(m_doc.m_netQueue);
    next.Tick();
    EXPECT_EQ(next.StatusText(), "Complete - 0 events generated");
}

TEST_F(AutoPilotRun, PauseKeepsTheCounts)
{
    CAutoPilotDlg dialog{AutoPilot(m_doc.m_netQueue)};
    EXPECT_EQ(dialog.EventsEdit()->text(), "20224");
    dialog.EventsEdit()->setText("16");
    dialog.OnStart();
    EXPECT_TRUE(dialog.IsTicking());
    EXPECT_EQ(dialog.StartButton()->text(), "Pause");
    EXPECT_TRUE(dialog.PollButton()->isHidden());
    dialog.OnTimer();
    EXPECT_EQ(dialog.CountLabel()->text(), "Count: 8");
    dialog.OnStart();
    EXPECT_FALSE(dialog.IsTicking());
    EXPECT_EQ(dialog.StartButton()->text(), "Start");
    EXPECT_FALSE(dialog.PollButton()->isHidden());
    dialog.OnStart();
    for (int i = 0; i < 3; ++i)
        dialog.OnTimer();
    EXPECT_EQ(dialog.Pilot().EventsGenerated(), 16);
    EXPECT_EQ(dialog.CountLabel()->text(), "Count: 16");
    EXPECT_EQ(dialog.StatusLabel()->text(), "Sending events...");
    dialog.PollButton()->click();
    EXPECT_EQ(host.eventLogRuns, 1);
}

TEST_F(AutoPilotRun, AdvancedPageKeepsItsDialog)
{
    InstallLinkFormHooks();
    CTabWfAdvance page(m_doc);
    EXPECT_EQ(page.AutoPilotButton()->text(), "Start Wardenfold Auto Pilot");
    ASSERT_TRUE(page.AutoPilotButton()->isEnabled());
    QDialog* first = nullptr;
    for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, &page, [&page] { page.AutoPilotDialog()->reject(); });
        page.AutoPilotButton()->click();
        if (!first)
            first = page.AutoPilotDialog();
    }
    EXPECT_EQ(page.AutoPilotDialog(), first) << "one dialog object for the page's life";
    auto* dialog = qobject_cast<CAutoPilotDlg*>(page.AutoPilotDialog());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Wardenfold Auto Pilot");
    Hooks().autoPilotDialog = nullptr;
}

} // namespace
