#pragma once

#include "reports/lists/IReportRowSink.h"

// A report builder: appends the rows of one report, in display order, to a
// list already emptied and given the report's columns and title.
using ReportBuilder = void (*)(IReportRowSink& rows);

// The builder of a kind's own report; null while the kind has none.
ReportBuilder FindReportBuilder(int kind);

// The builder a click on a column heading runs for kinds 2, 4 and 6-9 (the
// block reports sort their recordset instead); null while none is built.
ReportBuilder FindSortVariant(int kind, int column);
