#include "DocumentFixture.h"

#include "app/AppObjects.h"
#include "app/CColumnWidths.h"
#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFSetupSheet.h"
#include "app/ReportPages.h"
#include "app/RunState.h"
#include "app/ShellHooks.h"
#include "app/TaskSchedulerLog.h"
#include "app/TaskState.h"
#include "app/CTabWfAcountHolderFields.h"
#include "app/CTabWfPrint.h"
#include "common/RecordsetWalk.h"
#include "common/CommandIds.h"
#include "database/CInstallation.h"
#include "database/COperatorStore.h"
#include "database/CSetVLNetworks.h"
#include "database/CSetVestrels.h"
#include "database/GlobalRecordsets.h"
#include "platform/PrivateProfile.h"
#include "platform/Profile.h"
#include "platform/WindowMessages.h"
#include "linkforms/CCommControlForm.h"
#include "linkforms/LinkViews.h"
#include "tests/app/PlainOperator.h"
#include "tests/support/StandInViews.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace {

const QString kNotConnected = QStringLiteral("Must be connected to the network to execute this command.");
const QString kSettings = QStringLiteral("Installation Settings");

class DocumentCommands : public DocumentFixture
{
protected:
    void TearDown() override
    {
        SetInstallationDoc(nullptr);
        SetTaskMode(TaskMode::None);
        ResetTaskResults();
        TaskStepBackup = kStepNotStarted;
    }

    QString InstallationsFolder() const { return m_env.Path("home/Installations"); }
    QString BackupsFolder() const { return m_env.Path("home/Backups"); }

    // An installation the list knows, open in doc.
    void OpenRegistered(const QString& name)
    {
        const QString file = MakeInstallation(name);
        CInstallation entry(file);
        ASSERT_TRUE(entry.Register());
        ASSERT_TRUE(doc.OnOpenDocument(file));
        SetInstallationDoc(&doc);
    }

    CWFDoc doc;
};

QString TodaysBackup()
{
    return QStringLiteral("Backup %1").arg(QDate::currentDate().toString(QStringLiteral("MM-dd-yy")));
}

} // namespace

TEST(CustomFieldLabels, OneTrailingColonIsDropped)
{
    const struct {
        const char* entered;
        const char* stored;
    } cases[] = {{"Badge:", "Badge"}, {"Badge::", "Badge:"}, {"Badge", "Badge"}, {":", ""}, {"", ""}, {"a: b", "a: b"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entered);
        EXPECT_EQ(CWFDoc::StripLabelColon(QString::fromLatin1(c.entered)), QString::fromLatin1(c.stored));
    }
}

TEST(CustomFieldLabels, UnchangedLabelsAreLeftAsTheyAre)
{
    CWFDoc doc;
    doc.m_userTypeLabels = {"Dept:", "Car", "Phone", "Room"};
    EXPECT_FALSE(doc.ApplyUserTypeLabels({"Dept:", "Car", "Phone", "Room"}));
    EXPECT_EQ(doc.m_userTypeLabels[0], "Dept:");
    EXPECT_TRUE(doc.ApplyUserTypeLabels({"Dept:", "Car:", "Phone", "Room::"}));
    const std::array<QString, CWFDoc::kUserTypeLabels> stored{"Dept", "Car", "Phone", "Room:"};
    EXPECT_EQ(doc.m_userTypeLabels, stored);
}

TEST_F(DocumentCommands, SetupSheetForAnAdministratorHasEveryPageInOrder)
{
    CColumnWidths settings;
    CWFSetupSheet sheet(doc, settings, 0);
    EXPECT_EQ(sheet.windowTitle(), "Wardix Setup");
    QStringList titles;
    for (int i = 0; i < sheet.Pages()->count(); ++i)
        titles << sheet.Pages()->tabText(i);
    EXPECT_EQ(titles, QStringList({"Operators", "Dialing", "Database", "Account Holder Fields", "Printer", "Advanced"}));
}

