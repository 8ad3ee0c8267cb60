#pragma once

#include "reports/lists/IReportRowSink.h"

// The all-transmitters and all-cards reports: every credential with its
// facility codes, cardholder, status and cardholder set; free block numbers
// gathered into ranges. The default order lists the block section, then the
// individual one; the others group by a column and end with the credentials
// that have no cardholder.
void BuildTransmitterReport(IReportRowSink& rows);
void BuildTransmitterReportByCardholder(IReportRowSink& rows);
void BuildTransmitterReportByStatus(IReportRowSink& rows);
void BuildTransmitterReportBySet(IReportRowSink& rows);
void BuildTransmitterReportBySetStatus(IReportRowSink& rows);

void BuildCardReport(IReportRowSink& rows);
void BuildCardReportByCardholder(IReportRowSink& rows);
void BuildCardReportByStatus(IReportRowSink& rows);
void BuildCardReportBySet(IReportRowSink& rows);
void BuildCardReportBySetStatus(IReportRowSink& rows);
