#include "app/StatusClock.h"

namespace {
constexpr int kNoon = 12;
}

QString ClockText(const QTime& time)
{
    int hour = time.hour() % kNoon;
    if (hour == 0)
        hour = kNoon;
    QString text = QString::asprintf("%02d:%02d  ", hour, time.minute());
    text += time.hour() < kNoon ? QStringLiteral("AM ") : QStringLiteral("PM ");
    if (text.startsWith(QLatin1Char('0')))
        text[0] = QLatin1Char(' ');
    return text;
}
