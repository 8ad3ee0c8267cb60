#include "config/ValidDays.h"

#include "app/CWFDoc.h"

namespace {

// "Wedensday" is the text operators have always seen on these boxes.
constexpr std::array<const char*, ValidDays::kColumns> kTooltips = {
    "Monday, Time Zone %1",   "Tuesday, Time Zone %1",  "Wedensday, Time Zone %1", "Thursday, Time Zone %1",
    "Friday, Time Zone %1",   "Saturday, Time Zone %1", "Sunday, Time Zone %1",    "Holidays, Time Zone %1"};

} // namespace

namespace ValidDays {

Boxes Load(CWFDoc& doc, int zone)
{
    Boxes boxes{};
    for (int c = 0; c < kColumns; ++c)
        boxes[c] = doc.TimeZoneDayBit(zone, kColumnBits[c], 1, 0) == 0;
    return boxes;
}

void Store(CWFDoc& doc, int zone, const Boxes& boxes)
{
    for (int c = 0; c < kColumns; ++c)
        doc.TimeZoneDayBit(zone, kColumnBits[c], 0, boxes[c] ? 0 : 1);
}

QString Tooltip(int column, int zone)
{
    if (column < 0 || column >= kColumns)
        return QString();
    return QString::fromLatin1(kTooltips[column]).arg(zone);
}

} // namespace ValidDays
