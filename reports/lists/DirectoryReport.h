#pragma once

#include "reports/lists/IReportRowSink.h"

// The telephone-directory report: every directory entry that belongs to a
// cardholder, with its code, names, number, talk time, subsets and the
// cardholder's set; by name in the directory, or by a column.
void BuildPhoneEntryReport(IReportRowSink& rows);
void BuildPhoneEntryReportByNumber(IReportRowSink& rows);
void BuildPhoneEntryReportByCardholder(IReportRowSink& rows);
void BuildPhoneEntryReportByName(IReportRowSink& rows);
void BuildPhoneEntryReportByPhone(IReportRowSink& rows);
void BuildPhoneEntryReportByTalkTime(IReportRowSink& rows);
void BuildPhoneEntryReportBySubsets(IReportRowSink& rows);
void BuildPhoneEntryReportBySet(IReportRowSink& rows);
void BuildPhoneEntryReportBySetStatus(IReportRowSink& rows);
