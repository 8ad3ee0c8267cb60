#include "tests/database/EventLogFixture.h"

#include "app/DatabaseCompaction.h"
#include "database/GlobalRecordsets.h"
#include "database/Schema.h"
#include "platform/Database.h"

#include <QDir>
#include <QFile>

namespace
{
constexpr int kRowsPerTable = 3;

class Compaction : public EventLogFixture
{
protected:
    // Rows in every table of every file; the queued commands stay empty, as
    // their rows must name command files.
    void FillEveryTable()
    {
        for (const DatabaseFileDef& file : Schema::InstallationFiles()) {
            if (file.fileName == "NetCommands.mdb")
                continue;
            const std::shared_ptr<Database> database = Database::Open(DatabasePath(file.fileName));
            for (const TableDef& table : file.tables)
                for (int i = 0; i < kRowsPerTable; ++i)
                    database->Execute(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(BracketName(table.name)));
        }
        const std::shared_ptr<Database> codes = Database::Open(DatabasePath("EntryCodes.mdb"));
        codes->Execute("UPDATE [EntryCodes] SET [Deleted] = -1 WHERE rowid IN (SELECT rowid FROM [EntryCodes] LIMIT 2)");
    }

    std::map<QString, qint64> CountEveryTable() const
    {
        std::map<QString, qint64> counts;
        for (const DatabaseFileDef& file : Schema::InstallationFiles())
            for (const TableDef& table : file.tables)
                counts[file.fileName + "/" + table.name] = CountRows(DatabasePath(file.fileName), table.name);
        return counts;
    }
};
} // namespace

TEST_F(Compaction, EveryFileKeepsEveryRowButTheDeletedEntryCodes)
{
    FillEveryTable();
    std::map<QString, qint64> expected = CountEveryTable();
    expected["EntryCodes.mdb/EntryCodes"] -= 2;
    QFile leftOver(DatabasePath("Temp.mdb"));
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.write("left over");
    leftOver.close();

    MessageBoxScript script;
    ASSERT_TRUE(DatabaseCompaction::CompactAll(m_doc));
    EXPECT_TRUE(script.Texts().isEmpty()) << script.Texts().join("|").toStdString();
    EXPECT_EQ(CountEveryTable(), expected);
    EXPECT_EQ(CountRows(DatabasePath("EntryCodes.mdb"), "EntryCodes", "[Deleted] <> 0"), 0);
    EXPECT_FALSE(QFile::exists(DatabasePath("Temp.mdb")));
    EXPECT_TRUE(g_setTransmitters.IsOpen()) << "reopened after its step";
    EXPECT_FALSE(g_setCards.IsOpen()) << "closed again with the document's data";
    m_doc.OnSaveDocument(m_doc.GetPathName());
}

TEST_F(Compaction, OptimizeReopensTheDataAndFlagsItForProgramming)
{
    m_doc.SetDataToProgram(0);
    MessageBoxScript script;
    DatabaseCompaction::Optimize(m_doc);
    EXPECT_EQ(script.Texts(), QStringList{"The internal database has been optimized."});
    EXPECT_TRUE(g_setCards.IsOpen());
    EXPECT_TRUE(g_setEventLog.IsOpen());
    EXPECT_TRUE(m_doc.m_netCommandsSet.IsOpen());
    EXPECT_EQ(m_doc.GetDataToProgram(), 1);
}

TEST_F(Compaction, AFileHeldOpenElsewhereIsReportedAndLeftWhole)
{
    FillEveryTable();
    const qint64 rows = CountRows(DatabasePath("Vestrels.mdb"), "Vestrels");
    CSetVestrels reader;
    reader.m_strDBFolder = Site() + "/Database";
    reader.Open();
    MessageBoxScript script;
    ASSERT_TRUE(DatabaseCompaction::CompactAll(m_doc));
    ASSERT_EQ(script.Texts().size(), 1);
    EXPECT_TRUE(script.Texts().front().startsWith("Error copying Temp.mdb during database optimization.\n\nDestination: "));
    EXPECT_TRUE(script.Texts().front().endsWith("/Database/Vestrels.mdb"));
    reader.Close();
    EXPECT_EQ(CountRows(DatabasePath("Vestrels.mdb"), "Vestrels"), rows);
    EXPECT_FALSE(QFile::exists(DatabasePath("Temp.mdb")));
    m_doc.OnSaveDocument(m_doc.GetPathName());
}

TEST_F(Compaction, ARunThatFailsReportsEachStepAndStillReopensTheData)
{
    // A folder in the temporary file's place makes every compaction fail.
    ASSERT_TRUE(QDir().mkpath(DatabasePath("Temp.mdb")));
    m_doc.SetDataToProgram(0);
    MessageBoxScript script;
    DatabaseCompaction::Optimize(m_doc);
    const QStringList texts = script.Texts();
    ASSERT_EQ(texts.size(), 2 * 2 + 10 + 2) << texts.join("|").toStdString();
    for (int first : {0, 2, 14}) {
        SCOPED_TRACE(first);
        EXPECT_EQ(texts[first], "DAO Database exception") << "the two first and the last steps report the kind";
        EXPECT_EQ(script.Shown()[first + 1].icon, MbIcon::Exclamation);
    }
    EXPECT_FALSE(texts.contains("The internal database has been optimized."));
    EXPECT_EQ(m_doc.GetDataToProgram(), 0);
    EXPECT_TRUE(g_setCards.IsOpen()) << "the document's data is open again";
    EXPECT_TRUE(m_doc.m_netCommandsSet.IsOpen());
    QDir(DatabasePath("Temp.mdb")).removeRecursively();
}
