#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QStringList FolderNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(DurableFiles, ReplaceAllPutsEachContentInPlaceAndLeavesNothingBeside)
{
    TestEnvironment env;
    const QString first = env.Path(QStringLiteral("copies/Vestrel11.dat"));
    const QString second = env.Path(QStringLiteral("copies/Vestrel12.dat"));
    ASSERT_TRUE(QDir().mkpath(env.Path(QStringLiteral("copies"))));
    ASSERT_TRUE(WriteWholeFile(first, "old first"));
    ASSERT_TRUE(DurableFiles::ReplaceAll({{first, "new first"}, {second, "new second"}}));
    EXPECT_EQ(ReadWholeFile(first).value_or(QByteArray()), QByteArray("new first"));
    EXPECT_EQ(ReadWholeFile(second).value_or(QByteArray()), QByteArray("new second"));
    EXPECT_EQ(FolderNames(env.Path(QStringLiteral("copies"))),
              (QStringList{QStringLiteral("Vestrel11.dat"), QStringLiteral("Vestrel12.dat")}));
}

TEST(DurableFiles, ReplaceAllThatCannotWriteOneReplacesNone)
{
    TestEnvironment env;
    const QString kept = env.Path(QStringLiteral("copies/Vestrel11.dat"));
    ASSERT_TRUE(QDir().mkpath(env.Path(QStringLiteral("copies"))));
    ASSERT_TRUE(WriteWholeFile(kept, "old"));
    EXPECT_FALSE(DurableFiles::ReplaceAll(
        {{kept, "new"}, {env.Path(QStringLiteral("no/such/folder/Vestrel12.dat")), "new"}}));
    EXPECT_EQ(ReadWholeFile(kept).value_or(QByteArray()), QByteArray("old"));
    EXPECT_EQ(FolderNames(env.Path(QStringLiteral("copies"))), QStringList{QStringLiteral("Vestrel11.dat")});
}

TEST(DurableFiles, MoveIntoPlaceReplacesWholeOrLeavesBothFilesAsTheyWere)
{
    TestEnvironment env;
    const QString folder = env.Path(QStringLiteral("Database"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString log = folder + QStringLiteral("/EventLog.mdb");
    const QString fresh = folder + QStringLiteral("/NewLog.mdb");
    ASSERT_TRUE(WriteWholeFile(log, "old"));
    ASSERT_TRUE(WriteWholeFile(fresh, "new"));
    ASSERT_TRUE(MoveIntoPlace(fresh, log));
    EXPECT_EQ(ReadWholeFile(log).value_or(QByteArray()), QByteArray("new"));
    EXPECT_EQ(FolderNames(folder), QStringList{QStringLiteral("EventLog.mdb")}) << "no second name is left";

    // A place the file cannot take: both stay as they were.
    const QString taken = folder + QStringLiteral("/Archive.mdb");
    ASSERT_TRUE(QDir().mkpath(taken + QStringLiteral("/inside")));
    EXPECT_FALSE(MoveIntoPlace(log, taken));
    EXPECT_EQ(ReadWholeFile(log).value_or(QByteArray()), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(taken + QStringLiteral("/inside")).isDir());
    EXPECT_EQ(FolderNames(folder), QStringList{QStringLiteral("EventLog.mdb")});
}
