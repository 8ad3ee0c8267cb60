#include "platform/Clock.h"

namespace {
const Clock g_systemClock;
const Clock* g_clock = &g_systemClock;
} // namespace

QDateTime Clock::NowUtc() const
{
    return QDateTime::currentDateTimeUtc();
}

QTimeZone Clock::TimeZone() const
{
    return QTimeZone::systemTimeZone();
}

QDateTime Clock::NowLocal() const
{
    return NowUtc().toTimeZone(TimeZone());
}

const Clock& Clock::Current()
{
    return *g_clock;
}

void Clock::Install(const Clock* clock)
{
    g_clock = clock ? clock : &g_systemClock;
}

FixedClock::FixedClock(QDateTime utc, QTimeZone zone) : m_utc(std::move(utc)), m_zone(std::move(zone)) {}
