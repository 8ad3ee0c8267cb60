#include "app/CClampDateTimeCtrl.h"

#include "platform/Clock.h"

namespace {
constexpr int kLastYear = 2088;
constexpr int kLastMonth = 12;
constexpr int kLastDay = 31;
} // namespace

QDateTime CClampDateTimeCtrl::UpperLimit()
{
    return QDateTime(QDate(kLastYear, kLastMonth, kLastDay), QTime(0, 0));
}

void CClampDateTimeCtrl::SetTimeClamped()
{
    setMaximumDateTime(UpperLimit());
    setDateTime(Clock::Current().NowLocal());
}
