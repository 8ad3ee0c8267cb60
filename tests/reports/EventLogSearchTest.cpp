#include "tests/database/EventLogFixture.h"

#include "database/CSetEventLog.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/ForwardRows.h"
#include "platform/SqlStatement.h"
#include "reports/eventlog/EventLogReport.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/ProgressRecorder.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>

#include <vector>

namespace
{
const QString kLead = QStringLiteral("                        ");

QDateTime At(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2004, 2, day), QTime(hour, minute), Qt::UTC);
}

// The rows a report appends, and how many there were at each flush.
struct RowRecorder : IReportRowSink
{
    void AppendRow(const ReportCells& cells) override { rows.push_back(cells); }
    void FlushRows() override { flushedAt.push_back(static_cast<int>(rows.size())); }

    std::vector<ReportCells> rows;
    std::vector<int> flushedAt;
};

// Thirty events, stored out of time order: 25 network time sets from the host
// (one a minute on Feb 10 from 08:00, stored oldest last), four tamper events
// of node 0x23's door 2 (door 2 denied once) and one event of a type without
// texts; a tamper event shares its time with a time set stored before it.
class EventLogSearch : public EventLogFixture
{
protected:
    static constexpr int kTimeSets = 25;

    void SetUp() override
    {
        EventLogFixture::SetUp();
        for (int i = kTimeSets - 1; i >= 0; --i)
            Add(EventType::TimeSet, 0, EventSource::Host, At(10, 8, i));
        Add(EventType::Tamper, 0x23, 2, At(10, 8, 24));
        Add(EventType::Tamper, 0x23, 2, At(9, 12));
        Add(EventType::Tamper, 0x23, 2 | EventSource::AccessDenied, At(8, 12));
        Add(EventType::Tamper, 0x23, 2, At(1, 0));
        Add(kNoTextType, 0, 0, At(11, 9));
    }

    static constexpr std::uint8_t kNoTextType = 99;

    static void Add(std::uint8_t type, std::uint8_t netNode, std::uint8_t door, const QDateTime& time)
    {
        g_setEventLog.AddEvent(type, 0, 0, 0, 0, 1, 0, 0, netNode, 0, door, time);
    }

    // The current log searched as the report list would.
    void Search(const QString& criteria)
    {
        m_doc.m_strEventLogLabel = QString::fromLatin1(kCurrentEventLog);
        m_doc.m_strEventLogFilter = criteria;
        BuildEventLogReport(m_rows);
    }

    // The current log searched with a clock of the test's own.
    void SearchTimed(const QString& criteria, const RowBatches::Ticks& ticks)
    {
        CSetEventLog log;
        const QFileInfo file(DatabasePath("EventLog.mdb"));
        log.m_strDBFolder = file.path();
        log.m_strDBFileName = QLatin1Char('/') + file.fileName();
        SearchEventLog(m_rows, log, criteria, ticks);
    }

    QStringList Column(int column) const
    {
        QStringList texts;
        for (const ReportCells& row : m_rows.rows)
            texts << row[column];
        return texts;
    }

    RowRecorder m_rows;
    ProgressRecorder m_progress;
    MessageBoxScript m_boxes;
};

TEST_F(EventLogSearch, CountsAndMessagesFollowTheMatches)
{
    const struct
    {
        const char* criteria;
        int rows;
        const char* message;
    } cases[] = {
        {"LogID > 0", 29, "30 records found."},
        {"Type = 99", 0, "1 record found."},
        {"Type = 16 AND Time >= #02/10/2004 00:00:00#", 1, "1 record found."},
        {"(NetNode = 35 AND ([Door] = 2 OR [Door] = 18))", 4, "4 records found."},
        {"Type = 4", 0, "No records found."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.criteria);
        m_rows.rows.clear();
        const qsizetype before = m_boxes.Shown().size();
        Search(c.criteria);
        EXPECT_EQ(static_cast<int>(m_rows.rows.size()), c.rows);
        ASSERT_EQ(m_boxes.Shown().size(), before + 1);
        const MessageBoxRequest& box = m_boxes.Shown().last();
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.icon, c.rows == 0 && box.text.startsWith("No") ? MbIcon::None : MbIcon::Information);
        EXPECT_FALSE(m_progress.open);
    }
}

