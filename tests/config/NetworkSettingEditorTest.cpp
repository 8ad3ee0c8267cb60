#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/RunState.h"
#include "app/TaskState.h"
#include "app/ShellHooks.h"
#include "common/CommandIds.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "common/SharedHelpers.h"
#include "config/CNetworkSettingDlg.h"
#include "config/CScheduleBar.h"
#include "config/CTabDoorSchedules.h"
#include "config/CDlgEditDisplayMessage.h"
#include "config/CRPFloorGrid.h"
#include "config/CTabFacilityCodes.h"
#include "config/CTabFloorNames.h"
#include "config/CTabTelephoneDirectory.h"
#include "config/CTabTimeCalendar.h"
#include "config/CTabTimeZones.h"
#include "config/CTabValGroups.h"
#include "config/ConfigViews.h"
#include "config/ScheduleBarRegistration.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "image/VLMemoryLayout.h"
#include "link/CNetCommand.h"
#include "link/NetCommandKinds.h"
#include "platform/ControlHost.h"
#include "platform/ControlRegistry.h"
#include "platform/WindowMessages.h"
#include "tests/app/PlainOperator.h"
#include "tests/app/StoredCommandReader.h"
#include "tests/config/FloorNameDialogWork.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/StandInViews.h"
#include "tests/support/WarningLog.h"
#include "zonectl/QZIdentifiers.h"

#include <QApplication>
#include <QCheckBox>
#include <QTableWidget>
#include <QTimer>
#include <QCoreApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <set>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr int kDoorGroupsPage = 0;
constexpr int kZones1Page = 2;

bool BarIsActive(const CScheduleBar& bar)
{
    const auto* control = dynamic_cast<const ControlHost*>(bar.Properties());
    QVariant active;
    return control && control->GetProperty(QZ::DISPID_Active, &active) && active.toBool();
}
constexpr int kDoorSchedulesPage = 4;
constexpr int kFacilityCodesPage = 6;
constexpr int kTelephonePage = 7;
constexpr int kCalendarPage = 8;
constexpr int kFloorGridPage = 10;
constexpr int kFloorNamesPage = 11;

