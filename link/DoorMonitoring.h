#pragma once

#include "link/CNetCommand.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// What the live monitor decides without a window: which events its filter
// hides, the picture of a door state and the commands it sends.
namespace DoorMonitoring {

inline constexpr int kCategoryCount = 12;

struct Category
{
    const char* name;
    // The whole type value of the events the category stands for.
    std::uint32_t key;
};
const std::array<Category, kCategoryCount>& Categories();

// False when an unchecked category (bit i of mask clear) stands for this
// event's whole type value.
bool PassesFilter(std::uint32_t typeValue, std::uint32_t mask);

// The control list's picture of a door state; nothing for a state that
// leaves the picture as it is. Picture 0 is a door not yet reported.
std::optional<int> DoorStateImage(std::uint8_t state);
inline constexpr int kImageUnreported = 0;
inline constexpr int kImageCount = 9;

// Door state codes of a door command.
namespace DoorCode {
inline constexpr std::uint8_t Unlock = 1;
inline constexpr std::uint8_t LockOpen = 2;
inline constexpr std::uint8_t LockClosed = 4;
inline constexpr std::uint8_t Trigger = 8;
} // namespace DoorCode

// Kind 5 to the door's node: 1, 0, then the code at the door's place of A-D.
CNetCommand MakeDoorCommand(std::uint32_t doorKey, std::uint8_t code);
// A status poll of the door's node.
CNetCommand MakeStatusPoll(std::uint32_t doorKey);

} // namespace DoorMonitoring
