#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/RunState.h"
#include "app/ShellHooks.h"
#include "app/TaskState.h"
#include "common/SharedHelpers.h"
#include "config/CSingleVLFloorsForm.h"
#include "config/CSingleVLSettingForm.h"
#include "config/CTabCab.h"
#include "config/CTabCabGeneral.h"
#include "config/CTabNodeGeneral.h"
#include "config/CTabNodeModem.h"
#include "config/CTabNodeNames.h"
#include "config/CTabNodeObstacleXmtrs.h"
#include "config/CTabNodePasswords.h"
#include "config/CTabNodeRelays.h"
#include "config/CTabNodeRemoteDevice.h"
#include "config/ConfigViews.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "image/NetworkPasswords.h"
#include "image/VLMemoryLayout.h"
#include "link/CNetCommand.h"
#include "link/NetCommandKinds.h"
#include "platform/ControlRegistry.h"
#include "platform/Database.h"
#include "platform/WindowMessages.h"
#include "tests/app/PlainOperator.h"
#include "tests/app/StoredCommandReader.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/StandInViews.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr int kNamesPage = 0;
constexpr int kRelaysPage = 1;
constexpr int kModemPage = 2;
constexpr int kPasswordsPage = 3;
constexpr int kDevicesPage = 4;
constexpr int kObstaclesPage = 5;
constexpr int kElevatorPage = 6;
constexpr int kGeneralPage = 7;
constexpr int kNodeA1 = (1 << 4) | 1;
constexpr int kNodeA3 = (1 << 4) | 3;
// Positions in the lists of DV1-DV6.
constexpr int kKeypadPosition = 1;
constexpr int kFirstModulePosition = 7;
constexpr int kFirstCabChannel = 5;
constexpr int kLobby = 0;

// The program started on the demo, its panels programmed once and the queue
// emptied.
class NodeSetupForm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ControlRegistry::SetLocation(QString::fromUtf8(TEST_CONTROL_REGISTRY));
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
        NetworkPasswords::Reset();
        ControlRegistry::SetLocation({});
    }

    CSingleVLSettingForm* Open(int node)
    {
        if (!g_setVestrels.FindByAddress(1, node))
            return nullptr;
        m_path = doc->BuildPath(CWFDoc::kVestrels, g_setVestrels.GetFileName());
        frame->ReplaceRightView(PaneKind::NetworkSettings, QStringLiteral("CSingleVLSettingForm"), Msg::LoadController,
                                static_cast<quintptr>(g_setVestrels.m_VestrelID));
        return dynamic_cast<CSingleVLSettingForm*>(frame->RightView());
    }
    template <typename Page>
    static Page* PageAt(CSingleVLSettingForm* form, int index)
    {
        return dynamic_cast<Page*>(form->Tabs()->widget(index));
    }
    QByteArray ImageFile() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString RowChannelA()
    {
        EXPECT_TRUE(g_setVestrels.FindByAddress(1, 1));
        return g_setVestrels.m_RelayAName;
    }
    // Leaving the form the way another command does.
    void Leave() { frame->ReplaceRightView(PaneKind::NetworkSettings, QStringLiteral("CRPNetworkStatusForm")); }

    TestEnvironment env;
    MessageBoxScript boxes;
    CWFApp app;
    CMainFrame* frame = nullptr;
    CWFDoc* doc = nullptr;
    QString m_path;
};

