#include "linkforms/NetworkConnectionValues.h"

#include <algorithm>

namespace PhoneField {

QString Mask()
{
    return QStringLiteral("(000) 000-0000;") + kFill;
}

QString Compose(const QString& areaCode, const QString& number)
{
    QString digits;
    for (QChar c : number) {
        if (c.isDigit())
            digits += c;
    }
    QString area = areaCode.left(kAreaPlaces);
    if (area.size() < kAreaPlaces)
        area = QString(kAreaPlaces, kFill);
    return area + digits.right(kNumberPlaces).rightJustified(kNumberPlaces, kFill);
}

void Parse(const QString& displayed, QString& areaCode, QString& number)
{
    // The places are the field's digits and fill characters, in order; the
    // brackets, blank and hyphen of the mask are not places.
    QString places;
    for (QChar c : displayed) {
        if (c.isDigit() || c == kFill)
            places += c;
    }
    const QString area = places.left(kAreaPlaces);
    areaCode = area.size() == kAreaPlaces && std::all_of(area.begin(), area.end(), [](QChar c) { return c.isDigit(); })
        ? area
        : QString();
    number.clear();
    for (QChar c : places.mid(kAreaPlaces, kNumberPlaces)) {
        if (c.isDigit())
            number += c;
    }
}

} // namespace PhoneField

QString CountryCodeOfEntry(const QString& entry)
{
    const qsizetype open = entry.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return QString();
    const qsizetype close = entry.indexOf(QLatin1Char(')'), open);
    const QString inside = entry.mid(open + 1, close < 0 ? -1 : close - open - 1);
    QString digits;
    for (QChar c : inside) {
        if (c.isDigit())
            digits += c;
    }
    return digits;
}
