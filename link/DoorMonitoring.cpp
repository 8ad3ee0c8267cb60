#include "link/DoorMonitoring.h"

#include "link/DoorKey.h"
#include "link/NetCommandKinds.h"

namespace {
constexpr int kDoorByte = 2; // byte of door A in the command data
constexpr int kDoorIndexMask = 0x03;
} // namespace

namespace DoorMonitoring {

const std::array<Category, kCategoryCount>& Categories()
{
    static constexpr std::array<Category, kCategoryCount> kCategories = {{
        {"Alarms", 0x0410},
        {"Force Alarms", 0x0210},
        {"Lock Open", 0xC110},
        {"Lock Closed", 0xA010},
        {"Open", 0x0110},
        {"Time Zone Timing", 0x0910},
        {"Sense Input", 0x0000},
        {"Access Denied", 0x0020},
        {"Unknown Credential", 0x0030},
        {"Priority Access", 0x0000},
        {"Deactivations", 0x0010},
        {"Anti-Passback Violation", 0x0060},
    }};
    return kCategories;
}

bool PassesFilter(std::uint32_t typeValue, std::uint32_t mask)
{
    for (int i = 0; i < kCategoryCount; ++i) {
        if (!(mask & (1u << i)) && Categories()[static_cast<std::size_t>(i)].key == typeValue)
            return false;
    }
    return true;
}

std::optional<int> DoorStateImage(std::uint8_t state)
{
    switch (state) {
    case 0:
        return 1;
    case 1:
        return 8;
    case 2:
        return 5;
    case 4:
        return 4;
    case 9:
    case 201:
        return 7;
    case 160:
        return 3;
    case 168:
        return 6;
    case 193:
        return 2;
    default:
        return std::nullopt;
    }
}

CNetCommand MakeDoorCommand(std::uint32_t doorKey, std::uint8_t code)
{
    NetCommandData data{NodeCommandOp::NodeControl, 0, 0, 0, 0, 0};
    data[static_cast<std::size_t>(kDoorByte + (DoorKey::Door(doorKey) & kDoorIndexMask))] = code;
    return CNetCommand(NetKind::NodeCommand, static_cast<std::uint8_t>(DoorKey::Network(doorKey)),
                       static_cast<std::uint8_t>(DoorKey::Node(doorKey)), data);
}

CNetCommand MakeStatusPoll(std::uint32_t doorKey)
{
    return CNetCommand(NetKind::StatusPoll, static_cast<std::uint8_t>(DoorKey::Network(doorKey)),
                       static_cast<std::uint8_t>(DoorKey::Node(doorKey)));
}

} // namespace DoorMonitoring
