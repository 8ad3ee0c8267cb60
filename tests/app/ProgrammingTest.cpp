#include "app/CWFDoc.h"
#include "app/RunState.h"
#include "common/ICommControlForm.h"
#include "common/ProgramObjects.h"
#include "common/SharedHelpers.h"
#include "database/GlobalRecordsets.h"
#include "image/CBlockBinder.h"
#include "link/CNetCommand.h"
#include "link/NetCommandKinds.h"
#include "link/PacketBuilder.h"
#include "platform/Clock.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/fixtures/PanelSimulator.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

const QString kStoreFailedText = "Error adding command to com command queue.";

bool IsNodeControl(const CNetCommand& command, std::uint8_t argument)
{
    return command.m_kind == NetKind::NodeCommand && command.m_payload.size() >= 2
           && static_cast<std::uint8_t>(command.m_payload[0]) == NodeCommandOp::NodeControl
           && static_cast<std::uint8_t>(command.m_payload[1]) == argument;
}

TEST_F(ProgrammingRun, FirstRunSendsEveryControllerInFull)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    EXPECT_EQ(QueueBeingCreated, 0);
    const auto nodes = StoredByNode();
    ASSERT_EQ(nodes.size(), 3u);
    int total = 0;
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        ASSERT_GE(commands.size(), 3u);
        total += static_cast<int>(commands.size());
        std::map<int, int> writesPerBank;
        for (const StoredCommand& stored : commands) {
            EXPECT_FALSE(IsNodeControl(stored.command, 64)) << "nobody asked for a start";
            if (stored.command.m_kind == NetKind::MemoryWrite)
                ++writesPerBank[static_cast<std::uint8_t>(stored.command.m_payload[0])];
        }
        EXPECT_EQ(writesPerBank[0], 2) << "both halves of the image";
        EXPECT_EQ(writesPerBank[1], 1) << "the cardholders, in one run";
        EXPECT_TRUE(IsNodeControl(commands.back().command, 1));
    }
    EXPECT_EQ(RowCount(), total);
    EXPECT_EQ(m_doc.GetPendingCommandCount(), total);
    EXPECT_EQ(QDir(m_doc.BuildPath(CWFDoc::kNetCommands, QString())).entryList(QDir::Files).size(), total);
    for (const char* name : {"Cardholders.dat", "BlockCards.dat", "BlockTransmitters.dat", "Vestrel12.dat"})
        EXPECT_TRUE(QFile::exists(m_doc.BuildPath(CWFDoc::kLastProgrammed, name))) << name;
}

TEST_F(ProgrammingRun, ChangedExpirationSendsOneRecordAndAnEndPerNode)
{
    ProgramOnceAndSend();
    ASSERT_TRUE(g_setUsers.FindFirst("UserID > 0"));
    const std::int32_t id = g_setUsers.m_UserID;
    g_setUsers.Edit();
    g_setUsers.m_NeverExpiers = false;
    g_setUsers.m_ExpirationDate = QDateTime(QDate(2031, 7, 9), QTime(0, 0));
    g_setUsers.Update();

    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = StoredByNode();
    ASSERT_EQ(nodes.size(), 3u);
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        ASSERT_EQ(commands.size(), 2u);
        const CNetCommand& write = commands[0].command;
        ASSERT_EQ(write.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(write.m_payload.left(5), QByteArray("\x01", 1) + char(id >> 8) + char(id & 0xFF) + QByteArray("\x00\x08", 2));
        EXPECT_EQ(write.m_payload.mid(5), QByteArray("\xC0\x03\x00\x00\x00\x09\x07\x1F", 8));
        EXPECT_TRUE(IsNodeControl(commands[1].command, 1));
    }
    EXPECT_EQ(RowCount(), 6);
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 6);

    ASSERT_TRUE(m_doc.ClearNetCommands());
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    EXPECT_EQ(RowCount(), 0) << "nothing changed: neither writes nor end commands";
}

