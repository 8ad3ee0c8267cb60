#pragma once

#include "reports/lists/IReportRowSink.h"

#include <QString>

// The transmitter-block and card-block reports: one row per block that is
// not deleted, in the order the program-wide block recordset has.
void BuildTransmitterBlockReport(IReportRowSink& rows);
void BuildCardBlockReport(IReportRowSink& rows);

// The sort text of a block report's column; empty for a column that cannot
// be sorted ("Facility Codes") or does not exist.
QString BlockSortText(int column);
// Gives the block recordset of kind 1 or 3 the sort text and requeries it
// (opening it when closed); an empty text restores its own order.
void OpenBlockSetSorted(int kind, const QString& sort);
