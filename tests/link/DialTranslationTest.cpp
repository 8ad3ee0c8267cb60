#include "link/DialTranslation.h"
#include "link/CountryTable.h"
#include "link/DialingLocation.h"

#include <gtest/gtest.h>

#include <set>

TEST(DialTranslation, DialableNumberFollowsTheLocation)
{
    DialingLocation home;
    home.countryId = 1; // dialling code 1
    home.areaCode = QStringLiteral("416");
    home.outsideLine = QStringLiteral("9,");
    home.longDistance = QStringLiteral("1");
    home.international = QStringLiteral("011");
    DialingLocation direct = home;
    direct.outsideLine.clear();

    struct Case
    {
        const char* name;
        bool flag;
        int country;
        const char* area;
        const char* number;
        const DialingLocation& location;
        const char* displayable;
        const char* dialable;
    };
    const Case cases[] = {
        {"same area", true, 1, "416", "5551234", home, "+1 (416) 5551234", "9,5551234"},
        {"other area", true, 1, "905", "5551234", home, "+1 (905) 5551234", "9,19055551234"},
        {"abroad", true, 44, "20", "79460000", home, "+44 (20) 79460000", "9,011442079460000"},
        {"no outside line", true, 44, "20", "79460000", direct, "+44 (20) 79460000", "011442079460000"},
        {"area with blanks", true, 1, " 416 ", "5551234", direct, "+1 (416) 5551234", "5551234"},
        {"as entered", false, 1, "905", "555-1234 w*12#", home, "555-1234 w*12#", "5551234W*12#"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TranslatedNumber n = TranslateNumber(c.flag, c.country, QString::fromLatin1(c.area),
                                                   QString::fromLatin1(c.number), c.location);
        EXPECT_EQ(n.displayable, QString::fromLatin1(c.displayable));
        EXPECT_EQ(n.dialable, QString::fromLatin1(c.dialable));
    }
}

TEST(CountryTable, EveryIdentifierIsFoundAndNoneIsUsedTwice)
{
    std::set<int> seen;
    for (const Country& country : Countries()) {
        SCOPED_TRACE(country.name);
        EXPECT_TRUE(seen.insert(country.id).second);
        EXPECT_EQ(FindCountry(country.id), &country);
        EXPECT_GT(country.dialCode, 0);
    }
    EXPECT_EQ(FindCountry(0), nullptr);
}
