#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "database/CSetVestrels.h"
#include "database/GlobalRecordsets.h"
#include "image/CBindManager.h"
#include "image/CVLMemory.h"
#include "link/PacketBuilder.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"
#include "tests/app/DocumentFixture.h"
#include "tests/app/StoredCommandReader.h"
#include "tests/fixtures/PanelSimulator.h"
#include "tests/image/RecordingSink.h"
#include "tests/support/ChildProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int kKills = 20;
constexpr int kExtraNodes = 3; // beside the demo's three
constexpr int kCredentials = 300;
constexpr std::uint8_t kEntryPanelType = 0;
constexpr std::uint8_t kPanelTypeB = 1;
const FirmwareVersion kImageVersion = {'0', '0', '1'};

// The demo installation grown to a mid-size site: six controllers, one an
// entry panel with a directory, and a few hundred cardholders and
// credentials of every kind. Each run starts from a copy of it that was
// never programmed.
class ProgrammingRunCrash : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        m_site = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(m_site.isEmpty()) << error.toStdString();
        CWFDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(m_site));
        GrowSite(doc);
        doc.OnCloseDocument();
        m_folder = QFileInfo(m_site).absolutePath();
        m_pristine = m_env.Path("pristine");
        ASSERT_TRUE(CopyFolderContents(m_folder, m_pristine));
    }
    void TearDown() override { g_pendingNodeRequest = {}; }

    static void InsertRows(const QString& database, const QString& sql)
    {
        Database::Open(database)->Execute(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) ")
                .arg(kCredentials)
            + sql);
    }

    void GrowSite(CWFDoc& doc)
    {
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 1));
        g_setVestrels.Edit();
        g_setVestrels.m_PanelType = kEntryPanelType;
        g_setVestrels.m_Keldara = true;
        g_setVestrels.Update();
        const std::int32_t networkId = g_setVestrels.m_NodeID;
        for (int node = 4; node < 4 + kExtraNodes; ++node) {
            const QString file = QStringLiteral("Vestrel1%1.dat").arg(node);
            g_setVestrels.AddNew();
            g_setVestrels.m_VestrelName = QStringLiteral("Panel A%1").arg(node);
            g_setVestrels.m_NetAddress = 1;
            g_setVestrels.m_NodeAddress = static_cast<std::uint8_t>(node);
            g_setVestrels.m_NodeID = networkId;
            g_setVestrels.m_FileName = file;
            g_setVestrels.m_PanelType = node == 4 ? kEntryPanelType : kPanelTypeB;
            g_setVestrels.Update();
            CVLMemory image;
            ASSERT_TRUE(image.LoadFile(doc.BuildPath(CWFDoc::kVestrels, file), 1,
                                       static_cast<std::uint8_t>(10 + node), kImageVersion));
        }
        const QString database = doc.BuildPath(CWFDoc::kInstallationDatabase, QString());
        InsertRows(database + "Users.mdb", QStringLiteral("INSERT INTO Users (FirstName, LastName, Active, CHSetIndex) "
                                                          "SELECT 'Holder', 'H' || i, -1, 3 + i % 2 FROM n"));
        InsertRows(database + "Cards.mdb",
                   QStringLiteral("INSERT INTO CardsSingle (CardIDSingle, UserIDSingle, [FacCode Sel A]) "
                                  "SELECT 20000000 + i * 3, 5 + i, 1 FROM n"));
        InsertRows(database + "Transmitters.mdb",
                   QStringLiteral("INSERT INTO TransmittersSingle (XmtrIDSingle, UserIDSingle, [FacCode Sel A]) "
                                  "SELECT 30000000 + i * 3, 5 + i, 1 FROM n"));
        InsertRows(database + "EntryCodes.mdb", QStringLiteral("INSERT INTO EntryCodes (Code, UserID) "
                                                               "SELECT CAST(100000 + i * 37 AS TEXT), 5 + i FROM n"));
        InsertRows(database + "EntryNumbers.mdb",
                   QStringLiteral("INSERT INTO EntryNumbers (UserID, TenantName, UserDirectoryCode, PhoneNumber, SubsetA) "
                                  "SELECT 5 + i, 'Tenant ' || i, CAST(i AS TEXT), '5551234', -1 FROM n"));
    }

    void RestorePristineSite()
    {
        ASSERT_TRUE(QDir(m_folder).removeRecursively());
        ASSERT_TRUE(CopyFolderContents(m_pristine, m_folder));
    }

    // Starts the run in a child process; kills it after the delay unless the
    // delay is negative. The child's exit code, or -1 when it was killed.
    int RunChild(int killAfterMs)
    {
        ChildProcess child(QStringLiteral(PROGRAMMING_RUN_CHILD), m_env.ProfilePath());
        return child.Run({m_site}, 60000, [&](QProcess& process) {
            if (killAfterMs >= 0) {
                QThread::msleep(static_cast<unsigned long>(killAfterMs));
                process.kill();
            }
        });
    }

    // What the site holds after a run that may have been killed, and after
    // one more run to its end.
    void CheckAfterRunningAgain()
    {
        CWFDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(m_site));
        ASSERT_EQ(doc.PrepareNetworkProgramming(0, 0), 1);
        // Every row has its file (the reader checks each one loads) and the
        // count is the rows.
        const std::map<int, std::vector<StoredCommand>> stored = ReadStoredCommandsByNode(doc);
        std::size_t rows = 0;
        for (const auto& [node, commands] : stored)
            rows += commands.size();
        EXPECT_EQ(static_cast<std::size_t>(doc.GetPendingCommandCount()), rows);
        EXPECT_EQ(static_cast<std::size_t>(doc.CountQueuedCommands()), rows);
        for (const QString& name : QDir(doc.BuildPath(CWFDoc::kInstallationDatabase, QString()))
                                       .entryList({QStringLiteral("*.mdb")}, QDir::Files)) {
            SCOPED_TRACE(name.toStdString());
            const auto database = Database::Open(doc.BuildPath(CWFDoc::kInstallationDatabase, name));
            SqlStatement check(database->Handle(), QStringLiteral("PRAGMA integrity_check"));
            ASSERT_TRUE(check.Step());
            EXPECT_EQ(check.Value(0).toString(), QStringLiteral("ok"));
        }
        ExpectPanelsHoldTheFiles(doc, stored);
        doc.OnCloseDocument();
    }

    // The stored commands, sent in order to panels with empty memories, leave
    // every bank as a full send of the installation's files does.
    static void ExpectPanelsHoldTheFiles(CWFDoc& doc, const std::map<int, std::vector<StoredCommand>>& stored)
    {
        const FixedClock clock(QDateTime(QDate(2026, 1, 5), QTime(8, 0), QTimeZone::utc()));
        const auto feed = [&](PanelSimulator& panel, const CNetCommand& command) {
            QByteArray frame;
            SentRequestRecord sent;
            ASSERT_EQ(BuildPacket(command, clock, frame, sent), PacketResult::Built);
            ASSERT_EQ(panel.Feed(frame).size(), 1u);
        };
        CSetVestrels controllers;
        controllers.m_strDBFolder = g_setVestrels.m_strDBFolder;
        controllers.Open();
        for (; !controllers.IsEOF(); controllers.MoveNext()) {
            const auto address = static_cast<std::uint8_t>(controllers.m_NetAddress << 4 | controllers.m_NodeAddress);
            SCOPED_TRACE(::testing::Message() << "node " << int(address));
            PanelSimulator sent(address);
            if (const auto node = stored.find(address); node != stored.end())
                for (const StoredCommand& command : node->second)
                    feed(sent, command.command);
            RecordingSink full;
            CBindManager manager(doc, full);
            ASSERT_EQ(manager.GenerateNetworkCommands(
                          static_cast<std::uint8_t>(controllers.m_NetAddress * 10 + controllers.m_NodeAddress), 1,
                          controllers.m_PanelType == kPanelTypeB, 1),
                      1);
            PanelSimulator expected(address);
            for (const CNetCommand& command : full.commands)
                feed(expected, command);
            for (int bank = 0; bank < PanelSimulator::kBankCount; ++bank) {
                SCOPED_TRACE(bank);
                EXPECT_EQ(sent.Bank(bank), expected.Bank(bank));
            }
        }
    }

    QString m_site;
    QString m_folder;
    QString m_pristine;
};

} // namespace

// A run killed anywhere leaves a site that a further run completes: no row
// without its file, the count equal to the rows, sound databases, and panels
// that end up holding the installation's files.
TEST_F(ProgrammingRunCrash, RunKilledAnywhereIsCompletedByTheNext)
{
    QElapsedTimer whole;
    whole.start();
    ASSERT_EQ(RunChild(-1), 0) << "the run itself must succeed";
    const qint64 runMs = whole.elapsed();
    {
        SCOPED_TRACE("uninterrupted");
        CheckAfterRunningAgain();
    }
    std::mt19937 random(18);
    std::uniform_int_distribution<int> delay(0, static_cast<int>(runMs));
    for (int kill = 0; kill < kKills && !HasFatalFailure(); ++kill) {
        const int ms = delay(random);
        SCOPED_TRACE(::testing::Message() << "killed after " << ms << " ms of " << runMs);
        RestorePristineSite();
        RunChild(ms);
        CheckAfterRunningAgain();
    }
}
