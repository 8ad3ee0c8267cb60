#pragma once

#include <QString>
#include <QTime>

// The status-bar clock: "%I:%M  " and "AM " or "PM ", a leading zero blanked.
QString ClockText(const QTime& time);
