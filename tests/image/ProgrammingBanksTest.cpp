#include "app/CWFDoc.h"
#include "app/RunState.h"
#include "common/SharedHelpers.h"
#include "database/GlobalRecordsets.h"
#include "image/TreeSlotRuns.h"
#include "link/CNetCommand.h"
#include "link/NetCommandKinds.h"
#include "link/PacketBuilder.h"
#include "platform/Clock.h"
#include "tests/app/DocumentFixture.h"
#include "tests/app/StoredCommandReader.h"
#include "tests/fixtures/PanelSimulator.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int kDirectoryBank = 2;
constexpr int kEntryPanel = 0x11;

// The demo site with an entry panel, a few credentials of every tree kind
// and a directory.
class ProgrammingBanks : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
        ASSERT_TRUE(m_doc.OnOpenDocument(demo));
        // An entry panel makes the run a full one, with the directory.
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 1));
        g_setVestrels.Edit();
        g_setVestrels.m_PanelType = 0;
        g_setVestrels.Update();
        for (const double number : {70000.0, 812.0, 99999.0}) {
            g_setSingleCard.AddNew();
            g_setSingleCard.m_CardIDSingle = number;
            g_setSingleCard.m_UserIDSingle = 1;
            g_setSingleCard.m_FacCode_Sel_A = 1;
            g_setSingleCard.Update();
            g_setSingleXmtr.AddNew();
            g_setSingleXmtr.m_XmtrIDSingle = number + 1;
            g_setSingleXmtr.m_UserIDSingle = 2;
            g_setSingleXmtr.Update();
        }
        for (const char* code : {"1234", "987654", "5"}) {
            g_setEntryCodes.AddNew();
            g_setEntryCodes.m_Code = QString::fromLatin1(code);
            g_setEntryCodes.m_UserID = 3;
            g_setEntryCodes.Update();
        }
        for (const auto& [name, code] : {std::pair{"Brown", "5"}, std::pair{"adams", "9"}}) {
            g_setPhoneEntries.AddNew();
            g_setPhoneEntries.m_UserID = 1;
            g_setPhoneEntries.m_TenantName = QString::fromLatin1(name);
            g_setPhoneEntries.m_UserDirectoryCode = QString::fromLatin1(code);
            g_setPhoneEntries.m_PhoneNumber = QStringLiteral("5550100");
            g_setPhoneEntries.m_SubsetA = true;
            g_setPhoneEntries.Update();
        }
    }
    void TearDown() override
    {
        g_pendingNodeRequest = {};
        NodeLinkState = {};
        m_doc.OnCloseDocument();
    }

    std::map<int, std::vector<StoredCommand>> StoredByNode() { return ReadStoredCommandsByNode(m_doc); }

    QByteArray CurrentFile(const char* name) const
    {
        QFile file(m_doc.BuildPath(CWFDoc::kVestrels, QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    }

    CWFDoc m_doc;
};

} // namespace

TEST_F(ProgrammingBanks, PanelsFedTheFramesHoldEveryCredentialBank)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const FixedClock clock(QDateTime(QDate(2026, 1, 5), QTime(8, 0), QTimeZone::utc()));
    const auto nodes = StoredByNode();
    ASSERT_FALSE(nodes.empty());
    // What a panel must hold: the directory file itself, and of each tree
    // file only the panel data of every slot.
    const std::pair<int, QByteArray> banks[] = {
        {kDirectoryBank, CurrentFile("DirCodes.dat")},
        {5, TreeSlotRuns::SlotData(CurrentFile("EntryCodes.dat"), 11).value_or(QByteArray())},
        {6, TreeSlotRuns::SlotData(CurrentFile("SingleTransmitters.dat"), 16).value_or(QByteArray())},
        {7, TreeSlotRuns::SlotData(CurrentFile("SingleCards.dat"), 16).value_or(QByteArray())},
    };
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        PanelSimulator panel(static_cast<std::uint8_t>(address));
        for (const auto& [id, command] : commands) {
            QByteArray frame;
            SentRequestRecord sent;
            ASSERT_EQ(BuildPacket(command, clock, frame, sent), PacketResult::Built);
            ASSERT_EQ(panel.Feed(frame).size(), 1u);
        }
        for (const auto& [bank, bytes] : banks) {
            SCOPED_TRACE(bank);
            // Only the entry panel, A1, has a telephone directory.
            if (bank == kDirectoryBank && address != kEntryPanel) {
                EXPECT_EQ(panel.Bank(bank).count('\0'), panel.Bank(bank).size());
                continue;
            }
            ASSERT_FALSE(bytes.isEmpty());
            ASSERT_NE(bytes.count('\0'), bytes.size()) << "the bank is not part of the run";
            // The simulator's tree banks end before the last slot, which
            // stays free while so few credentials exist.
            const qsizetype shown = std::min(bytes.size(), panel.Bank(bank).size());
            EXPECT_EQ(bytes.mid(shown), QByteArray(bytes.size() - shown, '\0'));
            EXPECT_EQ(panel.Bank(bank).left(shown), bytes.left(shown));
            EXPECT_EQ(panel.Bank(bank).mid(shown), QByteArray(panel.Bank(bank).size() - shown, '\0'));
        }
    }
}

TEST_F(ProgrammingBanks, HolderChangeOfOneSingleCardSendsOneSlotPerNode)
{
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    ASSERT_TRUE(m_doc.ClearNetCommands());
    g_setSingleCard.Requery();
    ASSERT_TRUE(g_setSingleCard.FindFirst(QStringLiteral("CardIDSingle = 812")));
    g_setSingleCard.Edit();
    g_setSingleCard.m_UserIDSingle = 258;
    g_setSingleCard.Update();
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = StoredByNode();
    ASSERT_FALSE(nodes.empty());
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        std::vector<QByteArray> writes;
        for (const auto& [id, command] : commands) {
            if (command.m_kind == NetKind::MemoryWrite)
                writes.push_back(command.m_payload);
        }
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(writes[0].left(5).toHex(' '), QByteArray("07 00 02 00 10"));
        EXPECT_EQ(writes[0].mid(5 + 14).toHex(), QByteArray("0102"));
    }
}