// The program started on the demo, its panels programmed once and the queue
// emptied, with the schedule bars the build registered.
class Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ControlRegistry::SetLocation(RegistryFile());
        RegisterConfigViews();
        RegisterStandInViews();
        ASSERT_TRUE(app.InitInstance({}));
        frame = app.MainFrame();
        doc = app.Document();
        ASSERT_NE(doc, nullptr);
        ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
        ASSERT_TRUE(doc->ClearNetCommands());
        doc->SetDataToProgram(0);
    }
    void TearDown() override
    {
        app.ExitInstance();
        Hooks() = ShellHooks{};
        QueueBeingCreated = 0;
        HasControllers = 0;
        ControlRegistry::SetLocation({});
    }
    virtual QString RegistryFile() const { return QString::fromUtf8(TEST_CONTROL_REGISTRY); }

    void Send(unsigned command) { SendAppMessage(frame, Msg::WM_COMMAND, command); }
    CNetworkSettingDlg* OpenEditor()
    {
        Send(CommandId::GlobalSettings);
        return dynamic_cast<CNetworkSettingDlg*>(frame->RightView());
    }
    template <typename Page>
    Page* PageAt(CNetworkSettingDlg* editor, int index)
    {
        return dynamic_cast<Page*>(editor->Tabs()->widget(index));
    }
    QByteArray GlobalSettingsFile() const
    {
        QFile file(doc->BuildPath(CWFDoc::kVestrels, QStringLiteral("GlobalSettings.dat")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Sets transmitter or card facility code 1 as an operator types it.
    static void TypeCardCode(CNetworkSettingDlg* editor, const QString& text)
    {
        dynamic_cast<CTabFacilityCodes*>(editor->Tabs()->widget(kFacilityCodesPage))->CardField(0)->setText(text);
    }

    // Ticks a door for a schedule of 1 to 15 as an operator does.
    static void TickDoor(CNetworkSettingDlg* editor, const QString& label, int schedule)
    {
        auto* page = dynamic_cast<CTabDoorSchedules*>(editor->Tabs()->widget(kDoorSchedulesPage));
        ASSERT_NE(page, nullptr);
        page->ScheduleList(0)->setCurrentIndex(schedule - 1);
        const QList<QListWidgetItem*> lines = page->DoorList(0)->findItems(label, Qt::MatchExactly);
        ASSERT_EQ(lines.size(), 1);
        lines[0]->setCheckState(Qt::Checked);
    }
    static std::uint32_t DoorScheduleA(int node)
    {
        g_setVestrels.Requery();
        EXPECT_TRUE(g_setVestrels.FindByAddress(1, node));
        return static_cast<std::uint32_t>(g_setVestrels.m_DoorScheduleA);
    }
    // The next run queues one write of image unit 0 and the end command for
    // the one controller whose door changed.
    void ExpectRunForNodeOnly(int node)
    {
        ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
        const auto nodes = ReadStoredCommandsByNode(*doc);
        ASSERT_EQ(nodes.size(), 1u);
        EXPECT_EQ(nodes.begin()->first, (1 << 4) | node);
        const auto& commands = nodes.begin()->second;
        ASSERT_EQ(commands.size(), 2u);
        EXPECT_EQ(commands[0].command.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(static_cast<std::uint8_t>(commands[0].command.m_payload[0]), 0) << "image unit 0";
        EXPECT_EQ(commands[1].command.m_kind, NetKind::NodeCommand);
    }
    void Leave()
    {
        Send(CommandId::CardholdersView);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TestEnvironment env;
    MessageBoxScript boxes;
    CWFApp app;
    CMainFrame* frame = nullptr;
    CWFDoc* doc = nullptr;
};

TEST_F(Editor, OpensOnTheFirstOfTwelvePagesBesideTheMainMenu)
{
    for (unsigned command : {CommandId::GlobalSettings, CommandId::TimeAndCalendar}) {
        SCOPED_TRACE(command);
        Send(command);
        auto* editor = dynamic_cast<CNetworkSettingDlg*>(frame->RightView());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(frame->UpperLeftView()->objectName(), "CMainMenu");
        const QStringList titles = {"Door Validation Groups", "Floor Validation Groups", "Time Zones 1-15",
                                    "Time Zones 16-31", "Door Schedules", "Button Schedule", "Facility Codes",
                                    "Telephone Directory", "Time && Calendar", "Anti-PassBack", "Floor Schedule",
                                    "Floor Names"};
        ASSERT_EQ(editor->Tabs()->count(), titles.size());
        for (int i = 0; i < titles.size(); ++i)
            EXPECT_EQ(editor->Tabs()->tabText(i), titles[i]);
        EXPECT_EQ(editor->Tabs()->currentIndex(), kDoorGroupsPage);
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Editor, ApplyStoresTheChangedPagesAndTheNextRunSendsOnlyThem)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TypeCardCode(editor, QStringLiteral("4660"));

    auto* calendar = PageAt<CTabTimeCalendar>(editor, kCalendarPage);
    calendar->MonthList()->setCurrentIndex(11);
    calendar->DayList()->setCurrentIndex(24);
    calendar->AddButton(false)->click();
    ASSERT_EQ(calendar->List(false)->count(), 1);
    EXPECT_EQ(calendar->List(false)->item(0)->text(), QStringLiteral("December, 25"));
    EXPECT_EQ(calendar->List(false)->item(0)->data(Qt::UserRole).toUInt(), 25u * 256 + 12);

    auto* zones = PageAt<CTabTimeZones>(editor, kZones1Page);
    ILongProperties* bar = zones->Bar(1)->Properties();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(BarIsActive(*zones->Bar(1)));
    bar->SetLong(QZ::DISPID_lTimeZone1Begin, 22 * 60);
    bar->SetLong(QZ::DISPID_lTimeZone1End, 2 * 60);

    EXPECT_TRUE(editor->OnApply());
    const QByteArray file = GlobalSettingsFile();
    ASSERT_GE(file.size(), 4481);
    EXPECT_EQ(file.mid(44, 2), QByteArray("\x12\x34", 2));
    EXPECT_EQ(file.mid(2778, 2), QByteArray("\x0C\x19", 2));
    EXPECT_EQ(file.mid(2946, 4), QByteArray("\x16\x00\x02\x00", 4));
    EXPECT_EQ(static_cast<std::uint8_t>(file[VLLayout::kAntiPassbackTime]), 0) << "the untouched time stays none";
    EXPECT_TRUE(frame->HasDataToProgramIcon());

    ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = ReadStoredCommandsByNode(*doc);
    ASSERT_EQ(nodes.size(), 3u);
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        ASSERT_EQ(commands.size(), 2u);
        const CNetCommand& write = commands[0].command;
        EXPECT_EQ(write.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(static_cast<std::uint8_t>(write.m_payload[0]), 0) << "image unit 0";
        EXPECT_EQ(commands[1].command.m_kind, NetKind::NodeCommand);
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Editor, ApplyWithoutChangeDoesNotMark)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    const QByteArray before = GlobalSettingsFile();
    EXPECT_TRUE(editor->OnApply());
    EXPECT_EQ(doc->GetDataToProgram(), 0);
    EXPECT_FALSE(frame->HasDataToProgramIcon());
    EXPECT_EQ(GlobalSettingsFile(), before);
    // Leaving after that Apply asks nothing either.
    Send(CommandId::CardholdersView);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Editor, CancelDropsTheEditsAndLeadsToTheCardholderSets)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TypeCardCode(editor, QStringLiteral("77"));
    editor->CancelButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->UpperLeftView()->objectName(), "CMenuUsers");
    EXPECT_EQ(frame->RightView()->objectName(), "CRPBlankPane");
    EXPECT_EQ(doc->GetDataToProgram(), 0);
    CNetworkSettingDlg* next = OpenEditor();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(PageAt<CTabFacilityCodes>(next, kFacilityCodesPage)->CardField(0)->text(), QStringLiteral("0"));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Editor, LeavingAfterAnApplyAsksAboutEachChangeAndNoRestoresIt)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TypeCardCode(editor, QStringLiteral("12"));
    editor->OnApply();
    TypeCardCode(editor, QStringLiteral("99"));
    boxes.Answer(IDNO);
    Send(CommandId::NavigationView);
    EXPECT_EQ(boxes.Texts(), QStringList{"The card facility codes have changed.\nSave the changes?"});
    std::uint16_t code = 0;
    doc->CardFacilityCode(code, 0, 1);
    EXPECT_EQ(code, 12);
    EXPECT_EQ(GlobalSettingsFile().mid(44, 2), QByteArray("\x00\x0C", 2));
}

TEST_F(Editor, OpeningAnotherInstallationSavesTheEditsIntoTheirOwn)
{
    const QString second = doc->MakeNewInstallation(QStringLiteral("Second Site"));
    ASSERT_FALSE(second.isEmpty());
    const QString secondSettings = QFileInfo(second).absolutePath() + QStringLiteral("/Vestrels/GlobalSettings.dat");
    QFile secondFile(secondSettings);
    ASSERT_TRUE(secondFile.open(QIODevice::ReadOnly));
    const QByteArray secondBefore = secondFile.readAll();
    secondFile.close();
    const QString demoSettings = doc->BuildPath(CWFDoc::kVestrels, QStringLiteral("GlobalSettings.dat"));

    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TypeCardCode(editor, QStringLiteral("12"));
    editor->OnApply();
    TypeCardCode(editor, QStringLiteral("99"));
    boxes.Answer(IDYES);
    Hooks().installationsDialog = [&second] { return second; };
    Send(CommandId::FileOpen);

    EXPECT_EQ(boxes.Texts(), QStringList{"The card facility codes have changed.\nSave the changes?"});
    ASSERT_EQ(doc->GetPathName(), QFileInfo(second).absoluteFilePath());
    ASSERT_TRUE(secondFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(secondFile.readAll(), secondBefore) << "the new installation got the old one's edits";
    QFile demoFile(demoSettings);
    ASSERT_TRUE(demoFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(demoFile.readAll().mid(44, 2), QByteArray("\x00\x63", 2));
}

TEST_F(Editor, FacilityFieldsShowTheirNumberAndRefuseOutOfRange)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    editor->Tabs()->setCurrentIndex(kFacilityCodesPage);
    QLineEdit* field = PageAt<CTabFacilityCodes>(editor, kFacilityCodesPage)->CardField(2);
    field->setText(QStringLiteral("007"));
    EXPECT_EQ(field->text(), QStringLiteral("7"));
    field->setText(QStringLiteral("65536"));
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter an integer between 0 and 65535."});
    EXPECT_EQ(field->text(), QStringLiteral("0"));
    EXPECT_EQ(field->selectedText(), QStringLiteral("0"));
}

TEST_F(Editor, AGroupChangeDropsTheEditsOfTheGroupShownBefore)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabValGroups>(editor, kDoorGroupsPage);
    QString before;
    doc->DoorValGroupName(3, before, 1);
    page->GroupSpin()->setValue(3);
    page->NameEdit()->setText(QStringLiteral("Renamed"));
    page->GroupSpin()->setValue(4);
    page->NameEdit()->setText(QStringLiteral("Four"));
    editor->OnApply();
    QString three;
    QString four;
    doc->DoorValGroupName(3, three, 1);
    doc->DoorValGroupName(4, four, 1);
    EXPECT_EQ(three, before);
    EXPECT_EQ(four, QStringLiteral("Four"));
    EXPECT_TRUE(page->GroupSpin()->wrapping());
}

TEST_F(Editor, HolidayAddIsDisabledAtTwentyFourEntries)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* calendar = PageAt<CTabTimeCalendar>(editor, kCalendarPage);
    calendar->MonthList()->setCurrentIndex(0);
    for (int day = 0; day < 24; ++day) {
        calendar->DayList()->setCurrentIndex(day);
        calendar->AddButton(false)->click();
    }
    EXPECT_EQ(calendar->List(false)->count(), 24);
    EXPECT_FALSE(calendar->AddButton(false)->isEnabled());
    calendar->List(false)->setCurrentRow(5);
    boxes.Answer(IDYES);
    calendar->DeleteButton(false)->click();
    EXPECT_EQ(calendar->List(false)->count(), 23);
    EXPECT_TRUE(calendar->AddButton(false)->isEnabled());
}