TEST_F(NodeSetupForm, OpensOnTheNamesOfTheController)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    const QStringList titles = {"Names", "Relays", "Modem", "Passwords", "Remote Device", "Obstacle Transmitters",
                                "Elevator Control", "General"};
    ASSERT_EQ(form->Tabs()->count(), titles.size());
    for (int i = 0; i < titles.size(); ++i)
        EXPECT_EQ(form->Tabs()->tabText(i), titles[i]);
    EXPECT_EQ(form->Tabs()->currentIndex(), kNamesPage);
    auto* names = PageAt<CTabNodeNames>(form, kNamesPage);
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(names->InstallationField()->text(), "Acme Manufacturing");
    EXPECT_EQ(names->NetworkField()->text(), "Main Building");
    EXPECT_EQ(names->NetworkAddressLabel()->text(), "  1");
    EXPECT_EQ(names->ControllerField()->text(), "Front Entrance");
    EXPECT_EQ(names->ChannelField(0)->text(), "Door");
    auto* general = PageAt<CTabNodeGeneral>(form, kGeneralPage);
    ASSERT_NE(general, nullptr);
    EXPECT_TRUE(general->Line(0)->text().startsWith("Database: "));
    EXPECT_TRUE(general->Line(1)->text().startsWith("Firmware: "));
    EXPECT_TRUE(general->Line(2)->text().startsWith("Panel Type: "));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(NodeSetupForm, ApplyStoresTheRenamedChannelAndTheNextRunSendsOnlyThatImage)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    PageAt<CTabNodeNames>(form, kNamesPage)->ChannelField(0)->setText(QStringLiteral("Front Door"));
    form->ApplyButton()->click();

    EXPECT_EQ(RowChannelA(), "Front Door");
    const QByteArray file = ImageFile();
    const int slot = VLLayout::kNames.At(VLLayout::kFirstChannelName);
    ASSERT_GE(file.size(), slot + VLLayout::kNames.size);
    EXPECT_EQ(file.mid(slot, VLLayout::kNames.size), QByteArray("Front Door").leftJustified(VLLayout::kNames.size, ' '));
    EXPECT_TRUE(frame->HasDataToProgramIcon());

    // Nothing more to write: the second Apply leaves the file and the state.
    doc->SetDataToProgram(0);
    form->ApplyButton()->click();
    EXPECT_EQ(ImageFile(), file);
    EXPECT_EQ(doc->GetDataToProgram(), 0);

    ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = ReadStoredCommandsByNode(*doc);
    ASSERT_EQ(nodes.size(), 1u);
    ASSERT_EQ(nodes.begin()->first, kNodeA1);
    const auto& commands = nodes.begin()->second;
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].command.m_kind, NetKind::MemoryWrite);
    EXPECT_EQ(static_cast<std::uint8_t>(commands[0].command.m_payload[0]), 0) << "image unit 0";
    EXPECT_EQ(commands[1].command.m_kind, NetKind::NodeCommand);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(NodeSetupForm, TextThePanelCannotHoldIsRefusedAndNothingIsStored)
{
    using Field = QLineEdit* (*)(CSingleVLSettingForm*);
    const struct
    {
        const char* name;
        int page;
        Field field;
    } cases[] = {
        {"Channel A", kNamesPage,
         [](CSingleVLSettingForm* f) { return PageAt<CTabNodeNames>(f, kNamesPage)->ChannelField(0); }},
        {"Controller", kNamesPage,
         [](CSingleVLSettingForm* f) { return PageAt<CTabNodeNames>(f, kNamesPage)->ControllerField(); }},
        {"Init string 2", kModemPage,
         [](CSingleVLSettingForm* f) { return PageAt<CTabNodeModem>(f, kModemPage)->StringField(1); }},
        {"DV3 name", kDevicesPage,
         [](CSingleVLSettingForm* f) { return PageAt<CTabNodeRemoteDevice>(f, kDevicesPage)->NameEdit(3); }},
        {"OBTx2 name", kObstaclesPage,
         [](CSingleVLSettingForm* f) { return PageAt<CTabNodeObstacleXmtrs>(f, kObstaclesPage)->NameField(1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CSingleVLSettingForm* form = Open(1);
        ASSERT_NE(form, nullptr);
        MessageBoxScript boxes;
        const QByteArray before = ImageFile();
        const auto remoteBefore = NetworkPasswords::Remote(1);
        // A good edit on another page is not stored either.
        PageAt<CTabNodePasswords>(form, kPasswordsPage)->RemoteField()->setText(QStringLiteral("123"));
        c.field(form)->setText(QStringLiteral("漢字 Łódź door"));
        c.field(form)->setModified(true);
        form->ApplyButton()->click();
        EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("%1: the character \"漢\" cannot be stored in a "
                                                            "controller.\n\nControllers hold only Western European "
                                                            "(Latin-1) characters.")
                                                 .arg(QString::fromLatin1(c.name))});
        EXPECT_EQ(form->Tabs()->currentIndex(), c.page) << "the refused field is shown";
        EXPECT_EQ(ImageFile(), before);
        EXPECT_EQ(RowChannelA(), "Door");
        EXPECT_EQ(NetworkPasswords::Remote(1), remoteBefore);
        EXPECT_EQ(doc->GetDataToProgram(), 0);

        // Leaving after the refused Apply refuses again rather than store it.
        Leave();
        EXPECT_EQ(boxes.Texts().size(), 2);
        EXPECT_EQ(ImageFile(), before);
        EXPECT_EQ(doc->GetDataToProgram(), 0);
    }
}

TEST_F(NodeSetupForm, AStoredNameThePanelCannotHoldDoesNotBlockOtherEdits)
{
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 1));
    g_setVestrels.Edit();
    g_setVestrels.m_VestrelName = QStringLiteral("Łódź Gate");
    g_setVestrels.Update();
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    MessageBoxScript boxes;
    auto* channel = PageAt<CTabNodeNames>(form, kNamesPage)->ChannelField(0);
    channel->setText(QStringLiteral("Front Door"));
    channel->setModified(true);
    form->ApplyButton()->click();
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
    EXPECT_EQ(RowChannelA(), "Front Door");
}

