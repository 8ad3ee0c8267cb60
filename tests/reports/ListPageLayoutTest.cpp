#include "reports/lists/ListPageLayout.h"

#include <gtest/gtest.h>

TEST(ListPageLayout, RowsPerPageAndScaleFollowThePageAndRowSize)
{
    ListPageMetrics m;
    m.pageWidth = 9600;
    m.pageHeight = 12600;
    m.printerDpiY = 1200;
    m.screenDpiY = 96;
    m.rowWidth = 530;
    m.rowHeight = 20;
    m.averageCharWidth = 7;
    const ListPageLayout layout = MeasureListPage(m);
    EXPECT_EQ(layout.scaleX, 9600 / (530 + 42));
    EXPECT_EQ(layout.scaleY, 12);
    EXPECT_EQ(layout.left, 14);
    EXPECT_EQ(layout.right, 9600 / 16 - 28);
    EXPECT_EQ(layout.bottom, 12600 / 12);
    EXPECT_EQ(layout.rowsPerPage, 12600 / 240 - 8);
}

TEST(ListPageLayout, FullPagesPrintExactlyAndOneMoreRowTakesANewPage)
{
    ListPageLayout layout;
    layout.rowsPerPage = 44;
    const struct
    {
        int rows;
        int pages;
    } cases[] = {{0, 0}, {1, 1}, {44, 1}, {45, 2}, {3 * 44, 3}, {3 * 44 + 1, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(layout.PageCount(c.rows), c.pages);
    }
}

TEST(ListPageLayout, CoarseOrSmallPagesStillScaleByOneAndHoldARow)
{
    ListPageMetrics m;
    m.pageWidth = 300;  // narrower than the row
    m.pageHeight = 150; // fewer than eight rows
    m.printerDpiY = 72; // coarser than the screen
    m.screenDpiY = 96;
    m.rowWidth = 530;
    m.rowHeight = 20;
    m.averageCharWidth = 7;
    const ListPageLayout layout = MeasureListPage(m);
    EXPECT_EQ(layout.scaleX, 1);
    EXPECT_EQ(layout.scaleY, 1);
    EXPECT_EQ(layout.rowsPerPage, 1);
    EXPECT_EQ(layout.PageCount(3), 3);

    // No row height or screen resolution: a row counts one unit, the scale stays 1.
    m.rowHeight = 0;
    m.screenDpiY = 0;
    EXPECT_EQ(MeasureListPage(m).rowsPerPage, 150 - ListPageLayout::kReservedRows);
}
