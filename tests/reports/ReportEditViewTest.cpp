#include "app/CColumnWidths.h"
#include "app/CWFDoc.h"
#include "database/CSetFloorNames.h"
#include "database/GlobalRecordsets.h"
#include "platform/Clock.h"
#include "reports/system/CRPReportEditView.h"
#include "reports/system/ListingPrinter.h"
#include "reports/system/ReportFont.h"
#include "tests/app/DocumentFixture.h"
#include "tests/reports/ListingFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>
#include <numeric>

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

    // A site of 128 floors, every cab of every floor with a whole relay
    // module; the last floor's fourth cab has every relay of the four, its
    // line the widest of the listing.
    static void AddFloorsWithEveryCab()
    {
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
    }

    // The lines page (from 1) prints: the two header lines, then the
    // listing's own from the page's start.
    QStringList PageLines(int page) const
    {
        const std::vector<int>& starts = m_doc.m_reportPages.PageStarts();
        const auto p = static_cast<std::size_t>(page);
        return QStringList{"System Report - Installation: " + m_doc.m_strInstallationName.leftJustified(50) + ' '
                               + ListingPrinter::HeaderDate(),
                           QStringLiteral("Network Settings") + QString(72, ' ')
                               + QStringLiteral("Page %1").arg(page, 2, 10, QLatin1Char('0'))}
               + m_doc.m_strSettingsText.mid(starts[p - 1], starts[p] - starts[p - 1]).split('\n');
    }
    // Whether the page's lines fit the printer, turned as it is, at the pixel
    // size: every line across, and down the header, a rule and a line step
    // (0.88 of the font's height) per line, the last line whole.
    bool PageFits(const QPrinter& printer, int page, int pixelSize) const
    {
        QFont font = ReportFont(m_settings.m_printerFont, 10);
        font.setPixelSize(pixelSize);
        const QFontMetrics metrics(font, &printer);
        const QStringList lines = PageLines(page);
        const int h = metrics.height();
        const int down = 2 * (h + h / 4) + h / 4 + (static_cast<int>(lines.size()) - 3) * static_cast<int>(h * 0.88) + h;
        const int across = std::accumulate(lines.cbegin(), lines.cend(), 0, [&](int widest, const QString& line) {
            return std::max(widest, metrics.horizontalAdvance(line));
        });
        return across <= printer.width() && down <= printer.height();
    }
    // Each page of the plan at the largest size, at most 10 points, at which
    // its lines fit the paper it is printed on, turned only where it would
    // need less than 8 points upright; the number of pages turned.
    int ExpectLargestSizesThatFit(QPrinter& printer, const std::vector<ListingPrinter::PageSetup>& plan) const
    {
        const int dpi = printer.logicalDpiY();
        const int tenPoints = dpi * 10 / 72;
        const int eightPoints = (dpi * 8 + 71) / 72;
        const QPageLayout upright = printer.pageLayout();
        EXPECT_EQ(upright.orientation(), QPageLayout::Portrait);
        int turned = 0;
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const int page = static_cast<int>(i) + 1;
            SCOPED_TRACE(page);
            const ListingPrinter::PageSetup setup = plan[i];
            if (PageFits(printer, page, eightPoints)) {
                EXPECT_EQ(setup.orientation, QPageLayout::Portrait);
                EXPECT_GE(setup.pixelSize, eightPoints);
            } else {
                EXPECT_EQ(setup.orientation, QPageLayout::Landscape);
                ++turned;
            }
            if (PageFits(printer, page, tenPoints))
                EXPECT_EQ(setup.pixelSize, tenPoints);
            printer.setPageOrientation(setup.orientation);
            EXPECT_TRUE(PageFits(printer, page, setup.pixelSize));
            if (setup.pixelSize < tenPoints)
                EXPECT_FALSE(PageFits(printer, page, setup.pixelSize + 1)) << "one pixel more would fit";
            printer.setPageLayout(upright);
        }
        return turned;
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
    EXPECT_TRUE(DrawsEveryCharacterAlike(edit->font(), m_doc.m_strSettingsText))
        << QFontInfo(edit->font()).family().toStdString();

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

TEST_F(ReportEditViewTest, AFaceThatDrawsFixedPitchIsKeptAndAnyOtherGivesWay)
{
    m_doc.BuildSettingsListing();
    const QString listing = m_doc.m_strSettingsText;
    // Faces "Courier New" finds on common machines. fontconfig marks only some
    // monospaced ones fixed pitch: Noto Sans Mono draws fixed pitch unmarked.
    const struct
    {
        const char* face;
        bool drawsFixedPitch;
    } cases[] = {
        {"DejaVu Sans Mono", true}, {"Noto Sans Mono", true}, {"Nimbus Mono PS", true},
        {"DejaVu Sans", false},     {"Nimbus Sans", false},
    };
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    int tried = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        if (!QFontDatabase::hasFamily(QString::fromLatin1(c.face)))
            continue;
        ++tried;
        const QFont asked(QString::fromLatin1(c.face), 10);
        EXPECT_EQ(DrawsFixedPitch(asked), c.drawsFixedPitch);
        const QFont chosen = FixedPitchFace(asked);
        const QString family = QFontInfo(chosen).family();
        // Qt names a face found under several foundries "Family [foundry]".
        const bool kept = family.section(QStringLiteral(" ["), 0, 0) == QLatin1String(c.face);
        EXPECT_TRUE(DrawsEveryCharacterAlike(chosen, listing)) << family.toStdString();
        EXPECT_EQ(QFontInfo(chosen).pointSize(), 10);
        EXPECT_EQ(kept, c.drawsFixedPitch) << family.toStdString();
        if (!c.drawsFixedPitch && DrawsFixedPitch(system))
            EXPECT_EQ(family, QFontInfo(system).family()) << "the system's fixed font comes first";
    }
    EXPECT_GT(tried, 1) << "neither DejaVu nor URW fonts are installed";

    // Whatever "Courier New" finds here, the view and the paper line the columns up.
    const QFont courier = ReportFont(QStringLiteral("Courier New"), 10);
    EXPECT_TRUE(DrawsEveryCharacterAlike(courier, listing)) << QFontInfo(courier).family().toStdString();
    EXPECT_EQ(QFontInfo(View().Editor()->font()).family(), QFontInfo(courier).family());
    ListingPrinter printer(m_doc, QStringLiteral("Courier New"));
    printer.MakeFonts(96);
    EXPECT_EQ(QFontInfo(printer.PrintFont()).family(), QFontInfo(courier).family());
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

