#include "tests/app/DocumentFixture.h"

#include "database/GlobalRecordsets.h"
#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"

#include <QFileInfo>

namespace {

class DocumentChecks : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        m_file = MakeInstallation("Site");
        m_db = QFileInfo(m_file).absolutePath() + "/Database/";
    }

    static void Exec(const QString& path, const QString& sql)
    {
        auto db = Database::Open(path);
        db->Execute(sql);
    }

    static qint64 Count(const QString& path, const QString& sql)
    {
        auto db = Database::Open(path);
        SqlStatement s(db->Handle(), sql);
        return s.Step() ? s.Int64(0) : -1;
    }

    // Grows the file past size with rows it then deletes, leaving free pages.
    void Bloat(const QString& path, qint64 size)
    {
        Exec(path, "CREATE TABLE IF NOT EXISTS Filler (b BLOB)");
        while (QFileInfo(path).size() <= size)
            Exec(path, "INSERT INTO Filler VALUES (zeroblob(200000))");
        Exec(path, "DELETE FROM Filler");
        Database::CloseAllConnections();
    }

    QString m_file;
    QString m_db;
};

} // namespace

TEST_F(DocumentChecks, QueueDatabaseIsCompactedOnlyAboveItsLimitAndKeepsItsRows)
{
    const QString queue = m_db + "NetCommands.mdb";
    Exec(queue, "INSERT INTO NetCommands (FileName, Net, Node) VALUES ('NetCommands1.dat', 1, 1)");
    Bloat(queue, 900000);
    const qint64 small = QFileInfo(queue).size();
    ASSERT_LE(small, 1024000);
    {
        CWFDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(m_file));
        doc.OnCloseDocument();
    }
    EXPECT_EQ(QFileInfo(queue).size(), small) << "at or below the limit the file is left alone";

    Bloat(queue, 1024000);
    {
        CWFDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(m_file));
        EXPECT_EQ(doc.GetPendingCommandCount(), 1);
        doc.OnCloseDocument();
    }
    EXPECT_LT(QFileInfo(queue).size(), 1024000);
    EXPECT_EQ(Count(queue, "SELECT COUNT(*) FROM NetCommands"), 1);
    EXPECT_FALSE(QFileInfo::exists(m_db + "Temp.mdb"));
}

TEST_F(DocumentChecks, ReadOnlyDatabasesAreRefusedByName)
{
    struct Case { const char* file; const char* sentence; };
    const Case cases[] = {{"NetCommands.mdb", "The NetCommands.mdb file is READ_ONLY."},
                          {"FloorNames.mdb", "The FloorNames.mdb file is READ_ONLY."},
                          {"NetworkNodes.mdb", "The NetworkNodes.mdb file is READ_ONLY."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = m_db + c.file;
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
        MessageBoxScript script;
        CWFDoc doc;
        EXPECT_FALSE(doc.OnOpenDocument(m_file));
        ASSERT_GE(script.Texts().size(), 1);
        EXPECT_EQ(script.Texts()[0].toStdString(), QString("%1\n\nPath: %2\n\nClose Wardix and uncheck this attribute.")
                                         .arg(QString::fromLatin1(c.sentence), path).toStdString());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }
}

TEST_F(DocumentChecks, ConversionThatCannotCopyTheTemplateLeavesTheOldTable)
{
    const QString nodes = m_db + "NetworkNodes.mdb";
    QFile::remove(nodes);
    Database::Create(nodes)->Execute("CREATE TABLE NetworkNodes (NodeID INTEGER PRIMARY KEY, Net INTEGER)");
    Database::CloseAllConnections();
    const QByteArray before = ReadWholeFile(nodes).value_or(QByteArray());
    QFile::remove(TemplateFolder() + "/Database/NetworkNodes.mdb");
    MessageBoxScript script;
    CWFDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(m_file));
    ASSERT_GE(script.Texts().size(), 1);
    EXPECT_EQ(script.Texts()[0], "Error copying NetworkNodes.mdb.mdb file.\n\nDestination: " + nodes);
    EXPECT_EQ(ReadWholeFile(nodes).value_or(QByteArray()), before);
    EXPECT_FALSE(QFileInfo::exists(m_db + "NetworkNodes2.mdb"));
}

