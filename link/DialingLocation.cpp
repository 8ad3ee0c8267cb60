#include "link/DialingLocation.h"

#include "platform/Profile.h"

namespace {
const QString kSection = QStringLiteral("Dialing Location");
const QString kCountry = QStringLiteral("Country");
const QString kAreaCode = QStringLiteral("Area Code");
const QString kOutsideLine = QStringLiteral("Outside Line");
const QString kLongDistance = QStringLiteral("Long Distance");
const QString kInternational = QStringLiteral("International");
} // namespace

DialingLocation DialingLocation::Load()
{
    const DialingLocation defaults;
    DialingLocation location;
    location.countryId = Profile::GetInt(kSection, kCountry, defaults.countryId);
    location.areaCode = Profile::GetString(kSection, kAreaCode, defaults.areaCode);
    location.outsideLine = Profile::GetString(kSection, kOutsideLine, defaults.outsideLine);
    location.longDistance = Profile::GetString(kSection, kLongDistance, defaults.longDistance);
    location.international = Profile::GetString(kSection, kInternational, defaults.international);
    return location;
}

void DialingLocation::Save() const
{
    Profile::WriteInt(kSection, kCountry, countryId);
    Profile::WriteString(kSection, kAreaCode, areaCode.trimmed());
    Profile::WriteString(kSection, kOutsideLine, outsideLine.trimmed());
    Profile::WriteString(kSection, kLongDistance, longDistance.trimmed());
    Profile::WriteString(kSection, kInternational, international.trimmed());
}
