#pragma once

#include <QString>

#include <cstdint>

// What the network connection dialog edits of one network's row, and the
// parsing of its phone field and country entries. No widgets here.
struct NetworkConnectionValues
{
    static constexpr int kNameMax = 24;
    static constexpr int kPasswordMax = 6;
    static constexpr int kOffsetMin = -12;
    static constexpr int kOffsetMax = 12;

    int net = 0;
    bool enabled = false;
    QString name;
    QString password;
    bool daylightSavings = false;
    int hoursOffset = 0;
    int connectUsing = 0; // 0 the modem, 1 to 8 COM1 to COM8
    bool useCountryAndArea = false;
    int countryId = 0;
    QString countryCode;
    QString areaCode;
    QString phoneNumber;
};

namespace PhoneField {
// Ten digit places: three for the area code, seven for the number.
inline constexpr int kAreaPlaces = 3;
inline constexpr int kNumberPlaces = 7;
inline constexpr QChar kFill = QLatin1Char('_');
// The masked edit's mask, its blank being the fill character.
QString Mask();
// The field's text for a stored area code and number: the area code (fill
// when there is none) and the number's digits right-aligned.
QString Compose(const QString& areaCode, const QString& number);
// The area code (empty unless all three places hold digits) and the
// number's digits, read from the field's displayed text.
void Parse(const QString& displayed, QString& areaCode, QString& number);
} // namespace PhoneField

// The dialling code of a country entry "Name (code)": the digits between the
// last "(" and the ")" after it; empty when there are none.
QString CountryCodeOfEntry(const QString& entry);
