#include "app/CColumnWidths.h"
#include "app/CWFDoc.h"
#include "database/CSetFloorNames.h"
#include "database/GlobalRecordsets.h"
#include "platform/Clock.h"
#include "reports/system/CRPReportEditView.h"
#include "reports/system/ListingPrinter.h"
#include "reports/system/ReportFont.h"
#include "tests/app/DocumentFixture.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextEdit>

namespace {

class ReportEditViewTest : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
        ASSERT_TRUE(m_doc.OnOpenDocument(demo));
        Clock::Install(&m_clock);
    }
    void TearDown() override
    {
        m_view.reset();
        Clock::Install(nullptr);
        m_doc.OnCloseDocument();
    }

    CRPReportEditView& View()
    {
        if (!m_view)
            m_view = std::make_unique<CRPReportEditView>(m_settings);
        return *m_view;
    }

    static QStringList PdfPages(const QString& pdf, const QString& option = QStringLiteral("-layout"))
    {
        QProcess tool;
        tool.start(QStringLiteral(WARDIX_PDFTOTEXT), {option, pdf, QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000)) << "pdftotext (Debian poppler-utils) must be installed";
        QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    // Prints the listing to a PDF file on the paper, upright.
    QString PrintListing(const QString& name, QPageSize::PageSizeId paper)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(paper));
        printer.setPageOrientation(QPageLayout::Portrait);
        const QString pdf = m_env.Path(name);
        printer.setOutputFileName(pdf);
        EXPECT_TRUE(View().PrintTo(printer));
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait) << "the printer keeps its orientation";
        return pdf;
    }
    // The listing's lines that show on each page, their blanks run together.
    QList<QStringList> ListedPages() const
    {
        const std::vector<int>& starts = m_doc.m_reportPages.PageStarts();
        QList<QStringList> pages;
        for (std::size_t p = 0; p + 1 < starts.size(); ++p) {
            QStringList lines;
            for (const QString& line : m_doc.m_strSettingsText.mid(starts[p], starts[p + 1] - starts[p]).split('\n'))
                if (!line.simplified().isEmpty())
                    lines << line.simplified();
            pages << lines;
        }
        return pages;
    }

    FixedClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(17, 7), QTimeZone::utc())};
    CWFDoc m_doc;
    CColumnWidths m_settings;
    std::unique_ptr<CRPReportEditView> m_view;
};

} // namespace

TEST_F(ReportEditViewTest, ANewViewEmptiesTheListingAndShowsNothing)
{
    m_doc.BuildSettingsListing();
    QTextEdit* edit = View().Editor();
    EXPECT_TRUE(m_doc.m_strSettingsText.isEmpty());
    EXPECT_TRUE(edit->toPlainText().isEmpty());
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->lineWrapMode(), QTextEdit::NoWrap);
}

TEST_F(ReportEditViewTest, ShowsTheListingWithExactlyTheHeadingsUnderlined)
{
    View();
    m_doc.BuildSettingsListing();
    QTextEdit* edit = m_view->Editor();
    EXPECT_EQ(edit->toPlainText(), m_doc.m_strSettingsText);
    EXPECT_TRUE(QFontInfo(edit->font()).fixedPitch());

    // A line feed ends its block and shows the next block's format: the
    // visible characters are compared.
    const ReportPages& pages = m_doc.m_reportPages;
    QTextCursor cursor(edit->document());
    for (int i = 0; i < pages.HeadingCount(); ++i) {
        SCOPED_TRACE(i);
        const int start = pages.HeadingStarts()[static_cast<std::size_t>(i)];
        const int end = pages.HeadingEnds()[static_cast<std::size_t>(i)];
        for (int at = start; at < end; ++at) {
            if (m_doc.m_strSettingsText[at] == QLatin1Char('\n'))
                continue;
            cursor.setPosition(at + 1);
            EXPECT_TRUE(cursor.charFormat().fontUnderline()) << at;
        }
        cursor.setPosition(end + 1);
        if (end < m_doc.m_strSettingsText.size() && m_doc.m_strSettingsText[end] != QLatin1Char('\n'))
            EXPECT_FALSE(cursor.charFormat().fontUnderline());
    }
    m_doc.RefreshSettingsListing();
    EXPECT_EQ(edit->toPlainText(), m_doc.m_strSettingsText);
}

