#include "reports/lists/RowBatches.h"

#include <chrono>

qint64 RowBatches::SteadyTicks()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

RowBatches::RowBatches(IReportRowSink& rows, Ticks ticks) : m_rows(rows), m_ticks(std::move(ticks)) {}

void RowBatches::AppendRow(const ReportCells& cells)
{
    m_kept.push_back(cells);
}

void RowBatches::FlushRows()
{
    const qint64 now = m_ticks();
    if (m_handedOver && now - m_lastHandOver < kIntervalMs)
        return;
    HandOver();
    m_handedOver = true;
    m_lastHandOver = now;
}

void RowBatches::HandOver()
{
    for (const ReportCells& cells : m_kept)
        m_rows.AppendRow(cells);
    m_kept.clear();
    m_rows.FlushRows();
}
