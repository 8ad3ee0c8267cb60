#include "tests/database/EventLogFixture.h"

#include "database/EventLogMaintenance.h"
#include "database/GlobalRecordsets.h"
#include "database/Schema.h"
#include "platform/OleDate.h"

#include <QDir>

namespace
{
const QString kSplitDone = QStringLiteral("Splitting of Event Log data base complete.");

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

class EventLogSplit : public EventLogFixture
{
protected:
    void SetUp() override
    {
        EventLogFixture::SetUp();
        for (const QDateTime& time : {At(2004, 3, 5, 10), At(2004, 6, 29, 23, 59, 59), At(2004, 6, 30),
                                      At(2004, 6, 30, 0, 0, 1), At(2004, 7, 2, 12)})
            AddEventAt(time);
    }

    QString ArchiveFolder() const { return Site() + "/Event Logs"; }
    QStringList Archives() const { return QDir(ArchiveFolder()).entryList(QDir::Files); }
    qint64 LogRows() const { return CountRows(DatabasePath("EventLog.mdb"), "Eventlog"); }
};
} // namespace

TEST(SplitDate, TextIsReadAsMonthDayAndTwoDigitYear)
{
    const struct
    {
        const char* text;
        std::optional<QDate> date;
    } cases[] = {
        {"06/30/04", QDate(2004, 6, 30)}, {"12/31/99", QDate(1999, 12, 31)}, {"01/01/29", QDate(2029, 1, 1)},
        {"01/01/30", QDate(1930, 1, 1)},  {"6 /3 /04", QDate(2004, 6, 3)},   {"02/29/04", QDate(2004, 2, 29)},
        {"02/30/04", std::nullopt},       {"13/01/04", std::nullopt},         {"  /  /  ", std::nullopt},
        {"06/30/2004", std::nullopt},     {"06-30-04", std::nullopt},         {"00/10/04", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(EventLogMaintenance::ParseSplitDate(c.text), c.date);
    }
    EXPECT_EQ(EventLogMaintenance::FormatSplitDate(QDate(2004, 6, 3)), "06/03/04");
}

TEST_F(EventLogSplit, EventsUpToTheStartOfTheDayGoToANamedArchive)
{
    MessageBoxScript script;
    ASSERT_TRUE(EventLogMaintenance::SplitEventLog(Site(), QDate(2004, 6, 30)));
    EXPECT_EQ(script.Texts(), QStringList{kSplitDone});
    ASSERT_EQ(Archives(), QStringList{"03 05 04 - 06 30 04.mdb"});
    const QString archive = ArchiveFolder() + "/03 05 04 - 06 30 04.mdb";
    EXPECT_EQ(CountRows(archive, "Eventlog"), 3) << "the event at midnight is archived";
    EXPECT_EQ(CountRows(archive, "Eventlog", "[Time] > " + QString::number(ToOleDate(At(2004, 6, 30)), 'g', 17)), 0);
    EXPECT_EQ(LogRows(), 2);
    EXPECT_TRUE(g_setEventLog.IsOpen());
    EXPECT_EQ(g_setEventLog.GetRecordCount(), 2);

    // The archive opens through the same class as the current log.
    CSetEventLog archived;
    archived.m_strDBFolder = ArchiveFolder();
    archived.m_strDBFileName = "/03 05 04 - 06 30 04.mdb";
    archived.Open();
    EXPECT_EQ(archived.GetRecordCount(), 3);
}

TEST_F(EventLogSplit, NoEventUpToTheDateLeavesTheLogAlone)
{
    MessageBoxScript script;
    EXPECT_FALSE(EventLogMaintenance::SplitEventLog(Site(), QDate(2004, 3, 5)));
    EXPECT_EQ(script.Texts(), QStringList{"There are no events in the Event Log database in the specified interval."});
    EXPECT_EQ(script.Shown().front().icon, MbIcon::None);
    EXPECT_TRUE(Archives().isEmpty());
    EXPECT_EQ(LogRows(), 5);
    EXPECT_TRUE(g_setEventLog.IsOpen());
}

TEST_F(EventLogSplit, DateAfterTheNewestEventArchivesEverything)
{
    MessageBoxScript script;
    ASSERT_TRUE(EventLogMaintenance::SplitEventLog(Site(), QDate(2004, 7, 3)));
    ASSERT_EQ(Archives(), QStringList{"03 05 04 - 07 03 04.mdb"});
    EXPECT_EQ(CountRows(ArchiveFolder() + "/03 05 04 - 07 03 04.mdb", "Eventlog"), 5);
    EXPECT_EQ(LogRows(), 0);
    EXPECT_EQ(g_setEventLog.GetRecordCount(), 0);
}

TEST_F(EventLogSplit, LeftOverTemporaryFilesAreRemovedFirst)
{
    QDir().mkpath(ArchiveFolder());
    for (const QString& path : {ArchiveFolder() + "/Temp.mdb", DatabasePath("EventLogTemp.mdb")}) {
        QFile junk(path);
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("left over");
    }
    MessageBoxScript script;
    ASSERT_TRUE(EventLogMaintenance::SplitEventLog(Site(), QDate(2004, 6, 30)));
    EXPECT_EQ(Archives(), QStringList{"03 05 04 - 06 30 04.mdb"});
    EXPECT_FALSE(QFile::exists(DatabasePath("EventLogTemp.mdb")));
    EXPECT_EQ(LogRows(), 2);
}

TEST_F(EventLogSplit, AnExistingArchiveIsNeverReplaced)
{
    QDir().mkpath(ArchiveFolder());
    const QString archive = ArchiveFolder() + "/03 05 04 - 06 30 04.mdb";
    Schema::CreateDatabaseFile(archive, *Schema::FindFile("EventLog.mdb"));
    MessageBoxScript script;
    EXPECT_FALSE(EventLogMaintenance::SplitEventLog(Site(), QDate(2004, 6, 30)));
    EXPECT_EQ(script.Texts(), QStringList{"Error in the file structure."});
    EXPECT_EQ(CountRows(archive, "Eventlog"), 0);
    EXPECT_EQ(LogRows(), 5);
}

TEST_F(EventLogSplit, FailureToReplaceTheLogKeepsEveryEventAndNoArchive)
{
    // A reader holding the log open keeps it from being replaced.
    CSetEventLog reader;
    reader.m_strDBFolder = Site() + "/Database";
    reader.Open();
    MessageBoxScript script;
    EXPECT_FALSE(EventLogMaintenance::SplitEventLog(Site(), QDate(2004, 6, 30)));
    EXPECT_EQ(script.Texts(), QStringList{"Error in file system structure."});
    reader.Close();
    EXPECT_EQ(LogRows(), 5);
    EXPECT_TRUE(Archives().isEmpty());
    EXPECT_FALSE(QFile::exists(DatabasePath("EventLogTemp.mdb")));
    EXPECT_TRUE(g_setEventLog.IsOpen());
}

TEST_F(EventLogSplit, FailureToWriteTheArchiveKeepsEveryEvent)
{
    // A file where the archive folder belongs: no archive can be written.
    QDir(ArchiveFolder()).removeRecursively();
    QFile blocker(ArchiveFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    MessageBoxScript script;
    EXPECT_FALSE(EventLogMaintenance::SplitEventLog(Site(), QDate(2004, 6, 30)));
    EXPECT_EQ(script.Texts(), QStringList{"Error in database structure."});
    EXPECT_EQ(LogRows(), 5);
    EXPECT_EQ(g_setEventLog.GetRecordCount(), 5);
}

TEST_F(EventLogSplit, ClearingKeepsTheFileAndTableButNoRow)
{
    MessageBoxScript script;
    EXPECT_TRUE(EventLogMaintenance::ClearEventLog(g_setEventLog));
    EXPECT_TRUE(script.Texts().isEmpty());
    EXPECT_EQ(LogRows(), 0);
    EXPECT_EQ(g_setEventLog.GetRecordCount(), 0);
    AddEventAt(At(2005, 1, 1));
    EXPECT_EQ(LogRows(), 1);
}