TEST_F(ProgrammingRun, ReprogramAllFlagGivesOneStartAndIsCleared)
{
    ProgramOnceAndSend();
    SetFlags(2, 1 | 4);
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = StoredByNode();
    ASSERT_EQ(nodes.size(), 1u) << "only the flagged node";
    const std::vector<StoredCommand>& commands = nodes.at(0x12);
    ASSERT_GE(commands.size(), 3u);
    EXPECT_TRUE(IsNodeControl(commands.front().command, 64));
    EXPECT_EQ(commands.front().command.m_timeout, 30000);
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(), [](const StoredCommand& s) { return IsNodeControl(s.command, 64); }), 1);
    EXPECT_TRUE(IsNodeControl(commands.back().command, 1));
    EXPECT_EQ(FlagsOf(2), 4) << "bit 0 cleared, other bits kept";
}

TEST_F(ProgrammingRun, FailedStoreKeepsTheRequestsForAFullSend)
{
    ProgramOnceAndSend();
    SetFlags(2, 1);
    m_doc.m_netQueue.GetNode(1, 3)->m_reprogramAll = 1;
    ASSERT_TRUE(g_setUsers.FindFirst("UserID > 0"));
    g_setUsers.Edit();
    g_setUsers.m_Active = false;
    g_setUsers.Update();
    const QString folder = m_doc.BuildPath(CWFDoc::kNetCommands, QString());
    ASSERT_TRUE(QDir(folder).removeRecursively());
    {
        QFile blocker(QDir::cleanPath(folder));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    // The message is shown while the run still holds the close guard, and
    // a run asked for from inside it is refused.
    QStringList texts;
    int guardWhileShown = 0;
    int reentered = -1;
    const MessageBoxPresenter previous = SetMessageBoxPresenter([&](const MessageBoxRequest& request) {
        texts << request.text;
        guardWhileShown = QueueBeingCreated;
        reentered = m_doc.PrepareNetworkProgramming(0, 0);
        return int(IDOK);
    });
    m_doc.SetDataToProgram(1);
    const int result = m_doc.PrepareNetworkProgramming(0, 0);
    SetMessageBoxPresenter(previous);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(m_doc.GetDataToProgram(), 1) << "what was not stored is still to be programmed";
    EXPECT_TRUE(texts.contains(kStoreFailedText)) << texts.join("|").toStdString();
    EXPECT_EQ(guardWhileShown, 1);
    EXPECT_EQ(reentered, 0);
    EXPECT_EQ(QueueBeingCreated, 0);
    EXPECT_EQ(RowCount(), 0) << "no row without its file";
    EXPECT_EQ(FlagsOf(2) & 1, 1);
    EXPECT_EQ(m_doc.m_netQueue.GetNode(1, 3)->m_reprogramAll, 1);

    ASSERT_TRUE(QFile::remove(QDir::cleanPath(folder)));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    EXPECT_EQ(m_doc.GetDataToProgram(), 0);
    EXPECT_EQ(FlagsOf(2) & 1, 0);
    EXPECT_EQ(m_doc.m_netQueue.GetNode(1, 3)->m_reprogramAll, 0);
    const auto nodes = StoredByNode();
    EXPECT_TRUE(IsNodeControl(nodes.at(0x12).front().command, 64));
    EXPECT_TRUE(IsNodeControl(nodes.at(0x13).front().command, 64));
    ASSERT_EQ(nodes.at(0x11).size(), 2u) << "the unflagged node still gets the change";
    EXPECT_EQ(nodes.at(0x11).front().command.m_payload.left(1), QByteArray("\x01", 1));
}

TEST_F(ProgrammingRun, SuspendedNodeGetsOneStartPerRun)
{
    NodeLinkState[0][1] = kNodeStateFailed;
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = StoredByNode();
    const std::vector<StoredCommand>& commands = nodes.at(0x12);
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(), [](const StoredCommand& s) { return IsNodeControl(s.command, 64); }), 1);
    EXPECT_FALSE(IsNodeControl(nodes.at(0x11).front().command, 64));
}

TEST_F(ProgrammingRun, SingleNodeRequestServesThatNodeAlone)
{
    g_pendingNodeRequest = {kServeOneNode, 1, 2};
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = StoredByNode();
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes.begin()->first, 0x12);
    EXPECT_EQ(g_pendingNodeRequest.request, 0u);
}

TEST_F(ProgrammingRun, RequestForAMissingNodeIsClearedAndNothingQueued)
{
    g_pendingNodeRequest = {kServeOneNode, 1, 7};
    EXPECT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 0);
    EXPECT_EQ(g_pendingNodeRequest.request, 0u);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1) << "the next run is not blocked";
}

