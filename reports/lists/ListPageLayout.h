#pragma once

// How a report list goes onto printed pages. Report units are the list's
// pixels on the screen; one unit is scaleX printer pixels across and scaleY
// down, so the printout keeps the screen's proportions.
struct ListPageMetrics
{
    int pageWidth = 0;  // printable area, printer pixels
    int pageHeight = 0;
    int printerDpiY = 0;
    int screenDpiY = 0;
    int rowWidth = 0;  // one list row on the screen, pixels
    int rowHeight = 0;
    int averageCharWidth = 0;
};

struct ListPageLayout
{
    // Rows the headings, column headings and footer take from each page.
    static constexpr int kReservedRows = 8;

    int scaleX = 1;
    int scaleY = 1;
    // The printable area in report units, inside its margins.
    int left = 0;
    int right = 0;
    int bottom = 0;
    int rowHeight = 1;
    int rowsPerPage = 1;

    int PageCount(int rows) const;
};

// Scale factors below 1 are taken as 1 and a page holds at least one row, so
// a small or coarse page still prints.
ListPageLayout MeasureListPage(const ListPageMetrics& metrics);
