#pragma once

#include "reports/lists/ListPageLayout.h"

#include <QFont>
#include <QString>

class QPainter;
class QPagedPaintDevice;
class QPaintDevice;
class QTreeView;

// Prints a report list as the screen shows it: the columns in their order
// and widths, the rows at their spacing with a rule above each, a heading
// line on every page and a footer with the page number and the date.
class CListPrinter
{
public:
    // The printer measured against the list as it stands.
    static ListPageLayout MeasurePage(const QPaintDevice& printer, const QTreeView& list);

    // Prints every page; false when the list has no rows or the printer
    // cannot be painted on.
    bool Print(QPagedPaintDevice& printer, const QTreeView& list, const QString& heading, const QString& date);

    const ListPageLayout& Layout() const { return m_layout; }

private:
    void BeginPrinting(const QPaintDevice& printer, const QTreeView& list, const QString& heading,
                       const QString& date);
    void PrintPage(QPainter& painter, int page) const;
    void PrintHeadings(QPainter& painter) const;
    void PrintFooter(QPainter& painter, int page) const;
    void PrintColumnHeadings(QPainter& painter) const;
    void PrintRow(QPainter& painter, int row, int y) const;
    void Rule(QPainter& painter, int y) const;

    const QTreeView* m_pList = nullptr;
    QString m_strHeading;
    QString m_strDate;
    QFont m_headingFont;
    QFont m_bodyFont;
    ListPageLayout m_layout;
    int m_nRows = 0;
    int m_nHeaderHeight = 0;
    int m_nBlankWidth = 0;
};
