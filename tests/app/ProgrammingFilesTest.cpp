#include "app/CWFApp.h"
#include "app/DatabaseCompaction.h"
#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"
#include "tests/app/ProgrammingRunFixture.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const QString kNotOpenText = "The recordset is not open.";

// Full runs: node 1 has a display, so messages and directory codes are bound too.
class ProgrammingFiles : public ProgrammingRun
{
protected:
    void SetUp() override
    {
        ProgrammingRun::SetUp();
        SetPanelType(1, 0);
        ProgramOnceAndSend();
    }
};

TEST_F(ProgrammingFiles, ClosedRecordsetStopsTheBindAndNothingIsSent)
{
    struct Case
    {
        const char* name;
        Recordset& set;
    };
    const Case cases[] = {
        {"display messages", g_setDisplayMessages}, {"cardholders", g_setUsers},
        {"card blocks", g_setCardBlocks},           {"cards", g_setCards},
        {"single transmitters", g_setSingleXmtr},   {"entry codes", g_setEntryCodes},
        {"directory entries", g_setPhoneEntries},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc.SetDataToProgram(1);
        const Files before = PanelFiles();
        c.set.Close();
        MessageBoxScript script;
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 0) << "a run that bound nothing has failed";
        c.set.Open();
        EXPECT_TRUE(script.Texts().contains(kNotOpenText)) << script.Texts().join("|").toStdString();
        EXPECT_EQ(PanelFiles(), before) << "no file bound from an empty table, no command stored";
        EXPECT_EQ(RowCount(), 0);
        EXPECT_EQ(m_doc.GetDataToProgram(), 1) << "what was not bound is still to be programmed";
    }
}

TEST_F(ProgrammingFiles, FailedReopenAfterOptimizeClosesTheInstallation)
{
    const Files before = PanelFiles();
    const QString folder = m_doc.m_strInstallationFolder;
    const QString users = m_doc.BuildPath(CWFDoc::kInstallationDatabase, "Users.mdb");
    ASSERT_TRUE(QFile::setPermissions(users, QFile::ReadOwner));
    m_doc.SetDataToProgram(0);
    MessageBoxScript script;
    DatabaseCompaction::Optimize(m_doc);
    ASSERT_TRUE(QFile::setPermissions(users, QFile::ReadOwner | QFile::WriteOwner));

    EXPECT_EQ(script.Texts(), (QStringList{
                                  "The file '" + users + "' is read-only.",
                                  "Unable to open " + users
                                      + ".\n\nClose Wardenfold and check the file attribute for READ-ONLY.",
                                  "Unable to open " + folder + ".\n\nWardix will close.",
                              }));
    const Recordset* const everySet[] = {
        &g_setVLNetworks, &g_setDoorValGroup,   &g_setFloorValGroup,     &g_setDisplayMessages, &g_setFloorNames,
        &g_setVestrels,   &g_setUsers,          &g_setUserGroups,        &g_setPhoneEntries,    &g_setEntryCodes,
        &g_setCards,      &g_setCardBlocks,     &g_setSingleCard,        &g_setTransmitters,    &g_setTransmitterBlocks,
        &g_setSingleXmtr, &g_setEventLog,       &m_doc.m_netCommandsSet,
    };
    for (const Recordset* set : everySet)
        EXPECT_FALSE(set->IsOpen()) << "no half-open installation";
    EXPECT_TRUE(m_doc.GetPathName().isEmpty());
    EXPECT_EQ(m_doc.GetDataToProgram(), 0) << "not marked as optimized";
    EXPECT_EQ(PanelFiles(folder), before);
}

TEST_F(ProgrammingFiles, CardholderAddedWithoutExpiryStaysOnThePanels)
{
    g_setUsers.AddNew();
    g_setUsers.m_FirstName = QStringLiteral("Eve");
    g_setUsers.m_LastName = QStringLiteral("Nakamura");
    g_setUsers.m_CHSetIndex = 3;
    g_setUsers.m_Active = true;
    g_setUsers.m_NeverExpiers = false;
    g_setUsers.Update();
    g_setUsers.SetBookmark(g_setUsers.GetLastModifiedBookmark());
    const std::int32_t id = g_setUsers.m_UserID;
    {
        const std::shared_ptr<Database> users = Database::Open(g_setUsers.GetDefaultDBName());
        SqlStatement query(users->Handle(), QStringLiteral("SELECT typeof(ExpirationDate) FROM Users WHERE UserID = ?"));
        query.BindInt64(1, id);
        ASSERT_TRUE(query.Step());
        EXPECT_EQ(query.Value(0).toString(), "null");
    }

    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    // In use and active, set 3, an expiry date that cannot be split.
    const QByteArray record("\xC0\x03\x00\x00\x00\xFF\xFF\x2F", 8);
    const QByteArray file = ReadWholeFile(m_doc.BuildPath(CWFDoc::kVestrels, "Cardholders.dat")).value_or(QByteArray());
    ASSERT_EQ(file.size(), 80000);
    EXPECT_EQ(file.mid(id * 8, 8), record);
    const QByteArray write = QByteArray("\x01", 1) + char(id >> 8) + char(id & 0xFF) + QByteArray("\x00\x08", 2) + record;
    const auto nodes = StoredByNode();
    ASSERT_EQ(nodes.size(), 3u);
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        ASSERT_EQ(commands.size(), 2u);
        EXPECT_EQ(commands[0].command.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(commands[0].command.m_payload, write);
        EXPECT_EQ(commands[1].command.m_kind, NetKind::NodeCommand);
    }
}

