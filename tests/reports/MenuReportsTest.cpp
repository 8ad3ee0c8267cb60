#include "app/CMainFrame.h"
#include "app/CPaneView.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/ViewFactory.h"
#include "common/CommandIds.h"
#include "platform/WindowMessages.h"
#include "reports/ReportViews.h"
#include "reports/lists/CMenuReports.h"
#include "reports/lists/CRPListView.h"
#include "reports/lists/IPrintView.h"
#include "reports/lists/ReportColumns.h"
#include "reports/system/CRPReportEditView.h"
#include "tests/reports/ListingFont.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/StandInViews.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontInfo>
#include <QPrinter>
#include <QTextEdit>
#include <QFileInfo>
#include <QHeaderView>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

// The settings listing's view until it is built: counts its prints.
class PrintCountingView : public CPaneView, public IPrintView
{
public:
    explicit PrintCountingView(QWidget* parent) : CPaneView(parent) {}
    void OnFilePrint() override { ++prints; }
    static inline int prints = 0;
};

// The program started on the demo installation, the reports area open.
class MenuReportsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterReportViews();
        RegisterViewClass(QStringLiteral("CRPReportEditView"),
                          [](QWidget* parent) -> QWidget* { return new PrintCountingView(parent); });
        PrintCountingView::prints = 0;
        Start();
    }
    void TearDown() override
    {
        if (app)
            app->ExitInstance();
    }

    void Start()
    {
        app = std::make_unique<CWFApp>();
        RegisterStandInViews();
        ASSERT_TRUE(app->InitInstance({}));
        frame = app->MainFrame();
        SendAppMessage(frame, Msg::WM_COMMAND, CommandId::PrintReports);
        form = dynamic_cast<CMenuReports*>(frame->UpperLeftView());
        ASSERT_NE(form, nullptr);
    }
    void Restart()
    {
        app->ExitInstance();
        app.reset();
        Start();
    }

    void Click(const QString& caption)
    {
        for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
            if (button->text() == caption) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << caption.toStdString();
    }
    CRPListView* ListView() const { return dynamic_cast<CRPListView*>(frame->RightView()); }

    TestEnvironment env;
    MessageBoxScript boxes;
    std::unique_ptr<CWFApp> app;
    CMainFrame* frame = nullptr;
    CMenuReports* form = nullptr;
};

} // namespace

TEST_F(MenuReportsTest, ReportsCommandPutsTheFormOnTheLeft)
{
    EXPECT_EQ(frame->UpperLeftView()->objectName(), "CMenuReports");
    EXPECT_EQ(frame->RightView()->objectName(), "CRPBlankPane");
    EXPECT_TRUE(frame->windowTitle().endsWith(" - Reports - Wardix"));
    QStringList captions;
    for (QAbstractButton* button : form->findChildren<QAbstractButton*>())
        captions << button->text();
    captions.sort();
    QStringList expected = {"&Blocks",       "&All",           "Bl&ocks",         "A&ll",
                            "&Cardholders",  "&Include Credentials", "&Entry Codes", "&Directory Codes",
                            "&System Report", "Display &Messages", "Print"};
    expected.sort();
    EXPECT_EQ(captions, expected);
}

TEST_F(MenuReportsTest, PrintBeforeAnyOtherButtonDoesNothing)
{
    QPointer<QWidget> right = frame->RightView();
    Click("Print");
    EXPECT_EQ(frame->RightView(), right.data());
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(MenuReportsTest, BlocksShowsTheTransmitterBlocksAndPrintsNothingWhenThereAreNone)
{
    Click("&Blocks");
    CRPListView* view = ListView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Report().Title(), "Block transmitters");
    QStringList columns;
    for (int i = 0; i < view->List()->model()->columnCount(); ++i)
        columns << view->List()->model()->headerData(i, Qt::Horizontal).toString();
    EXPECT_EQ(columns, QStringList({"Block", "Start", "End", "Facility Codes", "Name"}));
    EXPECT_EQ(app->Document()->GetReportKind(), kReportKindBlockTransmitters);
    EXPECT_TRUE(frame->windowTitle().endsWith(" - Reports - Wardix"));

    Click("Print");
    EXPECT_EQ(boxes.Texts(), QStringList{"There is no report to print."});
}

