#include "app/CWFDoc.h"
#include "config/NodeNamesValues.h"
#include "config/NodePasswordValues.h"
#include "config/NodeVersionText.h"
#include "config/ObstacleTransmitter.h"
#include "config/RelaySettings.h"
#include "database/GlobalRecordsets.h"
#include "image/NetworkPasswords.h"
#include "image/VLMemoryLayout.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/support/MessageBoxScript.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr std::int32_t kOldFirmware = 0x0110;
constexpr std::uint8_t kOldPanelType = 0;

// A demo controller's image loaded as node setup loads it.
class NodeSetup : public ProgrammingRun
{
protected:
    void TearDown() override
    {
        NetworkPasswords::Reset();
        ProgrammingRun::TearDown();
    }
    void Select(int node)
    {
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, node));
        ASSERT_TRUE(m_doc.LoadControllerSettings(g_setVestrels.m_VestrelID));
    }
    void SetFirmware(int node, std::int32_t version)
    {
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, node));
        g_setVestrels.Edit();
        g_setVestrels.m_FirmwareVersion = version;
        g_setVestrels.Update();
    }
    QByteArray Bytes(int offset, int length) const
    {
        const auto& image = m_doc.m_controllerMemory.Image();
        return QByteArray(reinterpret_cast<const char*>(image.data()) + offset, length);
    }

    MessageBoxScript boxes;
};

TEST_F(NodeSetup, NamesShowTheControllersRowAndImage)
{
    Select(1);
    const NodeNamesValues values = NodeNamesValues::Load(m_doc);
    EXPECT_EQ(values.installation, "Acme Manufacturing");
    EXPECT_EQ(values.network, "Main Building");
    EXPECT_EQ(NodeAddressText(values.nodeAddress), "  1");
    EXPECT_EQ(values.controller, "Front Entrance");
    EXPECT_EQ(values.channels[0], "Door");
    EXPECT_EQ(values.subsets.size(), 8u);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(NodeSetup, NamesWriteTheNameSlotsAndDoorBitsIntoTheImage)
{
    Select(1);
    NodeNamesValues values = NodeNamesValues::Load(m_doc);
    values.channels[0] = QStringLiteral("Front Door");
    values.priorityAccess = {false, true, false, true};
    values.radioDirection = 1;
    m_doc.m_controllerMemory.SetByte(VLLayout::kRadioDirection, 0xA0);
    values.WriteImage(m_doc.m_controllerMemory);

    const int channelA = VLLayout::kNames.At(VLLayout::kFirstChannelName);
    EXPECT_EQ(Bytes(channelA, VLLayout::kNames.size), QByteArray("Front Door").leftJustified(VLLayout::kNames.size, ' '));
    EXPECT_EQ(m_doc.m_controllerMemory.Byte(VLLayout::kPriorityDoors), 2 | 8);
    EXPECT_EQ(m_doc.m_controllerMemory.Byte(VLLayout::kRadioDirection), 0xA1) << "high bits kept";
}

TEST_F(NodeSetup, OlderFirmwareShowsFourSubsetsAndKeepsTheHighBits)
{
    SetPanelType(1, kOldPanelType);
    SetFirmware(1, kOldFirmware);
    Select(1);
    m_doc.m_controllerMemory.SetByte(VLLayout::kDirectorySubsets, 0xA5);
    NodeNamesValues values = NodeNamesValues::Load(m_doc);
    ASSERT_EQ(values.subsets, (std::vector<bool>{true, false, true, false}));
    values.subsets = {false, true, true, true};
    values.WriteImage(m_doc.m_controllerMemory);
    EXPECT_EQ(m_doc.m_controllerMemory.Byte(VLLayout::kDirectorySubsets), 0xAE);
}

TEST_F(NodeSetup, DisplayMessageSetMarksDataOnlyWhenItChanges)
{
    Select(1);
    for (const std::uint8_t stored : {std::uint8_t{2}, std::uint8_t{2}}) {
        NodeNamesValues values = NodeNamesValues::Load(m_doc);
        const bool differs = values.displayMessageSet != stored;
        m_doc.SetDataToProgram(0);
        values.displayMessageSet = stored;
        values.Store(m_doc);
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 1));
        EXPECT_EQ(g_setVestrels.m_DisplayMessageSet, 2);
        EXPECT_EQ(m_doc.GetDataToProgram(), differs ? 1 : 0);
    }
}

TEST_F(NodeSetup, MasterPasswordIsStoredRightAligned)
{
    Select(1);
    NodePasswordValues values = NodePasswordValues::Load(m_doc);
    ASSERT_TRUE(values.master);
    values.remote = QStringLiteral("123");
    values.priority = QStringLiteral("4567");
    ASSERT_TRUE(values.Store(m_doc.m_controllerMemory));
    EXPECT_EQ(Bytes(VLLayout::kRemotePassword, VLLayout::kRemotePasswordLength), QByteArray("\0\0\0\0\0" "123", 8));
    EXPECT_EQ(Bytes(VLLayout::kPriorityPassword, VLLayout::kPriorityPasswordLength), QByteArray("\0\0" "4567", 6));
}

