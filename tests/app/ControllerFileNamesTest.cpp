#include "link/NetCommandKinds.h"
#include "link/NetRunResults.h"
#include "platform/DurableFiles.h"
#include "tests/app/ProgrammingRunFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// A Vestrels row of node A2 names its image file with a name that would reach
// outside the Vestrels folder, as a database that came with a restored backup
// or an installation from elsewhere may. Each victim is a loadable image
// that differs from the node's last-programmed copy, so a run that read it
// would queue its bytes, and one that wrote it would change it.
class ControllerFileNames : public ProgrammingRun
{
protected:
    void SetUp() override
    {
        ProgrammingRun::SetUp();
        ProgramOnceAndSend();
        QByteArray image = ReadWholeFile(m_doc.BuildPath(CWFDoc::kVestrels, "Vestrel12.dat")).value_or(QByteArray());
        ASSERT_EQ(image.size(), 8192);
        image[3000] = static_cast<char>(image[3000] ^ 0x5A);
        for (const QString& victim : Victims()) {
            ASSERT_TRUE(QDir().mkpath(QFileInfo(victim).path()));
            ASSERT_TRUE(WriteWholeFile(victim, image));
        }
    }

    QString Vestrels() const { return m_doc.BuildPath(CWFDoc::kVestrels, QString()); }
    QStringList Victims() const
    {
        return {m_env.Path("outside/victim.dat"), m_doc.BuildPath(CWFDoc::kInstallation, "victim.dat"),
                Vestrels() + "/sub/victim.dat", m_doc.BuildPath(CWFDoc::kLastProgrammed, "sub/victim.dat")};
    }

    // The names a row may hold that are no plain file of the folder.
    QStringList HostileNames() const
    {
        return {QDir(Vestrels()).relativeFilePath(m_env.Path("outside/victim.dat")),
                m_env.Path("outside/victim.dat"),
                "../victim.dat",
                "sub/victim.dat",
                "..\\victim.dat",
                "..",
                ".",
                "",
                QStringLiteral("Vestrel12.dat") + QChar(u'\0') + "x"};
    }

    // Every file outside the Vestrels and last-programmed folders' own
    // files that a run must leave alone, with its bytes.
    Files Outside() const
    {
        Files files;
        for (const QString& folder : {m_env.Path("outside"), Vestrels() + "/sub",
                                      m_doc.BuildPath(CWFDoc::kLastProgrammed, "sub")}) {
            for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
                const QString path = it.next();
                files[path] = ReadWholeFile(path).value_or("<unreadable>");
            }
        }
        for (const QString& name : QDir(m_doc.m_strInstallationFolder).entryList(QDir::Files | QDir::Hidden))
            files[name] = ReadWholeFile(m_doc.m_strInstallationFolder + "/" + name).value_or("<unreadable>");
        return files;
    }

    void NameTheImage(const QString& name)
    {
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
        g_setVestrels.Edit();
        g_setVestrels.m_FileName = name;
        g_setVestrels.Update();
    }

    static QString Refusal(const QString& name)
    {
        return QStringLiteral("Controller A2 names the image file \"%1\", which is not a plain file name: the file was "
                              "not used.")
            .arg(name);
    }
};

TEST(InstallationPaths, OnlyPlainNamesNameAFileOfTheFolder)
{
    const struct
    {
        QString name;
        bool plain;
    } cases[] = {
        {"Vestrel12.dat", true},
        {"NetCommands17.dat", true},
        {"My panel image.dat", true},
        {"Vestrel12.dat.unreadable", true},
        {"", false},
        {".", false},
        {"..", false},
        {".hidden.dat", false},
        {"../victim.dat", false},
        {"../../../../outside/victim.dat", false},
        {"/etc/passwd", false},
        {"sub/victim.dat", false},
        {"sub/", false},
        {"..\\victim.dat", false},
        {"C:\\victim.dat", false},
        {QStringLiteral("Vestrel12.dat") + QChar(u'\0') + "x", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(InstallationPaths::IsPlainFileName(c.name), c.plain);
    }
}

TEST_F(ControllerFileNames, ProgrammingRunRefusesTheNameFailsTheNetworkAndChangesNothingOutside)
{
    for (const QString& name : HostileNames()) {
        SCOPED_TRACE(name.toStdString());
        NetRunResults::Reset();
        NameTheImage(name);
        // Something else for the node to get: its other files still go.
        ASSERT_TRUE(g_setUsers.FindFirst("UserID > 0"));
        g_setUsers.Edit();
        g_setUsers.m_Active = !g_setUsers.m_Active;
        g_setUsers.Update();
        const Files outside = Outside();
        const Files panels = PanelFiles();

        MessageBoxScript boxes;
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);

        const QString reason = Refusal(name) + " Its settings were not sent.";
        EXPECT_EQ(boxes.Texts(), QStringList{reason});
        EXPECT_EQ(NetRunResults::ReasonLine(1), reason);
        EXPECT_EQ(NetTaskResult[0], kTaskNetFailed);
        EXPECT_EQ(m_doc.GetDataToProgram(), 1);
        EXPECT_EQ(Outside(), outside);
        // No file of the folders came or went: a name resolved inside them
        // names none of their files either.
        const Files after = PanelFiles();
        for (const auto& [key, bytes] : panels)
            EXPECT_TRUE(key.startsWith("3/") || after.count(key)) << key.toStdString() << " went";
        for (const auto& [key, bytes] : after)
            EXPECT_TRUE(key.startsWith("3/") || panels.count(key)) << key.toStdString() << " came";
        const auto nodes = StoredByNode();
        ASSERT_EQ(nodes.count(0x12), 1u);
        bool cardholderSent = false;
        for (const StoredCommand& stored : nodes.at(0x12)) {
            if (stored.command.m_kind != NetKind::MemoryWrite)
                continue;
            EXPECT_NE(stored.command.m_payload.at(0), 0) << "a byte of an image was sent";
            cardholderSent = cardholderSent || stored.command.m_payload.at(0) == 1;
        }
        EXPECT_TRUE(cardholderSent);
        ASSERT_TRUE(m_doc.ClearNetCommands());
    }
}

TEST_F(ControllerFileNames, EditingAndListingRefuseTheNameAndChangeNothingOutside)
{
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
    const std::int32_t id = g_setVestrels.m_VestrelID;
    for (const QString& name : HostileNames()) {
        SCOPED_TRACE(name.toStdString());
        NameTheImage(name);
        const Files outside = Outside();
        MessageBoxScript boxes;
        EXPECT_FALSE(m_doc.LoadControllerSettings(id));
        m_doc.BuildSettingsListing();
        EXPECT_EQ(boxes.Texts(), QStringList({Refusal(name), Refusal(name)}));
        EXPECT_EQ(Outside(), outside);
    }
}

} // namespace