TEST_F(DocumentChecks, OldNetworkTableIsConvertedKeepingItsRows)
{
    const QString nodes = m_db + "NetworkNodes.mdb";
    QFile::remove(nodes);
    Database::Create(m_db + "NetworkNodes2.mdb")->Execute("CREATE TABLE Leftover (x)"); // from an earlier run
    {
        auto db = Database::Create(nodes);
        db->Execute("CREATE TABLE NetworkNodes (NodeID INTEGER PRIMARY KEY, PhoneNo TEXT, Net INTEGER, Password TEXT,"
                    " Active INTEGER)");
        db->Execute("INSERT INTO NetworkNodes (PhoneNo, Net, Password, Active) VALUES ('555-0100', 1, '111111', -1)");
        db->Execute("INSERT INTO NetworkNodes (PhoneNo, Net, Password, Active) VALUES ('555-0200', 2, '222222', -1)");
    }
    Database::CloseAllConnections();
    CWFDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(m_file));
    doc.OnCloseDocument();
    EXPECT_EQ(Count(nodes, "SELECT COUNT(*) FROM NetworkNodes"), 8);
    EXPECT_EQ(Count(nodes, "SELECT COUNT(*) FROM NetworkNodes WHERE Password = '222222' AND Net = 2"), 1);
    EXPECT_EQ(Count(nodes, "SELECT COUNT(*) FROM NetworkNodes WHERE Net = 3 AND Password = '580317'"), 1)
        << "rows beyond the old table keep the copied table's values";
    EXPECT_FALSE(QFileInfo::exists(m_db + "NetworkNodes2.mdb"));
}

TEST_F(DocumentChecks, DamagedNetworkTableIsNotTouched)
{
    const QString nodes = m_db + "NetworkNodes.mdb";
    ASSERT_TRUE(WriteWholeFile(nodes, "this is not a database at all"));
    MessageBoxScript script;
    CWFDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(m_file));
    EXPECT_EQ(ReadWholeFile(nodes).value_or(QByteArray()), QByteArray("this is not a database at all"));
    EXPECT_FALSE(QFileInfo::exists(m_db + "NetworkNodes2.mdb"));
}

TEST_F(DocumentChecks, UnreadableFloorNamesAreReplacedAndKept)
{
    const QString floors = m_db + "FloorNames.mdb";
    ASSERT_TRUE(WriteWholeFile(floors, "garbage"));
    MessageBoxScript script;
    CWFDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(m_file));
    ASSERT_EQ(script.Texts().size(), 1);
    EXPECT_TRUE(script.Texts()[0].startsWith("FloorNames.mdb could not be read and was replaced"));
    EXPECT_TRUE(g_setFloorNames.IsOpen());
    EXPECT_EQ(ReadWholeFile(floors + ".bad").value_or(QByteArray()), QByteArray("garbage"));
}

TEST_F(DocumentChecks, UnreadableFloorNamesWhoseCopyCannotBeKeptStayAndTheOpenFails)
{
    const QString floors = m_db + "FloorNames.mdb";
    ASSERT_TRUE(WriteWholeFile(floors, "garbage"));
    ASSERT_TRUE(QDir().mkdir(floors + ".bad"));
    MessageBoxScript script;
    CWFDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(m_file));
    ASSERT_FALSE(script.Texts().isEmpty());
    EXPECT_EQ(script.Texts()[0], "Error copying FloorNames.mdb file.\n\nDestination: " + floors + ".bad");
    EXPECT_EQ(ReadWholeFile(floors).value_or(QByteArray()), QByteArray("garbage"));
}
