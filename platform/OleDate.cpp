#include "platform/OleDate.h"

#include <QTimeZone>

#include <cmath>

namespace
{
const QDate kOleEpoch(1899, 12, 30);
constexpr double kMsecsPerDay = 86400000.0;
constexpr qint64 kWholeMsecsPerDay = 86400000;
} // namespace

double ToOleDate(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return 0.0;
    const qint64 days = kOleEpoch.daysTo(dateTime.date());
    const double fraction = dateTime.time().msecsSinceStartOfDay() / kMsecsPerDay;
    // Before the epoch the fraction still counts forward from midnight while
    // the whole part counts back: -1.25 is 1899-12-29 06:00.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime FromOleDate(double oleDate)
{
    if (!std::isfinite(oleDate))
        return QDateTime(kOleEpoch, QTime(0, 0), QTimeZone::utc());
    const double whole = std::trunc(oleDate);
    qint64 msecs = std::llround(std::fabs(oleDate - whole) * kMsecsPerDay);
    qint64 days = static_cast<qint64>(whole);
    if (msecs >= kWholeMsecsPerDay) {
        msecs -= kWholeMsecsPerDay;
        days += oleDate >= 0 ? 1 : -1;
    }
    return QDateTime(kOleEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)),
                     QTimeZone::utc());
}