TEST_F(Editor, AChangedDisplayMessageMarksAtEveryApply)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    editor->SetDisplayMessagesChanged();
    for (int apply = 0; apply < 2; ++apply) {
        SCOPED_TRACE(apply);
        doc->SetDataToProgram(0);
        EXPECT_TRUE(editor->OnApply());
        EXPECT_EQ(doc->GetDataToProgram(), 1) << "the image compares equal, yet the messages go out";
    }
}

TEST_F(Editor, DoorScheduleMarksLeftWithoutApplyAreWrittenAndSent)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TickDoor(editor, QStringLiteral("[A1A] Door"), 3);
    Leave();
    EXPECT_TRUE(boxes.Texts().isEmpty());
    EXPECT_EQ(DoorScheduleA(1), 1U << 2);
    EXPECT_TRUE(frame->HasDataToProgramIcon());
    ExpectRunForNodeOnly(1);
}

TEST_F(Editor, DoorScheduleMarksAppliedAreSentForTheirControllerOnly)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TickDoor(editor, QStringLiteral("[A2A] Door"), 3);
    EXPECT_TRUE(editor->OnApply());
    EXPECT_EQ(DoorScheduleA(2), 1U << 2);
    EXPECT_TRUE(frame->HasDataToProgramIcon());
    ExpectRunForNodeOnly(2);
}

