#include "reports/lists/ListPageLayout.h"

#include <algorithm>

namespace {

// Margins in average character widths: two on the left, four on the right,
// six in all when the row is fitted to the page width.
constexpr int kLeftMarginChars = 2;
constexpr int kRightMarginChars = 4;
constexpr int kMarginChars = 6;

} // namespace

int ListPageLayout::PageCount(int rows) const
{
    return rows <= 0 ? 0 : (rows + rowsPerPage - 1) / rowsPerPage;
}

ListPageLayout MeasureListPage(const ListPageMetrics& m)
{
    ListPageLayout layout;
    const int a = std::max(m.averageCharWidth, 0);
    layout.rowHeight = std::max(m.rowHeight, 1);
    const int fitWidth = m.rowWidth + kMarginChars * a;
    layout.scaleX = std::max(fitWidth > 0 ? m.pageWidth / fitWidth : 1, 1);
    layout.scaleY = std::max(m.screenDpiY > 0 ? m.printerDpiY / m.screenDpiY : 1, 1);
    layout.left = kLeftMarginChars * a;
    layout.right = m.pageWidth / layout.scaleX - kRightMarginChars * a;
    layout.bottom = m.pageHeight / layout.scaleY;
    layout.rowsPerPage =
        std::max(m.pageHeight / (layout.rowHeight * layout.scaleY) - ListPageLayout::kReservedRows, 1);
    return layout;
}
