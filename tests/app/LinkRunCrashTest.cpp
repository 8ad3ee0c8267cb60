#include "link/PacketBuilder.h"
#include "platform/Clock.h"
#include "platform/Profile.h"
#include "tests/app/PanelBanks.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/app/StoredCommandReader.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/support/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

namespace {

constexpr int kKills = 20;
constexpr int kChildBoundMs = 60000;
constexpr const char* kChildScale = "0.02";
// Requests of a restart before its stored run, about: the login and the
// poll pass.
constexpr int kConnectRequests = 9;
// Longest pause between a request reaching the panels and the kill: long
// enough to land while the program handles the reply.
constexpr int kMaxKillDelayUs = 4000;

// The demo installation's stored run sent by the link engine in a child
// process that is killed again and again at random points and restarted on
// the same site and the same panels.
class LinkRunKilled : public ProgrammingRun
{
protected:
    void SetUp() override
    {
        ProgrammingRun::SetUp();
        if (HasFatalFailure())
            return;
        Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM1"), line.SlavePath());
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Password = QStringLiteral("123456");
        g_setVLNetworks.Update();
        for (int node : {1, 2, 3})
            line.WithNode(node, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
        const FixedClock clock(QDateTime(QDate(2026, 1, 5), QTime(8, 0), QTimeZone::utc()));
        for (const auto& [node, commands] : ReadStoredCommandsByNode(m_doc)) {
            for (const StoredCommand& stored : commands) {
                QByteArray frame;
                SentRequestRecord sent;
                ASSERT_EQ(BuildPacket(stored.command, clock, frame, sent), PacketResult::Built);
                m_storedFrames.insert(frame);
            }
        }
        m_site = m_doc.GetPathName();
        m_doc.OnCloseDocument();
    }
    void TearDown() override
    {
        if (m_killer.joinable())
            m_killer.join();
        ProgrammingRun::TearDown();
    }

    // Runs the child; unless killAt is 0, kills it a random moment after the
    // panels received the program's killAt-th request.
    int RunChild(int killAt, int delayUs)
    {
        std::atomic<int> requests{0};
        line.SetRequestHook([&, killAt, delayUs](const QByteArray& request) {
            if (m_storedFrames.contains(request))
                m_answered.insert(request);
            if (++requests == killAt)
                m_killer = std::thread([this, delayUs] {
                    std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
                    m_child.Kill();
                });
            return PanelLine::RequestAction::Answer;
        });
        const int closings = line.Closings();
        const int result = m_child.Run({m_site, QString::fromLatin1(kChildScale)}, kChildBoundMs);
        if (m_killer.joinable())
            m_killer.join();
        line.SetRequestHook({});
        // The next child finds the line as a fresh program does.
        EXPECT_TRUE(LinkMessageRecorder::WaitUntil([&] { return line.Closings() > closings; }));
        return result;
    }

    // The store as a restart finds it: the count is the rows, and every row
    // but the one whose removal the kill cut short has its file. How many
    // commands are left to send.
    int CheckStore()
    {
        CWFDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(m_site));
        CSetNetCommands& rows = doc.m_netCommandsSet;
        rows.m_strFilter.clear();
        rows.Requery();
        int count = 0;
        int withFile = 0;
        for (bool row = !(rows.IsBOF() && rows.IsEOF()); row && !rows.IsEOF(); rows.MoveNext(), ++count)
            withFile += QFile::exists(doc.BuildPath(CWFDoc::kNetCommands, rows.m_FileName));
        EXPECT_EQ(doc.GetPendingCommandCount(), count);
        EXPECT_LE(count - withFile, 1) << "rows without their file";
        EXPECT_EQ(QDir(doc.BuildPath(CWFDoc::kNetCommands, QString())).entryList(QDir::Files).size(), withFile)
            << "a file without its row";
        doc.OnCloseDocument();
        return withFile;
    }

    PanelLine line{1, {1, 2, 3}};
    QString m_site;
    QSet<QByteArray> m_storedFrames;
    // Stored commands' frames the panels took; only the line thread writes
    // it, and only while a child runs.
    QSet<QByteArray> m_answered;
    ChildProcess m_child{QStringLiteral(LINK_RUN_CHILD), m_env.ProfilePath()};
    std::thread m_killer;
};

} // namespace

TEST_F(LinkRunKilled, NoStoredCommandIsLostAndThePanelsEndEqual)
{
    int rows = CheckStore();
    ASSERT_GT(rows, kKills * 2);
    std::mt19937 random(23);
    int kills = 0;
    for (int run = 0; kills < kKills && rows > 0 && !HasFatalFailure(); ++run) {
        // Kills spread over the connect and the commands still stored, with
        // work left for every kill to come.
        const int span = kConnectRequests + std::max(1, rows / (2 * (kKills - kills)));
        const int killAt = std::uniform_int_distribution<int>(1, span)(random);
        const int delayUs = std::uniform_int_distribution<int>(0, kMaxKillDelayUs)(random);
        SCOPED_TRACE(::testing::Message() << "run " << run << " killed after request " << killAt << " +" << delayUs
                                          << " us");
        kills += RunChild(killAt, delayUs) == ChildProcess::kKilled;
        rows = CheckStore();
    }
    EXPECT_EQ(kills, kKills);
    ASSERT_EQ(RunChild(0, 0), 0) << "the last run sends the rest";
    EXPECT_EQ(CheckStore(), 0);
    for (const QByteArray& frame : m_storedFrames)
        EXPECT_TRUE(m_answered.contains(frame)) << "a stored command never reached its panel";

    ASSERT_TRUE(m_doc.OnOpenDocument(m_site));
    ExpectPanelBanksEqualTheFiles(m_doc, line, {1, 2, 3});
}
