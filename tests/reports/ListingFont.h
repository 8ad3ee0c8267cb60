#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

// True when the font draws every character of the text, line feeds aside,
// with one advance: the listing's columns line up in it.
inline bool DrawsEveryCharacterAlike(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    const int advance = metrics.horizontalAdvance(QLatin1Char(' '));
    for (const QChar c : text) {
        if (c != QLatin1Char('\n') && metrics.horizontalAdvance(c) != advance)
            return false;
    }
    return true;
}