TEST_F(ReportEditViewTest, TheFaceFollowsTheSetting)
{
    m_settings.m_printerFont = QStringLiteral("Times New Roman");
    EXPECT_EQ(View().Editor()->font().family(), "Times New Roman");
    EXPECT_EQ(m_view->Editor()->font().styleHint(), QFont::Serif);
    EXPECT_EQ(m_view->Editor()->font().pointSize(), 10);
}

TEST_F(ReportEditViewTest, ACourierNewThatIsNotFixedPitchGivesWayToTheSystemsFixedFont)
{
    // Where "Courier New" is not installed, a proportional face stands in for it.
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans"));
    const auto restore = qScopeGuard([] { QFont::removeSubstitutions(QStringLiteral("Courier New")); });
    QFont asked(QStringLiteral("Courier New"));
    asked.setStyleHint(QFont::TypeWriter);
    if (QFontInfo(asked).fixedPitch())
        GTEST_SKIP() << "a fixed-pitch Courier New is installed";

    const QFont font = ReportFont(QStringLiteral("Courier New"), 10);
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
    EXPECT_EQ(font.pointSize(), 10);
    EXPECT_TRUE(QFontInfo(View().Editor()->font()).fixedPitch());
    EXPECT_EQ(ReportFont(QStringLiteral("Times New Roman"), 10).family(), "Times New Roman");
}

TEST_F(ReportEditViewTest, PrintsEveryPageWithBothHeaderLines)
{
    View();
    m_doc.BuildSettingsListing();
    const int pageCount = static_cast<int>(m_doc.PaginateReport(ReportOp::kPageCount));
    ASSERT_GT(pageCount, 3);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    const QString pdf = m_env.Path("listing.pdf");
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(m_view->PrintTo(printer));
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), pageCount);
    for (int page = 0; page < pageCount; ++page) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(pages[page].contains("System Report - Installation: " + m_doc.m_strInstallationName));
        EXPECT_TRUE(pages[page].contains("12/10/26 05:07 PM"));
        // pdftotext gives the blanks between the two texts only roughly.
        EXPECT_TRUE(pages[page].contains(
            QRegularExpression(QStringLiteral("Network Settings +Page %1").arg(page + 1, 2, 10, QLatin1Char('0')))));
    }
    EXPECT_TRUE(pages[0].contains("Memory Status"));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Transmitter Blocks +24 +0 +24"))));
    EXPECT_TRUE(pages.last().contains("Settings for controller:") || pages.last().contains("Setting for network:"));
}

