#include "app/CColumnWidths.h"
#include "platform/Clock.h"
#include "reports/lists/CRPListView.h"
#include "reports/lists/ReportColumns.h"
#include "tests/reports/ReportFixture.h"

#include <QHeaderView>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTreeView>

namespace {

const QString kHeading = QStringLiteral("Block transmitters Report - Installation: Acme Manufacturing");
const QString kDate = QStringLiteral("12/10/26 05:07 PM");

class ListPrintingTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        Clock::Install(&m_clock);
        m_view = std::make_unique<CRPListView>(m_widths);
        m_view->resize(800, 600);
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setPageSize(QPageSize(QPageSize::Letter));
    }
    void TearDown() override
    {
        m_view.reset();
        Clock::Install(nullptr);
        ReportFixture::TearDown();
    }

    // Prints the view to a PDF file and reads its pages back as text.
    QStringList PrintPages(const QString& name, const QStringList& options = {})
    {
        const QString pdf = m_env.Path(name + ".pdf");
        m_printer.setOutputFileName(pdf);
        EXPECT_TRUE(m_view->PrintTo(m_printer));
        return PdfText(pdf, options);
    }
    static QStringList PdfText(const QString& pdf, const QStringList& options)
    {
        QProcess tool;
        tool.start(QStringLiteral(WARDIX_PDFTOTEXT), options + QStringList{pdf, QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000)) << "pdftotext (Debian poppler-utils) must be installed";
        QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
    // Where a word of the column headings starts on the first page, in PDF points.
    double HeadingX(const QString& bboxPage, const QString& word) const
    {
        const QRegularExpression re(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>%1</word>")
                                        .arg(QRegularExpression::escape(word)));
        double x = -1;
        double y = -1;
        for (auto it = re.globalMatch(bboxPage); it.hasNext();) {
            const auto m = it.next();
            // The heading line has "Block" too: the column headings are the lower line.
            if (m.captured(2).toDouble() > y) {
                y = m.captured(2).toDouble();
                x = m.captured(1).toDouble();
            }
        }
        return x;
    }

    FixedClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(17, 7), QTimeZone::utc())};
    CColumnWidths m_widths;
    std::unique_ptr<CRPListView> m_view;
    QPrinter m_printer{QPrinter::HighResolution};
};

} // namespace

TEST_F(ListPrintingTest, ThreePagesRepeatTheHeadingsAndNumberThePages)
{
    AddBlock(g_setTransmitterBlocks, {1, 10, "Sizing"});
    g_setTransmitterBlocks.Requery();
    m_doc.SetReportKind(kReportKindBlockTransmitters);
    const int perPage = CListPrinter::MeasurePage(m_printer, *m_view->List()).rowsPerPage;
    ASSERT_GT(perPage, 8);
    for (int i = 1; i < 2 * perPage + 1; ++i)
        AddBlock(g_setTransmitterBlocks, {i * 100.0, i * 100.0 + 99, QStringLiteral("Block %1").arg(i)});
    g_setTransmitterBlocks.Requery();
    m_doc.SetReportKind(kReportKindBlockTransmitters);
    ASSERT_EQ(m_view->Report().Model().RowCount(), 2 * perPage + 1);

    const QStringList pages = PrintPages("three", {"-layout"});
    ASSERT_EQ(pages.size(), 3);
    const QRegularExpression footer(QStringLiteral("^\\s*(\\d+)\\s+(\\S.*\\S)\\s*$"));
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList lines = pages[p].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines[0].trimmed(), kHeading);
        EXPECT_TRUE(lines[1].contains(QRegularExpression("Block\\s+Start\\s+End\\s+Facility Codes\\s+Name")))
            << lines[1].toStdString();
        const auto m = footer.match(lines.last());
        ASSERT_TRUE(m.hasMatch()) << lines.last().toStdString();
        EXPECT_EQ(m.captured(1).toInt(), p + 1);
        EXPECT_EQ(m.captured(2), kDate);
    }
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Block %1").arg(2 * perPage))) << "the last row, on page 3";
}

TEST_F(ListPrintingTest, ACardholderReportPrintsItsLabelAndCredentialLines)
{
    m_doc.SetReportKind(kReportKindCardholdersWithCredentials);
    const int perPage = CListPrinter::MeasurePage(m_printer, *m_view->List()).rowsPerPage;
    const int rows = m_view->Report().Model().RowCount();
    ASSERT_GT(rows, 0);
    const QStringList pages = PrintPages("cardholders", {"-layout"});
    EXPECT_EQ(pages.size(), (rows + perPage - 1) / perPage);
    const QString text = pages.join(QLatin1Char('\n'));
    EXPECT_TRUE(text.contains("Okafor Ben [2]"));
    // Too long for its column, as on the screen.
    EXPECT_TRUE(text.contains(QStringLiteral("Ramirez Ada \u2026")));
    EXPECT_TRUE(text.contains(QRegularExpression("Credential:\\s+Cards-block:\\s+10001"))) << text.toStdString();
}

TEST_F(ListPrintingTest, ACardholderReportsHeadingsStandApart)
{
    m_doc.SetReportKind(kReportKindCardholdersWithCredentials);
    QStringList titleWords;
    for (int column = 0; column < m_view->Report().Model().ColumnCount(); ++column)
        titleWords << m_view->Report().Model().ColumnTitle(column).split(QLatin1Char(' '));
    const QStringList lines = PrintPages("headings", {"-layout"}).value(0).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    const QStringList printed = lines[1].split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    ASSERT_GE(printed.size(), m_view->Report().Model().ColumnCount());
    // Each printed word is a title's word, or the start of one cut with an ellipsis.
    for (const QString& word : printed) {
        const bool whole = titleWords.contains(word);
        const bool cut = word.endsWith(QChar(0x2026)) && std::any_of(titleWords.cbegin(), titleWords.cend(), [&](const QString& w) {
                             return w.startsWith(word.chopped(1));
                         });
        EXPECT_TRUE(whole || cut) << word.toStdString() << " in " << lines[1].toStdString();
    }
    EXPECT_TRUE(lines[1].contains(QRegularExpression("^\\s*Name \\[User\\S*\\s+Status\\s+Address\\s")))
        << lines[1].toStdString();
}