TEST_F(ProgrammingRun, UnknownControllerQueuesNothing)
{
    EXPECT_EQ(m_doc.PrepareNetworkProgramming(9999, 0), 0);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(QueueBeingCreated, 0);
}

// A communication form that lists the given networks and counts the
// requests to serve its queue.
class ListingForm : public ICommControlForm
{
public:
    explicit ListingForm(std::set<int> networks) : m_networks(std::move(networks)) {}
    bool IsConnected() const override { return false; }
    void Disconnect() override {}
    int GoOnline() override { return 1; }
    void ServiceQueue() override { ++served; }
    bool HasNetwork(int net) const override { return m_networks.count(net) != 0; }

    int served = 0;

private:
    std::set<int> m_networks;
};

class ProgrammingRunWithForm : public ProgrammingRun
{
protected:
    void TearDown() override
    {
        SetCommControlForm(nullptr);
        ProgrammingRun::TearDown();
    }
};

TEST_F(ProgrammingRunWithForm, ControllersOfUnlistedNetworksAreSkippedAndTheQueueIsServed)
{
    const struct {
        std::set<int> listed;
        std::size_t nodesQueued;
    } cases[] = {
        {{1}, 3u},
        {{2, 3}, 0u},
        {{}, 0u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listed.size());
        ASSERT_TRUE(m_doc.ClearNetCommands());
        ListingForm form(c.listed);
        SetCommControlForm(&form);
        ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 1), 1);
        EXPECT_EQ(StoredByNode().size(), c.nodesQueued);
        EXPECT_EQ(form.served, 1) << "the form serves what was queued, once, at the end";
        SetCommControlForm(nullptr);
    }
}

TEST_F(ProgrammingRunWithForm, RunThatFindsNoControllerLeavesTheQueueAlone)
{
    ListingForm form({1});
    SetCommControlForm(&form);
    EXPECT_EQ(m_doc.PrepareNetworkProgramming(9999, 0), 0);
    EXPECT_EQ(form.served, 0);
}

