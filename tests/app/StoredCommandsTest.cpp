#include "tests/app/DocumentFixture.h"

#include "app/RunState.h"
#include "link/CNetCommand.h"
#include "link/NetCommandKinds.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"
#include "tests/support/ProgressRecorder.h"

#include <QFileInfo>

namespace {

class StoredCommands : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        ASSERT_TRUE(m_doc.OnOpenDocument(MakeInstallation("Queue")));
    }
    void TearDown() override { NodeStatusFlag = {}; }

    static CNetCommand Command(int net, int node, std::uint8_t tag)
    {
        CNetCommand c(NetKind::NodeCommand, static_cast<std::uint8_t>(net), static_cast<std::uint8_t>(node), {tag});
        return c;
    }

    std::pair<QString, std::int32_t> Next()
    {
        QString path;
        std::int32_t id = 0;
        if (!m_doc.GetNextStoredCommand(path, id))
            return {};
        return {path, id};
    }

    CWFDoc m_doc;
};

} // namespace

TEST_F(StoredCommands, ComeBackOldestFirstPassingFlaggedNodes)
{
    for (std::uint8_t tag : {1, 2, 3})
        ASSERT_TRUE(m_doc.StoreNetCommand(Command(1, 1, tag)));
    ASSERT_TRUE(m_doc.StoreNetCommand(Command(2, 2, 4)));
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 4);
    EXPECT_EQ(m_doc.CountQueuedCommands(), 4);
    EXPECT_TRUE(m_doc.HasQueuedCommand(2, 2));
    EXPECT_FALSE(m_doc.HasQueuedCommand(2, 1));

    auto [path, id] = Next();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(QFileInfo(path).fileName(), CNetCommand::FileName(id));
    CNetCommand loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path, id));
    EXPECT_EQ(loaded.m_payload.at(0), 1) << "A1's oldest first";

    NodeStatusFlag[0][0] = 1;
    auto [bPath, bId] = Next();
    ASSERT_TRUE(loaded.LoadFromFile(bPath, bId));
    EXPECT_EQ(loaded.m_payload.at(0), 4) << "A1 flagged: B2 comes next";
}

TEST_F(StoredCommands, OrphanRowIsPurgedAndCounted)
{
    ASSERT_TRUE(m_doc.StoreNetCommand(Command(1, 1, 1)));
    ASSERT_TRUE(m_doc.StoreNetCommand(Command(1, 2, 2)));
    const auto [first, firstId] = Next();
    QFile::remove(first);
    const auto [second, secondId] = Next();
    EXPECT_NE(secondId, firstId);
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 1);
    EXPECT_EQ(m_doc.CountQueuedCommands(), 1);
    QFile::remove(second);
    EXPECT_TRUE(Next().first.isEmpty());
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 0) << "nothing stored, nothing counted";
}

TEST_F(StoredCommands, RemovalKeepsCountAndFilesTogether)
{
    ASSERT_TRUE(m_doc.StoreNetCommand(Command(3, 4, 1)));
    const auto [path, id] = Next();
    EXPECT_FALSE(m_doc.RemoveNetCommand(id + 100));
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 1);
    EXPECT_TRUE(m_doc.RemoveNetCommand(id));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);
    EXPECT_FALSE(m_doc.RemoveNetCommand(id));
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);
}

TEST_F(StoredCommands, NodeRemovalAndClearing)
{
    for (int node : {1, 1, 2})
        ASSERT_TRUE(m_doc.StoreNetCommand(Command(1, node, 0)));
    m_doc.RemoveNodeCommands(1, 1);
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 1);
    EXPECT_FALSE(m_doc.HasQueuedCommand(1, 1));
    EXPECT_TRUE(m_doc.HasQueuedCommand(1, 2));

    const QString folder = m_doc.BuildPath(CWFDoc::kNetCommands, QString());
    QFile stray(folder + "left-by-a-crash.dat");
    stray.open(QIODevice::WriteOnly);
    stray.close();
    EXPECT_TRUE(m_doc.ClearNetCommands());
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);
    EXPECT_EQ(m_doc.CountQueuedCommands(), 0);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}

// The queue leaves the recordset filtered to the network it serves; clearing
// takes every network's rows all the same, as it takes every file.
TEST_F(StoredCommands, ClearingTakesEveryNetworkUnderTheQueuesFilter)
{
    for (int net : {1, 2, 3})
        ASSERT_TRUE(m_doc.StoreNetCommand(Command(net, 1, 0)));
    m_doc.m_netCommandsSet.m_strFilter = QStringLiteral("Net = 2");
    m_doc.m_netCommandsSet.Requery();
    EXPECT_TRUE(m_doc.ClearNetCommands());
    EXPECT_EQ(m_doc.CountQueuedCommands(), 0);
    const std::shared_ptr<Database> database = Database::Open(m_doc.m_netCommandsSet.GetDefaultDBName());
    SqlStatement rows(database->Handle(), QStringLiteral("SELECT COUNT(*) FROM NetCommands"));
    ASSERT_TRUE(rows.Step());
    EXPECT_EQ(rows.Int64(0), 0);
}

// Clearing a large queue shows the "Cleaning folders..." window while the
// files go.
TEST_F(StoredCommands, ClearingShowsItsProgressWhileTheFilesGo)
{
    ProgressRecorder recorder;
    const QString folder = m_doc.BuildPath(CWFDoc::kNetCommands, QString());
    constexpr int kFiles = 250;
    for (int n = 0; n < kFiles; ++n) {
        QFile file(folder + CNetCommand::FileName(n + 1));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(m_doc.ClearNetCommands());
    EXPECT_EQ(recorder.captions, QStringList{"Cleaning folders..."});
    EXPECT_EQ(recorder.upper, kFiles);
    EXPECT_EQ(recorder.positions, (std::vector<int>{100, 200}));
    EXPECT_FALSE(recorder.open);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}

TEST_F(StoredCommands, FailedFileWriteLeavesNoRow)
{
    const QString folder = m_doc.BuildPath(CWFDoc::kNetCommands, QString());
    QDir(folder).removeRecursively();
    EXPECT_FALSE(m_doc.StoreNetCommand(Command(1, 1, 1)));
    EXPECT_EQ(m_doc.CountQueuedCommands(), 0);
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);
}

TEST_F(StoredCommands, CountSurvivesReopening)
{
    ASSERT_TRUE(m_doc.StoreNetCommand(Command(1, 1, 1)));
    ASSERT_TRUE(m_doc.StoreNetCommand(Command(1, 1, 2)));
    const QString path = m_doc.GetPathName();
    m_doc.OnCloseDocument();
    CWFDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(reopened.GetPendingCommandCount(), 2);
}
