#include "reports/lists/CListPrinter.h"

#include <QAbstractItemModel>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTreeView>

namespace {

// Rows of the page above the column headings: the heading line and the gap under it.
constexpr int kColumnHeadingRow = 4;
// The footer rule stands this many rows above the page's bottom.
constexpr int kFooterRows = 3;

constexpr int kLeftFormat = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
constexpr int kOpenLeftFormat = kLeftFormat | Qt::TextDontClip;
constexpr int kRightFormat = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

int RowHeight(const QTreeView& list)
{
    return list.model() && list.model()->rowCount() > 0 ? list.sizeHintForRow(0) : list.fontMetrics().height();
}

int RowWidth(const QTreeView& list)
{
    const QHeaderView* header = list.header();
    int width = 0;
    for (int i = 0; i < header->count(); ++i)
        width += header->sectionSize(i);
    return width;
}

// The text inside its cell; a text too long for it ends in an ellipsis, as
// the screen's list shows it.
void DrawInCell(QPainter& painter, const QRect& cell, const QString& text)
{
    const QFontMetrics metrics(painter.font(), painter.device());
    painter.drawText(cell, kLeftFormat, metrics.elidedText(text, Qt::ElideRight, cell.width()));
}

// The list's font in the list's own pixels: the painter scales it to the printer.
QFont ScreenPixelFont(const QTreeView& list)
{
    QFont font = list.font();
    font.setPixelSize(QFontInfo(list.font()).pixelSize());
    return font;
}

} // namespace

ListPageLayout CListPrinter::MeasurePage(const QPaintDevice& printer, const QTreeView& list)
{
    ListPageMetrics metrics;
    metrics.pageWidth = printer.width();
    metrics.pageHeight = printer.height();
    metrics.printerDpiY = printer.logicalDpiY();
    metrics.screenDpiY = list.logicalDpiY();
    metrics.rowWidth = RowWidth(list);
    metrics.rowHeight = RowHeight(list);
    metrics.averageCharWidth = list.fontMetrics().averageCharWidth();
    return MeasureListPage(metrics);
}

bool CListPrinter::Print(QPagedPaintDevice& printer, const QTreeView& list, const QString& heading,
                         const QString& date)
{
    BeginPrinting(printer, list, heading, date);
    if (m_nRows == 0)
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int pages = m_layout.PageCount(m_nRows);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        PrintPage(painter, page);
    }
    painter.end();
    return true;
}

void CListPrinter::BeginPrinting(const QPaintDevice& printer, const QTreeView& list, const QString& heading,
                                 const QString& date)
{
    m_pList = &list;
    m_strHeading = heading;
    m_strDate = date;
    m_bodyFont = ScreenPixelFont(list);
    m_headingFont = m_bodyFont;
    m_headingFont.setBold(true);
    m_layout = MeasurePage(printer, list);
    m_nRows = list.model() ? list.model()->rowCount() : 0;
    m_nHeaderHeight = list.header()->isHidden() ? 0 : list.header()->sizeHint().height();
    m_nBlankWidth = QFontMetrics(m_bodyFont).horizontalAdvance(QLatin1Char(' '));
}

void CListPrinter::PrintPage(QPainter& painter, int page) const
{
    painter.save();
    painter.setTransform(QTransform::fromScale(m_layout.scaleX, m_layout.scaleY));
    painter.setPen(QPen(Qt::black, 0));
    painter.setBackground(Qt::white);
    PrintHeadings(painter);
    PrintFooter(painter, page);
    PrintColumnHeadings(painter);
    painter.setFont(m_bodyFont);
    const int first = (page - 1) * m_layout.rowsPerPage;
    const int end = std::min(first + m_layout.rowsPerPage, m_nRows);
    const int top = kColumnHeadingRow * m_layout.rowHeight + m_nHeaderHeight;
    for (int row = first; row < end; ++row)
        PrintRow(painter, row, top + (row - first) * m_layout.rowHeight);
    painter.restore();
}

void CListPrinter::PrintHeadings(QPainter& painter) const
{
    painter.setFont(m_headingFont);
    painter.drawText(QRect(m_layout.left, 0, m_layout.right - m_layout.left, m_layout.rowHeight), kRightFormat,
                     m_strHeading);
}

void CListPrinter::PrintFooter(QPainter& painter, int page) const
{
    const int h = m_layout.rowHeight;
    const int y0 = m_layout.bottom - kFooterRows * h;
    Rule(painter, y0);
    const QRect band(2 * m_layout.left, y0 + h / 2, m_layout.right - m_layout.left, h);
    painter.drawText(band, kOpenLeftFormat, QString::number(page));
    painter.drawText(band, kRightFormat, m_strDate);
}

void CListPrinter::PrintColumnHeadings(QPainter& painter) const
{
    const QHeaderView* header = m_pList->header();
    if (header->count() < 1)
        return;
    const int y = kColumnHeadingRow * m_layout.rowHeight;
    int x = m_layout.left;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        const int width = header->sectionSize(column);
        const QString title = m_pList->model()->headerData(column, Qt::Horizontal).toString();
        // A blank's gap before the next column, as between the cells.
        DrawInCell(painter, QRect(x, y, std::max(width - m_nBlankWidth, 0), m_layout.rowHeight), title);
        x += width;
    }
    Rule(painter, y + m_layout.rowHeight);
}

void CListPrinter::PrintRow(QPainter& painter, int row, int y) const
{
    const QHeaderView* header = m_pList->header();
    const QAbstractItemModel* model = m_pList->model();
    const int inset = m_nBlankWidth / 2;
    int x = m_layout.left;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        const int width = header->sectionSize(column);
        // Each text stays inside its own column with half a blank either side.
        const QRect cell(x + inset, y, std::max(width - 2 * inset, 0), m_layout.rowHeight);
        DrawInCell(painter, cell, model->index(row, column).data().toString());
        x += width;
    }
    Rule(painter, y);
}

void CListPrinter::Rule(QPainter& painter, int y) const
{
    painter.drawLine(m_layout.left, y, m_layout.left + m_layout.right, y);
}
