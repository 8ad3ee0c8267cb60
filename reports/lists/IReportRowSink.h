#pragma once

#include "reports/lists/ReportColumns.h"

#include <QString>

#include <array>

using ReportCells = std::array<QString, kReportCells>;

// Where report builders append their rows: the report list, or anything a
// test puts in its place. Rows keep the order of the calls.
class IReportRowSink
{
public:
    virtual ~IReportRowSink() = default;
    virtual void AppendRow(const ReportCells& cells) = 0;
    // Shows the rows appended so far while a long report still builds.
    virtual void FlushRows() {}
};
