#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>

// Dates of the holiday lists: which years can be chosen, which dates exist,
// and a holiday's list text and item data (day x 256 + month, plus
// (year - 2000) x 65536 for an expiring one).
namespace HolidayDates {

inline constexpr int kBaseYear = 2000;
inline constexpr int kYearsOffered = 20;
// The year is stored as year - 2000 in one byte.
inline constexpr int kLastYear = kBaseYear + 255;

// The current year and the next 19, never past 2255.
QList<int> YearChoices(int currentYear);
// Gregorian calendar: 29 February only in leap years.
bool IsValidDate(int day, int month, int year);
// An expiring holiday must be later than now at 01:01:01 of its day.
bool IsLaterThanNow(int day, int month, int year, const QDateTime& nowLocal);

std::uint32_t NonExpiringData(int day, int month);
std::uint32_t ExpiringData(int day, int month, int year);
int Day(std::uint32_t data);
int Month(std::uint32_t data);
// The full year of an expiring entry.
int Year(std::uint32_t data);

// "December, 25" and "Thursday, December, 25, 2031".
QString NonExpiringText(std::uint32_t data);
QString ExpiringText(std::uint32_t data);

} // namespace HolidayDates
