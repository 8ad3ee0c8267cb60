#pragma once

#include <QString>

// Pieces of the fixed-column settings listing.
namespace ReportText {

// Operator and database text padded like "%-Ns": never cut, never a format.
inline QString PadRight(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

inline QString YesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace ReportText
