#pragma once

#include <array>
#include <cstdint>

// Layout of the 8192 bytes of a panel's settings memory. Every offset other
// code uses for panel settings comes from here. Multi-byte numbers are
// big-endian unless a comment says otherwise.
namespace VLLayout {

inline constexpr int kImageSize = 8192;

// A table of equal records: record i starts at base + i * size.
struct RecordTable
{
    int base;
    int size;
    int count;

    constexpr bool Has(int index) const { return index >= 0 && index < count; }
    constexpr int At(int index) const { return base + index * size; }
    constexpr int End() const { return base + size * count; }
};

// Bytes offset .. offset + length - 1 of each of count records stride apart;
// mask selects the bits of each byte that belong to the span.
struct ImageSpan
{
    int offset;
    int length;
    int stride = 0;
    int count = 1;
    std::uint8_t mask = 0xFF;
};

// The bytes first .. first + length - 1 of every record of a table.
constexpr ImageSpan EachRecord(RecordTable table, int first, int length)
{
    return {table.base + first, length, table.size, table.count};
}

constexpr ImageSpan WholeTable(RecordTable table)
{
    return {table.base, table.size * table.count};
}

constexpr ImageSpan Bytes(int first, int last)
{
    return {first, last - first + 1};
}

inline constexpr int kSystemSetup = 0;
inline constexpr std::uint8_t kDirectoryAtMiddleBit = 0x40;
inline constexpr int kFirmwareVersion = 1;
inline constexpr int kFirmwareVersionLength = 3;
inline constexpr int kKeypadStrikes = 4;
inline constexpr RecordTable kButtonSchedules{5, 1, 4};
inline constexpr int kFirstButton = 1;
inline constexpr int kSpareByte9 = 9;
inline constexpr int kDoorAjarTime = 10;
inline constexpr int kRadioDirection = 11;
inline constexpr std::uint8_t kRadioDirectionBits = 0x0F;
inline constexpr std::uint8_t kIntegralRadioBit = 0x01;
inline constexpr RecordTable kTransmitterFacilityCodes{12, 2, 16};
inline constexpr RecordTable kCardFacilityCodes{44, 2, 16};
inline constexpr int kDirectoryCount = 76;
inline constexpr int kDirectoryListStart = 78;
inline constexpr int kDirectoryMidpoint = 80;
inline constexpr int kTalkTime = 82;
inline constexpr int kDirCodeLength = 83;
inline constexpr int kPbxDigit = 84;
inline constexpr int kPostKeyChannel = 85;
inline constexpr ImageSpan kMergeCleared = Bytes(86, 93);
inline constexpr RecordTable kDirectoryFirstEntries{94, 2, 128};
inline constexpr RecordTable kDirectoryCounts{350, 2, 128};

// Passwords are right-aligned with NUL bytes in front.
inline constexpr int kRemotePassword = 606;
inline constexpr int kRemotePasswordLength = 8;
inline constexpr int kPriorityPassword = 614;
inline constexpr int kPriorityPasswordLength = 6;

inline constexpr RecordTable kModemStrings{620, 24, 3};
inline constexpr RecordTable kDownlightTimes{692, 4, 8};
inline constexpr int kDownlightOn = 0;
inline constexpr int kDownlightOff = 2;

inline constexpr int kRelayFlags = 724;
inline constexpr RecordTable kRelays{725, 11, 4};
namespace Relay {
inline constexpr int kTiming = 0;
inline constexpr int kOperation = 1;
inline constexpr int kExtra = 2;
inline constexpr int kActivationTime = 3;
inline constexpr int kTimeZones = 7;
inline constexpr int kTimeZoneCount = 4;
// Timing mode 1, 2, 3 is one of the top three bits; none set is mode 0.
inline constexpr std::uint8_t kTimingBits = 0xE0;
inline constexpr std::array<std::uint8_t, 3> kTimingModeBit = {0x80, 0x40, 0x20};
inline constexpr std::uint8_t kOperationBits = 0x0F;
inline constexpr int kPhoneDigitShift = 4;
} // namespace Relay

// In the file, bytes 1-2 and 3-7 of each obstacle record lie reversed.
inline constexpr RecordTable kObstacles{769, 32, 2};
namespace Obstacle {
inline constexpr int kWordFirst = 1;
inline constexpr int kWordLast = 2;
inline constexpr int kFiveFirst = 3;
inline constexpr int kFiveLast = 7;
} // namespace Obstacle

inline constexpr int kNetworkIndex = 834;
inline constexpr int kNetworkAddress = 835;
inline constexpr int kFirstNodeAddress = 1;

inline constexpr RecordTable kDevices{865, 30, 12};
namespace Device {
inline constexpr int kSettings = 0;
inline constexpr int kSettingsLength = 3;
inline constexpr int kName = 6;
inline constexpr int kNameLength = 24;
// Device 7 byte 1 is the panel's fixed device type; byte 0 of device 0
// mirrors the integral radio bit in files of one controller.
inline constexpr int kFixedDevice = 7;
inline constexpr std::uint8_t kFixedDeviceType = 6;
} // namespace Device
inline constexpr int kFixedDeviceTypeByte = kDevices.At(Device::kFixedDevice) + 1;
inline constexpr int kIntegralRadioDeviceByte = kDevices.At(0);

inline constexpr int kPriorityDoors = 1225;

inline constexpr RecordTable kCardholderSets{1226, 16, 64};
namespace Chs {
inline constexpr int kFlags = 0;
inline constexpr int kDvg = 1;
inline constexpr int kFvg = 5;
inline constexpr int kTz = 9;
inline constexpr int kEntries = 4;
inline constexpr int kMode = 13;
inline constexpr int kScratch = 14;
inline constexpr int kScratchLength = 2;
inline constexpr std::uint8_t kActiveFlags = 0x40;
// Set 2's flags are forced to this on every save.
inline constexpr int kAlwaysActiveSet = 2;
} // namespace Chs

// Byte 2250 + s holds doors A-D of schedule s (1-31); byte 2250 stays 0.
inline constexpr RecordTable kDoorSchedules{2250, 1, 32};
inline constexpr int kFirstDoorSchedule = 1;
inline constexpr int kDoorScheduleModulo = 16;
inline constexpr ImageSpan kDoorScheduleScratch = Bytes(2282, 2329);

inline constexpr RecordTable kDoorValGroups{2330, 8, 32};
inline constexpr RecordTable kFloorValGroups{2586, 6, 32};
inline constexpr int kSharedValGroupBytes = 5;
inline constexpr int kDoorValGroupPad = 7;

inline constexpr RecordTable kHolidays{2778, 2, 24};
inline constexpr RecordTable kExpiringHolidays{2826, 4, 24};
namespace Holiday {
inline constexpr int kMonth = 0;
inline constexpr int kDay = 1;
inline constexpr int kYear = 2;
inline constexpr int kFirstYear = 2000;
} // namespace Holiday

// A zone: 4 bytes, then 4 periods of start hour, start minute, end hour, end minute.
inline constexpr RecordTable kTimeZones{2922, 20, 32};
namespace TimeZone {
inline constexpr int kPeriods = 4;
inline constexpr int kPeriodCount = 4;
inline constexpr int kPeriodSize = 4;
inline constexpr int kStartHour = 0;
inline constexpr int kEndHour = 2;
} // namespace TimeZone
inline constexpr RecordTable kTransitionOrder{3562, 1, 256};

inline constexpr RecordTable kNames{3818, 24, 8};
inline constexpr int kInstallationName = 0;
inline constexpr int kControllerName = 1;
inline constexpr int kFirstChannelName = 4;
inline constexpr int kChannelCount = 4;

inline constexpr RecordTable kDisplaySlots{4010, 2, 40};
inline constexpr int kDisplayFlag = 0;
inline constexpr int kDisplayMessage = 1;

inline constexpr int kDirectorySubsets = 4090;

// Files of the older layout end after the directory subsets byte.
inline constexpr int kShortFileLength = kDirectorySubsets + 1;

// Four cabs of 24-bit floor masks per schedule, least significant byte
// first in the image and most significant first in the file.
inline constexpr RecordTable kFloorSchedules{4091, 12, 32};
inline constexpr int kCabCount = 4;
inline constexpr int kCabMaskSize = 3;
inline constexpr std::uint32_t kCabMaskBits = 0xFFFFFF;

inline constexpr RecordTable kTovixAddresses{4475, 1, 4};
inline constexpr int kFirstTovixModule = 8;
inline constexpr int kTovixActivationTime = 4479;
inline constexpr std::uint8_t kDefaultTovixActivationTime = 5;
inline constexpr int kAntiPassbackTime = 4480;
inline constexpr ImageSpan kUnmappedTail = Bytes(4481, kImageSize - 1);

} // namespace VLLayout