TEST_F(NodeSetupForm, LeavingWithoutApplyDropsTheEdits)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    const QByteArray before = ImageFile();
    PageAt<CTabNodeNames>(form, kNamesPage)->ChannelField(0)->setText(QStringLiteral("Front Door"));
    Leave();
    EXPECT_EQ(RowChannelA(), "Door");
    EXPECT_EQ(ImageFile(), before);
    EXPECT_EQ(doc->GetDataToProgram(), 0);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(NodeSetupForm, LeavingAfterApplyAsksAboutLaterChanges)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    auto* passwords = PageAt<CTabNodePasswords>(form, kPasswordsPage);
    ASSERT_NE(passwords, nullptr);
    passwords->RemoteField()->setText(QStringLiteral("123"));
    form->ApplyButton()->click();
    ASSERT_TRUE(NetworkPasswords::Remote(1).has_value());
    EXPECT_EQ(*NetworkPasswords::Remote(1), (RemotePassword{0, 0, 0, 0, 0, '1', '2', '3'}));

    // The second password is turned down at the close: the entry keeps the first.
    passwords->RemoteField()->setText(QStringLiteral("456"));
    boxes.Answer(IDNO);
    Leave();
    EXPECT_EQ(boxes.Texts(),
              QStringList{"The remote access password for this controller has changed.\nSave the changes?"});
    EXPECT_EQ(*NetworkPasswords::Remote(1), (RemotePassword{0, 0, 0, 0, 0, '1', '2', '3'}));
    const QByteArray file = ImageFile();
    EXPECT_EQ(file.mid(VLLayout::kRemotePassword, VLLayout::kRemotePasswordLength), QByteArray("\0\0\0\0\0" "123", 8));
}

TEST_F(NodeSetupForm, AnImageFileThatCannotBeWrittenIsReported)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    // A folder in the file's place cannot be written even with every right.
    ASSERT_TRUE(QFile::remove(m_path));
    ASSERT_TRUE(QDir().mkdir(m_path));
    PageAt<CTabNodeNames>(form, kNamesPage)->ChannelField(0)->setText(QStringLiteral("Front Door"));
    form->ApplyButton()->click();
    EXPECT_EQ(boxes.Texts(), QStringList{"File Error"});
    EXPECT_TRUE(QFileInfo(m_path).isDir());
    EXPECT_EQ(doc->GetDataToProgram(), 0);
    ASSERT_TRUE(QDir().rmdir(m_path));
}

