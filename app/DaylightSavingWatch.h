#pragma once

#include "app/RunState.h"

#include <QDateTime>
#include <QTimeZone>

#include <array>
#include <vector>

// One active network: its number (1-8) and its HoursOffset field.
struct NetworkOffset
{
    int net;
    int hoursOffset;
};

// Notices when a network's local time crosses a daylight-saving change, so a
// new time can be sent to the panels: at start-up against the time the
// installation was last used, and on every clock tick against the last state seen.
class DaylightSavingWatch
{
public:
    // True when any network's state now differs from its state at lastUsed.
    bool CheckAtStartup(const std::vector<NetworkOffset>& networks, const QDateTime& now, const QDateTime& lastUsed,
                        const QTimeZone& zone);
    // True when any network's state differs from the one last recorded.
    bool CheckOnTick(const std::vector<NetworkOffset>& networks, const QDateTime& now, const QTimeZone& zone);

    // Whether local time in zone, shifted by the low byte of hoursOffset as
    // signed hours, is daylight-saving time.
    static bool IsDaylightSaving(const QDateTime& at, int hoursOffset, const QTimeZone& zone);

private:
    static bool IsKnownNetwork(int net);

    std::array<bool, kNetworkCount> m_marks{};
};