TEST_F(Editor, ADoorScheduleMarkSurvivesShowingAnotherSchedule)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TickDoor(editor, QStringLiteral("[A1A] Door"), 3);
    auto* page = PageAt<CTabDoorSchedules>(editor, kDoorSchedulesPage);
    QListWidgetItem* line = page->DoorList(0)->findItems(QStringLiteral("[A1A] Door"), Qt::MatchExactly).value(0);
    ASSERT_NE(line, nullptr);
    page->ScheduleList(0)->setCurrentIndex(4);
    EXPECT_EQ(line->checkState(), Qt::Unchecked);
    page->ScheduleList(0)->setCurrentIndex(2);
    EXPECT_EQ(line->checkState(), Qt::Checked);
    EXPECT_EQ(page->DoorList(0)->count(), 12) << "four doors of each of the three controllers";
    EXPECT_EQ(page->DoorList(0)->selectionMode(), QAbstractItemView::NoSelection);
}

TEST_F(Editor, CancelWritesNoDoorSchedule)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TickDoor(editor, QStringLiteral("[A1A] Door"), 3);
    editor->CancelButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(DoorScheduleA(1), 0u);
    EXPECT_EQ(doc->GetDataToProgram(), 0);
}

TEST_F(Editor, LeavingAfterADoorScheduleApplyAsksTwiceAndNoKeepsTheTable)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TickDoor(editor, QStringLiteral("[A1A] Door"), 3);
    EXPECT_TRUE(editor->OnApply());
    TickDoor(editor, QStringLiteral("[A2A] Door"), 3);
    boxes.Answer(IDYES);
    boxes.Answer(IDNO);
    Leave();
    EXPECT_EQ(boxes.Texts(), (QStringList{"The door schedule setup has changed\nSave the changes?",
                                          "The door schedule (1-31) setup has changed\nSave the changes?"}));
    EXPECT_EQ(DoorScheduleA(1), 1U << 2);
    EXPECT_EQ(DoorScheduleA(2), 0u) << "No keeps the page from writing when it goes";
}

TEST_F(Editor, ApplyWithoutADoorMarkChangeLeavesTheChangedFlagClear)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TickDoor(editor, QStringLiteral("[A1A] Door"), 3);
    auto* page = PageAt<CTabDoorSchedules>(editor, kDoorSchedulesPage);
    page->DoorList(0)->findItems(QStringLiteral("[A1A] Door"), Qt::MatchExactly).value(0)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(editor->OnApply());
    EXPECT_FALSE(page->Changed());
    EXPECT_EQ(doc->GetDataToProgram(), 0);
}