TEST_F(MenuReportsTest, TheCheckBoxAloneRebuildsNothing)
{
    Click("&Blocks");
    CRPListView* view = ListView();
    ASSERT_NE(view, nullptr);
    int columnsRemoved = 0;
    QObject::connect(view->List()->model(), &QAbstractItemModel::columnsRemoved, [&columnsRemoved] { ++columnsRemoved; });
    Click("&Include Credentials");
    EXPECT_EQ(columnsRemoved, 0);
    EXPECT_EQ(view->Report().Title(), "Block transmitters");
    EXPECT_EQ(app->Document()->GetReportKind(), kReportKindBlockTransmitters);

    Click("&Cardholders");
    EXPECT_EQ(app->Document()->GetReportKind(), kReportKindCardholdersWithCredentials);
    EXPECT_EQ(view->Report().Title(), "Cardholders with credentials");
    Click("&Include Credentials");
    Click("&Cardholders");
    EXPECT_EQ(app->Document()->GetReportKind(), kReportKindCardholdersWithoutCredentials);
}

TEST_F(MenuReportsTest, ListingThenBlocksMakesANewListThatAllKeeps)
{
    Click("&System Report");
    EXPECT_EQ(frame->RightView()->objectName(), "CRPReportEditView");
    Click("Print");
    EXPECT_EQ(PrintCountingView::prints, 1);

    Click("&Blocks");
    CRPListView* view = ListView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Report().Title(), "Block transmitters");
    Click("&All");
    EXPECT_EQ(ListView(), view);
    EXPECT_EQ(view->Report().Title(), "All transtitters");
    Click("Display &Messages");
    EXPECT_EQ(frame->RightView()->objectName(), "CRPReportEditView");
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(MenuReportsTest, AWidenedColumnKeepsItsWidthAcrossAreasAndARestart)
{
    Click("&Blocks");
    QHeaderView* header = ListView()->List()->header();
    const int widened = header->sectionSize(1) + 77;
    header->resizeSection(1, widened);
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::PrintReports);
    form = dynamic_cast<CMenuReports*>(frame->UpperLeftView());
    ASSERT_NE(form, nullptr);
    Click("&Blocks");
    EXPECT_EQ(ListView()->List()->header()->sectionSize(1), widened);

    Restart();
    Click("&Blocks");
    EXPECT_EQ(ListView()->List()->header()->sectionSize(1), widened);
}

