#include "image/CVLMemory.h"
#include "tests/image/ImageTestFixture.h"
#include "tests/support/MessageBoxScript.h"

using DefaultsTest = ImageTest;

namespace {

struct ByteCase
{
    int offset;
    int value;
};

// Bytes other parts rely on, for node 1 of net 2 with version "001".
const ByteCase kDefaultBytes[] = {
    {0, 0},       {1, '0'},    {2, '0'},    {3, '1'},    {5, 2},      {6, 3},     {7, 7},     {8, 8},
    {9, 2},       {82, 60},    {83, 3},     {84, 0},     {606, 0},    {607, 0},   {608, '5'}, {613, '7'},
    {614, '5'},   {619, '7'},  {639, ' '},  {640, 0},    {648, ' '},  {649, 0},   {672, ' '}, {673, 0},
    {724, 0},     {725, 31},   {726, 0x90}, {728, 0},    {729, 2},    {736, 31},  {737, 0x50}, {740, 2},
    {747, 31},    {748, 0},    {758, 31},   {759, 0},    {762, 2},    {834, 2},   {835, 1},   {865, 0},
    {867, 4},     {1075, 128}, {1076, 6},   {1077, 0},   {1226, 0x40}, {1227, 0xFF}, {1235, 0xFF},
    {1242, 0x40}, {1243, 0},   {1244, 0xFF}, {1247, 0},  {1248, 0xFF}, {1251, 0}, {1252, 0xFF},
    {1258, 0x40}, {1274, 0},   {1275, 0xFF}, {2249, 0},  {2250, 0},   {3914, 'C'}, {3922, 'A'},
    {3923, 0},    {3994, 'D'}, {4010, 1},   {4011, 0},   {4012, 0},   {4013, 1},  {4024, 1},  {4034, 0},
    {4036, 1},    {4040, 0},   {4052, 0},   {4054, 1},   {4074, 1},   {4076, 0},   {4077, 33}, {4088, 0},  {4089, 39},
    {4090, 1},    {4091, 0},   {4479, 5},   {4480, 0},   {8191, 0},
};

} // namespace

TEST_F(DefaultsTest, NewImageHoldsTheDefaultsOtherPartsRelyOn)
{
    CVLMemory memory;
    memory.FillDefaults(21, kVersion);
    for (const ByteCase& c : kDefaultBytes) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(memory.Byte(c.offset), c.value);
    }
    EXPECT_EQ(ImageText(memory, 620, 20), "ATH0E0S0=0Q0&G17&H2 ");
    EXPECT_EQ(ImageText(memory, 644, 5), "ATH0 ");
    EXPECT_EQ(ImageText(memory, 668, 5), "ATH0 ");
    EXPECT_EQ(ImageText(memory, 3914, 9), "Channel A");
    EXPECT_EQ(ImageText(memory, 3938, 9), "Channel B");
    EXPECT_EQ(ImageText(memory, 3962, 9), "Channel C");
    EXPECT_EQ(ImageText(memory, 3986, 9), "Channel D");
}

TEST_F(DefaultsTest, ButtonSchedulesAreReadForButtonsOneToFourOnly)
{
    CVLMemory memory;
    memory.FillDefaults(11, kVersion);
    const int expected[] = {0, 2, 3, 7, 8, 0};
    for (int button = 0; button <= 5; ++button) {
        SCOPED_TRACE(button);
        EXPECT_EQ(memory.GetButtonSchedule(button), expected[button]);
    }
}

TEST_F(DefaultsTest, OtherNodesOfANetCopyThePasswordsOfItsNodeOne)
{
    CVLMemory first;
    first.FillDefaults(21, kVersion);
    const QByteArray remote = QByteArray(2, '\0') + "580317";
    EXPECT_EQ(ImageText(first, 606, 8), remote);
    EXPECT_EQ(ImageText(first, 614, 6), "580317");
    ASSERT_TRUE(NetworkPasswords::Remote(2).has_value());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(NetworkPasswords::Remote(2)->data()), 8), remote);
    EXPECT_FALSE(NetworkPasswords::Remote(1).has_value());

    // A changed net password reaches a node created afterwards.
    RemotePassword netRemote{0, 0, 0, 0, 0, 0, '4', '2'};
    PriorityPassword netPriority{0, 0, 0, 0, '4', '3'};
    NetworkPasswords::Store(2, netRemote, netPriority);
    CVLMemory third;
    third.FillDefaults(23, kVersion);
    EXPECT_EQ(ImageText(third, 606, 8), QByteArray(6, '\0') + "42");
    EXPECT_EQ(ImageText(third, 614, 6), QByteArray(4, '\0') + "43");
    EXPECT_EQ(third.Byte(834), 2);
    EXPECT_EQ(third.Byte(835), 3);
}

TEST_F(DefaultsTest, NodeOfANetWithoutPasswordsStartsWithEmptyPasswords)
{
    CVLMemory memory;
    memory.FillDefaults(53, kVersion);
    EXPECT_EQ(ImageText(memory, 606, 14), QByteArray(14, '\0'));
}

