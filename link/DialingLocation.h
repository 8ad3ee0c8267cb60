#pragma once

#include <QString>

// Where the program dials from: the own country (its identifier in the
// country table) and area code, and the prefixes for an outside line, a
// long-distance call and an international call. Profile section
// "Dialing Location".
struct DialingLocation
{
    int countryId = 1;
    QString areaCode;
    QString outsideLine;
    QString longDistance = QStringLiteral("1");
    QString international = QStringLiteral("011");

    static DialingLocation Load();
    void Save() const;
};
