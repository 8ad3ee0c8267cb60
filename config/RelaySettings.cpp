#include "config/RelaySettings.h"

#include "image/CVLControllerMemory.h"

namespace {

constexpr std::uint8_t kShunt = 1;
constexpr std::uint8_t kAlarm = 2;

} // namespace

RelaySettings RelaySettings::Load(CVLControllerMemory& image, int relay)
{
    RelaySettings settings;
    image.ExchangeRelayTimingMode(relay, settings.timingMode, 1);
    image.ExchangeRelayOperation(relay, settings.operation, 1);
    image.ExchangeRelayPhoneDigit(relay, settings.phoneDigit, 1);
    image.ExchangeRelayExtra(relay, settings.associations, 1);
    image.ExchangeRelayActivationTime(relay, settings.activationTime, 1);
    for (int slot = 0; slot < kZoneSlots; ++slot)
        image.ExchangeRelayTimeZone(relay, slot, settings.zones[slot], 1);
    return settings;
}

void RelaySettings::Store(CVLControllerMemory& image, int relay) const
{
    int mode = timingMode;
    image.ExchangeRelayTimingMode(relay, mode, 0);
    std::uint8_t byte = operation;
    image.ExchangeRelayOperation(relay, byte, 0);
    byte = phoneDigit;
    image.ExchangeRelayPhoneDigit(relay, byte, 0);
    byte = TakesAssociations(operation) ? associations : 0;
    image.ExchangeRelayExtra(relay, byte, 0);
    std::uint16_t time = activationTime;
    image.ExchangeRelayActivationTime(relay, time, 0);
    for (int slot = 0; slot < kZoneSlots; ++slot) {
        byte = zones[slot];
        image.ExchangeRelayTimeZone(relay, slot, byte, 0);
    }
}

bool RelaySettings::TakesAssociations(std::uint8_t operation)
{
    return operation == kShunt || operation == kAlarm;
}

std::array<int, RelaySettings::kOthers> RelaySettings::OtherRelays(int relay)
{
    std::array<int, kOthers> others{};
    int n = 0;
    for (int r = 0; r < kRelays && n < kOthers; ++r)
        if (r != relay)
            others[n++] = r;
    return others;
}
