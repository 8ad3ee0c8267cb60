#pragma once

#include <QString>

struct DialingLocation;

// A network's phone number as shown and as dialled from the location.
struct TranslatedNumber
{
    QString displayable;
    QString dialable;
};

// Only what a modem dials: the digits, '*', '#', ',' (pause) and 'W' (wait
// for dial tone), upper case.
QString DialableCharacters(const QString& text);

// The canonical address "+CC (AREA) NUM".
QString CanonicalAddress(int countryCode, const QString& areaCode, const QString& number);

// With the country-and-area flag: the canonical address shown; dialled is the
// number alone in the own country and area, the long-distance prefix, area and
// number elsewhere in the own country, the international prefix, country
// code, area and number abroad, each after the outside-line prefix. Without
// it the number as entered. Only the digits, '*', '#', ',' and 'W' are
// dialled.
TranslatedNumber TranslateNumber(bool useCountryAndArea, int countryCode, const QString& areaCode,
                                 const QString& number, const DialingLocation& location);
