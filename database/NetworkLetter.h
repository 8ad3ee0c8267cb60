#pragma once

#include <QChar>

// Networks and doors are shown as letters: 1 is A.
inline constexpr int kLetterBase = 64;

inline QChar NetworkLetter(int net)
{
    return QChar(kLetterBase + net);
}