// The rows of one floor and the schedule masks they hold.
struct FloorRowsHeld
{
    int count = 0;
    std::set<std::int32_t> scheds;
};

FloorRowsHeld RowsOfFloor(int index)
{
    FloorRowsHeld rows;
    const QString criteria = QStringLiteral("[Index] = %1").arg(index);
    for (bool found = g_setFloorNames.FindFirst(criteria); found; found = g_setFloorNames.FindNext(criteria)) {
        ++rows.count;
        rows.scheds.insert(g_setFloorNames.m_Sched);
    }
    return rows;
}

QStringList ListedFloors(CTabFloorNames* page)
{
    QStringList names;
    for (int i = 0; i < page->List()->topLevelItemCount(); ++i)
        names << page->List()->topLevelItem(i)->text(0);
    return names;
}

TEST_F(Editor, AFloorIsAddedWithoutAMarkAndDeletedWithOne)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* names = PageAt<CTabFloorNames>(editor, kFloorNamesPage);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(ListedFloors(names), (QStringList{"Lobby", "Floor 2", "Floor 3"}));
    EXPECT_TRUE(names->AddButton()->isVisibleTo(names));

    WorkFloorNameDialog(names->AddButton(), [](CDlgEditFloorName& dialog) { dialog.NameEdit()->setText("Roof"); });
    EXPECT_EQ(ListedFloors(names), (QStringList{"Lobby", "Floor 2", "Floor 3", "Roof"}));
    EXPECT_EQ(RowsOfFloor(3).count, FloorRows::kRowsPerFloor);
    EXPECT_EQ(doc->GetDataToProgram(), 0);

    names->List()->topLevelItem(1)->setSelected(true);
    names->DeleteButton()->click();
    EXPECT_EQ(RowsOfFloor(1).count, 0);
    EXPECT_EQ(ListedFloors(names), (QStringList{"Lobby", "Floor 3", "Roof"}));
    EXPECT_TRUE(frame->HasDataToProgramIcon());
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Editor, ATickForOneOfTwoFloorsNamedAlikeSchedulesOnlyThatFloor)
{
    ASSERT_TRUE(FloorRows::Rename(g_setFloorNames, 2, QStringLiteral("Lobby")));
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    editor->Tabs()->setCurrentIndex(kFloorGridPage);
    QTableWidget* grid = PageAt<CRPFloorGrid>(editor, kFloorGridPage)->Grid();
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Lobby"));
    grid->item(0, 0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(editor->OnApply());
    EXPECT_EQ(RowsOfFloor(0).scheds, std::set<std::int32_t>{1});
    EXPECT_EQ(RowsOfFloor(0).count, FloorRows::kRowsPerFloor);
    EXPECT_EQ(RowsOfFloor(2).scheds, std::set<std::int32_t>{0});
    EXPECT_EQ(doc->GetDataToProgram(), 1);
}

TEST_F(Editor, AFloorTakingAFreedIndexGetsNoScheduleOfTheGridShownBefore)
{
    FloorRows::WriteSchedules(g_setFloorNames, {{0, 1}});
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    editor->Tabs()->setCurrentIndex(kFloorGridPage);
    editor->Tabs()->setCurrentIndex(kFloorNamesPage);
    auto* names = PageAt<CTabFloorNames>(editor, kFloorNamesPage);
    names->List()->topLevelItem(0)->setSelected(true);
    names->DeleteButton()->click();
    WorkFloorNameDialog(names->AddButton(), [](CDlgEditFloorName& dialog) { dialog.NameEdit()->setText("Roof"); });
    ASSERT_EQ(ListedFloors(names), (QStringList{"Floor 2", "Floor 3", "Roof"}));
    EXPECT_TRUE(editor->OnApply());
    EXPECT_EQ(RowsOfFloor(0).scheds, std::set<std::int32_t>{0}) << "Roof took Index 0";
}

// Double-clicks a row of the display messages and lets the dialog be
// worked on as the operator would before OK.
void EditDisplayRow(CTabTelephoneDirectory* page, int row, const std::function<void(CDlgEditDisplayMessage&)>& work)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CDlgEditDisplayMessage*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        work(*dialog);
        dialog->accept();
    });
    emit page->MessageList()->cellDoubleClicked(row, 1);
    EXPECT_TRUE(shown);
}

