#include "link/DialTranslation.h"

#include "link/CountryTable.h"
#include "link/DialingLocation.h"

QString DialableCharacters(const QString& text)
{
    QString kept;
    for (const QChar c : text) {
        const QChar upper = c.toUpper();
        if ((upper >= QLatin1Char('0') && upper <= QLatin1Char('9')) || upper == QLatin1Char('*') ||
            upper == QLatin1Char('#') || upper == QLatin1Char(',') || upper == QLatin1Char('W'))
            kept.append(upper);
    }
    return kept;
}

QString CanonicalAddress(int countryCode, const QString& areaCode, const QString& number)
{
    return QStringLiteral("+%1 (%2) %3").arg(QString::number(countryCode), areaCode.trimmed(), number.trimmed());
}

TranslatedNumber TranslateNumber(bool useCountryAndArea, int countryCode, const QString& areaCode,
                                 const QString& number, const DialingLocation& location)
{
    if (!useCountryAndArea)
        return {number, DialableCharacters(number)};

    const QString area = areaCode.trimmed();
    const Country* own = FindCountry(location.countryId);
    QString dialled;
    if (own && own->dialCode == countryCode)
        dialled = area == location.areaCode.trimmed() ? number : location.longDistance + area + number;
    else
        dialled = location.international + QString::number(countryCode) + area + number;
    return {CanonicalAddress(countryCode, area, number), DialableCharacters(location.outsideLine + dialled)};
}