TEST_F(DocumentCommands, SetupSheetOkStoresFontLabelsAndLineAndUnopenedPagesKeepTheirValues)
{
    CColumnWidths settings;
    settings.m_printerFont = QStringLiteral("Times New Roman");
    settings.m_selectedModem = 3;
    doc.m_userTypeLabels = {"Dept", "Car", "Phone", "Room"};
    {
        CWFSetupSheet sheet(doc, settings, 0);
        sheet.Apply();
    }
    EXPECT_EQ(settings.m_printerFont, "Times New Roman");
    EXPECT_EQ(settings.m_selectedModem, 3);
    EXPECT_EQ(doc.m_userTypeLabels[0], "Dept");

    CWFSetupSheet sheet(doc, settings, 0);
    sheet.PrintPage()->CourierButton()->setChecked(true);
    sheet.LabelsPage()->LabelEdit(1)->setText(QStringLiteral("Vehicle:"));
    sheet.Apply();
    EXPECT_EQ(settings.m_printerFont, "Courier New");
    EXPECT_EQ(doc.m_userTypeLabels[1], "Vehicle");
    EXPECT_EQ(doc.m_userTypeLabels[3], "Room");
}

TEST_F(DocumentCommands, DownloadFolderLiesInTheVestrelsFolder)
{
    doc.m_strInstallationFolder = QStringLiteral("/site");
    EXPECT_EQ(doc.GetDownloadFolder(2, 7), "/site/Vestrels/VLDownload27/");
}

TEST_F(DocumentCommands, LinkCommandsRefuseWithoutAConnection)
{
    MessageBoxScript boxes;
    doc.OnPriorityAccess();
    doc.ClearLastViolation(0, 0);
    EXPECT_EQ(boxes.Texts(), QStringList({kNotConnected, kNotConnected}));
}

TEST_F(DocumentCommands, SaveAsOpensANamedCopyAndKeepsTheFirst)
{
    OpenRegistered("Alpha");
    doc.m_userTypeLabels[0] = QStringLiteral("Badge");
    ASSERT_TRUE(doc.SaveAsCopy(QStringLiteral("Beta"), InstallationsFolder()));
    const QString copy = InstallationsFolder() + "/Beta/Beta.wfi";
    EXPECT_EQ(doc.GetPathName(), copy);
    EXPECT_FALSE(QFileInfo::exists(InstallationsFolder() + "/Beta/Alpha.wfi"));
    EXPECT_EQ(PrivateProfile::GetString(kSettings, "Installation Name", "", copy), "Beta");
    // The first was saved before the copy, so the copy carries what was open.
    EXPECT_EQ(PrivateProfile::GetString(kSettings, "UserTypeLabel1", "", copy), "Badge");
    EXPECT_TRUE(QFileInfo::exists(InstallationsFolder() + "/Alpha/Alpha.wfi"));
    EXPECT_EQ(PrivateProfile::GetString(kSettings, "UserTypeLabel1", "", InstallationsFolder() + "/Alpha/Alpha.wfi"),
              "Badge");
}

TEST_F(DocumentCommands, SaveAsRefusesNamesThatCannotBecomeAFreeFolder)
{
    OpenRegistered("Alpha");
    const QString open = doc.GetPathName();
    for (const char* name : {"", "..", "a/b", "Alpha"}) {
        SCOPED_TRACE(name);
        MessageBoxScript boxes;
        EXPECT_FALSE(doc.SaveAsCopy(QString::fromLatin1(name), InstallationsFolder()));
        EXPECT_EQ(boxes.Shown().size(), 1);
        EXPECT_EQ(doc.GetPathName(), open);
    }
}

TEST_F(DocumentCommands, BackupWithoutListedInstallationsSaysHowToGetOne)
{
    MessageBoxScript boxes;
    doc.OnFileBackup();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].text, "The Backup feature requires that installation icons exist in the Installations "
                                      "window.\n\nGo to File -> Open, then browse to the installation you want to "
                                      "backup.");
    EXPECT_EQ(boxes.Shown()[0].icon, MbIcon::Exclamation);

    // The scheduled task never waits for anyone: it fails silently into its log.
    MessageBoxScript silent;
    SetTaskMode(TaskMode::Backup);
    doc.OnFileBackup();
    EXPECT_TRUE(silent.Texts().isEmpty());
    EXPECT_EQ(TaskBackupResult, 0);
}

