#include "tests/linkforms/NetworkStatusPaneFixture.h"

#include "common/Vocabulary.h"
#include "image/CVLControllerMemory.h"
#include "linkforms/CDlgNetworkConnection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

constexpr int kNetA = 1;

template <typename T>
T* Control(const QDialog& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}

// The network button pane with a dialog the test edits and then accepts or cancels.
class NetworkButtons : public NetworkStatusPane
{
protected:
    void SetUp() override
    {
        NetworkStatusPane::SetUp();
        if (HasFatalFailure())
            return;
        pane->runNetworkDialog = [this](CDlgNetworkConnection& dialog) {
            ++dialogs;
            if (edit)
                edit(dialog);
            if (!accept)
                return false;
            dialog.accept();
            return true;
        };
    }

    void SetNetworkEnabled(bool enabled)
    {
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Active = enabled;
        g_setVLNetworks.Update();
    }
    void CheckEnable(bool on)
    {
        edit = [on](CDlgNetworkConnection& dialog) {
            Control<QCheckBox>(dialog, CDlgNetworkConnection::IdEnable)->setChecked(on);
        };
    }

    std::function<void(CDlgNetworkConnection&)> edit;
    bool accept = true;
    int dialogs = 0;
};

TEST_F(NetworkButtons, NetworkWithoutRowSaysSoAndOpensNothing)
{
    while (g_setVLNetworks.FindFirst("Net = 2"))
        g_setVLNetworks.Delete();
    pane->NetworkButton(2)->click();
    EXPECT_EQ(boxes.Texts(), QStringList{"This network has not been initialized."});
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(host.comboFills, 0);
}

