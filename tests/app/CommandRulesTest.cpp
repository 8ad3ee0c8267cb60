#include "app/CMainFrame.h"
#include "app/CRPNavigationHelp.h"
#include "app/CWFApp.h"
#include "app/ShellHooks.h"
#include "common/CommandIds.h"
#include "platform/WindowMessages.h"
#include "tests/app/PlainOperator.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/StandInViews.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The started program on the demo installation, for a plain operator.
class CommandRules : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterStandInViews();
        ASSERT_TRUE(app.InitInstance({}));
        frame = app.MainFrame();
    }
    void TearDown() override
    {
        app.ExitInstance();
        Hooks() = ShellHooks{};
    }

    QString Left() const { return frame->UpperLeftView()->objectName(); }
    bool Send(unsigned command) { return SendAppMessage(frame, Msg::WM_COMMAND, command) != 0; }
    bool Post(unsigned command)
    {
        PostAppMessage(frame, Msg::WM_COMMAND, command);
        QCoreApplication::sendPostedEvents(frame);
        return true;
    }
    bool Trigger(unsigned command)
    {
        frame->Action(command)->trigger();
        return true;
    }
    // A press and release on the navigation-help area at the point in dialog units.
    bool ClickNavigationHelp(const QPoint& dialogUnits)
    {
        if (!Send(CommandId::NavigationView))
            return false;
        auto* help = dynamic_cast<CRPNavigationHelp*>(frame->RightView());
        if (!help)
            return false;
        const QPointF at = help->ToPixels(QRect(dialogUnits, QSize(2, 2))).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, help->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(help, &e);
        }
        return true;
    }

    TestEnvironment env;
    MessageBoxScript boxes;
    CWFApp app;
    CMainFrame* frame = nullptr;
};

TEST_F(CommandRules, PlainOperatorCannotOpenMonitorFromAnySource)
{
    LogInPlainOperator(app, 0);
    frame->UpdateCommandUI();
    EXPECT_FALSE(frame->Action(CommandId::MonitorView)->isEnabled());
    const struct
    {
        const char* source;
        std::function<void()> run;
    } sources[] = {
        {"menu, toolbar and key", [this] { Trigger(CommandId::MonitorView); }},
        {"sent message", [this] { EXPECT_FALSE(Send(CommandId::MonitorView)); }},
        {"posted message", [this] { Post(CommandId::MonitorView); }},
        // Dialog units (50, 125) lie in the monitor area.
        {"navigation help", [this] { ASSERT_TRUE(ClickNavigationHelp(QPoint(50, 125))); }},
    };
    for (const auto& s : sources) {
        SCOPED_TRACE(s.source);
        s.run();
        EXPECT_NE(Left(), "CMenuMonitorDlg");
    }
    // The same click opens the monitor for an operator with the right.
    LogInPlainOperator(app, 3);
    ASSERT_TRUE(ClickNavigationHelp(QPoint(50, 125)));
    EXPECT_EQ(Left(), "CMenuMonitorDlg");
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(CommandRules, EachViewNeedsItsPrivilege)
{
    const struct
    {
        unsigned command;
        int privilege;
        const char* left;
    } cases[] = {
        {CommandId::MonitorView, 3, "CMenuMonitorDlg"},
        {CommandId::EventLogReport, 1, "CMenuEventLog"},
        {CommandId::PrintReports, 1, "CMenuReports"},
        {CommandId::NetworkView, 4, "CMainMenu"},
    };
    for (const auto& c : cases) {
        for (int held : {kNoPrivilege, c.privilege == 1 ? 3 : 1, c.privilege}) {
            SCOPED_TRACE(testing::Message() << c.command << " with privilege " << held);
            ASSERT_TRUE(Send(CommandId::NavigationView));
            LogInPlainOperator(app, held);
            frame->UpdateCommandUI();
            const bool allowed = held == c.privilege;
            EXPECT_EQ(frame->Action(c.command)->isEnabled(), allowed);
            EXPECT_EQ(Send(c.command), allowed);
            EXPECT_EQ(Left() == c.left, allowed);
        }
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(CommandRules, BusyQueueStopsTheIdleQueueCommandsWhateverTheSource)
{
    bool busy = true;
    int installationDialogs = 0;
    Hooks().queueBusy = [&busy] { return busy; };
    Hooks().installationsDialog = [&installationDialogs] {
        ++installationDialogs;
        return QString();
    };
    LogInPlainOperator(app, 4);
    frame->UpdateCommandUI();
    for (unsigned id : {CommandId::FileOpen, CommandId::BackupRestoreMenu, CommandId::SetInstallationTime}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(frame->Action(id)->isEnabled());
        EXPECT_FALSE(Send(id));
    }
    // Set Installation Time would have said the network is not connected.
    EXPECT_TRUE(boxes.Texts().isEmpty());
    EXPECT_EQ(installationDialogs, 0);

    busy = false;
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->Action(CommandId::FileOpen)->isEnabled());
    EXPECT_TRUE(Send(CommandId::FileOpen));
    EXPECT_EQ(installationDialogs, 1);
}

TEST_F(CommandRules, ConfigureNetworkRunDirectlySaysTheRightIsMissingAndSwitches)
{
    LogInPlainOperator(app, 0);
    frame->OnConfigureNetwork();
    EXPECT_EQ(boxes.Texts(), QStringList("User does not have privileges to configure the network."));
    EXPECT_EQ(Left(), "CMainMenu");
    EXPECT_EQ(frame->RightView()->objectName(), "CRPNetworkStatusForm");
    EXPECT_TRUE(frame->Action(CommandId::NetworkView)->isChecked());
}

TEST_F(CommandRules, PrintSetupKeepsThePrinterChoiceUntilTheNextOne)
{
    std::optional<QPageLayout::Orientation> choice = QPageLayout::Landscape;
    int shown = 0;
    app.GetPrintSetup().SetDialog([&](QPrinter& printer, QWidget*) {
        ++shown;
        if (!choice)
            return false;
        printer.setPageOrientation(*choice);
        return true;
    });
    frame->UpdateCommandUI();
    ASSERT_TRUE(frame->Action(CommandId::FilePrintSetup)->isEnabled());
    EXPECT_TRUE(Send(CommandId::FilePrintSetup));
    EXPECT_EQ(app.GetPrintSetup().Printer().pageLayout().orientation(), QPageLayout::Landscape);
    choice.reset();
    EXPECT_TRUE(Send(CommandId::FilePrintSetup));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(app.GetPrintSetup().Printer().pageLayout().orientation(), QPageLayout::Landscape);
}

} // namespace