TEST_F(NodeSetupForm, AFailedRowWriteIsShownAndNothingIsSaved)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    const QByteArray before = ImageFile();
    const auto controllers = Database::Open(g_setVestrels.GetDefaultDBName());
    controllers->Execute(QStringLiteral("CREATE TEMP TRIGGER RefuseWrites BEFORE UPDATE ON [Vestrels] "
                                        "BEGIN SELECT RAISE(ABORT, 'Disk I/O error'); END"));
    PageAt<CTabNodeNames>(form, kNamesPage)->ControllerField()->setText(QStringLiteral("Lobby"));
    PageAt<CTabNodeNames>(form, kNamesPage)->ChannelField(0)->setText(QStringLiteral("Front Door"));
    form->ApplyButton()->click();
    // The database's own report, and no other box.
    EXPECT_EQ(boxes.Texts().size(), 1);
    EXPECT_EQ(ImageFile(), before);
    EXPECT_EQ(RowChannelA(), QStringLiteral("Door"));
    EXPECT_EQ(doc->GetDataToProgram(), 0);
    controllers->Execute(QStringLiteral("DROP TRIGGER RefuseWrites"));
}

TEST_F(NodeSetupForm, AnUnknownControllerIsNotLoaded)
{
    frame->ReplaceRightView(PaneKind::NetworkSettings, QStringLiteral("CSingleVLSettingForm"), Msg::LoadController, 9999);
    auto* form = dynamic_cast<CSingleVLSettingForm*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Tabs()->count(), 0);
    EXPECT_EQ(boxes.Texts(), QStringList{"Error loading Vestrel."});
}

TEST_F(NodeSetupForm, CancelWithoutTheRightSaysSoAndStoresNothing)
{
    LogInPlainOperator(app, kNoPrivilege);
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(PageAt<CTabNodeNames>(form, kNamesPage)->ChannelField(0)->isEnabled());
    auto* devices = PageAt<CTabNodeRemoteDevice>(form, kDevicesPage);
    for (int row : {1, 7, 8}) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(devices->TypeList(row)->isEnabled());
        EXPECT_FALSE(devices->ChannelList(row)->isEnabled()) << "the channel follows the right like its row";
        EXPECT_FALSE(devices->DirectionList(row)->isEnabled());
        EXPECT_FALSE(devices->NameEdit(row)->isEnabled());
    }
    form->Tabs()->setCurrentIndex(kElevatorPage);
    auto* elevator = PageAt<CSingleVLFloorsForm>(form, kElevatorPage);
    EXPECT_FALSE(elevator->CabPage(1)->ModuleList(1)->isEnabled());
    EXPECT_TRUE(elevator->CabPage(1)->FloorList()->isEnabled());
    const QByteArray before = ImageFile();
    form->CancelButton()->click();
    EXPECT_EQ(boxes.Texts(), QStringList{"User does not have privileges to configure the network."});
    EXPECT_EQ(ImageFile(), before);
    EXPECT_EQ(dynamic_cast<CSingleVLSettingForm*>(frame->RightView()), nullptr);
}

