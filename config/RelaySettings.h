#pragma once

#include <array>
#include <cstdint>

class CVLControllerMemory;

// One relay's record of a controller's image as the Relays page edits it.
struct RelaySettings
{
    static constexpr int kRelays = 4;
    static constexpr int kZoneSlots = 4;
    static constexpr int kOthers = kRelays - 1;

    int timingMode = 0;            // 0 Time, 1 Pulse, 2 Toggle, 3 Latch
    std::uint8_t operation = 0;    // 0 Control, 1 Shunt, 2 Alarm, 3 Obstacle, 4 CCTV
    std::uint8_t phoneDigit = 0;   // 0 none, 1-9
    std::uint8_t associations = 0; // bit i: relay i
    std::uint16_t activationTime = 0;
    std::array<std::uint8_t, kZoneSlots> zones{};

    static RelaySettings Load(CVLControllerMemory& image, int relay);
    // Associations are kept only for shunt and alarm relays.
    void Store(CVLControllerMemory& image, int relay) const;

    // Only shunt and alarm relays work with other relays.
    static bool TakesAssociations(std::uint8_t operation);
    // The three relays other than relay, in order.
    static std::array<int, kOthers> OtherRelays(int relay);
};
