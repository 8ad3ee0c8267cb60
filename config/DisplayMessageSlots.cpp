#include "config/DisplayMessageSlots.h"

namespace DisplayMessageSlots {

int FirstSlotOfPair(int row)
{
    return row - row % 2;
}

int SetAfterStep(int set, int step)
{
    const int next = step < 0 ? set + 1 : set - 1;
    if (next < kFirstSet)
        return kLastSet;
    if (next > kLastSet)
        return kFirstSet;
    return next;
}

QString LineText(const QString& typed)
{
    // The masked edit's separators are not part of the message.
    QString line = typed;
    line.remove(QLatin1Char('|'));
    line.truncate(kLineLength);
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line;
}

QString JustificationName(int justification)
{
    switch (justification) {
    case kLeft:
        return QStringLiteral("Left");
    case kCenter:
        return QStringLiteral("Center");
    case kRight:
        return QStringLiteral("Right");
    default:
        return QString::number(justification);
    }
}

} // namespace DisplayMessageSlots