TEST_F(EventLogSearch, RowsRunNewestFirstAndLaterStoredFirstAtOneTime)
{
    Search("LogID > 0");
    const QStringList times = Column(0);
    ASSERT_EQ(times.size(), 29);
    // The event without texts (Feb 11) adds no row.
    EXPECT_EQ(times.first(), "02/10/04 - 08:24:00");
    EXPECT_EQ(m_rows.rows[0][3], "Tamper switch open");
    EXPECT_EQ(m_rows.rows[1][3], "Network time set");
    EXPECT_EQ(m_rows.rows[1][1], "Wardix");
    EXPECT_EQ(m_rows.rows[1][2], "Host");
    EXPECT_EQ(times.last(), "02/01/04 - 00:00:00");
    for (int i = 1; i < times.size(); ++i)
        EXPECT_GE(times[i - 1], times[i]) << i;
}

TEST_F(EventLogSearch, ProgressShowsEveryTenthMatchAndTheRowsSoFar)
{
    Search("Type = 15");
    EXPECT_EQ(m_progress.captions, QStringList{"Generating Event log report..."});
    EXPECT_TRUE(m_progress.barHidden);
    EXPECT_EQ(m_progress.statuses,
              (QStringList{kLead + "0 records found.", kLead + "10 records found.", kLead + "20 records found."}));
    EXPECT_EQ(m_progress.checks, 3);
    // The first row at once, every row by the end.
    ASSERT_FALSE(m_rows.flushedAt.empty());
    EXPECT_EQ(m_rows.flushedAt.front(), 1);
    EXPECT_EQ(m_rows.flushedAt.back(), 25);
    EXPECT_EQ(m_boxes.Texts(), QStringList{"25 records found."});
}

// The clock is read at every check, every 10 events; rows reach the list at
// the first check and then once the interval has passed, the rest at the end.
TEST_F(EventLogSearch, RowsReachTheListInTimedBatches)
{
    const struct
    {
        qint64 msPerCheck;
        std::vector<int> flushedAt;
    } cases[] = {
        {50, {1, 25}},
        {100, {1, 21, 25}},
        {RowBatches::kIntervalMs, {1, 11, 21, 25}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.msPerCheck);
        m_rows = RowRecorder();
        const int checks = m_progress.checks;
        qint64 now = 1000;
        SearchTimed("Type = 15", [&now, &c] { return now += c.msPerCheck; });
        EXPECT_EQ(m_rows.flushedAt, c.flushedAt);
        EXPECT_EQ(m_rows.rows.size(), 25u);
        EXPECT_EQ(m_progress.checks - checks, 3);
    }
}

TEST_F(EventLogSearch, CancelEndsTheSearchAtTheNextCheck)
{
    // Pressed while the events after the first check are handled: the clock
    // is read at each check just before Cancel is asked.
    int reads = 0;
    SearchTimed("Type = 15", [this, &reads] {
        if (++reads == 2)
            m_progress.PressCancel();
        return reads * RowBatches::kIntervalMs;
    });
    EXPECT_EQ(m_rows.rows.size(), 11u);
    EXPECT_EQ(m_boxes.Texts(), QStringList{"11 records found."});
    EXPECT_FALSE(m_progress.open);
}

TEST_F(EventLogSearch, AnArchiveIsSearchedByItsOwnFileName)
{
    g_setEventLog.Close();
    const QString archives = Site() + "/Event Logs";
    ASSERT_TRUE(QDir().mkpath(archives));
    ASSERT_TRUE(QFile::copy(DatabasePath("EventLog.mdb"), archives + "/a.b.mdb"));
    m_doc.m_strEventLogLabel = "a.b";
    m_doc.m_strEventLogFilter = "Type = 16";
    BuildEventLogReport(m_rows);
    EXPECT_EQ(m_rows.rows.size(), 4u);
    EXPECT_EQ(m_boxes.Texts(), QStringList{"4 records found."});
}