QString StoredMessage(CWFDoc& doc, int slot, int set, int* justification = nullptr)
{
    QString text;
    int stored = -1;
    EXPECT_TRUE(doc.DisplayMessageText(text, stored, slot + 1, set, 1));
    if (justification)
        *justification = stored;
    return text;
}

TEST_F(Editor, ADisplayIsEditedAsItsPairAndOnlyAChangeMarks)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    EditDisplayRow(page, 7, [](CDlgEditDisplayMessage& dialog) {
        EXPECT_EQ(dialog.SlotLabel(0)->text(), QStringLiteral("# 6"));
        EXPECT_EQ(dialog.SlotLabel(1)->text(), QStringLiteral("# 7"));
        EXPECT_EQ(dialog.TextEdit(0)->text(), QStringLiteral("OR ENTER CODE ON"));
        EXPECT_EQ(dialog.AlignList(1)->currentText(), QStringLiteral("Center"));
    });
    EXPECT_EQ(app.Settings().m_display20Characters, 0);
    EXPECT_TRUE(editor->OnApply());
    EXPECT_EQ(doc->GetDataToProgram(), 0) << "OK without a change";

    EditDisplayRow(page, 33, [](CDlgEditDisplayMessage& dialog) {
        EXPECT_EQ(dialog.TextEdit(1)->text(), QStringLiteral("CANNOT DIAL NUMB"));
    });
    EXPECT_EQ(page->MessageList()->item(33, 1)->text(), QStringLiteral("CANNOT DIAL NUMB"));
    EXPECT_TRUE(editor->OnApply());
    EXPECT_EQ(doc->GetDataToProgram(), 1);
    EXPECT_EQ(StoredMessage(*doc, 33, 1), QStringLiteral("CANNOT DIAL NUMB"));
    EXPECT_EQ(StoredMessage(*doc, 33, 2), QStringLiteral("CANNOT DIAL NUMBER")) << "only the set shown";
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(Editor, ADisplayLineThePanelCannotShowKeepsTheDialogOpen)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    EditDisplayRow(page, 1, [](CDlgEditDisplayMessage& dialog) {
        dialog.TextEdit(1)->setText(QStringLiteral("CAFÉ → LOBBY"));
        dialog.TextEdit(1)->setModified(true);
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        dialog.TextEdit(1)->setText(QStringLiteral("CAFÉ LOBBY"));
    });
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Display message # 1: the character \"→\" cannot be stored "
                                                        "in a controller.\n\nControllers hold only Western European "
                                                        "(Latin-1) characters.")});
    EXPECT_TRUE(editor->OnApply());
    EXPECT_EQ(StoredMessage(*doc, 1, 1), QStringLiteral("CAFÉ LOBBY"));
}

TEST_F(Editor, AStoredRightLineSurvivesAnEditOfItsPartner)
{
    QString text = QStringLiteral("WELCOME");
    int right = 2;
    ASSERT_TRUE(doc->DisplayMessageText(text, right, 1, 1, 0));
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    EXPECT_EQ(page->MessageList()->item(0, 2)->text(), QStringLiteral("Right"));
    EditDisplayRow(page, 1, [](CDlgEditDisplayMessage& dialog) {
        EXPECT_EQ(dialog.AlignList(0)->currentIndex(), -1);
        dialog.TextEdit(1)->setText(QStringLiteral("HELLO"));
    });
    EXPECT_TRUE(editor->OnApply());
    int justification = -1;
    EXPECT_EQ(StoredMessage(*doc, 0, 1, &justification), QStringLiteral("WELCOME"));
    EXPECT_EQ(justification, 2);
    EXPECT_EQ(StoredMessage(*doc, 1, 1), QStringLiteral("HELLO"));
}

// A link that stays connected until told to disconnect.
class ConnectedForm : public ICommControlForm
{
public:
    bool IsConnected() const override { return connected; }
    void Disconnect() override { connected = false; }
    int GoOnline() override { return 0; }
    void ServiceQueue() override {}
    bool connected = true;
};

TEST_F(Editor, EditingADisplayWhileConnectedAsksToGoOffline)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    ICommControlForm* previous = GetCommControlForm();
    ConnectedForm form;
    SetCommControlForm(&form);
    const QString question = QStringLiteral("To proceed with this function you will be taken offline.\n\nDo you want to proceed?");
    boxes.Answer(IDNO);
    emit page->MessageList()->cellDoubleClicked(2, 1);
    EXPECT_TRUE(form.connected);
    boxes.Answer(IDYES);
    EditDisplayRow(page, 2, [&form](CDlgEditDisplayMessage&) { EXPECT_FALSE(form.connected) << "offline first"; });
    EXPECT_EQ(boxes.Texts(), QStringList(2, question));
    SetCommControlForm(previous);
}

