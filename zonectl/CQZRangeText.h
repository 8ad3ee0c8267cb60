#pragma once

#include <QString>

// The "##:##" text of the range dialog's two time fields.
class CQZRangeText
{
public:
    static QString Format(int minutes);
    // Minutes of a text "hh:mm"; the minutes digits have no bound of their own,
    // so "12:75" gives 795. False for anything that is not two digits, ':' and
    // two digits.
    static bool Parse(const QString& text, int* minutes);
    // Both texts are taken only when both are times of at most 23:59; otherwise
    // begin and end keep what they hold. Begin and end are not compared.
    static bool Accept(const QString& beginText, const QString& endText, int* begin, int* end);
};