TEST_F(MenuReportsTest, CardholdersWithCredentialsListTheDemoByNameAndBySet)
{
    Click("&Include Credentials");
    Click("&Cardholders");
    CRPListView* view = ListView();
    ASSERT_NE(view, nullptr);
    const auto listed = [view](int column) {
        const ReportRowModel& rows = view->Report().Model();
        QStringList lines;
        for (int row = 0; row < rows.RowCount(); ++row) {
            if (rows.Cell(row, 0) != " ")
                lines << rows.Cell(row, 0) + " / " + rows.Cell(row, column);
            else if (rows.Cell(row, 1) == "Credential:")
                lines << rows.Cell(row, 2);
        }
        return lines;
    };
    EXPECT_EQ(listed(6), QStringList({"Lindqvist Chloe [3] / Warehouse Crew [4]", "Cards-block:",
                                      "Okafor Ben [2] / Office Staff [3]", "Cards-block:",
                                      "Patel Dev [4] / Warehouse Crew [4]", "Cards-block:",
                                      "Ramirez Ada [1] / Office Staff [3]", "Cards-block:"}));

    view->Report().OnColumnClick(kReportKindCardholdersWithCredentials, 6);
    EXPECT_EQ(listed(6), QStringList({"Okafor Ben [2] / Office Staff [3]", "Cards-block:",
                                      "Ramirez Ada [1] / Office Staff [3]", "Cards-block:",
                                      "Lindqvist Chloe [3] / Warehouse Crew [4]", "Cards-block:",
                                      "Patel Dev [4] / Warehouse Crew [4]", "Cards-block:"}));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(MenuReportsTest, AllCardsListTheDemoSortByStatusAndPrint)
{
    Click("A&ll");
    CRPListView* view = ListView();
    ASSERT_NE(view, nullptr);
    const auto column = [view](int c) {
        const ReportRowModel& rows = view->Report().Model();
        QStringList cells;
        for (int row = 0; row < rows.RowCount(); ++row)
            cells << rows.Cell(row, c);
        return cells;
    };
    QStringList numbers;
    for (const QString& cell : column(0))
        numbers << cell.trimmed();
    // The demo block's spares follow its four held cards as one range.
    EXPECT_EQ(numbers, QStringList({"10001", "10002", "10003", "10004", "10005 - 10100"}));
    EXPECT_EQ(column(2), QStringList({"Ramirez, Ada", "Okafor, Ben", "Lindqvist, Chloe", "Patel, Dev", ""}));
    EXPECT_EQ(column(4), QStringList({"Office Staff", "Office Staff", "Warehouse Crew", "Warehouse Crew", ""}));

    QHeaderView* header = view->List()->header();
    emit header->sectionClicked(3);
    EXPECT_EQ(view->Report().Model().RowCount(), 5);
    EXPECT_TRUE(boxes.Texts().isEmpty());
    emit header->sectionClicked(1);
    EXPECT_EQ(boxes.Texts(), QStringList({"This column cannot be sorted."}));

    const QString pdf = env.Path("cards.pdf");
    view->SetPrintDialog([&pdf](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    Click("Print");
    EXPECT_GT(QFileInfo(pdf).size(), 0);

    Click("&Entry Codes");
    EXPECT_EQ(ListView()->Report().Model().ColumnTitle(0), "Entry Code");
    EXPECT_EQ(ListView()->Report().ColumnCount(), 5);
    Click("&Directory Codes");
    EXPECT_EQ(ListView()->Report().Model().ColumnTitle(5), "Dir Subsets");
    EXPECT_EQ(ListView()->Report().ColumnCount(), 8);
}

namespace {

// The reports area with the settings listing's own view.
class MenuReportsListingTest : public MenuReportsTest
{
protected:
    void SetUp() override
    {
        RegisterReportViews();
        Start();
    }
    CRPReportEditView* ListingView() const { return dynamic_cast<CRPReportEditView*>(frame->RightView()); }
};

} // namespace

TEST_F(MenuReportsListingTest, SystemReportShowsAndPrintsTheListing)
{
    Click("&System Report");
    CRPReportEditView* view = ListingView();
    ASSERT_NE(view, nullptr);
    QTextEdit* edit = view->Editor();
    const QString text = edit->toPlainText();
    EXPECT_TRUE(DrawsEveryCharacterAlike(edit->font(), text)) << QFontInfo(edit->font()).family().toStdString();
    EXPECT_TRUE(text.startsWith("Memory Status\n"));
    EXPECT_TRUE(text.contains("[A]   Main Building\n"));
    for (const char* node : {"[A1]  ", "[A2]  ", "[A3]  "})
        EXPECT_TRUE(text.contains(QStringLiteral("Settings for controller: ") + QLatin1String(node)));
    QTextCursor cursor(edit->document());
    cursor.setPosition(1);
    EXPECT_TRUE(cursor.charFormat().fontUnderline());

    const QString pdf = env.Path("system-report.pdf");
    view->SetPrintDialog([&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    Click("Print");
    EXPECT_GT(QFileInfo(pdf).size(), 0);

    Click("Display &Messages");
    ASSERT_NE(ListingView(), nullptr);
    EXPECT_TRUE(ListingView()->Editor()->toPlainText().startsWith("Display Messages\n"));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

namespace {

// The print dialog's answer: a PDF file in a folder that does not exist.
CRPListView::PrintDialog UnwritablePdf(const QString& pdf)
{
    return [pdf](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
}

} // namespace

TEST_F(MenuReportsListingTest, APrintThatCannotStartSaysTheReportWasNotPrinted)
{
    const QString pdf = env.Path("no such folder/report.pdf");
    const QString said = "The report was not printed.\n\nThe file " + pdf + " cannot be written.";
    Click("&System Report");
    ASSERT_NE(ListingView(), nullptr);
    ListingView()->SetPrintDialog(UnwritablePdf(pdf));
    Click("Print");
    EXPECT_EQ(boxes.Texts(), QStringList{said});
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown()[0].icon, MbIcon::Exclamation);

    Click("A&ll");
    ASSERT_NE(ListView(), nullptr);
    ListView()->SetPrintDialog(UnwritablePdf(pdf));
    Click("Print");
    EXPECT_EQ(boxes.Texts(), QStringList({said, said}));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // A dialog the operator cancelled is no failure.
    ListView()->SetPrintDialog([](QPrinter&, QWidget*) { return false; });
    Click("Print");
    EXPECT_EQ(boxes.Texts().size(), 2);
}
