#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class CWFDoc;

// The telephone-entry directory as its read-only list shows it: the entries
// of cardholders, and those that belong to none; unused entries are left out.
namespace DirectoryListing {

struct Row
{
    QString code;
    QString holder;
    QString tenant;
    QString phone;
    QString subsets;
    QString extendedTalk;
    std::int32_t entryNumberId = 0;
    // False when the holder row is missing: only the code is shown.
    bool complete = true;
};

// A missing holder is said in a message box; a database error is shown and
// ends the list with the rows read so far.
std::vector<Row> ListDirectory(const CWFDoc& doc);

} // namespace DirectoryListing