TEST_F(DefaultsTest, NetworkPasswordTablesHoldNetsOneToEightOnly)
{
    const RemotePassword remote{1, 2, 3, 4, 5, 6, 7, 8};
    const PriorityPassword priority{1, 2, 3, 4, 5, 6};
    for (int net : {0, 9, -1}) {
        SCOPED_TRACE(net);
        EXPECT_FALSE(NetworkPasswords::Store(net, remote, priority));
        EXPECT_FALSE(NetworkPasswords::Remote(net).has_value());
    }
    for (int net = 1; net <= 8; ++net)
        EXPECT_TRUE(NetworkPasswords::Store(net, remote, priority));
    EXPECT_EQ(*NetworkPasswords::Priority(8), priority);
    NetworkPasswords::SetShortFileLoaded();
    NetworkPasswords::Reset();
    EXPECT_FALSE(NetworkPasswords::Remote(8).has_value());
    EXPECT_FALSE(NetworkPasswords::ShortFileLoaded());
}

TEST_F(DefaultsTest, UnprintableVersionWarnsAndBecomesZeroPointZeroOne)
{
    MessageBoxScript script;
    CVLMemory memory;
    memory.FillDefaults(11, {0x00, 0x01, 0x02});
    ASSERT_EQ(script.Shown().size(), 1);
    EXPECT_EQ(script.Texts().front(),
              "The firmware version number was not received from the controller\n\n"
              "The three hex bytes received were  00H, 01H and 02H.\n\n"
              "This will be replaced on the node's General tab display with version '0.01'.");
    EXPECT_EQ(script.Shown().front().icon, MbIcon::Exclamation);
    EXPECT_EQ(ImageText(memory, 1, 3), "001");
}

TEST_F(DefaultsTest, DoorScheduleKeepsTheDoorBitsOfSchedulesOneToThirtyOne)
{
    CVLMemory memory;
    memory.FillDefaults(11, kVersion);
    std::uint8_t value = 0x3A;
    EXPECT_TRUE(memory.SetDoorSchedule(value, 31));
    EXPECT_EQ(value, 0x0A);
    EXPECT_EQ(memory.Byte(2281), 0x0A);
    for (int schedule : {0, 32, -1}) {
        SCOPED_TRACE(schedule);
        std::uint8_t other = 5;
        EXPECT_FALSE(memory.SetDoorSchedule(other, schedule));
    }
    EXPECT_EQ(memory.Byte(2250), 0);
    EXPECT_EQ(memory.Byte(2282), 0);
}

TEST_F(DefaultsTest, FloorScheduleZeroIsEveryFloorOfAnySchedule)
{
    CVLMemory memory;
    memory.FillDefaults(11, kVersion);
    EXPECT_TRUE(memory.SetFloorSchedule(3, {0x000100, 0, 0, 0x800000}));
    EXPECT_TRUE(memory.SetFloorSchedule(5, {0x123456, 0x000001, 0, 0}));
    // Least significant byte first in the image.
    EXPECT_EQ(memory.Byte(4091 + 5 * 12), 0x56);
    EXPECT_EQ(memory.Byte(4091 + 5 * 12 + 2), 0x12);
    EXPECT_EQ(memory.GetFloorSchedule(0), (CabMasks{0x123556, 0x000001, 0, 0x800000}));

    // Taking a floor out of its only schedule takes it out of schedule 0 too.
    EXPECT_TRUE(memory.SetFloorSchedule(3, {0, 0, 0, 0}));
    EXPECT_EQ(memory.GetFloorSchedule(0), (CabMasks{0x123456, 0x000001, 0, 0}));
    EXPECT_FALSE(memory.SetFloorSchedule(32, {1, 1, 1, 1}));
    EXPECT_EQ(memory.GetFloorSchedule(32), CabMasks{});
}

TEST_F(DefaultsTest, DisplaySlotFlagsComeFromTheMessageSet)
{
    CVLMemory memory;
    memory.FillDefaults(11, kVersion);
    DisplayJustifications justifications{};
    for (std::size_t k = 0; k < justifications.size(); ++k)
        justifications[k] = static_cast<std::uint8_t>(k % 3);
    memory.BindDisplayMessageSlots(justifications);
    for (int slot = 0; slot < 40; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(memory.Byte(4010 + 2 * slot), slot % 3);
        EXPECT_EQ(memory.Byte(4011 + 2 * slot), slot);
    }
}

TEST_F(DefaultsTest, OffsetsOutsideTheImageReadZeroAndWriteNothing)
{
    CVLMemory memory;
    memory.FillDefaults(11, kVersion);
    const VLImage before = memory.Image();
    memory.SetByte(8192, 1);
    memory.SetByte(-1, 1);
    memory.SetWord(8191, 0xFFFF);
    EXPECT_EQ(memory.Image(), before);
    EXPECT_EQ(memory.Byte(8192), 0);
    EXPECT_EQ(memory.Word(8191), 0);
}
