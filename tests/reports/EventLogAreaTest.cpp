#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "common/CommandIds.h"
#include "platform/WindowMessages.h"
#include "reports/ReportViews.h"
#include "reports/eventlog/CEventCardholdersTab.h"
#include "reports/eventlog/CEventDatesTab.h"
#include "reports/eventlog/CEventDoorsTab.h"
#include "reports/eventlog/CEventOperatorsTab.h"
#include "reports/eventlog/CEventTypesTab.h"
#include "reports/eventlog/CMenuEventLog.h"
#include "reports/eventlog/EventLogList.h"
#include "reports/lists/CListPrinter.h"
#include "reports/lists/CRPListView.h"
#include "reports/lists/ReportColumns.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/StandInViews.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

// An installation folder whose Event Logs folder holds archives, another
// file and a folder named like an archive.
class EventLogListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(Archives() + "/x.mdb"));
        for (const char* file : {"a.b.mdb", "a.mdb", "01 01 04 - 06 30 04.mdb", "notes.txt"})
            Touch(file);
    }
    QString Site() const { return env.Path("Site"); }
    QString Archives() const { return Site() + "/Event Logs"; }
    void Touch(const QString& file) const
    {
        QFile f(Archives() + "/" + file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    static QStringList Listed(const std::vector<EventLogEntry>& entries)
    {
        QStringList texts;
        for (const EventLogEntry& entry : entries)
            texts << entry.text + " = " + entry.log;
        return texts;
    }
    EventLogEntry Entry(const QString& log) const
    {
        for (const EventLogEntry& entry : ListEventLogs(Site())) {
            if (entry.log == log)
                return entry;
        }
        ADD_FAILURE() << "not listed: " << log.toStdString();
        return {};
    }

    TestEnvironment env;
    MessageBoxScript boxes;
};

TEST_F(EventLogListTest, ArchivesShowTheirNameToTheFirstDotAndKeepTheirFile)
{
    const std::vector<EventLogEntry> entries = ListEventLogs(Site());
    EXPECT_EQ(Listed(entries), (QStringList{"01 01 04 - 06 30 04 = 01 01 04 - 06 30 04", "a = a.b", "a = a",
                                            "Current event log = Current event log"}));
    EXPECT_EQ(CurrentEventLogIndex(entries), 3);
    EXPECT_EQ(Listed(ListEventLogs(env.Path("Elsewhere"))), QStringList{"Current event log = Current event log"});
}

TEST_F(EventLogListTest, DeletingAnEntryRemovesItsOwnFileOnlyAfterYes)
{
    boxes.Answer(IDNO);
    EXPECT_FALSE(DeleteEventLog(Site(), Entry("a.b")));
    EXPECT_TRUE(QFile::exists(Archives() + "/a.b.mdb"));

    boxes.Answer(IDYES);
    EXPECT_TRUE(DeleteEventLog(Site(), Entry("a.b")));
    EXPECT_FALSE(QFile::exists(Archives() + "/a.b.mdb"));
    EXPECT_TRUE(QFile::exists(Archives() + "/a.mdb"));
    EXPECT_EQ(boxes.Texts(), (QStringList{"Do you want to permanently delete this Event Log database.",
                                          "Do you want to permanently delete this Event Log database."}));
    EXPECT_EQ(boxes.Shown().first().icon, MbIcon::Question);
}

TEST_F(EventLogListTest, TheCurrentLogABlankEntryAndAVanishedFileAreRefused)
{
    const struct
    {
        EventLogEntry entry;
        bool asked;
        const char* message;
    } cases[] = {
        {{"Current event log", "Current event log"}, false, "Cannot delete the Wardix Event Log."},
        {{"", ""}, false, "Error getting string from list box"},
        {{"gone", "gone"}, true, "Error deleting the selected Eevent Log database."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        MessageBoxScript script;
        if (c.asked)
            script.Answer(IDYES);
        EXPECT_FALSE(DeleteEventLog(Site(), c.entry));
        EXPECT_EQ(script.Texts().last(), c.message);
        EXPECT_EQ(script.Texts().size(), c.asked ? 2 : 1);
    }
    EXPECT_EQ(ListEventLogs(Site()).size(), 4u);
}

// The program started on the demo installation, the event-log area open.
class EventLogAreaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterReportViews();
        app = std::make_unique<CWFApp>();
        RegisterStandInViews();
        ASSERT_TRUE(app->InitInstance({}));
        frame = app->MainFrame();
        Open();
    }
    void TearDown() override
    {
        if (app)
            app->ExitInstance();
    }
    void Open()
    {
        SendAppMessage(frame, Msg::WM_COMMAND, CommandId::EventLogReport);
        form = dynamic_cast<CMenuEventLog*>(frame->UpperLeftView());
        ASSERT_NE(form, nullptr);
    }
    void Click(const QString& caption)
    {
        for (QPushButton* button : form->findChildren<QPushButton*>()) {
            if (button->text() == caption) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << caption.toStdString();
    }
    static void CheckEntry(CEventListTab* page, int row)
    {
        ASSERT_LT(row, page->List()->count());
        page->List()->item(row)->setCheckState(Qt::Checked);
    }
    static QStringList Checked(const CEventListTab* page)
    {
        QStringList texts;
        for (const FilterEntry& entry : page->Entries()) {
            if (entry.checked)
                texts << entry.text;
        }
        return texts;
    }
    CRPListView* ListView() const { return dynamic_cast<CRPListView*>(frame->RightView()); }
    QStringList Column(int column) const
    {
        const ReportRowModel& rows = ListView()->Report().Model();
        QStringList cells;
        for (int row = 0; row < rows.RowCount(); ++row)
            cells << rows.Cell(row, column);
        return cells;
    }
    // Chooses the log list's entry of the text.
    void ChooseLog(const QString& text)
    {
        const QList<QListWidgetItem*> items = form->LogList()->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        form->LogList()->setCurrentItem(items.first());
    }
    // The demo's one archive, as the log list shows it.
    QString ArchiveText() const
    {
        for (int row = 0; row < form->LogList()->count(); ++row) {
            if (form->LogList()->item(row)->text() != "Current event log")
                return form->LogList()->item(row)->text();
        }
        return {};
    }
    QString ArchivePath() const
    {
        return app->Document()->m_strInstallationFolder + "/Event Logs/" + ArchiveText() + ".mdb";
    }

    TestEnvironment env;
    MessageBoxScript boxes;
    std::unique_ptr<CWFApp> app;
    CMainFrame* frame = nullptr;
    CMenuEventLog* form = nullptr;
};

TEST_F(EventLogAreaTest, TheAreaOpensOnItsPagesWithTheCurrentLogChosen)
{
    EXPECT_EQ(frame->RightView()->objectName(), "CRPBlankPane");
    EXPECT_TRUE(frame->windowTitle().endsWith(" - Event Log Report - Wardix"));
    QStringList tabs;
    for (int i = 0; i < form->Tabs()->count(); ++i)
        tabs << form->Tabs()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Dates", "Types", "Doors", "Cardholders", "Operators"}));
    ASSERT_NE(form->LogList()->currentItem(), nullptr);
    EXPECT_EQ(form->LogList()->currentItem()->text(), "Current event log");

    form->OnLogListDblClk();
    Click("Print");
    // A fresh profile selects nothing, so a filtered report has nothing to search.
    Click("Generate Filtered Report");
    EXPECT_EQ(boxes.Texts(), (QStringList{"Cannot delete the Wardix Event Log.", "There is no report to print.",
                                          "Select the events you want to include in the report."}));
    EXPECT_EQ(frame->RightView()->objectName(), "CRPBlankPane");
    EXPECT_EQ(form->RightPaneMode(), CMenuEventLog::kPaneNothing);
    EXPECT_TRUE(app->Document()->m_strEventLogFilter.isEmpty());
}

TEST_F(EventLogAreaTest, AFilteredReportSearchesTheComposedCriterion)
{
    form->OperatorsTab()->Box(4)->setChecked(true);
    CheckEntry(form->TypesTab(), 0);
    Click("Generate Filtered Report");
    ASSERT_NE(ListView(), nullptr);
    EXPECT_EQ(form->RightPaneMode(), CMenuEventLog::kPaneList);
    EXPECT_TRUE(frame->windowTitle().endsWith(" - Event Log Report - Wardix"));
    const CWFDoc* doc = app->Document();
    EXPECT_EQ(doc->m_strEventLogFilter, "(Type = 4) AND ((UserID = -5))");
    EXPECT_EQ(doc->m_strEventLogLabel, "Current event log");
    EXPECT_EQ(doc->GetReportKind(), kReportKindEventLog);
    EXPECT_EQ(ListView()->Report().Title(), "Eventlog");

    // "All Event Report" ignores the pages and keeps the list view.
    CRPListView* view = ListView();
    Click("All Event Report");
    EXPECT_EQ(ListView(), view);
    EXPECT_EQ(doc->m_strEventLogFilter, "LogID > 0");
}

TEST_F(EventLogAreaTest, LeavingAndReturningKeepsEveryPageButOperators)
{
    form->DatesTab()->AllDates()->click();
    form->DatesTab()->FromDate()->setDate(QDate(2004, 2, 1));
    form->DatesTab()->ToDate()->setDate(QDate(2004, 2, 29));
    CheckEntry(form->TypesTab(), 2);
    CheckEntry(form->DoorsTab(), 0);
    CheckEntry(form->CardholdersTab(), 1);
    form->OperatorsTab()->Box(0)->setChecked(true);
    const QStringList types = Checked(form->TypesTab());
    const QStringList doors = Checked(form->DoorsTab());
    const QStringList cardholders = Checked(form->CardholdersTab());
    ASSERT_EQ(types.size() + doors.size() + cardholders.size(), 3);

    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Open();
    EXPECT_FALSE(form->DatesTab()->AllDates()->isChecked());
    EXPECT_EQ(form->DatesTab()->FromDate()->date(), QDate(2004, 2, 1));
    EXPECT_EQ(form->DatesTab()->ToDate()->date(), QDate(2004, 2, 29));
    EXPECT_EQ(Checked(form->TypesTab()), types);
    EXPECT_EQ(Checked(form->DoorsTab()), doors);
    EXPECT_EQ(Checked(form->CardholdersTab()), cardholders);
    EXPECT_FALSE(form->OperatorsTab()->Box(0)->isChecked());

    // Uncheck All leaves the dates alone.
    Click("Uncheck All");
    EXPECT_TRUE(Checked(form->TypesTab()).isEmpty());
    EXPECT_TRUE(Checked(form->DoorsTab()).isEmpty());
    EXPECT_TRUE(Checked(form->CardholdersTab()).isEmpty());
    EXPECT_FALSE(form->DatesTab()->AllDates()->isChecked());
    Click("Generate Filtered Report");
    EXPECT_EQ(app->Document()->m_strEventLogFilter,
              "[Time] BETWEEN #02/01/2004 00:00:00# AND #02/29/2004 23:59:59#");
    EXPECT_TRUE(boxes.Texts().endsWith("No records found."));
}

TEST_F(EventLogAreaTest, AllEventsOfTheDemoShowNewestFirst)
{
    Click("All Event Report");
    ASSERT_NE(ListView(), nullptr);
    const QStringList times = Column(0);
    ASSERT_EQ(times.size(), 36);
    EXPECT_EQ(boxes.Texts(), QStringList{"36 records found."});
    const QString format = QStringLiteral("MM/dd/yy - HH:mm:ss");
    for (int i = 1; i < times.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(QDateTime::fromString(times[i - 1], format), QDateTime::fromString(times[i], format));
    }
    const QStringList events = Column(3);
    EXPECT_TRUE(events.contains("Block Card [10001], Access granted"));
    EXPECT_TRUE(events.contains("Network time set"));
    EXPECT_TRUE(Column(1).contains("[A1A] Door"));

    // The host's commands and the time sets are the Host's.
    form->OperatorsTab()->Box(4)->setChecked(true);
    Click("Generate Filtered Report");
    EXPECT_EQ(Column(2).count("Host operator") + Column(2).count("Host"), Column(2).size());
    EXPECT_EQ(boxes.Texts().last(), "9 records found.");
}

TEST_F(EventLogAreaTest, TheColumnsStandInTheirWidthsWhileTheCountIsShown)
{
    QList<int> shown;
    // The count's box, answered while the list stands behind it.
    const MessageBoxPresenter script = SetMessageBoxPresenter([&](const MessageBoxRequest&) {
        if (CRPListView* view = ListView()) {
            for (int i = 0; i < view->Report().ColumnCount(); ++i)
                shown << view->List()->header()->sectionSize(i);
        }
        return static_cast<int>(IDOK);
    });
    const auto restore = qScopeGuard([&] { SetMessageBoxPresenter(script); });
    Click("All Event Report");
    QList<int> stored;
    for (int i = 0; i < ListView()->Report().ColumnCount(); ++i)
        stored << ListView()->Report().ColumnWidth(i);
    ASSERT_EQ(stored.size(), 4);
    EXPECT_NE(stored, QList<int>(4, 100)) << "the widths differ from Qt's own";
    EXPECT_EQ(shown, stored);
}

TEST_F(EventLogAreaTest, TheArchiveIsSearchedDeletedAndReportedWhenItVanished)
{
    ASSERT_EQ(form->LogList()->count(), 2);
    const QString archive = ArchiveText();
    ASSERT_TRUE(QFile::exists(ArchivePath()));
    ChooseLog(archive);
    Click("All Event Report");
    EXPECT_EQ(Column(0).size(), 12);
    EXPECT_EQ(boxes.Texts().last(), "12 records found.");

    // Deleted behind the list: the engine's error and an empty list.
    const QString path = ArchivePath();
    ASSERT_TRUE(QFile::rename(path, path + ".moved"));
    Click("All Event Report");
    EXPECT_TRUE(Column(0).isEmpty());
    EXPECT_EQ(boxes.Texts().at(boxes.Texts().size() - 2), "DAO Database exception");
    ASSERT_TRUE(QFile::rename(path + ".moved", path));

    ChooseLog(archive);
    boxes.Answer(IDYES);
    form->OnLogListDblClk();
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(form->LogList()->count(), 1);
    EXPECT_EQ(form->LogList()->currentItem()->text(), "Current event log");
}

TEST_F(EventLogAreaTest, PrintingTheReportHeadsEveryPageWithTheLogAndInstallation)
{
    Click("All Event Report");
    CRPListView* view = ListView();
    ASSERT_NE(view, nullptr);
    const QString pdf = env.Path("events.pdf");
    int perPage = 0;
    view->SetPrintDialog([&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        perPage = CListPrinter::MeasurePage(printer, *view->List()).rowsPerPage;
        return true;
    });
    Click("Print");
    ASSERT_GT(perPage, 0);

    QProcess tool;
    tool.start(QStringLiteral(WARDIX_PDFTOTEXT), {"-layout", pdf, "-"});
    ASSERT_TRUE(tool.waitForFinished(30000)) << "pdftotext (Debian poppler-utils) must be installed";
    QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    const int rows = view->Report().Model().RowCount();
    EXPECT_EQ(pages.size(), (rows + perPage - 1) / perPage);
    for (const QString& page : pages)
        EXPECT_EQ(page.trimmed().section(QLatin1Char('\n'), 0, 0).trimmed(),
                  "Eventlog Report - Installation: Acme Manufacturing");
    EXPECT_TRUE(pages.join("\n").contains(Column(0).last()));
}

} // namespace
