#include "reports/system/ListingPrinter.h"

#include "app/CWFDoc.h"
#include "app/ReportPages.h"
#include "platform/Clock.h"
#include "reports/system/ReportFont.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kPointSize = 10;
// Below this the printout is turned to landscape.
constexpr int kSmallestPointSize = 6;
constexpr int kPointsPerInch = 72;
constexpr double kLineStep = 0.88;
constexpr int kNameWidth = 50;
constexpr int kPageNumberGap = 72;
constexpr const char* kDateFormat = "MM/dd/yy hh:mm AP";

// Two header lines, each with a quarter line below, and a quarter line under the rule.
int HeaderHeight(int lineHeight)
{
    return 2 * (lineHeight + lineHeight / 4) + lineHeight / 4;
}

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
    m_underlineFont = m_printFont;
    m_underlineFont.setUnderline(true);
    SetPixelSize(dotsPerInch * kPointSize / kPointsPerInch);
}

void ListingPrinter::SetPixelSize(int pixels)
{
    m_printFont.setPixelSize(pixels);
    m_underlineFont.setPixelSize(pixels);
}

bool ListingPrinter::FitFonts(const QPaintDevice& device, const QString& date)
{
    const int dotsPerInch = device.logicalDpiY();
    MakeFonts(dotsPerInch);
    QStringList lines = m_doc.m_strSettingsText.split(QLatin1Char('\n'));
    lines << HeaderLine(date)
          << PageLine(static_cast<int>(m_doc.PaginateReport(ReportOp::kPageCount)));
    int best = m_printFont.pixelSize();
    if (!Fits(device, lines)) {
        // The width and the height of the text grow with its size.
        int low = 1;
        int high = best - 1;
        best = 1;
        while (low <= high) {
            const int middle = (low + high) / 2;
            SetPixelSize(middle);
            if (Fits(device, lines)) {
                best = middle;
                low = middle + 1;
            } else {
                high = middle - 1;
            }
        }
        SetPixelSize(best);
    }
    return best * kPointsPerInch >= kSmallestPointSize * dotsPerInch;
}

bool ListingPrinter::Fits(const QPaintDevice& device, const QStringList& lines) const
{
    const QFontMetrics metrics(m_printFont, &device);
    const int h = metrics.height();
    const int lineStep = static_cast<int>(h * kLineStep);
    // The last line of a full page needs its whole height, not just a step.
    if (HeaderHeight(h) + (ReportPages::kLinesPerPage - 1) * lineStep + h > device.height())
        return false;
    return std::all_of(lines.cbegin(), lines.cend(),
                       [&](const QString& line) { return metrics.horizontalAdvance(line) <= device.width(); });
}

QString ListingPrinter::HeaderLine(const QString& date) const
{
    return QStringLiteral("System Report - Installation: ")
           + m_doc.m_strInstallationName.leftJustified(kNameWidth, QLatin1Char(' ')) + QLatin1Char(' ') + date;
}

QString ListingPrinter::PageLine(int page)
{
    return QStringLiteral("Network Settings") + QString(kPageNumberGap, QLatin1Char(' '))
           + QString::asprintf("Page %02d", page);
}

bool ListingPrinter::Print(QPagedPaintDevice& device, const QString& date)
{
    // The printer keeps the orientation the operator chose for later jobs.
    const QPageLayout chosen = device.pageLayout();
    if (!FitFonts(device, date) && chosen.orientation() == QPageLayout::Portrait) {
        device.setPageOrientation(QPageLayout::Landscape);
        FitFonts(device, date);
    }
    QPainter painter;
    const bool started = painter.begin(&device);
    if (started) {
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
    }
    device.setPageLayout(chosen);
    return started;
}

void ListingPrinter::PrintPageHeader(QPainter& painter, int page, const QString& date, int width, int& top)
{
    painter.save();
    painter.setFont(m_printFont);
    const QFontMetrics metrics(m_printFont, painter.device());
    const int h = metrics.height();
    painter.drawText(0, top + metrics.ascent(), HeaderLine(date));
    top += h + h / 4;
    painter.drawText(0, top + metrics.ascent(), PageLine(page));
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
