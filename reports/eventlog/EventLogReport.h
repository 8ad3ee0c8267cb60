#pragma once

#include "reports/lists/RowBatches.h"

#include <QString>

class CSetEventLog;

// The list's text of the installation's own log.
inline constexpr const char* kCurrentEventLog = "Current event log";

// The event-log report: the log and criterion that the open installation
// holds.
void BuildEventLogReport(IReportRowSink& rows);

// Lists the events of the log's file that match the Jet criterion, newest
// first, under a progress display with Cancel, and ends with the count found.
// The log need not be open; its members take each event in turn. Cancel is
// asked every 10 events; the rows reach the list in batches timed by ticks.
void SearchEventLog(IReportRowSink& rows, CSetEventLog& log, const QString& criteria,
                    const RowBatches::Ticks& ticks = RowBatches::SteadyTicks);

// The file of a log as the log list names it: "Current event log" is the
// installation's own, any other name an archive without its ".mdb".
QString EventLogFile(const QString& installationFolder, const QString& logName);
