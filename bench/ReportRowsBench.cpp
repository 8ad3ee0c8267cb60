#include "reports/lists/ReportRowModel.h"

#include <benchmark/benchmark.h>

#include <vector>

// A report of the size a site's credential reports reach, five cells a row
// as the block reports write them; the baseline keeps nine QStrings a row.
namespace {

constexpr int kReportRows = 200000;

ReportCells BlockRow(int i)
{
    return {QString::number(i), QString::number(i * 100), QString::number(i * 100 + 99),
            QStringLiteral("500, 501"), QStringLiteral("Block %1").arg(i)};
}

} // namespace

static void BM_ReportRowModelAppend(benchmark::State& state)
{
    for (auto _ : state) {
        ReportRowModel rows;
        for (int i = 0; i < kReportRows; ++i)
            rows.AppendRow(BlockRow(i));
        rows.FlushRows();
        benchmark::DoNotOptimize(rows.Cell(kReportRows - 1, 4));
    }
    state.SetItemsProcessed(state.iterations() * kReportRows);
}
BENCHMARK(BM_ReportRowModelAppend)->Unit(benchmark::kMillisecond);

static void BM_PlainRowsAppend(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<ReportCells> rows;
        for (int i = 0; i < kReportRows; ++i)
            rows.push_back(BlockRow(i));
        benchmark::DoNotOptimize(rows.back()[4]);
    }
    state.SetItemsProcessed(state.iterations() * kReportRows);
}
BENCHMARK(BM_PlainRowsAppend)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