TEST_F(Editor, ThePositiveSetStepFromOneShowsEight)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    page->SetSpin()->stepBy(1);
    EXPECT_EQ(page->MessageSet(), 8);
    EXPECT_EQ(page->SetLabel()->text(), QStringLiteral("8"));
    page->SetSpin()->stepBy(-1);
    EXPECT_EQ(page->MessageSet(), 1);
}

TEST_F(Editor, ALongerCodeLengthConvertsTheCodesAndIsStoredAtOnce)
{
    std::uint8_t twoDigits = 1;
    doc->DirectoryCodeLength(twoDigits, 0);
    ASSERT_TRUE(doc->ExchangeGlobalSettings(false, false));
    for (const auto& [user, code] : {std::pair{1, "7"}, std::pair{2, "12"}}) {
        g_setPhoneEntries.AddNew();
        g_setPhoneEntries.m_UserID = user;
        g_setPhoneEntries.m_UserDirectoryCode = QString::fromLatin1(code);
        g_setPhoneEntries.Update();
    }
    g_setPhoneEntries.Requery();
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    ASSERT_EQ(page->CodeLengthList()->currentIndex(), 1);

    page->CodeLengthList()->setCurrentIndex(3);
    QStringList codes;
    for (g_setPhoneEntries.MoveFirst(); !g_setPhoneEntries.IsEOF(); g_setPhoneEntries.MoveNext())
        codes << g_setPhoneEntries.m_UserDirectoryCode;
    EXPECT_EQ(codes, (QStringList{"0007", "0012"}));
    EXPECT_EQ(doc->m_globalMemory.Byte(VLLayout::kDirCodeLength), 3);
    EXPECT_EQ(static_cast<std::uint8_t>(GlobalSettingsFile()[VLLayout::kDirCodeLength]), 3) << "before any Apply";

    page->CodeLengthList()->setCurrentIndex(0);
    EXPECT_EQ(boxes.Texts(), QStringList{"You must delete all directory codes before decreasing the length of all codes."});
    EXPECT_EQ(page->CodeLengthList()->currentIndex(), 3);
}

TEST_F(Editor, TheIgnoreCaseBoxMarksOnApply)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    const bool before = doc->m_bIgnoreCaseDirCodes != 0;
    page->IgnoreCaseBox()->setChecked(!before);
    EXPECT_TRUE(editor->OnApply());
    EXPECT_EQ(doc->GetDataToProgram(), 1);
    EXPECT_EQ(doc->m_bIgnoreCaseDirCodes != 0, !before);
}

TEST_F(Editor, ResetThenCancelKeepsTheStoredMessages)
{
    QString text = QStringLiteral("WELCOME");
    int left = 0;
    ASSERT_TRUE(doc->DisplayMessageText(text, left, 1, 1, 0));
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* page = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    boxes.Answer(IDOK);
    page->ResetButton()->click();
    EXPECT_EQ(boxes.Texts(), QStringList{"This sets all telephone entry display messages to the factory default."});
    EXPECT_EQ(page->MessageList()->item(0, 1)->text(), QStringLiteral("QUORIN ACCESS"));
    editor->CancelButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(StoredMessage(*doc, 0, 1), QStringLiteral("WELCOME"));
    EXPECT_EQ(doc->GetDataToProgram(), 0);
}

class EditorWithoutGlobalRight : public Editor
{
protected:
    void SetUp() override
    {
        Editor::SetUp();
        LogInPlainOperator(app, 4);
    }
};