TEST_F(DocumentCommands, ScheduledBackupStepBacksUpTheOpenInstallation)
{
    OpenRegistered("Alpha");
    SetTaskMode(TaskMode::Backup);
    CCommControlForm form;
    MessageBoxScript boxes;
    SendAppMessage(&form, Msg::TaskStepBackup, kBackupFromTask);
    EXPECT_EQ(TaskStepBackup, kStepDone);
    EXPECT_EQ(TaskBackupResult, 1);
    const QString set = BackupsFolder() + "/" + TodaysBackup();
    EXPECT_TRUE(QFileInfo::exists(set + "/" + TodaysBackup() + ".wfb"));
    EXPECT_TRUE(QFileInfo::exists(set + "/RegistyBackup.reg"));
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
    // The installation was reopened after its files were copied.
    EXPECT_TRUE(doc.m_bInstallationOpen);
    EXPECT_TRUE(doc.m_netCommandsSet.IsOpen());
}

TEST_F(DocumentCommands, ProgramRunWithTheBackupSwitchWritesTheBackupAndItsLogThenEnds)
{
    const QString file = MakeInstallation("Alpha");
    ASSERT_TRUE(CInstallation(file).Register());
    Profile::WriteInt("Setup", "First launch of Wardix", 0);
    Profile::WriteString("Recent File List", "File1", file);
    MessageBoxScript boxes;
    RegisterLinkViews();
    {
        CWFApp app;
        RegisterStandInViews();
        ASSERT_TRUE(app.InitInstance({"\\B"}));
        for (int i = 0; i < 100 && app.MainFrame()->isVisible(); ++i) {
            app.OnIdle();
            QCoreApplication::sendPostedEvents();
        }
        EXPECT_FALSE(app.MainFrame()->isVisible());
        app.ExitInstance();
    }
    EXPECT_TRUE(QFileInfo::exists(BackupsFolder() + "/" + TodaysBackup() + "/" + TodaysBackup() + ".wfb"));
    QFile log(TaskSchedulerLog::FilePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromLatin1(log.readAll()).contains("\r\nAuto-backup passed.\r\n"));
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST(ScheduledUpdate, FirstRunOnAFreshHomeWritesTheBindingLog)
{
    TestEnvironment env;
    MessageBoxScript boxes;
    RegisterLinkViews();
    // No panel answers here: network A's port does not exist.
    Profile::WriteString("Ports", "COM1", env.Path("no-port"));
    {
        CWFApp app;
        RegisterStandInViews();
        ASSERT_TRUE(app.InitInstance({"\\A"}));
        for (int i = 0; i < 200 && app.MainFrame()->isVisible(); ++i) {
            app.OnIdle();
            QCoreApplication::sendPostedEvents();
        }
        EXPECT_FALSE(app.MainFrame()->isVisible());
        app.ExitInstance();
    }
    QFile log(QDir(env.ProgramFolderPath()).filePath(QStringLiteral("HTML/Bindings.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral(" tree:"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Elements: "))) << text.toStdString();
}

namespace {

// The program started on its demo installation, with the document's commands
// handled and an operator of chosen rights to log in.
class StartedProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterStandInViews();
        ASSERT_TRUE(app.InitInstance({}));
        for (unsigned id : {CommandId::Backup, CommandId::Restore})
            Hooks().commands[id] = [] {};
    }
    void TearDown() override
    {
        app.ExitInstance();
        Hooks() = ShellHooks{};
    }

    TestEnvironment env;
    MessageBoxScript boxes;
    CWFApp app;
};

} // namespace

TEST_F(StartedProgram, BackupAndRestoreNeedTheBackupRight)
{
    const struct {
        int privilege;
        bool enabled;
    } cases[] = {{2, true}, {0, false}, {4, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.privilege);
        LogInPlainOperator(app, c.privilege);
        app.MainFrame()->UpdateCommandUI();
        EXPECT_EQ(app.MainFrame()->Action(CommandId::Backup)->isEnabled(), c.enabled);
        EXPECT_EQ(app.MainFrame()->Action(CommandId::Restore)->isEnabled(), c.enabled);
    }
}

TEST_F(StartedProgram, SetupSheetLeavesOperatorsAndAdvancedToAdministrators)
{
    LogInPlainOperator(app, 4);
    CWFSetupSheet sheet(*app.Document(), app.Settings(), app.GetOperators().GetSlot());
    QStringList titles;
    for (int i = 0; i < sheet.Pages()->count(); ++i)
        titles << sheet.Pages()->tabText(i);
    EXPECT_EQ(titles, QStringList({"Dialing", "Database", "Account Holder Fields", "Printer"}));
}

