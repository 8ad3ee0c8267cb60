#pragma once

#include "reports/lists/ReportBuilders.h"

// The cardholder reports: every cardholder that is not deleted, once, in the
// order of the variant; with or without the credential lines.
void BuildCardholderReport(IReportRowSink& rows, bool withCredentials);
void BuildCardholderReportByName(IReportRowSink& rows, bool withCredentials);
void BuildCardholderReportByStatus(IReportRowSink& rows, bool withCredentials);
void BuildCardholderReportByAddress(IReportRowSink& rows, bool withCredentials);
void BuildCardholderReportByPhone(IReportRowSink& rows, bool withCredentials);
void BuildCardholderReportByExpiration(IReportRowSink& rows, bool withCredentials);
void BuildCardholderReportBySubsets(IReportRowSink& rows, bool withCredentials);
void BuildCardholderReportBySet(IReportRowSink& rows, bool withCredentials);
void BuildCardholderReportBySetStatus(IReportRowSink& rows, bool withCredentials);

// The reports of kinds 6 and 7 in their default order.
void BuildCardholdersWithCredentials(IReportRowSink& rows);
void BuildCardholdersWithoutCredentials(IReportRowSink& rows);
// The variant a click on column 0-7 runs; null for any other column.
ReportBuilder CardholderSortVariant(bool withCredentials, int column);
