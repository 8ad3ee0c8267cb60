#include "config/RemoteDeviceRows.h"
#include "image/CVLControllerMemory.h"
#include "image/VLMemoryLayout.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Masks = std::vector<std::pair<int, std::int32_t>>;
constexpr std::array<bool, 4> kAllOptions = {true, true, true, true};

int Record(int row)
{
    return VLLayout::kDevices.At(row);
}

TEST(RemoteDeviceRowsTest, EachRowGroupHasItsPositionToCodeTable)
{
    const struct
    {
        int row;
        std::vector<int> codes;
    } tables[] = {{1, {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11}},
                  {6, {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11}},
                  {7, {0, 1, 2, 3, 4, 5, 6}},
                  {8, {0, 3, 4, 5}},
                  {9, {0, 3, 4, 5}}};
    for (const auto& t : tables) {
        SCOPED_TRACE(t.row);
        ASSERT_EQ(RemoteDeviceRows::TypeNames(t.row).size(), static_cast<int>(t.codes.size()));
        for (int position = 0; position < static_cast<int>(t.codes.size()); ++position) {
            EXPECT_EQ(RemoteDeviceRows::TypeCode(t.row, position), t.codes[static_cast<size_t>(position)]);
            EXPECT_EQ(RemoteDeviceRows::TypePosition(t.row, t.codes[static_cast<size_t>(position)]), position);
        }
        EXPECT_EQ(RemoteDeviceRows::TypeCode(t.row, static_cast<int>(t.codes.size())), -1);
    }
    EXPECT_EQ(RemoteDeviceRows::TypeNames(1)[6], QStringLiteral("Tovix Enclosure"));
    EXPECT_EQ(RemoteDeviceRows::TypeNames(7)[6], QStringLiteral("Phone"));
    EXPECT_EQ(RemoteDeviceRows::TypePosition(8, 1), -1) << "a reader input takes no keypad";
    EXPECT_EQ(RemoteDeviceRows::TypePosition(7, 8), -1);
}

TEST(RemoteDeviceRowsTest, RowsAreReadAndWrittenAsTheImageHoldsThem)
{
    CVLControllerMemory image;
    image.SetByte(Record(3), 0x02 | 0x20 | 0x80);
    image.SetByte(Record(3) + 1, 4);
    image.SetByte(Record(3) + 2, 6);
    QString name = QStringLiteral("Back door reader");
    image.ExchangeDeviceName(3, name, 0);
    RemoteDeviceRows rows;
    rows.Load(image);
    const RemoteDeviceRows::Row& row = rows.At(3);
    EXPECT_EQ(row.type, 4);
    EXPECT_EQ(row.channel, 6);
    EXPECT_EQ(row.direction, 2);
    EXPECT_EQ(row.options, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(row.name, QStringLiteral("Back door reader"));

    rows.SetDetails(3, 1, kAllOptions, QStringLiteral("Reader"));
    rows.SetDetails(4, 0, {}, QString());
    EXPECT_EQ(rows.ChangeType(2, 8), QString());
    rows.Save(image);
    EXPECT_EQ(image.Byte(Record(3)), 0x01) << "all options ticked leaves bits 4-7 clear";
    EXPECT_EQ(image.Byte(Record(4)), 0xF0) << "none ticked sets all four";
    EXPECT_EQ(image.Byte(Record(3) + 1), 4);
    EXPECT_EQ(image.Byte(Record(3) + 2), 6);
    EXPECT_EQ(image.Byte(VLLayout::kTovixAddresses.At(0)), 2) << "Mod1 sits on DV2";
    EXPECT_EQ(image.Byte(VLLayout::kTovixAddresses.At(1)), 0);
    QString stored;
    image.ExchangeDeviceName(3, stored, 1);
    EXPECT_EQ(stored, QStringLiteral("Reader"));
}

TEST(RemoteDeviceRowsTest, TovixTypesFixTheChannelAndRefuseASecondOfTheirKind)
{
    CVLControllerMemory image;
    RemoteDeviceRows rows;
    rows.Load(image);
    EXPECT_EQ(rows.ChangeType(1, 9), QString());
    EXPECT_EQ(rows.At(1).channel, RemoteDeviceRows::kElevatorChannel);
    EXPECT_EQ(rows.At(1).direction, 0);
    EXPECT_TRUE(rows.IsChannelFixed(1));
    EXPECT_EQ(rows.ChangeType(3, 9), QStringLiteral("Tovix Mod2 is already selected."));
    EXPECT_EQ(rows.At(3).type, 0);
    EXPECT_EQ(rows.ChangeType(2, 7), QString());
    EXPECT_EQ(rows.ChangeType(5, 7), QStringLiteral("The Tovix Enclosure is already selected."));
    EXPECT_EQ(rows.ChangeType(2, 1), QString());
    EXPECT_EQ(rows.At(2).channel, 0) << "back from the enclosure to a keypad: door A";
    EXPECT_FALSE(rows.IsChannelFixed(2));
}

TEST(RemoteDeviceRowsTest, ChannelRulesRefuseASharedCabAndElevatorControlWithoutTovix)
{
    CVLControllerMemory image;
    RemoteDeviceRows rows;
    rows.Load(image);
    EXPECT_EQ(rows.ChangeChannel(8, 6), QString());
    EXPECT_EQ(rows.ChangeChannel(4, 6), QStringLiteral("Cab 2 is already associated with device DV8."));
    EXPECT_EQ(rows.At(4).channel, 0);
    EXPECT_EQ(rows.ChangeChannel(4, RemoteDeviceRows::kElevatorChannel),
              QStringLiteral("Invalid Control Channel selection.\n\nYou must select an Tovix device before making this "
                             "selection."));
    EXPECT_EQ(rows.At(4).channel, 0);
    EXPECT_EQ(rows.ChangeChannel(4, 7), QString());
    EXPECT_EQ(rows.At(4).channel, 7);
}

TEST(RemoteDeviceRowsTest, ARemovedCabOrModuleIsClearedAlsoAfterAnEarlierSave)
{
    const std::int32_t keepAllButMod4 = 0x03FFFF;
    const Masks mod4Gone = {{1, keepAllButMod4}, {2, keepAllButMod4}, {3, keepAllButMod4}, {4, keepAllButMod4}};
    for (bool savedBefore : {false, true}) {
        SCOPED_TRACE(savedBefore);
        CVLControllerMemory image;
        RemoteDeviceRows rows;
        if (savedBefore) {
            rows.Load(image);
            ASSERT_EQ(rows.ChangeType(1, 1), QString());
            ASSERT_EQ(rows.ChangeChannel(1, 7), QString());
            ASSERT_EQ(rows.ChangeType(2, 11), QString());
            EXPECT_EQ(rows.Save(image), Masks{}) << "nothing was removed yet";
        } else {
            image.SetByte(Record(1) + 1, 1);
            image.SetByte(Record(1) + 2, 7);
            image.SetByte(Record(2) + 1, 11);
            rows.Load(image);
        }
        EXPECT_EQ(rows.ChangeChannel(1, 0), QString());
        Masks expected = {{3, 0}};
        expected.insert(expected.end(), mod4Gone.begin(), mod4Gone.end());
        EXPECT_EQ(rows.ChangeType(2, 0), QString());
        EXPECT_EQ(rows.Save(image), expected);
        EXPECT_EQ(rows.Save(image), Masks{}) << "said once";
    }
}

} // namespace