TEST_F(EditorWithoutGlobalRight, PagesCanBeBrowsedButNotChanged)
{
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* groups = PageAt<CTabValGroups>(editor, kDoorGroupsPage);
    EXPECT_TRUE(groups->GroupSpin()->isEnabled());
    EXPECT_FALSE(groups->NameEdit()->isEnabled());
    EXPECT_FALSE(groups->ScheduleList()->isEnabled());
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_FALSE(groups->ZoneSpin(slot)->isEnabled());
    groups->GroupSpin()->setValue(7);
    EXPECT_EQ(groups->Model().Group(), 7);

    auto* zones = PageAt<CTabTimeZones>(editor, kZones1Page);
    EXPECT_FALSE(zones->DayBox(1, 0)->isEnabled());
    ASSERT_NE(zones->Bar(1)->Properties(), nullptr);
    EXPECT_FALSE(BarIsActive(*zones->Bar(1))) << "periods cannot be dragged";
    EXPECT_FALSE(PageAt<CTabFacilityCodes>(editor, kFacilityCodesPage)->CardField(0)->isEnabled());
    EXPECT_FALSE(PageAt<CTabTimeCalendar>(editor, kCalendarPage)->AddButton(true)->isEnabled());
    auto* doors = PageAt<CTabDoorSchedules>(editor, kDoorSchedulesPage);
    EXPECT_TRUE(doors->ScheduleList(1)->isEnabled());
    EXPECT_FALSE(doors->DoorList(1)->isEnabled());
    auto* telephone = PageAt<CTabTelephoneDirectory>(editor, kTelephonePage);
    EXPECT_FALSE(telephone->TalkTimeSpin()->isEnabled());
    EXPECT_FALSE(telephone->ResetButton()->isEnabled());
    EXPECT_TRUE(telephone->SetSpin()->isEnabled());
    EXPECT_TRUE(telephone->IgnoreCaseBox()->isEnabled());
    emit telephone->MessageList()->cellDoubleClicked(3, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    auto* floors = PageAt<CTabFloorNames>(editor, kFloorNamesPage);
    EXPECT_FALSE(floors->AddButton()->isVisibleTo(floors)) << "floors are named with the cardholder right";
    EXPECT_FALSE(floors->DeleteButton()->isVisibleTo(floors));
}

class EditorWithoutBars : public Editor
{
protected:
    QString RegistryFile() const override { return env.Path("empty-registry.conf"); }
};

TEST_F(EditorWithoutBars, PagesShowPlaceholdersAndApplyStillWorks)
{
    QApplication::processEvents();
    const int rightWidth = frame->RightView()->width();
    ASSERT_GT(rightWidth, 0);
    WarningLog log;
    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(boxes.Shown().isEmpty()) << "the operator cannot act on a class identifier";
    EXPECT_EQ(log.Lines().size(), 1) << "logged once for all the bars";
    QApplication::processEvents();
    EXPECT_EQ(editor->width(), rightWidth) << "the editor keeps its pane";
    auto* zones = PageAt<CTabTimeZones>(editor, kZones1Page);
    EXPECT_EQ(zones->Bar(1)->Properties(), nullptr);
    EXPECT_EQ(zones->Bar(1)->Widget()->objectName(), QStringLiteral("ScheduleBarPlaceholder"));
    const QByteArray before = GlobalSettingsFile();
    zones->DayBox(1, 7)->setChecked(false);
    EXPECT_TRUE(editor->OnApply());
    const QByteArray after = GlobalSettingsFile();
    const int dayMask = VLLayout::kTimeZones.At(1) + 1;
    EXPECT_EQ(static_cast<std::uint8_t>(after[dayMask]), static_cast<std::uint8_t>(before[dayMask]) | 0x80)
        << "unticking H sets bit 7 only";
    EXPECT_EQ(after.mid(VLLayout::kTimeZones.At(1) + 4, 16), before.mid(VLLayout::kTimeZones.At(1) + 4, 16))
        << "periods stay as stored";
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

// The program started without anyone registering the bar.
TEST_F(EditorWithoutBars, StartRegistersTheBarShippedBesideTheProgram)
{
    const QString clsid = QString::fromLatin1(QZ::kClsidQZCtrl);
    const QString shipped = QStringLiteral(TEST_PROGRAM_FOLDER "/zonectl/libzonectl.so");
    QString message;
    EXPECT_FALSE(EnsureScheduleBarRegistered(env.Path("bare"), &message));
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(ControlRegistry().InprocServer(clsid).isEmpty());

    // Fresh, and once more after the registered library went away.
    for (const QString& before : {QString(), env.Path("gone/libzonectl.so")}) {
        SCOPED_TRACE(before.toStdString());
        if (!before.isEmpty())
            ControlRegistry().SetValue(QStringLiteral("CLSID\\%1\\InprocServer32").arg(clsid), {}, before);
        ASSERT_TRUE(EnsureScheduleBarRegistered(QStringLiteral(TEST_PROGRAM_FOLDER), &message)) << message.toStdString();
        EXPECT_EQ(ControlRegistry().InprocServer(clsid), shipped);
    }
    // What is registered and there stays as it is.
    EXPECT_TRUE(EnsureScheduleBarRegistered(env.Path("bare"), &message));

    CNetworkSettingDlg* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(boxes.Shown().isEmpty());
    auto* zones = PageAt<CTabTimeZones>(editor, kZones1Page);
    EXPECT_NE(zones->Bar(1)->Properties(), nullptr);
    EXPECT_NE(zones->Bar(1)->Widget()->objectName(), QStringLiteral("ScheduleBarPlaceholder"));
}

} // namespace
