#include "reports/system/ListingPrinter.h"

#include "app/CWFDoc.h"
#include "platform/Clock.h"
#include "reports/system/ReportFont.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr int kPointSize = 10;
constexpr int kPointsPerInch = 72;
constexpr double kLineStep = 0.88;
constexpr int kNameWidth = 50;
constexpr int kPageNumberGap = 72;
constexpr const char* kDateFormat = "MM/dd/yy hh:mm AP";

} // namespace

ListingPrinter::ListingPrinter(CWFDoc& doc, const QString& fontFace) : m_doc(doc), m_fontFace(fontFace) {}

QString ListingPrinter::HeaderDate()
{
    return QLocale::c().toString(Clock::Current().NowLocal(), QString::fromLatin1(kDateFormat));
}

void ListingPrinter::MakeFonts(int dotsPerInch)
{
    // Made for every job, so a face chosen since takes effect.
    m_printFont = ReportFont(m_fontFace, kPointSize);
    m_printFont.setPixelSize(dotsPerInch * kPointSize / kPointsPerInch);
    m_underlineFont = m_printFont;
    m_underlineFont.setUnderline(true);
}

bool ListingPrinter::Print(QPagedPaintDevice& device, const QString& date)
{
    MakeFonts(device.logicalDpiY());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int pages = static_cast<int>(m_doc.PaginateReport(ReportOp::kPageCount));
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            device.newPage();
        int top = 0;
        PrintPageHeader(painter, page, date, device.width(), top);
        if (!PrintPageBody(painter, page, top))
            break;
    }
    painter.end();
    return true;
}

void ListingPrinter::PrintPageHeader(QPainter& painter, int page, const QString& date, int width, int& top)
{
    painter.save();
    painter.setFont(m_printFont);
    const QFontMetrics metrics(m_printFont, painter.device());
    const int h = metrics.height();
    const QString first = QStringLiteral("System Report - Installation: ")
                          + m_doc.m_strInstallationName.leftJustified(kNameWidth, QLatin1Char(' ')) + QLatin1Char(' ')
                          + date;
    const QString second = QStringLiteral("Network Settings") + QString(kPageNumberGap, QLatin1Char(' '))
                           + QString::asprintf("Page %02d", page);
    painter.drawText(0, top + metrics.ascent(), first);
    top += h + h / 4;
    painter.drawText(0, top + metrics.ascent(), second);
    top += h + h / 4;
    painter.drawLine(0, top, width, top);
    top += h / 4;
    painter.restore();
}

bool ListingPrinter::PrintPageBody(QPainter& painter, int page, int top)
{
    m_nPageOffset = 0;
    for (;;) {
        const Step step = PrintNextLine(painter, page, top);
        if (step == kPageEnded)
            return true;
        if (step == kTextEnded)
            return false;
    }
}

ListingPrinter::Step ListingPrinter::PrintNextLine(QPainter& painter, int page, int& top)
{
    const QString& text = m_doc.m_strSettingsText;
    const int length = static_cast<int>(text.size());
    const QFontMetrics metrics(m_printFont, painter.device());
    const int lineStep = static_cast<int>(metrics.height() * kLineStep);
    if (m_doc.PaginateReport(ReportOp::kIsPageEnd, m_nPageOffset, page)) {
        ++m_nPageOffset;
        return kPageEnded;
    }
    int position = static_cast<int>(m_doc.PaginateReport(ReportOp::kPagePosition, m_nPageOffset, page));
    if (position >= length)
        return kTextEnded;
    if (text[position] == QLatin1Char('\n')) {
        top += lineStep;
        ++m_nPageOffset;
        return kLinePrinted;
    }
    const bool heading = m_doc.MarkReportHeadings(ReportOp::kIsHeadingStart, m_nPageOffset, page) != 0;
    int end = static_cast<int>(text.indexOf(QLatin1Char('\n'), position));
    if (end < 0)
        end = length;
    painter.save();
    painter.setFont(heading ? m_underlineFont : m_printFont);
    painter.drawText(0, top + metrics.ascent(), text.mid(position, end - position));
    painter.restore();
    top += lineStep;
    m_nPageOffset += end - position;
    if (m_doc.PaginateReport(ReportOp::kIsPageEnd, m_nPageOffset, page)) {
        ++m_nPageOffset;
        return kPageEnded;
    }
    ++m_nPageOffset;
    return position + (end - position) + 1 < length ? kLinePrinted : kTextEnded;
}
