#include "app/CWFDoc.h"
#include "image/CBindManager.h"
#include "link/NetCommandKinds.h"
#include "platform/Archive.h"
#include "tests/image/RecordingSink.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr std::uint8_t kNodeCode = 23; // network 2, node 3
constexpr std::uint8_t kNodeByte = 0x23;

struct Write
{
    int bank;
    int unit;
    int length;
};

QByteArray Record(char fill, int size)
{
    return QByteArray(size, fill);
}

class UnitCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.m_strInstallationFolder = m_env.Path("site");
        QDir().mkpath(m_doc.BuildPath(CWFDoc::kVestrels, QString()));
        QDir().mkpath(m_doc.BuildPath(CWFDoc::kLastProgrammed, QString()));
    }

    void Put(int kind, const QByteArray& bytes)
    {
        QFile file(m_doc.BuildPath(kind, "Test.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // Generates against the last-programmed copy (none when copy is null).
    int Generate(const QByteArray& current, const QByteArray* copy, int unit, int force = 0)
    {
        Put(CWFDoc::kVestrels, current);
        if (copy)
            Put(CWFDoc::kLastProgrammed, *copy);
        return m_manager.GenerateFileCommands(kNodeCode, unit, 1, "Test.dat", force);
    }

    QByteArray Copy() const
    {
        return ReadWholeFile(m_doc.BuildPath(CWFDoc::kLastProgrammed, "Test.dat")).value_or(QByteArray("<none>"));
    }

    std::vector<Write> Writes() const
    {
        std::vector<Write> writes;
        for (const CNetCommand& command : m_sink.commands) {
            if (command.m_kind != NetKind::MemoryWrite)
                continue;
            const QByteArray& p = command.m_payload;
            const int length = (static_cast<std::uint8_t>(p[3]) << 8) | static_cast<std::uint8_t>(p[4]);
            EXPECT_EQ(p.size(), length + CBindManager::kWriteHeaderLength);
            EXPECT_EQ(command.m_frameAddress, kNodeByte);
            writes.push_back({static_cast<std::uint8_t>(p[0]),
                              (static_cast<std::uint8_t>(p[1]) << 8) | static_cast<std::uint8_t>(p[2]), length});
        }
        return writes;
    }

    TestEnvironment m_env;
    CWFDoc m_doc;
    RecordingSink m_sink;
    CBindManager m_manager{m_doc, m_sink};
};

TEST_F(UnitCommands, WritesOnlyTheRunsThatDiffer)
{
    const QByteArray cardholders(80000, '\0');
    QByteArray record600 = cardholders;
    record600.replace(600 * 8, 8, Record('\x41', 8));
    QByteArray records3And10 = cardholders;
    records3And10.replace(3 * 8, 8, Record('\x01', 8));
    records3And10.replace(10 * 8, 8, Record('\x02', 8));
    QByteArray pages(4082 * 24, '\xFF');
    QByteArray twoPages = pages;
    twoPages.replace(0, 4082, Record('\0', 4082));
    twoPages.replace(4082, 4082, Record('\x01', 4082));
    QByteArray longRun = cardholders;
    longRun.replace(0, 600 * 8, Record('\x07', 600 * 8));
    const QByteArray grown = cardholders + Record('\x05', 16);

    struct Case
    {
        const char* name;
        QByteArray current;
        QByteArray copy;
        int unit;
        int force;
        std::vector<Write> expected;
        bool bound = false;
    };
    const std::vector<Case> cases{
        {"identical file", record600, record600, 8, 0, {}},
        {"forced zero file", cardholders, cardholders, 8, 1, {}},
        {"one record changed", record600, cardholders, 8, 0, {{1, 600, 8}}},
        {"equal records inside a run", records3And10, cardholders, 8, 0, {{1, 3, 64}}},
        {"pages never share a write", twoPages, pages, 4082, 0, {{1, 0, 4082}, {1, 1, 4082}}},
        {"forced full send", record600, record600, 8, 1, {{1, 600, 8}}},
        {"run split at the largest write", longRun, cardholders, 8, 0, {{1, 0, 4096}, {1, 512, 704}}},
        {"file that grew", grown, cardholders, 8, 0, {{1, 10000, 16}}},
        {"file its bind shrank keeps zeroing", cardholders.left(800), record600, 8, 0, {{1, 600, 8}}, true},
        {"file cut short otherwise sends nothing", cardholders.left(800), record600, 8, 0, {}},
        {"forced file cut short sends nothing", cardholders.left(800), record600, 8, 1, {}},
        {"part of a unit is not sent", QByteArray(4096 + 100, '\x01'), {}, 4096, 0, {{1, 0, 4096}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_sink.commands.clear();
        CBindManager manager(m_doc, m_sink);
        if (c.bound)
            manager.NoteBoundFile("Test.dat");
        Put(CWFDoc::kVestrels, c.current);
        Put(CWFDoc::kLastProgrammed, c.copy);
        ASSERT_EQ(manager.GenerateFileCommands(kNodeCode, c.unit, 1, "Test.dat", c.force), 1);
        const std::vector<Write> writes = Writes();
        ASSERT_EQ(writes.size(), c.expected.size());
        for (std::size_t i = 0; i < writes.size(); ++i) {
            EXPECT_EQ(writes[i].bank, c.expected[i].bank);
            EXPECT_EQ(writes[i].unit, c.expected[i].unit);
            EXPECT_EQ(writes[i].length, c.expected[i].length);
        }
    }
}

TEST_F(UnitCommands, FileEmptiedByItsBindZeroesThePanelsCopy)
{
    QByteArray copy(52 * 10000, '\0');
    copy.replace(52 * 7, 52, Record('\x33', 52));
    copy.replace(52 * 9000, 52, Record('\x34', 52));
    m_manager.NoteBoundFile("Test.dat");
    ASSERT_EQ(Generate(QByteArray(), &copy, 52), 1);
    const std::vector<Write> writes = Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].unit, 7);
    EXPECT_EQ(writes[1].unit, 9000);
    for (const CNetCommand& command : m_sink.commands)
        EXPECT_EQ(command.m_payload.mid(CBindManager::kWriteHeaderLength), QByteArray(52, '\0'));
}

TEST_F(UnitCommands, MissingOrShortFileIsHeldBackAndKeepsItsCopy)
{
    const QByteArray copy(4096 * 2, '\x07');
    const QString current = m_doc.BuildPath(CWFDoc::kVestrels, "Test.dat");
    for (const bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing" : "short");
        Put(CWFDoc::kLastProgrammed, copy);
        if (missing)
            QFile::remove(current);
        else
            Put(CWFDoc::kVestrels, QByteArray(4096, '\x07'));
        QString why;
        EXPECT_FALSE(m_manager.ReadSendableFile("Test.dat", why).has_value());
        EXPECT_EQ(why, missing ? "cannot be read" : "is shorter than the copy last sent");
        for (const int force : {0, 1})
            EXPECT_EQ(m_manager.GenerateFileCommands(kNodeCode, 4096, 0, "Test.dat", force), 1);
        m_manager.StoreFile("Test.dat");
        EXPECT_EQ(m_manager.RecordNodesSent(), 1);
        EXPECT_TRUE(m_sink.commands.empty());
        EXPECT_EQ(QFile::exists(current), !missing) << "a missing file is not made";
        EXPECT_EQ(Copy(), copy);
    }
}

TEST_F(UnitCommands, NoCopyMeansEverythingNonZeroIsSent)
{
    QByteArray current(80000, '\0');
    current.replace(8, 8, Record('\x01', 8));
    ASSERT_EQ(Generate(current, nullptr, 8), 1);
    const std::vector<Write> writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].unit, 1);
}