TEST_F(StartedProgram, DataToProgramFlagShowsAndRemovesTheIcon)
{
    app.Document()->SetDataToProgram(1);
    EXPECT_TRUE(app.MainFrame()->HasDataToProgramIcon());
    app.Document()->SetDataToProgram(0);
    EXPECT_FALSE(app.MainFrame()->HasDataToProgramIcon());
    EXPECT_EQ(app.Document()->GetDataToProgram(), 0);
}

TEST_F(DocumentCommands, NewInstallationIsANamedCopyOfTheTemplateWithFreshNodeStates)
{
    NodeLinkState[1][2] = 3;
    NodeTimedOut[1][2] = 1;
    NetQueueState[1] = 2;
    const QString file = doc.MakeNewInstallation(QStringLiteral("Gamma"));
    EXPECT_EQ(file, InstallationsFolder() + "/Gamma/Gamma.wfi");
    EXPECT_EQ(PrivateProfile::GetString(kSettings, "Installation Name", "", file), "Gamma");
    EXPECT_TRUE(QFileInfo::exists(TemplateFolder() + "/New installation.wfi"));
    EXPECT_EQ(NodeLinkState[1][2], kNodeStateAnswers);
    EXPECT_EQ(NodeTimedOut[1][2], 0);
    EXPECT_EQ(NetQueueState[1], kNodeStateUnknown);
    ASSERT_TRUE(doc.OnOpenDocument(file));
    EXPECT_EQ(doc.m_strInstallationName, "Gamma");

    MessageBoxScript boxes;
    EXPECT_TRUE(doc.MakeNewInstallation(QStringLiteral("Gamma")).isEmpty());
    EXPECT_EQ(boxes.Shown().size(), 1);
}

TEST(ReportPagesTable, PagesCloseAfterEverySixtySixthLineAndAtTheEnd)
{
    const struct {
        int lines;
        std::vector<int> lineFeedsStartingPages;
    } cases[] = {{10, {}}, {66, {66}}, {150, {66, 132}}, {0, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        const QString text = QString(QStringLiteral("line\n")).repeated(c.lines);
        ReportPages pages;
        pages.ScanPages(text);
        std::vector<int> expected{0};
        for (int lineFeed : c.lineFeedsStartingPages)
            expected.push_back(lineFeed * 5 - 1);
        expected.push_back(static_cast<int>(text.size()));
        EXPECT_EQ(pages.PageStarts(), expected);
        EXPECT_EQ(pages.PageCount(), static_cast<int>(expected.size()) - 1);
    }
}

TEST(ReportPagesTable, PositionsAndHeadingsAreFoundOnTheirPages)
{
    ReportPages pages;
    pages.ScanPages(QStringLiteral("ab\ncd\n"));
    EXPECT_FALSE(pages.IsPageEnd(1, 0));
    EXPECT_TRUE(pages.IsPageEnd(1, 6));
    EXPECT_EQ(pages.PagePosition(9, 2), 8);
    pages.StartHeading(3);
    pages.EndHeading(3);
    pages.StartHeading(5); // never ended: not a heading
    EXPECT_EQ(pages.HeadingCount(), 1);
    EXPECT_TRUE(pages.IsHeadingStart(1, 3));
    EXPECT_FALSE(pages.IsHeadingStart(1, 5));
    pages.ClearHeadings();
    pages.ClearPages();
    EXPECT_EQ(pages.HeadingCount(), 0);
    EXPECT_EQ(pages.PageCount(), 0);
}

TEST_F(DocumentCommands, BackupDialogOkWritesTheSetAndSaysSo)
{
    OpenRegistered("Alpha");
    MessageBoxScript boxes;
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QMetaObject::invokeMethod(dialog, "accept");
    });
    doc.OnFileBackup();
    EXPECT_EQ(boxes.Texts(), QStringList({"Backup completed successfully"}));
    EXPECT_TRUE(QFileInfo::exists(BackupsFolder() + "/" + TodaysBackup() + "/" + TodaysBackup() + ".wfb"));
    EXPECT_TRUE(doc.m_bInstallationOpen);
}

TEST_F(DocumentCommands, RestoreCancelledChangesNothing)
{
    OpenRegistered("Alpha");
    MessageBoxScript boxes;
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QMetaObject::invokeMethod(dialog, "reject");
    });
    doc.OnFileRestore();
    EXPECT_TRUE(boxes.Texts().isEmpty());
    EXPECT_TRUE(doc.m_bInstallationOpen);
}
