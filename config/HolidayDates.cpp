#include "config/HolidayDates.h"

#include "common/Vocabulary.h"

#include <QDate>
#include <QTime>
#include <QTimeZone>

namespace {

constexpr int kDayShift = 8;
constexpr int kYearShift = 16;
constexpr std::uint32_t kByte = 0xFF;
constexpr int kDaysPerWeek = 7;
// An expiring holiday counts from this time of its day.
const QTime kHolidayStart(1, 1, 1);

} // namespace

namespace HolidayDates {

QList<int> YearChoices(int currentYear)
{
    QList<int> years;
    for (int year = std::max(currentYear, kBaseYear); year < currentYear + kYearsOffered && year <= kLastYear; ++year)
        years.append(year);
    return years;
}

bool IsValidDate(int day, int month, int year)
{
    return QDate::isValid(year, month, day);
}

bool IsLaterThanNow(int day, int month, int year, const QDateTime& nowLocal)
{
    const QDateTime start(QDate(year, month, day), kHolidayStart, nowLocal.timeZone());
    return start.isValid() && start > nowLocal;
}

std::uint32_t NonExpiringData(int day, int month)
{
    return (static_cast<std::uint32_t>(day) << kDayShift) | static_cast<std::uint32_t>(month);
}

std::uint32_t ExpiringData(int day, int month, int year)
{
    return (static_cast<std::uint32_t>(year - kBaseYear) << kYearShift) | NonExpiringData(day, month);
}

int Day(std::uint32_t data)
{
    return static_cast<int>((data >> kDayShift) & kByte);
}

int Month(std::uint32_t data)
{
    return static_cast<int>(data & kByte);
}

int Year(std::uint32_t data)
{
    return kBaseYear + static_cast<int>((data >> kYearShift) & kByte);
}

QString NonExpiringText(std::uint32_t data)
{
    return QStringLiteral("%1, %2").arg(MonthName(Month(data)), QString::number(Day(data)));
}

QString ExpiringText(std::uint32_t data)
{
    const QDate date(Year(data), Month(data), Day(data));
    // Qt counts Monday as 1; the weekday names start on Sunday.
    const QString weekday = date.isValid() ? WeekdayName(date.dayOfWeek() % kDaysPerWeek + 1) : WeekdayName(0);
    return QStringLiteral("%1, %2, %3, %4")
        .arg(weekday, MonthName(Month(data)), QString::number(Day(data)), QString::number(Year(data)));
}

} // namespace HolidayDates
