#include "link/CountryTable.h"

#include <algorithm>

namespace {

constexpr Country kCountries[] = {
    {1, "United States of America", 1},
    {2, "Canada", 1},
    {7, "Russia", 7},
    {20, "Egypt", 20},
    {27, "South Africa", 27},
    {30, "Greece", 30},
    {31, "Netherlands", 31},
    {32, "Belgium", 32},
    {33, "France", 33},
    {34, "Spain", 34},
    {36, "Hungary", 36},
    {39, "Italy", 39},
    {40, "Romania", 40},
    {41, "Switzerland", 41},
    {43, "Austria", 43},
    {44, "United Kingdom", 44},
    {45, "Denmark", 45},
    {46, "Sweden", 46},
    {47, "Norway", 47},
    {48, "Poland", 48},
    {49, "Germany", 49},
    {51, "Peru", 51},
    {52, "Mexico", 52},
    {54, "Argentina", 54},
    {55, "Brazil", 55},
    {56, "Chile", 56},
    {57, "Colombia", 57},
    {58, "Venezuela", 58},
    {60, "Malaysia", 60},
    {61, "Australia", 61},
    {62, "Indonesia", 62},
    {63, "Philippines", 63},
    {64, "New Zealand", 64},
    {65, "Singapore", 65},
    {66, "Thailand", 66},
    {81, "Japan", 81},
    {82, "Korea (South)", 82},
    {84, "Vietnam", 84},
    {86, "China", 86},
    {90, "Turkey", 90},
    {91, "India", 91},
    {92, "Pakistan", 92},
    {234, "Nigeria", 234},
    {254, "Kenya", 254},
    {351, "Portugal", 351},
    {352, "Luxembourg", 352},
    {353, "Ireland", 353},
    {354, "Iceland", 354},
    {358, "Finland", 358},
    {420, "Czech Republic", 420},
    {421, "Slovakia", 421},
    {852, "Hong Kong", 852},
    {886, "Taiwan", 886},
    {966, "Saudi Arabia", 966},
    {971, "United Arab Emirates", 971},
    {972, "Israel", 972},
};

} // namespace

std::span<const Country> Countries()
{
    return kCountries;
}

const Country* FindCountry(int id)
{
    const auto country = std::find_if(std::begin(kCountries), std::end(kCountries), [id](const Country& c) { return c.id == id; });
    return country == std::end(kCountries) ? nullptr : country;
}