TEST_F(ReportEditViewTest, EachPageOfA128FloorSiteReachesThePaperWholeAtTheLargestSizeItsLinesAllow)
{
    AddFloorsWithEveryCab();
    View();
    m_doc.BuildSettingsListing();
    const QStringList lines = m_doc.m_strSettingsText.split('\n');
    const QString widest = *std::max_element(lines.cbegin(), lines.cend(), [](const QString& a, const QString& b) {
        return a.size() < b.size();
    });
    ASSERT_TRUE(widest.startsWith("Residence floor 128 West")) << widest.toStdString();
    ASSERT_GT(widest.size(), 159);
    const QList<QStringList> listed = ListedPages();

    // Letter takes the header lines at 10 points; A4, 2 percent narrower, does not.
    const struct
    {
        QPageSize::PageSizeId paper;
        const char* name;
        bool tenPointPages;
    } papers[] = {{QPageSize::Letter, "letter.pdf", true}, {QPageSize::A4, "a4.pdf", false}};
    for (const auto& paper : papers) {
        SCOPED_TRACE(paper.name);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(paper.paper));
        ListingPrinter listing(m_doc, m_settings.m_printerFont);
        const std::vector<ListingPrinter::PageSetup> plan = listing.PlanPages(printer, ListingPrinter::HeaderDate());
        ASSERT_EQ(static_cast<int>(plan.size()), listed.size());
        EXPECT_GT(ExpectLargestSizesThatFit(printer, plan), 0) << "the floor pages are turned";
        const int tenPoints = printer.logicalDpiY() * 10 / 72;
        EXPECT_EQ(std::any_of(plan.cbegin(), plan.cend(),
                              [&](const ListingPrinter::PageSetup& setup) { return setup.pixelSize == tenPoints; }),
                  paper.tenPointPages);

        // On the paper: every character of every line, each page turned and
        // sized as planned (a word's height follows its font's size).
        const QString pdf = PrintListing(paper.name, paper.paper);
        const QStringList printed = PdfPages(pdf);
        // pdftotext's word boxes, one text per page.
        QStringList boxes = PdfPages(pdf, QStringLiteral("-bbox")).join(QString()).split(QStringLiteral("<page "));
        boxes.removeFirst();
        ASSERT_EQ(printed.size(), listed.size());
        const QRegularExpression pageBox(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
        const QRegularExpression firstWord(QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                                                          "yMax=\"([0-9.]+)\">System</word>"));
        double heightPerPixel = 0;
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

            const auto page = pageBox.match("<page " + boxes.value(p));
            const auto word = firstWord.match(boxes.value(p));
            ASSERT_TRUE(page.hasMatch() && word.hasMatch());
            const ListingPrinter::PageSetup& setup = plan[static_cast<std::size_t>(p)];
            EXPECT_EQ(page.captured(1).toDouble() > page.captured(2).toDouble(),
                      setup.orientation == QPageLayout::Landscape);
            const double height = (word.captured(2).toDouble() - word.captured(1).toDouble()) / setup.pixelSize;
            if (heightPerPixel == 0)
                heightPerPixel = height;
            EXPECT_NEAR(height / heightPerPixel, 1.0, 0.02);
        }
    }
}

TEST_F(ReportEditViewTest, EachPageTakesTheLargestSizeUpToTenPointsAtWhichItsLinesFit)
{
    View();
    m_doc.BuildSettingsListing();
    const int pages = static_cast<int>(m_doc.PaginateReport(ReportOp::kPageCount));
    ListingPrinter listing(m_doc, m_settings.m_printerFont);
    const QString date = ListingPrinter::HeaderDate();

    // Wide paper takes every page at 10 points, turned as the operator chose.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A2));
    printer.setPageOrientation(QPageLayout::Landscape);
    const int tenPoints = printer.logicalDpiY() * 10 / 72;
    std::vector<ListingPrinter::PageSetup> plan = listing.PlanPages(printer, date);
    ASSERT_EQ(static_cast<int>(plan.size()), pages);
    for (const ListingPrinter::PageSetup& setup : plan) {
        EXPECT_EQ(setup.orientation, QPageLayout::Landscape);
        EXPECT_EQ(setup.pixelSize, tenPoints);
    }
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    // Upright papers: each page as large as its own lines allow.
    for (const QPageSize::PageSizeId paper : {QPageSize::Letter, QPageSize::A4}) {
        SCOPED_TRACE(QPageSize(paper).name().toStdString());
        printer.setPageSize(QPageSize(paper));
        printer.setPageOrientation(QPageLayout::Portrait);
        plan = listing.PlanPages(printer, date);
        ASSERT_EQ(static_cast<int>(plan.size()), pages);
        ExpectLargestSizesThatFit(printer, plan);
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait) << "the printer is set back";
    }
}
