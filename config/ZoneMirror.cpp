#include "config/ZoneMirror.h"

#include "image/CVLMemory.h"
#include "image/VLMemoryLayout.h"

namespace {

constexpr int kDayMask = 1;
constexpr int kMinutesPerHour = 60;
constexpr int kNoZone = 0;

bool Shown(int zone)
{
    return zone != kNoZone && VLLayout::kTimeZones.Has(zone);
}

} // namespace

namespace ZoneMirror {

ValidDays::Boxes Days(const CVLMemory& image, int zone)
{
    ValidDays::Boxes boxes{};
    if (!Shown(zone))
        return boxes;
    const std::uint8_t mask = image.Byte(VLLayout::kTimeZones.At(zone) + kDayMask);
    for (int c = 0; c < ValidDays::kColumns; ++c)
        boxes[c] = (mask & (1u << ValidDays::kColumnBits[c])) == 0;
    return boxes;
}

PeriodValues Periods(const CVLMemory& image, int zone)
{
    PeriodValues periods;
    if (!Shown(zone))
        return periods;
    for (int p = 0; p < VLLayout::TimeZone::kPeriodCount; ++p) {
        const int at = VLLayout::kTimeZones.At(zone) + VLLayout::TimeZone::kPeriods + p * VLLayout::TimeZone::kPeriodSize;
        for (int end : {0, 1}) {
            const int hourAt = at + (end ? VLLayout::TimeZone::kEndHour : VLLayout::TimeZone::kStartHour);
            periods.m_minutes[2 * p + end] = image.Byte(hourAt) * kMinutesPerHour + image.Byte(hourAt + 1);
        }
    }
    return periods;
}

} // namespace ZoneMirror
