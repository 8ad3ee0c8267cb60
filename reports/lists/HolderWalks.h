#pragma once

#include "reports/lists/ReportHolder.h"

#include <QString>

#include <functional>

class Recordset;

// The walks that the entry-code and directory reports share over a table of
// codes that name their cardholder by UserID. Each calls write with the code
// as the recordset's current row, and leaves every sort and filter it set
// empty again. Database errors pass to the caller.
using HolderRowWriter = std::function<void(const ReportHolder& holder)>;

// The codes under the filter in the sort's order; write looks the holder up.
void WalkCodes(Recordset& codes, const QString& sort, const QString& filter, const std::function<void()>& write);

// Cardholders whose got-field is set, by name, each with its codes that pass
// the filter, in the table's order.
void WalkCodesByCardholder(Recordset& codes, const QString& codesFilter, const char* gotField,
                           const HolderRowWriter& write);

// Sets that are not deleted in the given order, each with its live
// cardholders whose got-field is set, each with its codes that pass the filter.
void WalkCodesBySet(Recordset& codes, const QString& codesFilter, const QString& setOrder, const char* gotField,
                    const HolderRowWriter& write);

// Restores the sort and filter of a recordset and requeries it.
void ClearSortAndFilter(Recordset& set);