TEST_F(ProgrammingFiles, UnreadableControllerImageSendsNothingOfItselfAndFailsItsNetwork)
{
    QDir().mkpath(QDir(m_env.ProgramFolderPath()).filePath("HTML"));
    CWFApp app;
    app.OpenLogs();
    const QString deleted = m_doc.BuildPath(CWFDoc::kVestrels, "Vestrel12.dat");
    const QString cut = m_doc.BuildPath(CWFDoc::kVestrels, "Vestrel13.dat");
    ASSERT_TRUE(QFile::remove(deleted));
    ASSERT_TRUE(QFile::resize(cut, 100));
    const QByteArray cutBytes = ReadWholeFile(cut).value_or(QByteArray());
    ASSERT_TRUE(g_setUsers.FindFirst("UserID > 0"));
    const std::int32_t id = g_setUsers.m_UserID;
    g_setUsers.Edit();
    g_setUsers.m_Active = false;
    g_setUsers.Update();
    Files expected = PanelFiles();
    NetRunResults::Reset();

    MessageBoxScript boxes;
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    app.CloseLogs();

    // The panels would run without their settings: the operator is told and
    // the network fails with the reasons.
    const QStringList reasons = {
        "The image file \"Vestrel12.dat\" of controller A2 cannot be read. Its settings were not sent.",
        "The image file \"Vestrel13.dat\" of controller A3 cannot be read. Its settings were not sent."};
    EXPECT_EQ(boxes.Texts(), reasons);
    EXPECT_EQ(NetRunResults::ReasonLine(1), reasons.join(' '));
    EXPECT_EQ(NetTaskResult[0], kTaskNetFailed);
    EXPECT_EQ(m_doc.GetDataToProgram(), 1) << "the images are still to be sent";

    // Every node still gets the cardholder; no node gets a byte of an image.
    const QByteArray record = ReadWholeFile(m_doc.BuildPath(CWFDoc::kVestrels, "Cardholders.dat")).value_or(QByteArray()).mid(id * 8, 8);
    EXPECT_EQ(record, QByteArray("\x40\x03\x00\x00\x00\x00\x00\x00", 8));
    const QByteArray write = QByteArray("\x01", 1) + char(id >> 8) + char(id & 0xFF) + QByteArray("\x00\x08", 2) + record;
    const auto nodes = StoredByNode();
    ASSERT_EQ(nodes.size(), 3u);
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        ASSERT_EQ(commands.size(), 2u);
        EXPECT_EQ(commands[0].command.m_payload, write);
        EXPECT_EQ(commands[1].command.m_kind, NetKind::NodeCommand);
    }
    // The images stay as they were, missing or cut, and so do their copies.
    Files after = PanelFiles();
    // Only the cardholders changed, in the current file and its copy.
    for (const char* key : {"4/Cardholders.dat", "5/Cardholders.dat"}) {
        EXPECT_NE(after[key], expected[key]) << key;
        expected[key] = after[key];
    }
    EXPECT_EQ(after.count("4/Vestrel12.dat"), 0u);
    EXPECT_EQ(after["4/Vestrel13.dat"], cutBytes);
    for (auto it = after.begin(); it != after.end();)
        it = it->first.startsWith("3/") ? after.erase(it) : std::next(it);
    EXPECT_EQ(after, expected);

    const QString log = QString::fromUtf8(
        ReadWholeFile(QDir(m_env.ProgramFolderPath()).filePath("HTML/Bindings.log")).value_or(QByteArray()));
    EXPECT_TRUE(log.contains("] Vestrel12.dat cannot be read: nothing of it was sent to node A2, and its "
                             "last-programmed copy was kept.\r\n"))
        << log.toStdString();
    EXPECT_TRUE(log.contains("] Vestrel13.dat is shorter than the copy last sent: nothing of it was sent to node A3, "
                             "and its last-programmed copy was kept.\r\n"))
        << log.toStdString();
}

TEST_F(ProgrammingFiles, EveryFileTheRunWritesIsReplacedWhole)
{
    // Links keep the files as they were: a file written in place would
    // change under its link, one written beside and renamed leaves it be.
    const QString links = m_env.Path("links");
    ASSERT_TRUE(QDir().mkpath(links));
    std::map<QString, QByteArray> before;
    for (int kind : {CWFDoc::kVestrels, CWFDoc::kLastProgrammed}) {
        const QDir folder(m_doc.BuildPath(kind, QString()));
        for (const QString& name : folder.entryList(QDir::Files)) {
            const QString link = links + "/" + QString::number(kind) + name;
            std::filesystem::create_hard_link(folder.filePath(name).toStdString(), link.toStdString());
            before[folder.filePath(name)] = ReadWholeFile(link).value_or(QByteArray());
        }
    }
    // Eight message sets, seven binder files and three images, each with its
    // copy, and the installation-wide settings.
    ASSERT_EQ(before.size(), 2u * 18u + 1u);
    ASSERT_TRUE(g_setUsers.FindFirst("UserID > 0"));
    g_setUsers.Edit();
    g_setUsers.m_Active = false;
    g_setUsers.Update();

    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    for (const auto& [path, bytes] : before) {
        SCOPED_TRACE(path.toStdString());
        const QString link = links + "/" + QString::number(path.contains("/Vestrels/") ? CWFDoc::kVestrels : CWFDoc::kLastProgrammed)
                             + QFileInfo(path).fileName();
        EXPECT_FALSE(std::filesystem::equivalent(path.toStdString(), link.toStdString()));
        EXPECT_EQ(ReadWholeFile(link).value_or(QByteArray()), bytes);
    }
}

} // namespace