TEST_F(NodeSetupForm, ObstacleTransmittersAreCheckedAsTypedAndStoredOnApply)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    auto* page = PageAt<CTabNodeObstacleXmtrs>(form, kObstaclesPage);
    ASSERT_NE(page, nullptr);
    page->FacilityField(1)->setText(QStringLiteral("16"));
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter an integer between 0 and 15."});
    EXPECT_EQ(page->FacilityField(1)->text(), "0");
    page->FacilityField(1)->setText(QStringLiteral("15"));
    page->IdField(1)->setText(QStringLiteral("65535"));
    page->NameField(1)->setText(QStringLiteral("ABCD"));

    boxes.Answer(IDNO);
    page->RemoveButton(1)->click();
    EXPECT_EQ(page->IdField(1)->text(), "65535") << "a No removes nothing";
    form->ApplyButton()->click();
    EXPECT_EQ(doc->m_controllerMemory.Byte(VLLayout::kObstacles.At(1)), 0x90);
    EXPECT_EQ(doc->m_controllerMemory.Word(VLLayout::kObstacles.At(1) + 3), 0xFFFF);
    EXPECT_TRUE(frame->HasDataToProgramIcon());

    boxes.Answer(IDYES);
    page->RemoveButton(1)->click();
    EXPECT_EQ(page->IdField(1)->text(), "0");
    EXPECT_TRUE(page->NameField(1)->text().isEmpty());
    form->ApplyButton()->click();
    ObstacleRecord block{};
    doc->m_controllerMemory.ExchangeObstacleBlock(1, block, 1);
    EXPECT_EQ(block, ObstacleRecord{});
    EXPECT_EQ(boxes.Texts().size(), 3);
}

TEST_F(NodeSetupForm, AnotherNodeShowsTheNetworksPasswordDisabled)
{
    NetworkPasswords::Reset();
    CSingleVLSettingForm* form = Open(2);
    ASSERT_NE(form, nullptr);
    auto* passwords = PageAt<CTabNodePasswords>(form, kPasswordsPage);
    ASSERT_NE(passwords, nullptr);
    EXPECT_EQ(passwords->RemoteField()->text(), "418275");
    EXPECT_FALSE(passwords->RemoteField()->isEnabled());
    EXPECT_FALSE(passwords->Note()->isHidden());
    EXPECT_TRUE(passwords->PriorityField()->isEnabled());
}

TEST_F(NodeSetupForm, ADoorAjarTimeOutOfRangeBecomesZero)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    auto* names = PageAt<CTabNodeNames>(form, kNamesPage);
    names->DoorAjarField()->setText(QStringLiteral("300"));
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter an integer between 0 and 255."});
    EXPECT_EQ(names->DoorAjarField()->text(), "0");
    names->DoorAjarField()->setText(QStringLiteral("45"));
    form->ApplyButton()->click();
    EXPECT_EQ(doc->m_controllerMemory.Byte(VLLayout::kDoorAjarTime), 45);
}

TEST_F(NodeSetupForm, RelaysAreCommittedOnSwitchAndOnApply)
{
    CSingleVLSettingForm* form = Open(1);
    ASSERT_NE(form, nullptr);
    auto* relays = PageAt<CTabNodeRelays>(form, kRelaysPage);
    ASSERT_NE(relays, nullptr);
    CVLControllerMemory& image = doc->m_controllerMemory;
    const int relayA = VLLayout::kRelays.At(0);
    const QByteArray before(reinterpret_cast<const char*>(image.Image().data()) + relayA, VLLayout::kRelays.size);

    relays->ActivationField()->setText(QStringLiteral("0"));
    relays->ActivationSpin()->stepDown();
    EXPECT_EQ(relays->ActivationField()->text(), "65535") << "stepping down from 0 wraps";

    // An invalid time keeps relay A as it was and still shows relay C.
    relays->TimingList()->setCurrentIndex(1);
    relays->ActivationField()->setText(QStringLiteral("x"));
    relays->RelayList()->setCurrentIndex(2);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image.Image().data()) + relayA, VLLayout::kRelays.size), before);
    EXPECT_EQ(boxes.Texts(), (QStringList{"Please enter an integer.",
                                          "Invalid Activation Time - no data saved.\nEnter a number between 0 and 65535"}));
    EXPECT_TRUE(relays->AssociationBox(0)->text().startsWith("[A1A]"));

    relays->RelayList()->setCurrentIndex(0);
    relays->TimingList()->setCurrentIndex(1);
    relays->ActivationField()->setText(QStringLiteral("3"));
    relays->ZoneSpin(0)->setValue(0);
    EXPECT_FALSE(relays->DayBox(0, 0)->isEnabled());
    form->ApplyButton()->click();
    EXPECT_EQ(image.Byte(relayA) & 0xE0, 0x80) << "Pulse";
    EXPECT_EQ(image.Byte(relayA + 3), 0);
    EXPECT_EQ(image.Byte(relayA + 4), 3);
    EXPECT_TRUE(frame->HasDataToProgramIcon());
}

} // namespace

