#pragma once

#include "reports/lists/IReportRowSink.h"

// The entry-code report: every live keypad code, masked when hidden, with its
// cardholder, its status and the cardholder's set. The default order puts
// hidden codes first, each group by the code's value; the others order by a
// column.
void BuildEntryCodeReport(IReportRowSink& rows);
void BuildEntryCodeReportByCode(IReportRowSink& rows);
void BuildEntryCodeReportByCardholder(IReportRowSink& rows);
void BuildEntryCodeReportByStatus(IReportRowSink& rows);
void BuildEntryCodeReportBySet(IReportRowSink& rows);
void BuildEntryCodeReportBySetStatus(IReportRowSink& rows);