TEST_F(ListPrintingTest, ATextTooLongForItsColumnEndsInAnEllipsis)
{
    const QString name = QStringLiteral("Loading dock transmitters of the night shift crew");
    AddBlock(g_setTransmitterBlocks, {1, 10, name});
    g_setTransmitterBlocks.Requery();
    m_doc.SetReportKind(kReportKindBlockTransmitters);
    QHeaderView* header = m_view->List()->header();
    const int last = header->logicalIndex(header->count() - 1);
    ASSERT_EQ(m_view->Report().Model().Cell(0, last), name);
    header->resizeSection(last, QFontMetrics(m_view->List()->font()).horizontalAdvance(name) / 2);
    const QString page = PrintPages("cut", {"-layout"}).value(0);
    EXPECT_TRUE(page.contains(QRegularExpression("Loading dock[^\\n]*\\x{2026}"))) << page.toStdString();
    EXPECT_FALSE(page.contains("crew")) << page.toStdString();
}

TEST_F(ListPrintingTest, TheTransmitterReportPrintsItsHeadingAndEveryRow)
{
    m_doc.SetReportKind(kReportKindAllTransmitters);
    const int perPage = CListPrinter::MeasurePage(m_printer, *m_view->List()).rowsPerPage;
    // Transmitters in use without a cardholder, one row each.
    for (int i = 0; i < perPage + 3; ++i) {
        g_setTransmitters.AddNew();
        g_setTransmitters.m_XmtrID = 900000 + 2 * i;
        g_setTransmitters.Update();
    }
    g_setTransmitters.Requery();
    m_doc.SetReportKind(kReportKindAllTransmitters);
    const int rows = m_view->Report().Model().RowCount();
    ASSERT_GT(rows, perPage);
    const QStringList pages = PrintPages("transmitters", {"-layout"});
    EXPECT_EQ(pages.size(), (rows + perPage - 1) / perPage);
    for (const QString& page : pages)
        EXPECT_EQ(page.split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0).trimmed(),
                  "All transtitters Report - Installation: Acme Manufacturing");
    EXPECT_TRUE(pages.last().contains(QString::number(900000 + 2 * (perPage + 2))));
}

TEST_F(ListPrintingTest, AWidenedColumnPrintsWider)
{
    AddBlock(g_setTransmitterBlocks, {1, 10, "One"});
    g_setTransmitterBlocks.Requery();
    m_doc.SetReportKind(kReportKindBlockTransmitters);
    const auto printedRatio = [this](const QString& name) {
        const QString page = PrintPages(name, {"-bbox"}).value(0);
        const double block = HeadingX(page, "Block");
        const double start = HeadingX(page, "Start");
        const double end = HeadingX(page, "End");
        EXPECT_GT(start, block);
        EXPECT_GT(end, start);
        return (start - block) / (end - start);
    };
    QHeaderView* header = m_view->List()->header();
    const double before = printedRatio("before");
    EXPECT_NEAR(before, double(header->sectionSize(0)) / header->sectionSize(1), 0.1);
    header->resizeSection(0, header->sectionSize(0) * 3);
    const double after = printedRatio("after");
    EXPECT_NEAR(after, double(header->sectionSize(0)) / header->sectionSize(1), 0.1);
    EXPECT_GT(after, before * 2);
}

TEST_F(ListPrintingTest, HeadingNamesTheTitleAColumnClickGave)
{
    m_doc.SetReportKind(kReportKindDirectoryCodes);
    EXPECT_EQ(m_view->HeadingText(), "Phone entry numbers Report - Installation: Acme Manufacturing");
    m_view->OnColumnClick(2);
    EXPECT_EQ(m_view->HeadingText(), "Directory codes Report - Installation: Acme Manufacturing");
}

TEST_F(ListPrintingTest, AnEmptyReportSaysThereIsNothingToPrint)
{
    m_doc.SetReportKind(kReportKindBlockTransmitters);
    bool dialogShown = false;
    m_view->SetPrintDialog([&dialogShown](QPrinter&, QWidget*) { return dialogShown = true; });
    MessageBoxScript boxes;
    m_view->PrintReport();
    EXPECT_EQ(boxes.Texts(), QStringList{"There is no report to print."});
    EXPECT_FALSE(dialogShown);
    m_printer.setOutputFileName(m_env.Path("empty.pdf"));
    EXPECT_FALSE(m_view->PrintTo(m_printer));
}

TEST_F(ListPrintingTest, WithoutAPrinterTheReportIsNotPrintedAndSaysSo)
{
    m_doc.SetReportKind(kReportKindCardholdersWithCredentials);
    ASSERT_GT(m_view->Report().Model().RowCount(), 0);
    bool dialogShown = false;
    m_view->SetPrintDialog([&dialogShown](QPrinter&, QWidget*) { return dialogShown = true; });
    MessageBoxScript boxes;
    m_view->PrintReport();
    EXPECT_EQ(boxes.Texts(), QStringList{"The report was not printed.\n\nNo printer is available."});
    EXPECT_FALSE(dialogShown);
}