TEST_F(ProgrammingRun, FiltersLeftByScreensHideNoRowFromTheBind)
{
    std::vector<std::int32_t> ids;
    for (bool row = g_setUsers.FindFirst("UserID > 0"); row; row = g_setUsers.FindNext("UserID > 0"))
        ids.push_back(g_setUsers.m_UserID);
    ASSERT_EQ(ids.size(), 4u);
    for (Recordset* set : std::initializer_list<Recordset*>{&g_setUsers, &g_setCards}) {
        set->m_strFilter = "UserID = -1";
        set->Requery();
    }
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    EXPECT_EQ(g_setUsers.m_strFilter, "UserID = -1") << "the screen's filter is given back";
    g_setUsers.m_strFilter.clear();
    g_setUsers.Requery();
    ASSERT_TRUE(g_setUsers.FindLast("UserID > 0"));
    const RecordBookmark shown = g_setUsers.GetBookmark();
    const std::int32_t shownId = g_setUsers.m_UserID;
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 1), 1);
    EXPECT_EQ(g_setUsers.GetBookmark(), shown) << "the screen's current row stays";
    EXPECT_EQ(g_setUsers.m_UserID, shownId);
    QFile file(m_doc.BuildPath(CWFDoc::kVestrels, "Cardholders.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray records = file.readAll();
    for (std::int32_t id : ids)
        EXPECT_EQ(static_cast<std::uint8_t>(records[id * 8]) & 0x40, 0x40) << id;
    for (Recordset* set : std::initializer_list<Recordset*>{&g_setUsers, &g_setCards}) {
        set->m_strFilter.clear();
        set->Requery();
    }
}

TEST_F(ProgrammingRun, UnholdableCardholdersAndCardsAreLeftOut)
{
    ASSERT_TRUE(g_setUsers.FindFirst("UserID > 0"));
    const std::int32_t id = g_setUsers.m_UserID;
    g_setUsers.Edit();
    g_setUsers.m_NeverExpiers = false;
    g_setUsers.m_ExpirationDate = QDateTime(QDate(2300, 1, 1), QTime(0, 0));
    g_setUsers.Update();
    g_setCardBlocks.AddNew();
    g_setCardBlocks.m_BlockBegin = 1000;
    g_setCardBlocks.m_BlockEnd = 5000;
    g_setCardBlocks.Update();
    for (double number : {2899.0, 2900.0, 4000.0}) {
        g_setCards.AddNew();
        g_setCards.m_CardID = number;
        g_setCards.m_UserID = id;
        g_setCards.Update();
    }
    MessageBoxScript script;
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    EXPECT_EQ(script.Texts(), QStringList{"Cards not sent to the panels: 2. Each lies more than 1899 numbers above "
                                          "the first number of its block."});
    QFile cardholders(m_doc.BuildPath(CWFDoc::kVestrels, "Cardholders.dat"));
    ASSERT_TRUE(cardholders.open(QIODevice::ReadOnly));
    EXPECT_EQ(cardholders.readAll().mid(id * 8, 8), QByteArray(8, '\0')) << "its year does not fit the record";
    QFile cards(m_doc.BuildPath(CWFDoc::kVestrels, "BlockCards.dat"));
    ASSERT_TRUE(cards.open(QIODevice::ReadOnly));
    cards.read(4082); // the demo's own block comes first
    const QByteArray page = cards.read(4082);
    EXPECT_EQ(static_cast<std::uint8_t>(page[283 + 2 * 1899]), id);
    EXPECT_EQ(cards.read(4082), QByteArray(4082, '\xFF')) << "nothing spilled into the next page";
}

TEST_F(ProgrammingRun, NetworkQueuedAsksWithoutTakingCommands)
{
    std::uint8_t net = 1;
    EXPECT_EQ(CBlockBinder::IsNetworkQueued(&net), 0);
    auto command = std::make_unique<CNetCommand>(NetKind::StatusPoll, 1, 2);
    ASSERT_TRUE(m_doc.m_netQueue.AddCommand(command));
    EXPECT_EQ(CBlockBinder::IsNetworkQueued(&net), 1);
    EXPECT_EQ(CBlockBinder::IsNetworkQueued(&net), 1);
    EXPECT_EQ(m_doc.m_netQueue.GetNode(1, 2)->PendingCount(), 1u);
    net = 2;
    EXPECT_EQ(CBlockBinder::IsNetworkQueued(&net), 0);
}

TEST_F(ProgrammingRun, PanelsFedTheFramesHoldTheInstallationsFiles)
{
    // A panel type with a display gets its message set too.
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 1));
    g_setVestrels.Edit();
    g_setVestrels.m_PanelType = 0;
    g_setVestrels.Update();
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const FixedClock clock(QDateTime(QDate(2026, 1, 5), QTime(8, 0), QTimeZone::utc()));
    for (const auto& [address, commands] : StoredByNode()) {
        SCOPED_TRACE(address);
        PanelSimulator panel(static_cast<std::uint8_t>(address));
        for (const StoredCommand& stored : commands) {
            QByteArray frame;
            SentRequestRecord sent;
            ASSERT_EQ(BuildPacket(stored.command, clock, frame, sent), PacketResult::Built);
            ASSERT_EQ(panel.Feed(frame).size(), 1u);
        }
        const auto file = [&](int kind, const QString& name) {
            QFile f(m_doc.BuildPath(kind, name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            return f.readAll();
        };
        const auto expectBank = [&](int bank, const QByteArray& bytes) {
            SCOPED_TRACE(bank);
            ASSERT_LE(bytes.size(), panel.Bank(bank).size());
            EXPECT_EQ(panel.Bank(bank).left(bytes.size()), bytes);
            EXPECT_EQ(panel.Bank(bank).mid(bytes.size()), QByteArray(panel.Bank(bank).size() - bytes.size(), '\0'));
        };
        expectBank(0, file(CWFDoc::kVestrels, QStringLiteral("Vestrel1%1.dat").arg(address & 0x0F)));
        expectBank(1, file(CWFDoc::kVestrels, "Cardholders.dat"));
        expectBank(3, file(CWFDoc::kVestrels, "BlockTransmitters.dat"));
        expectBank(4, file(CWFDoc::kVestrels, "BlockCards.dat"));
        if (address == 0x11)
            expectBank(8, file(CWFDoc::kVestrels, "DisplayMessages0.dat"));
        else
            EXPECT_EQ(panel.Bank(8), QByteArray(4096, '\0')) << "no display on this panel type";
    }
}

} // namespace
