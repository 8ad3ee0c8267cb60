#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// The site's entry codes as the read-only entry-code list shows them: hidden
// codes first, then in the order they were made. Listing a code whose holder
// moved to another set puts the holder's set into the code row.
namespace EntryCodeListing {

struct Row
{
    QString code;
    QString holder;
    QString set;
    QString status;
    int image = 0;
    std::int32_t entryCodeId = 0;
};

// A database error is shown and ends the list with the rows read so far.
std::vector<Row> ListEntryCodes();

} // namespace EntryCodeListing