namespace {

// Elevator control of the demo's node A3.
class ElevatorControl : public NodeSetupForm
{
protected:
    void SetUp() override
    {
        NodeSetupForm::SetUp();
        form = Open(3);
        ASSERT_NE(form, nullptr);
        devices = PageAt<CTabNodeRemoteDevice>(form, kDevicesPage);
        elevator = PageAt<CSingleVLFloorsForm>(form, kElevatorPage);
        ASSERT_NE(devices, nullptr);
        ASSERT_NE(elevator, nullptr);
    }
    // A device row as the operator sets it.
    void SetDevice(int row, int typePosition, int channel = -1)
    {
        devices->TypeList(row)->setCurrentIndex(typePosition);
        if (channel >= 0)
            devices->ChannelList(row)->setCurrentIndex(channel);
    }
    static std::int32_t CabOfA3(int index, int cab)
    {
        EXPECT_TRUE(g_setFloorNames.FindFirst(QStringLiteral("[Index] = %1 AND [Net] = 1 AND [Node] = 3").arg(index)));
        return FloorRows::CabRelays(g_setFloorNames, cab);
    }
    static void SetCabOfA3(int index, int cab, std::int32_t value)
    {
        CabOfA3(index, cab);
        g_setFloorNames.Edit();
        FloorRows::CabRelays(g_setFloorNames, cab) = value;
        g_setFloorNames.Update();
    }
    static void Tick(CTabCab* page, int module, int relay) { page->ModuleList(module)->item(relay)->setCheckState(Qt::Checked); }

