#pragma once

#include <QDateTime>
#include <QTimeZone>

// "Now" for everything that reads the time, so tests can fix the date, the
// time and the time zone.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual QDateTime NowUtc() const;
    virtual QTimeZone TimeZone() const;
    QDateTime NowLocal() const;

    // The clock in use; the system clock unless a test installed another.
    static const Clock& Current();
    // Installs a clock (not owned); null restores the system clock.
    static void Install(const Clock* clock);
};

// A clock that always reads the same instant in a given zone.
class FixedClock : public Clock
{
public:
    FixedClock(QDateTime utc, QTimeZone zone = QTimeZone::utc());

    QDateTime NowUtc() const override { return m_utc; }
    QTimeZone TimeZone() const override { return m_zone; }
    void Set(QDateTime utc) { m_utc = std::move(utc); }

private:
    QDateTime m_utc;
    QTimeZone m_zone;
};
