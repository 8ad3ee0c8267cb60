#include "app/DaylightSavingWatch.h"

#include <cstdint>

namespace {
constexpr int kSecondsPerHour = 3600;
} // namespace

bool DaylightSavingWatch::IsKnownNetwork(int net)
{
    return net >= 1 && net <= kNetworkCount;
}

bool DaylightSavingWatch::IsDaylightSaving(const QDateTime& at, int hoursOffset, const QTimeZone& zone)
{
    const int shift = static_cast<std::int8_t>(hoursOffset & 0xFF);
    return zone.isDaylightTime(at.addSecs(static_cast<qint64>(shift) * kSecondsPerHour));
}

bool DaylightSavingWatch::CheckAtStartup(const std::vector<NetworkOffset>& networks, const QDateTime& now,
                                         const QDateTime& lastUsed, const QTimeZone& zone)
{
    bool changed = false;
    for (const NetworkOffset& n : networks) {
        if (!IsKnownNetwork(n.net))
            continue;
        const bool nowState = IsDaylightSaving(now, n.hoursOffset, zone);
        m_marks[n.net - 1] = nowState;
        if (!changed && lastUsed.isValid())
            changed = nowState != IsDaylightSaving(lastUsed, n.hoursOffset, zone);
    }
    return changed;
}

bool DaylightSavingWatch::CheckOnTick(const std::vector<NetworkOffset>& networks, const QDateTime& now,
                                      const QTimeZone& zone)
{
    bool changed = false;
    for (const NetworkOffset& n : networks) {
        if (!IsKnownNetwork(n.net))
            continue;
        const bool state = IsDaylightSaving(now, n.hoursOffset, zone);
        if (state != m_marks[n.net - 1]) {
            m_marks[n.net - 1] = state;
            changed = true;
        }
    }
    return changed;
}