    CSingleVLSettingForm* form = nullptr;
    CTabNodeRemoteDevice* devices = nullptr;
    CSingleVLFloorsForm* elevator = nullptr;
};

TEST_F(ElevatorControl, AReaderAndAModuleDeclaredGiveTheCabItsRelaysAndTheRunSendsThem)
{
    SetDevice(1, kKeypadPosition, kFirstCabChannel);
    SetDevice(2, kFirstModulePosition);
    EXPECT_EQ(devices->ChannelList(2)->currentText(), QStringLiteral("Elevator Control"));
    EXPECT_FALSE(devices->ChannelList(2)->isEnabled());
    form->ApplyButton()->click();
    EXPECT_EQ(doc->m_controllerMemory.Byte(VLLayout::kTovixAddresses.At(0)), 2);
    EXPECT_EQ(static_cast<std::uint8_t>(ImageFile()[VLLayout::kTovixAddresses.At(0)]), 2);

    form->Tabs()->setCurrentIndex(kElevatorPage);
    CTabCab* cab1 = elevator->CabPage(1);
    EXPECT_EQ(cab1->DeviceText()->text(), QStringLiteral(" Keypad"));
    EXPECT_TRUE(cab1->Hint()->isHidden());
    EXPECT_TRUE(cab1->ModuleList(1)->isEnabled());
    EXPECT_FALSE(cab1->ModuleList(2)->isEnabled());
    ASSERT_EQ(cab1->FloorList()->currentText(), QStringLiteral("Lobby"));
    Tick(cab1, 1, 1);
    form->Tabs()->setCurrentIndex(kNamesPage);
    EXPECT_EQ(CabOfA3(kLobby, 1), 0x2);
    EXPECT_TRUE(boxes.Texts().isEmpty());

    FloorRows::WriteSchedules(g_setFloorNames, {{kLobby, 1}});
    doc->SetDataToProgram(0);
    ASSERT_TRUE(doc->ClearNetCommands());
    ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = ReadStoredCommandsByNode(*doc);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes.begin()->first, kNodeA3);
    const auto& commands = nodes.begin()->second;
    ASSERT_EQ(commands.size(), 3u);
    for (int unit = 0; unit < 2; ++unit) {
        const CNetCommand& write = commands[static_cast<size_t>(unit)].command;
        EXPECT_EQ(write.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(static_cast<std::uint8_t>(write.m_payload[0]), 0) << "the node's image";
        EXPECT_EQ(static_cast<std::uint8_t>(write.m_payload[2]), unit);
    }
    EXPECT_EQ(commands[2].command.m_kind, NetKind::NodeCommand);
}

TEST_F(ElevatorControl, ARemovedCabReaderOrModuleLosesItsRelaysAlsoWhenAddedInTheSameForm)
{
    SetDevice(1, kKeypadPosition, kFirstCabChannel + 2);
    SetDevice(2, kFirstModulePosition + 3);
    form->ApplyButton()->click();
    SetCabOfA3(kLobby, 3, 0x3);
    SetCabOfA3(kLobby, 1, 0xFC0003);
    SetDevice(1, 0);
    devices->ChannelList(1)->setCurrentIndex(0);
    SetDevice(2, 0);
    form->ApplyButton()->click();
    EXPECT_EQ(CabOfA3(kLobby, 3), 0) << "the Cab 3 reader went";
    EXPECT_EQ(CabOfA3(kLobby, 1), 0x3) << "Mod4 went";
}

TEST_F(ElevatorControl, ARefusedDeviceChoiceComesBack)
{
    SetDevice(1, kFirstModulePosition + 1);
    SetDevice(3, kFirstModulePosition + 1);
    EXPECT_EQ(boxes.Texts(), QStringList{"Tovix Mod2 is already selected."});
    EXPECT_EQ(devices->TypeList(3)->currentIndex(), 0);
    SetDevice(8, 0, kFirstCabChannel + 1);
    SetDevice(4, kKeypadPosition, kFirstCabChannel + 1);
    EXPECT_EQ(boxes.Texts().value(1), QStringLiteral("Cab 2 is already associated with device DV8."));
    EXPECT_EQ(devices->ChannelList(4)->currentIndex(), 0);
    EXPECT_EQ(devices->TypeList(8)->count(), 4);
    EXPECT_FALSE(devices->TypeList(7)->isEnabled());
}

// Cabs 1 and 2 with readers and Mod2 declared, straight in the image.
class TwoCabs : public ElevatorControl
{
protected:
    void SetUp() override
    {
        ElevatorControl::SetUp();
        const std::pair<int, int> rows[] = {{1, kFirstCabChannel}, {2, kFirstCabChannel + 1}};
        for (const auto& [row, channel] : rows) {
            doc->m_controllerMemory.SetByte(VLLayout::kDevices.At(row) + 1, 1);
            doc->m_controllerMemory.SetByte(VLLayout::kDevices.At(row) + 2, static_cast<std::uint8_t>(channel));
        }
        doc->m_controllerMemory.SetByte(VLLayout::kDevices.At(3) + 1, 9);
        form->Tabs()->setCurrentIndex(kElevatorPage);
    }
};

TEST_F(TwoCabs, ARelayShownTickedOnAnotherCabIsRefused)
{
    Tick(elevator->CabPage(1), 2, 2);
    elevator->Tabs()->setCurrentIndex(1);
    CTabCab* cab2 = elevator->CabPage(2);
    Tick(cab2, 2, 2);
    EXPECT_EQ(boxes.Texts(), QStringList{"This relay is already selected for Cab1."});
    EXPECT_EQ(cab2->ModuleList(2)->item(2)->checkState(), Qt::Unchecked);
    elevator->CabPage(1)->FloorList()->setCurrentIndex(1);
    Tick(cab2, 2, 2);
    EXPECT_EQ(cab2->ModuleList(2)->item(2)->checkState(), Qt::Checked) << "Cab 1 shows another floor now";
    EXPECT_EQ(boxes.Texts().size(), 1);
}

TEST_F(TwoCabs, ACabWithoutAReaderRefusesTicks)
{
    elevator->Tabs()->setCurrentIndex(2);
    CTabCab* cab3 = elevator->CabPage(3);
    EXPECT_EQ(cab3->DeviceText()->text(), QStringLiteral(" Not assigned"));
    EXPECT_FALSE(cab3->Hint()->isHidden());
    Tick(cab3, 2, 0);
    EXPECT_EQ(boxes.Texts(), QStringList{"You must assign a device for Cab3.\n\nSelect the Remote Devices tab in Node Setup."});
    EXPECT_EQ(cab3->ModuleList(2)->item(0)->checkState(), Qt::Unchecked);
}

TEST_F(TwoCabs, OnlyAChangeIsWrittenAndMarked)
{
    CTabCab* cab1 = elevator->CabPage(1);
    Tick(cab1, 2, 0);
    cab1->ModuleList(2)->item(0)->setCheckState(Qt::Unchecked);
    elevator->Tabs()->setCurrentIndex(1);
    EXPECT_EQ(doc->GetDataToProgram(), 0) << "ticked and cleared again";

    elevator->Tabs()->setCurrentIndex(0);
    Tick(cab1, 2, 0);
    form->Tabs()->setCurrentIndex(kNamesPage);
    EXPECT_EQ(CabOfA3(kLobby, 1), 0x40);
    EXPECT_EQ(doc->GetDataToProgram(), 1);
}

TEST_F(TwoCabs, NothingIsWrittenAfterCancel)
{
    Tick(elevator->CabPage(1), 2, 0);
    elevator->OnCancel();
    elevator->Tabs()->setCurrentIndex(1);
    form->Tabs()->setCurrentIndex(kNamesPage);
    EXPECT_EQ(CabOfA3(kLobby, 1), 0);
    EXPECT_EQ(doc->GetDataToProgram(), 0);
}

TEST_F(ElevatorControl, SelectingANodeLoadsItsImageAndBuildsItsCabs)
{
    EXPECT_EQ(SendAppMessage(elevator, Msg::SelectNode, 9999), 0);
    EXPECT_EQ(boxes.Texts(), QStringList{"Error loading Vestrel."});
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
    EXPECT_EQ(SendAppMessage(elevator, Msg::SelectNode, static_cast<quintptr>(g_setVestrels.m_VestrelID)), 1);
    EXPECT_EQ(elevator->Tabs()->count(), 5);
    EXPECT_EQ(elevator->CabPage(1)->FloorList()->count(), 3) << "A2's floors";
}

TEST_F(ElevatorControl, AnActivationTimeOutOfRangeBringsBackThePreviousOne)
{
    CTabCabGeneral* general = elevator->GeneralPage();
    EXPECT_EQ(general->TimeEdit()->text(), QStringLiteral("5"));
    general->TimeEdit()->setText(QStringLiteral("12"));
    general->TimeEdit()->setText(QStringLiteral("256"));
    EXPECT_EQ(boxes.Texts(), QStringList{"Please enter an integer between 0 and 255."});
    EXPECT_EQ(general->TimeEdit()->text(), QStringLiteral("12"));
    EXPECT_EQ(general->TimeEdit()->selectedText(), QStringLiteral("12"));
    form->ApplyButton()->click();
    EXPECT_EQ(doc->m_controllerMemory.Byte(VLLayout::kTovixActivationTime), 12);
}

} // namespace
