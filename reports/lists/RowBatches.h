#pragma once

#include "reports/lists/IReportRowSink.h"

#include <QtGlobal>

#include <functional>
#include <vector>

// Hands a long report's rows on to the list in batches, at most one every
// interval however often the report offers them. A view lays its rows out
// anew whenever rows arrive, which on a list of a million rows costs more
// than finding them.
class RowBatches : public IReportRowSink
{
public:
    // A steady clock in milliseconds.
    using Ticks = std::function<qint64()>;
    static constexpr qint64 kIntervalMs = 150;

    static qint64 SteadyTicks();

    RowBatches(IReportRowSink& rows, Ticks ticks = SteadyTicks);

    // Kept until the next hand-over.
    void AppendRow(const ReportCells& cells) override;
    // Hands the rows kept so far on when the interval has passed since the
    // last hand-over; the first offer hands them on at once.
    void FlushRows() override;
    // Hands every row kept on, now.
    void HandOver();

private:
    IReportRowSink& m_rows;
    Ticks m_ticks;
    std::vector<ReportCells> m_kept;
    bool m_handedOver = false;
    qint64 m_lastHandOver = 0;
};