TEST_F(ReportEditViewTest, ALineHoldingOnlyAHeadingsLaterPartPrintsPlain)
{
    m_doc.m_strSettingsText = QStringLiteral("Head one\nline two\n");
    m_doc.MarkReportHeadings(ReportOp::kClear);
    m_doc.m_reportPages.StartHeading(0);
    m_doc.m_reportPages.EndHeading(18);
    m_doc.PaginateReport(ReportOp::kClear);
    m_doc.PaginateReport(ReportOp::kScanPages);
    // Both lines, each onto its own image at the same top.
    const auto printLines = [&]() {
        ListingPrinter printer(m_doc, QStringLiteral("Courier New"));
        printer.MakeFonts(96);
        std::vector<QImage> lines;
        for (int line = 0; line < 2; ++line) {
            QImage image(800, 40, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            int top = 0;
            EXPECT_NE(printer.PrintNextLine(painter, 1, top), ListingPrinter::kPageEnded);
            lines.push_back(image);
        }
        return lines;
    };
    const std::vector<QImage> marked = printLines();
    m_doc.MarkReportHeadings(ReportOp::kClear);
    const std::vector<QImage> plain = printLines();
    EXPECT_NE(marked[0], plain[0]);
    EXPECT_EQ(marked[1], plain[1]);
}

TEST_F(ReportEditViewTest, EveryCharacterAndLineOfA128FloorSiteReachesThePaper)
{
    // Every cab of every floor has a whole relay module; the last floor's
    // fourth cab has every relay of the four, its line the widest.
    constexpr int kFloors = 128;
    for (int floor = 1; floor <= kFloors; ++floor) {
        g_setFloorNames.AddNew();
        g_setFloorNames.m_Name = QStringLiteral("Residence floor %1 West").arg(floor, 3, 10, QLatin1Char('0'));
        g_setFloorNames.m_Net = 1;
        g_setFloorNames.m_Node = 3;
        g_setFloorNames.m_Sched = 0x3F;
        g_setFloorNames.m_Cab1 = 0x3F;
        g_setFloorNames.m_Cab2 = 0x3F << 6;
        g_setFloorNames.m_Cab3 = 0x3F << 12;
        g_setFloorNames.m_Cab4 = floor == kFloors ? 0xFFFFFF : 0x3F << 18;
        g_setFloorNames.Update();
    }
    View();
    m_doc.BuildSettingsListing();
    const QStringList lines = m_doc.m_strSettingsText.split('\n');
    const QString widest = *std::max_element(lines.cbegin(), lines.cend(), [](const QString& a, const QString& b) {
        return a.size() < b.size();
    });
    ASSERT_TRUE(widest.startsWith("Residence floor 128 West")) << widest.toStdString();
    ASSERT_GT(widest.size(), 159);

    const QString pdf = PrintListing("floors.pdf", QPageSize::A4);
    const QList<QStringList> listed = ListedPages();
    const QStringList printed = PdfPages(pdf);
    ASSERT_EQ(printed.size(), listed.size());
    for (int p = 0; p < printed.size(); ++p) {
        SCOPED_TRACE(p + 1);
        QStringList shown;
        for (const QString& line : printed[p].split('\n'))
            if (!line.simplified().isEmpty())
                shown << line.simplified();
        ASSERT_GE(shown.size(), 2);
        EXPECT_TRUE(shown[0].startsWith("System Report - Installation: ")) << shown[0].toStdString();
        EXPECT_TRUE(shown[0].endsWith("12/10/26 05:07 PM")) << shown[0].toStdString();
        EXPECT_EQ(shown[1], QStringLiteral("Network Settings Page %1").arg(p + 1, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(shown.mid(2), listed[p]);
    }
    // A4 upright holds the widest line only below 6 points: the job turned to landscape.
    const QRegularExpression size(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const auto page = size.match(PdfPages(pdf, QStringLiteral("-bbox")).value(0));
    ASSERT_TRUE(page.hasMatch());
    EXPECT_GT(page.captured(1).toDouble(), page.captured(2).toDouble());
}

TEST_F(ReportEditViewTest, TheLargestSizeUpToTenPointsThatFitsIsChosen)
{
    View();
    m_doc.BuildSettingsListing();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    ListingPrinter listing(m_doc, QStringLiteral("Courier New"));
    const int dpi = printer.logicalDpiY();
    const auto points = [&] { return listing.PrintFont().pixelSize() * 72.0 / dpi; };
    const QString date = ListingPrinter::HeaderDate();

    // Wide paper takes every line at 10 points.
    printer.setPageSize(QPageSize(QPageSize::A3));
    printer.setPageOrientation(QPageLayout::Landscape);
    EXPECT_TRUE(listing.FitFonts(printer, date));
    EXPECT_NEAR(points(), 10.0, 0.1);

    // A page too narrow or too low at 10 points takes a smaller size; one
    // pixel more would not fit.
    printer.setPageSize(QPageSize(QPageSize::Letter));
    EXPECT_TRUE(listing.FitFonts(printer, date));
    EXPECT_LT(points(), 10.0);
    EXPECT_GE(points(), 6.0);
    const QFont fitted = listing.PrintFont();
    QFont larger = fitted;
    larger.setPixelSize(fitted.pixelSize() + 1);
    const QFontMetrics metrics(larger, &printer);
    const int h = metrics.height();
    const int widest = [&] {
        int width = metrics.horizontalAdvance("System Report - Installation: "
                                              + m_doc.m_strInstallationName.leftJustified(50) + ' ' + date);
        for (const QString& line : m_doc.m_strSettingsText.split('\n'))
            width = std::max(width, metrics.horizontalAdvance(line));
        return width;
    }();
    const int pageHeight = 2 * (h + h / 4) + h / 4 + 65 * static_cast<int>(h * 0.88) + h;
    EXPECT_TRUE(widest > printer.width() || pageHeight > printer.height());

    // A page of A7 cannot take the listing at 6 points.
    printer.setPageSize(QPageSize(QPageSize::A7));
    printer.setPageOrientation(QPageLayout::Portrait);
    EXPECT_FALSE(listing.FitFonts(printer, date));
    EXPECT_LT(points(), 6.0);
}