TEST_F(NodeSetup, TooLongPasswordIsRefusedAndKeepsTheField)
{
    Select(1);
    const QByteArray before = Bytes(VLLayout::kRemotePassword, VLLayout::kRemotePasswordLength);
    NodePasswordValues values = NodePasswordValues::Load(m_doc);
    values.remote = QStringLiteral("123456789");
    EXPECT_FALSE(values.Store(m_doc.m_controllerMemory));
    EXPECT_EQ(Bytes(VLLayout::kRemotePassword, VLLayout::kRemotePasswordLength), before);
    EXPECT_EQ(boxes.Texts(), QStringList{"Remote Access Password can only be up to 8 characters long"});
}

TEST_F(NodeSetup, OtherNodesShowTheNetworksEntryOrTheDefault)
{
    NetworkPasswords::Reset();
    Select(2);
    NodePasswordValues values = NodePasswordValues::Load(m_doc);
    EXPECT_FALSE(values.master);
    EXPECT_EQ(values.remote, "418275");

    // The entry follows node 1's image only as it is saved.
    Select(1);
    QString typed = QStringLiteral("123");
    ASSERT_TRUE(m_doc.m_controllerMemory.ExchangeRemotePassword(typed, 0));
    ShareSavedPasswords(m_doc.m_controllerMemory, 1, 2);
    EXPECT_FALSE(NetworkPasswords::Remote(1).has_value()) << "only node 1 gives the entry";
    ShareSavedPasswords(m_doc.m_controllerMemory, 1, 1);
    Select(2);
    EXPECT_EQ(NodePasswordValues::Load(m_doc).remote, "123");
}

TEST_F(NodeSetup, RelayRecordsKeepTheBitsTheyDoNotOwn)
{
    Select(1);
    CVLControllerMemory& image = m_doc.m_controllerMemory;
    const int relayB = VLLayout::kRelays.At(1);
    image.SetByte(relayB, 0xBF);
    RelaySettings settings = RelaySettings::Load(image, 1);
    settings.timingMode = 2;
    settings.operation = 0;
    settings.associations = 0x0D;
    settings.activationTime = 300;
    settings.Store(image, 1);
    EXPECT_EQ(image.Byte(736), 0x5F) << "Toggle: bit 6 set, bits 7 and 5 clear, bits 0-4 kept";
    EXPECT_EQ(image.Byte(relayB + 2), 0) << "a control relay has no associations";
    EXPECT_EQ(image.Byte(relayB + 3), 0x01);
    EXPECT_EQ(image.Byte(relayB + 4), 0x2C);

    settings.operation = 2;
    settings.Store(image, 1);
    EXPECT_EQ(image.Byte(relayB + 2), 0x0D) << "an alarm relay keeps them";
    EXPECT_EQ((RelaySettings::OtherRelays(1)), (std::array<int, 3>{0, 2, 3}));
}

TEST(NodeVersionText, FirmwareLineShowsTheMinorInHex)
{
    EXPECT_EQ(FirmwareLine(1, 0x10), "Firmware: 1.10");
    EXPECT_EQ(FirmwareLine(2, 0x0A), "Firmware: 2.0a");
}

} // namespace

namespace {

ObstacleRecord BlockOf(std::initializer_list<int> head, const char* name = "")
{
    ObstacleRecord block{};
    int i = 0;
    for (int byte : head)
        block[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(byte);
    for (int c = 0; name[c]; ++c)
        block[static_cast<std::size_t>(8 + c)] = static_cast<std::uint8_t>(name[c]);
    return block;
}

TEST(ObstacleTransmitterBlock, EncodesAndDecodes)
{
    struct Case
    {
        const char* what;
        ObstacleTransmitter transmitter;
        ObstacleRecord block;
        ObstacleTransmitter readBack;
    };
    const Case cases[] = {
        {"named, ID low byte first", {15, 65535, "ABCD"}, BlockOf({0x90, 0x0F, 0, 0xFF, 0xFF}, "ABCD"), {15, 65535, "ABCD"}},
        {"no name", {3, 300, ""}, BlockOf({0x80, 0x03, 0, 0x2C, 0x01}), {3, 300, ""}},
        {"ID 0 is no transmitter", {7, 0, "Gate"}, ObstacleRecord{}, {0, 0, ""}},
        {"24 characters fill the field", {1, 1, "ABCDEFGHIJKLMNOPQRSTUVWX"},
         BlockOf({0x90, 1, 0, 1, 0}, "ABCDEFGHIJKLMNOPQRSTUVWX"), {1, 1, "ABCDEFGHIJKLMNOPQRSTUVWX"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.transmitter.Encode(), c.block);
        const ObstacleTransmitter back = ObstacleTransmitter::Decode(c.block);
        EXPECT_EQ(back.facility, c.readBack.facility);
        EXPECT_EQ(back.id, c.readBack.id);
        EXPECT_EQ(back.name, c.readBack.name);
    }
}

TEST(ObstacleTransmitterBlock, AnUndefinedBlockIsAnEmptyRow)
{
    const ObstacleTransmitter row = ObstacleTransmitter::Decode(BlockOf({0x10, 5, 0, 9, 0}, "Left"));
    EXPECT_EQ(row.facility, 0);
    EXPECT_EQ(row.id, 0);
    EXPECT_TRUE(row.name.isEmpty());
}

} // namespace