TEST_F(UnitCommands, FlaggedNodeGetsOneStartBeforeItsFirstWrite)
{
    QByteArray current(80000, '\0');
    current.replace(0, 8, Record('\x01', 8));
    current.replace(5000 * 8, 8, Record('\x02', 8));
    m_sink.SetStartFlag(2, 3);
    ASSERT_EQ(Generate(current, nullptr, 8), 1);
    ASSERT_EQ(m_sink.commands.size(), 3u);
    const CNetCommand& start = m_sink.commands[0];
    EXPECT_EQ(start.m_kind, NetKind::NodeCommand);
    EXPECT_EQ(start.m_frameAddress, kNodeByte);
    EXPECT_EQ(start.m_timeout, CBindManager::kStartTimeout);
    EXPECT_EQ(start.m_payload.left(2), QByteArray("\x01\x40", 2));
    EXPECT_EQ(m_sink.commands[1].m_kind, NetKind::MemoryWrite);
    EXPECT_EQ(m_sink.commands[2].m_kind, NetKind::MemoryWrite);
    EXPECT_TRUE(m_sink.flags.empty());
}

TEST_F(UnitCommands, EndOfUpdateIsNodeControlOneOne)
{
    ASSERT_TRUE(m_manager.QueueEndOfUpdate(2, 3));
    ASSERT_EQ(m_sink.commands.size(), 1u);
    EXPECT_EQ(m_sink.commands[0].m_kind, NetKind::NodeCommand);
    EXPECT_EQ(m_sink.commands[0].m_timeout, CBindManager::kEndTimeout);
    EXPECT_EQ(m_sink.commands[0].m_payload.left(2), QByteArray("\x01\x01", 2));
}

TEST_F(UnitCommands, RefusedStoreOrUnreadableCopyFails)
{
    QByteArray current(80000, '\0');
    current.replace(0, 8, Record('\x01', 8));
    m_sink.failAfter = 0;
    EXPECT_EQ(Generate(current, nullptr, 8), 0);

    m_sink.failAfter = -1;
    QDir().mkpath(m_doc.BuildPath(CWFDoc::kLastProgrammed, "Unreadable.dat"));
    EXPECT_EQ(m_manager.GenerateUnitCommands(current, kNodeCode, 8, 1, "Unreadable.dat", 0), 0);
}

} // namespace