TEST_F(EventLogSearch, AMissingArchiveShowsTheDatabaseErrorAndNoCount)
{
    m_doc.m_strEventLogLabel = "gone";
    m_doc.m_strEventLogFilter = "LogID > 0";
    BuildEventLogReport(m_rows);
    EXPECT_TRUE(m_rows.rows.empty());
    ASSERT_FALSE(m_boxes.Texts().isEmpty());
    EXPECT_EQ(m_boxes.Texts().first(), "DAO Database exception");
    for (const QString& text : m_boxes.Texts())
        EXPECT_FALSE(text.endsWith("found.")) << text.toStdString();
    EXPECT_FALSE(m_progress.open);
}

// Operator text reaches the statement only as bound values.
TEST_F(EventLogSearch, CriterionTextIsNeverPartOfTheStatement)
{
    Search("Type = 16 OR Door = \"x'); DROP TABLE Eventlog; --\"");
    EXPECT_EQ(m_boxes.Texts(), QStringList{"4 records found."});
    EXPECT_EQ(CountRows(DatabasePath("EventLog.mdb"), "Eventlog"), 30);
}
// A log from before the search's indexes gets them at its first search, and
// then a date range, a type, a node's door and a cardholder each read their
// matches newest first from an index, without sorting them all first.
TEST_F(EventLogSearch, AnOlderLogGetsTheIndexesThatSpareASort)
{
    const std::shared_ptr<Database> database = Database::Open(DatabasePath("EventLog.mdb"));
    for (const char* index : {"Eventlog_3", "Eventlog_4", "Eventlog_5"})
        database->Execute(QStringLiteral("DROP INDEX IF EXISTS [%1]").arg(index));
    Search("LogID > 0");
    SqlStatement indexes(database->Handle(),
                         "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Eventlog'");
    ASSERT_TRUE(indexes.Step());
    EXPECT_EQ(indexes.Int64(0), 5);

    for (const char* criteria : {"LogID > 0", "Time >= #02/01/2004 00:00:00# AND Time <= #02/29/2004 23:59:59#",
                                 "Type = 15", "(NetNode = 35 AND ([Door] = 2 OR [Door] = 18))", "UserID = 7"}) {
        SCOPED_TRACE(criteria);
        CSetEventLog log;
        log.m_strDBFolder = Site() + "/Database";
        ForwardRows rows(log, criteria);
        SqlStatement plan(database->Handle(), "EXPLAIN QUERY PLAN " + rows.Sql());
        QStringList steps;
        while (plan.Step())
            steps << plan.Value(3).toString();
        EXPECT_FALSE(steps.join(" | ").contains("TEMP B-TREE")) << steps.join(" | ").toStdString();
    }
}
// A log whose node index predates the door in it gets the index remade, so a
// door with no events skips the node's events without reading their rows;
// the door's rows and their order stay as they were.
TEST_F(EventLogSearch, AnOlderNodeIndexIsRemadeWithTheDoor)
{
    const std::shared_ptr<Database> database = Database::Open(DatabasePath("EventLog.mdb"));
    database->Execute("DROP INDEX [Eventlog_4]");
    database->Execute("CREATE INDEX [Eventlog_4] ON [Eventlog] ([NetNode], [Time])");
    Search("(NetNode = 35 AND ([Door] = 2 OR [Door] = 18))");
    EXPECT_EQ(Column(0), (QStringList{"02/10/04 - 08:24:00", "02/09/04 - 12:00:00", "02/08/04 - 12:00:00",
                                      "02/01/04 - 00:00:00"}));

    SqlStatement columns(database->Handle(), "SELECT name FROM pragma_index_info('Eventlog_4') ORDER BY seqno");
    QStringList names;
    while (columns.Step())
        names << columns.Value(0).toString();
    EXPECT_EQ(names, (QStringList{"NetNode", "Time", "LogID", "Door"}));
}
} // namespace
