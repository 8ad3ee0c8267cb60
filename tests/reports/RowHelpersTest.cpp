#include "reports/lists/CReportColMgmnt.h"
#include "reports/lists/ReportRowModel.h"

#include <gtest/gtest.h>

namespace {

QStringList FirstCells(const ReportRowModel& rows)
{
    QStringList cells;
    for (int i = 0; i < rows.RowCount(); ++i)
        cells << rows.Cell(i, 0);
    return cells;
}

} // namespace

TEST(NumberRuns, ConsecutiveNumbersShareOneRow)
{
    ReportRowModel rows;
    CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunStart, 100);
    for (double n : {100.0, 101.0, 102.0, 104.0})
        CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunAdd, n);
    CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunFlush, 0);
    EXPECT_EQ(FirstCells(rows), QStringList({"          100 - 102", "          104"}));
    for (int column = 1; column < kReportCells; ++column)
        EXPECT_TRUE(rows.Cell(0, column).isEmpty());
}

TEST(NumberRuns, FlushWithoutAnOpenRunAddsNothing)
{
    ReportRowModel rows;
    CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunStart, 5);
    CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunFlush, 0);
    CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunFlush, 0);
    CReportColMgmnt::AddNumberRun(rows, 7, 5);
    EXPECT_EQ(rows.RowCount(), 0);

    // A run left open by one report is not written into the next.
    CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunAdd, 1);
    CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunStart, 9);
    CReportColMgmnt::AddNumberRun(rows, CReportColMgmnt::RunFlush, 0);
    EXPECT_EQ(rows.RowCount(), 0);
}

TEST(ReportRows, EmptyFirstCellAddsNoRowAndABlankOneDoes)
{
    ReportRowModel rows;
    CReportColMgmnt::AddReportRow(rows, "", "lost");
    EXPECT_EQ(rows.RowCount(), 0);
    CReportColMgmnt::AddReportRow(rows, " ", "", "two", "", "", "", "", "", "eight");
    ASSERT_EQ(rows.RowCount(), 1);
    const QStringList expected = {" ", "", "two", "", "", "", "", "", "eight"};
    for (int column = 0; column < kReportCells; ++column)
        EXPECT_EQ(rows.Cell(0, column), expected[column]) << column;
}

TEST(ReportRows, ViewsHearOfRowsInBatchesAndReadEveryCell)
{
    ReportRowModel rows;
    rows.InsertColumn(0, "A", false);
    rows.InsertColumn(1, "B", true);
    int inserted = 0;
    QObject::connect(&rows, &QAbstractItemModel::rowsInserted, [&inserted] { ++inserted; });
    constexpr int kRows = 3 * ReportRowModel::kBatchRows + 5;
    for (int i = 0; i < kRows; ++i)
        CReportColMgmnt::AddReportRow(rows, QString::number(i), QStringLiteral("cell %1").arg(i));
    rows.FlushRows();
    EXPECT_EQ(inserted, 4);
    EXPECT_EQ(rows.rowCount(), kRows);
    EXPECT_EQ(rows.data(rows.index(kRows - 1, 1)).toString(), QStringLiteral("cell %1").arg(kRows - 1));
    EXPECT_EQ(rows.data(rows.index(7, 0)).toString(), "7");
    EXPECT_EQ(rows.headerData(1, Qt::Horizontal).toString(), "B");

    int removed = 0;
    QObject::connect(&rows, &QAbstractItemModel::rowsRemoved, [&removed] { ++removed; });
    rows.RemoveAllRows();
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(rows.RowCount(), 0);
}
