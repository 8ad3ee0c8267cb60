#include "app/CColumnWidths.h"
#include "app/CWFDoc.h"
#include "platform/Clock.h"
#include "reports/system/CRPReportEditView.h"
#include "reports/system/ListingPrinter.h"
#include "tests/app/DocumentFixture.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
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

    static QStringList PdfPages(const QString& pdf)
    {
        QProcess tool;
        tool.start(QStringLiteral(WARDIX_PDFTOTEXT), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000)) << "pdftotext (Debian poppler-utils) must be installed";
        QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
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