TEST_F(NetworkButtons, OkWritesTheEditedValuesBackAndRefillsTheNetworkList)
{
    edit = [](CDlgNetworkConnection& dialog) {
        EXPECT_EQ(dialog.Values().net, kNetA);
        Control<QLineEdit>(dialog, CDlgNetworkConnection::IdName)->setText("Gatehouse");
        Control<QLineEdit>(dialog, CDlgNetworkConnection::IdPassword)->setText("654321");
        Control<QSpinBox>(dialog, CDlgNetworkConnection::IdOffset)->setValue(-3);
        Control<QCheckBox>(dialog, CDlgNetworkConnection::IdDaylight)->setChecked(true);
        Control<QComboBox>(dialog, CDlgNetworkConnection::IdConnectUsing)->setCurrentIndex(0);
        Control<QLineEdit>(dialog, CDlgNetworkConnection::IdPhone)->setText("8005551234");
    };
    pane->NetworkButton(kNetA)->click();
    ASSERT_EQ(dialogs, 1);
    ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
    EXPECT_EQ(g_setVLNetworks.m_NetName, "Gatehouse");
    EXPECT_EQ(g_setVLNetworks.m_Password, "654321");
    EXPECT_EQ(g_setVLNetworks.m_HoursOffset, -3);
    EXPECT_TRUE(g_setVLNetworks.m_DaylightSavings);
    EXPECT_EQ(g_setVLNetworks.m_ConnectUsing, 0);
    EXPECT_EQ(g_setVLNetworks.m_AreaCode, "800");
    EXPECT_EQ(g_setVLNetworks.m_PhoneNo, "5551234");
    EXPECT_EQ(host.comboFills, 1);
    EXPECT_EQ(host.allRemoved, 0);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(NetworkButtons, CancelChangesNothing)
{
    ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
    const QString name = g_setVLNetworks.m_NetName;
    accept = false;
    edit = [](CDlgNetworkConnection& dialog) {
        Control<QLineEdit>(dialog, CDlgNetworkConnection::IdName)->setText("Changed");
    };
    pane->NetworkButton(kNetA)->click();
    ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
    EXPECT_EQ(g_setVLNetworks.m_NetName, name);
    EXPECT_EQ(host.comboFills, 0);
}

TEST_F(NetworkButtons, SwitchingOffRemovesQueuedCommandsOnlyWhenTheNetworkHasSome)
{
    SetNetworkEnabled(true);
    CheckEnable(false);
    pane->NetworkButton(kNetA)->click();
    EXPECT_EQ(host.allRemoved, 0) << "nothing queued";

    SetNetworkEnabled(true);
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    pane->NetworkButton(kNetA)->click();
    EXPECT_EQ(host.allRemoved, 1);
    ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
    EXPECT_FALSE(g_setVLNetworks.m_Active);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(NetworkButtons, SwitchingOnOffersToReprogramTheNetworksPanels)
{
    const QString question = "When enabling a network it is recommended to reprogram all controllers on the net.\n\n"
                             "Do you want to reprogram all controllers on the net you are enabling?";
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        MessageBoxScript local;
        for (int node : {1, 2, 3})
            SetFlags(node, 0);
        SetNetworkEnabled(false);
        CheckEnable(true);
        local.Answer(answer);
        pane->NetworkButton(kNetA)->click();
        EXPECT_EQ(local.Texts(), QStringList{question});
        for (int node : {1, 2, 3})
            EXPECT_EQ(FlagsOf(node) & 1, answer == IDYES ? 1 : 0) << node;
        EXPECT_EQ(host.dataPending, answer == IDYES ? 1 : 0);
    }
    EXPECT_EQ(host.allRemoved, 0);
}

struct Device
{
    int node;
    int device;
    std::uint8_t settings; // direction in the low four bits
    std::uint8_t type;
    const char* name;
};

// Writes the devices into the controllers' image files, every other device
// of nodes 1-3 having no direction.
void WriteDevices(CWFDoc& doc, const std::vector<Device>& devices)
{
    for (int node : {1, 2, 3}) {
        ASSERT_TRUE(g_setVestrels.FindByAddress(kNetA, node));
        CVLControllerMemory image;
        ASSERT_TRUE(image.LoadFile(doc.BuildPath(CWFDoc::kVestrels, g_setVestrels.GetFileName()), 0, 0, {}));
        for (int d = 0; d < VLLayout::kDevices.count; ++d)
            image.SetByte(VLLayout::kDevices.At(d), 0);
        for (const Device& device : devices) {
            if (device.node != node)
                continue;
            image.SetByte(VLLayout::kDevices.At(device.device), device.settings);
            image.SetByte(VLLayout::kDevices.At(device.device) + 1, device.type);
            QString name = QString::fromLatin1(device.name);
            ASSERT_TRUE(image.ExchangeDeviceName(device.device, name, 0));
        }
        ASSERT_TRUE(image.SaveFile());
    }
}

TEST_F(NetworkButtons, DeviceListShowsEachControllersInAndOutDevices)
{
    const std::vector<Device> devices = {
        {1, 0, 0x01, 1, "Integral"},       // device 0 is not a remote device
        {1, 3, 0x01, 1, "  Front door  "}, // in
        {1, 4, 0x02, 3, "Back door"},      // out
        {1, 5, 0x00, 1, "No direction"},
        {1, 6, 0x03, 1, "Neutral"},
        {1, 8, 0xF2, 2, "High bits kept"}, // only the low nibble is the direction
        {2, 10, 0x01, 3, "Garage"},
        {2, 11, 0x02, 4, "Loading bay"},
        {3, 2, 0x01, 200, "Odd type"},
    };
    WriteDevices(m_doc, devices);
    QStringList rows;
    edit = [&rows](CDlgNetworkConnection& dialog) {
        auto* list = Control<QTreeWidget>(dialog, CDlgNetworkConnection::IdDevices);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list->topLevelItem(i);
            rows << row->text(0) + "|" + row->text(1) + "|" + row->text(2);
        }
    };
    accept = false;
    pane->NetworkButton(kNetA)->click();
    const QString type1 = NameAt(DeviceTypeNames, 1);
    const QString type2 = NameAt(DeviceTypeNames, 2);
    const QString type3 = NameAt(DeviceTypeNames, 3);
    const QString type4 = NameAt(DeviceTypeNames, 4);
    EXPECT_EQ(rows, (QStringList{
                        "[A1][DV3] Front door|" + type1 + "|In",
                        "[A1][DV4] Back door|" + type3 + "|Out",
                        "[A1][DV8] High bits kept|" + type2 + "|Out",
                        "[A2][DV10] Garage|" + type3 + "|In",
                        "[A2][DV11] Loading bay|" + type4 + "|Out",
                        "[A3][DV2] Odd type|?|In",
                    }));
}

} // namespace
