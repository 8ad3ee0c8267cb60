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
// An upright page that would need a smaller size is turned to landscape.
constexpr int kSmallestUprightPointSize = 8;
// Page headers print two lines above the listing's own.
constexpr int kHeaderLines = 2;
constexpr int kPointsPerInch = 72;
constexpr double kLineStep = 0.88;
constexpr int kNameWidth = 50;
constexpr int kPageNumberGap = 72;
constexpr const char* kDateFormat = "MM/dd/yy hh:mm AP";

// Two header lines, each with a quarter line below, and a quarter line under the rule.
int HeaderHeight(int lineHeight)
{
    return kHeaderLines * (lineHeight + lineHeight / 4) + lineHeight / 4;
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

std::vector<ListingPrinter::PageSetup> ListingPrinter::PlanPages(QPagedPaintDevice& device,
                                                                 const QString& date)
{
    MakeFonts(device.logicalDpiY());
    const QPageLayout chosen = device.pageLayout();
    const QSize area(device.width(), device.height());
    const bool mayTurn = chosen.orientation() == QPageLayout::Portrait;
    device.setPageOrientation(QPageLayout::Landscape);
    const QSize turnedArea(device.width(), device.height());
    device.setPageLayout(chosen);

    const int dotsPerInch = device.logicalDpiY();
    const int pages = static_cast<int>(m_doc.PaginateReport(ReportOp::kPageCount));
    std::vector<PageSetup> plan;
    plan.reserve(static_cast<std::size_t>(std::max(pages, 0)));
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = PageLines(page, date);
        PageSetup setup{chosen.orientation(), LargestFit(device, lines, area)};
        if (mayTurn && setup.pixelSize * kPointsPerInch < kSmallestUprightPointSize * dotsPerInch) {
            const int turned = LargestFit(device, lines, turnedArea);
            if (turned > setup.pixelSize)
                setup = PageSetup{QPageLayout::Landscape, turned};
        }
        plan.push_back(setup);
    }
    return plan;
}

QStringList ListingPrinter::PageLines(int page, const QString& date) const
{
    const int start = static_cast<int>(m_doc.PaginateReport(ReportOp::kPagePosition, 0, page));
    const int end = static_cast<int>(m_doc.PaginateReport(ReportOp::kPagePosition, 0, page + 1));
    QStringList lines{HeaderLine(date), PageLine(page)};
    lines << m_doc.m_strSettingsText.mid(start, std::max(end - start, 0)).split(QLatin1Char('\n'));
    return lines;
}

int ListingPrinter::LargestFit(const QPaintDevice& device, const QStringList& lines, const QSize& area) const
{
    QFont font = m_printFont;
    const int largest = device.logicalDpiY() * kPointSize / kPointsPerInch;
    font.setPixelSize(largest);
    if (Fits(font, device, lines, area))
        return largest;
    // The width and the height of the text grow with its size.
    int low = 1;
    int high = largest - 1;
    int best = 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        font.setPixelSize(middle);
        if (Fits(font, device, lines, area)) {
            best = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return best;
}

bool ListingPrinter::Fits(const QFont& font, const QPaintDevice& device, const QStringList& lines, const QSize& area)
{
    const QFontMetrics metrics(font, &device);
    const int h = metrics.height();
    const int lineStep = static_cast<int>(h * kLineStep);
    // The header's two lines stand above the rule; the last line needs its
    // whole height, not just a step.
    const int bodyLines = std::max(static_cast<int>(lines.size()) - kHeaderLines, 1);
    if (HeaderHeight(h) + (bodyLines - 1) * lineStep + h > area.height())
        return false;
    return std::all_of(lines.cbegin(), lines.cend(),
                       [&](const QString& line) { return metrics.horizontalAdvance(line) <= area.width(); });
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
    const std::vector<PageSetup> plan = PlanPages(device, date);
    if (!plan.empty())
        device.setPageOrientation(plan.front().orientation);
    QPainter painter;
    const bool started = painter.begin(&device);
    if (started) {
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const int page = static_cast<int>(i) + 1;
            if (page > 1) {
                // A new layout takes effect with the next page.
                device.setPageOrientation(plan[i].orientation);
                device.newPage();
            }
            SetPixelSize(plan[i].pixelSize);
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
