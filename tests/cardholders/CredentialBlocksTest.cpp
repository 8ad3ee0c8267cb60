#include "app/CListCtrlEx2.h"
#include "cardholders/CChangeCredentialStatusDlg.h"
#include "cardholders/CRPCards.h"
#include "cardholders/CredentialBlocks.h"
#include "cardholders/CredentialList.h"
#include "cardholders/FacilityCodeCheckList.h"
#include "tests/cardholders/DemoFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

namespace {

using namespace CredentialBlocks;

// The block tests run for both kinds; the demo starts with one card block
// and no transmitter block.
class CredentialBlocksTest : public DemoFixture, public ::testing::WithParamInterface<CredentialKind>
{
protected:
    CredentialKind Kind() const { return GetParam(); }

    long LiveBlocks() const { return static_cast<long>(ListBlocks(Kind()).size()); }

    long NumberRows(const QString& filter = {}) const
    {
        return WithTables(Kind(), [&](auto tables) { return CountRows(decltype(tables)::Blocks(), filter); });
    }

    void FillToBlocks(long wanted)
    {
        for (double n = 500000; LiveBlocks() < wanted; n += 10)
            ASSERT_TRUE(CreateBlock(Kind(), {"Filler", n, n, {}}));
    }

    void AddIndividual(double number)
    {
        WithTables(Kind(), [&](auto tables) {
            auto& singles = decltype(tables)::Singles();
            singles.m_strFilter.clear();
            singles.Requery();
            singles.AddNew();
            decltype(tables)::Number(singles) = number;
            singles.m_SuspendedSingle = true;
            singles.Update();
        });
    }
};

TEST_P(CredentialBlocksTest, RangeChecksRefuseInOrderAndWriteNothing)
{
    const QString noun = Kind() == CredentialKind::Card ? "card" : "transmitter";
    ASSERT_TRUE(CreateBlock(Kind(), {"Base", 20000, 20099, {}}));
    AddIndividual(30050);
    const long rowsBefore = NumberRows();
    const struct
    {
        double start;
        double end;
        std::vector<int> codes;
        QString message;
    } cases[] = {
        {10, 20, {1, 2, 3, 4, 5}, "Maximum of four facility codes allowed."},
        {21, 20, {}, "Invalid block range entered."},
        {1, static_cast<double>(45601 - rowsBefore), {},
         "The range you entered exceeds the maximum " + noun + "s allowed which is 45600."},
        {20099, 20200, {}, "Could not create the new block, since it overlaps an existing block."},
        {19000, 20000, {}, "Could not create the new block, since it overlaps an existing block."},
        {30000, 30100, {},
         "Could not create the new block 30000 to 30100, since it overlaps individual " + noun + " number 30050."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        MessageBoxScript boxes;
        EXPECT_FALSE(CreateBlock(Kind(), {"x", c.start, c.end, c.codes}));
        EXPECT_EQ(boxes.Texts(), QStringList{c.message});
        EXPECT_EQ(NumberRows(), rowsBefore);
    }
    EXPECT_TRUE(CreateBlock(Kind(), {"Next", 20100, 20100, {}})) << "BlockEnd + 1 does not overlap";
}

TEST_P(CredentialBlocksTest, WithTwentyThreeBlocksOnlyOneMoreBlockOfNumbersFits)
{
    FillToBlocks(kMaxBlocks - 1);
    const QString noun = Kind() == CredentialKind::Card ? "card" : "transmitter";
    EXPECT_FALSE(CreateBlock(Kind(), {"Big", 100, 100 + kNumbersPerBlock, {}}));
    EXPECT_EQ(m_boxes.Texts(), QStringList{"The range you entered exceeds the maximum blocks allowed which is 24.\n\n"
                                           "The maximum additional " + noun + " numbers you can add is 1900."});
    EXPECT_TRUE(CreateBlock(Kind(), {"Big", 100, 100 + kNumbersPerBlock - 1, {}}));
    EXPECT_FALSE(MayAddBlock(Kind()));
    EXPECT_EQ(m_boxes.Texts().last(), Kind() == CredentialKind::Card
                                          ? "You have allocated the maximum number of card blocks, which is 24."
                                          : "You have allocated the maximum number of blocks, which is 24");
}

TEST_P(CredentialBlocksTest, LongRangeIsSplitIntoNamedBlocksOfSpares)
{
    const long rowsBefore = NumberRows();
    ASSERT_TRUE(CreateBlock(Kind(), {"Lobby", 100, 4099, {3, 16}}));
    std::vector<BlockRow> blocks = ListBlocks(Kind());
    ASSERT_GE(blocks.size(), 3u);
    blocks.erase(blocks.begin(), blocks.end() - 3);
    const QStringList expected[] = {{"[01] Lobby", "100", "1999"}, {"[02] Lobby", "2000", "3899"}, {"[03] Lobby", "3900", "4099"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(blocks[i].name, expected[i][0]);
        EXPECT_EQ(blocks[i].start, expected[i][1]);
        EXPECT_EQ(blocks[i].end, expected[i][2]);
    }
    EXPECT_EQ(NumberRows(), rowsBefore + 4000);
    EXPECT_EQ(NumberRows("UserID = 0 AND Suspended = TRUE AND Lost = FALSE AND " + QString(Kind() == CredentialKind::Card ? "CardID" : "XmtrID") + " < 4100"), 4000);
    WithTables(Kind(), [](auto tables) {
        auto& ranges = decltype(tables)::Ranges();
        ASSERT_TRUE(FindRow(ranges, "BlockBegin = 2000"));
        EXPECT_EQ(ranges.m_FacCode_Sel_A, 3);
        EXPECT_EQ(ranges.m_FacCode_Sel_B, 16);
        EXPECT_EQ(ranges.m_FacCode_Sel_C, 0);
    });
}

TEST_P(CredentialBlocksTest, DeletedBlockRowIsReusedWithItsIndex)
{
    ASSERT_TRUE(CreateBlock(Kind(), {"First", 1, 10, {1}}));
    ASSERT_TRUE(CreateBlock(Kind(), {"Second", 11, 20, {}}));
    std::vector<BlockRow> blocks = ListBlocks(Kind());
    const BlockRow first = blocks[blocks.size() - 2];
    const long rowsBefore = NumberRows();
    ASSERT_FALSE(IsAssigned(Kind(), first.autoNumIndex));
    ASSERT_TRUE(DeleteBlock(Kind(), first.autoNumIndex));
    EXPECT_EQ(NumberRows(), rowsBefore - 10);
    EXPECT_EQ(static_cast<long>(ListBlocks(Kind()).size()), static_cast<long>(blocks.size()) - 1);
    ASSERT_TRUE(CreateBlock(Kind(), {"Third", 30, 31, {}}));
    blocks = ListBlocks(Kind());
    const auto reused = std::find_if(blocks.begin(), blocks.end(), [](const BlockRow& b) { return b.name == "[01] Third"; });
    ASSERT_NE(reused, blocks.end());
    EXPECT_EQ(reused->autoNumIndex, first.autoNumIndex);
    EXPECT_EQ(reused->facilityCodes, "");
    EXPECT_EQ(blocks.back().name, "[01] Second") << "the reused row keeps its place";
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BothKinds, CredentialBlocksTest,
                         ::testing::Values(CredentialKind::Card, CredentialKind::Transmitter));

using CredentialBlocksDemoTest = DemoFixture;

TEST_F(CredentialBlocksDemoTest, AssignedBlockIsNotDeleted)
{
    const std::vector<BlockRow> blocks = ListBlocks(CredentialKind::Card);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].block, "001");
    EXPECT_EQ(blocks[0].start, "10001");
    EXPECT_EQ(blocks[0].end, "10100");
    EXPECT_EQ(blocks[0].name, "[01] Staff");
    EXPECT_TRUE(IsAssigned(CredentialKind::Card, blocks[0].autoNumIndex));
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Unable to delete this block of cards.\n\n"
                                           "This block contains card numbers which are assigned to cardholders.\n\n"
                                           "Click the Show All Cards button to display the current assignments."});
    EXPECT_EQ(ListBlocks(CredentialKind::Card).size(), 1u);
}

TEST_F(CredentialBlocksDemoTest, StatusWordAndImageOfEveryCase)
{
    using namespace CredentialList;
    const struct
    {
        bool lost;
        bool suspended;
        std::int32_t userId;
        const char* word;
        int image;
    } cases[] = {
        {true, true, 0, "Lost", kLostImage},       {true, false, 7, "Lost", kLostImage},
        {false, false, 7, "Enabled", kEnabledImage}, {false, false, 0, "Enabled", kEnabledImage},
        {false, true, 7, "Suspended", kSuspendedImage}, {false, true, 0, "", kSpareImage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const StatusLook look = StatusOf(c.lost, c.suspended, c.userId);
        EXPECT_EQ(look.word, c.word);
        EXPECT_EQ(look.image, c.image);
    }
}

TEST_F(CredentialBlocksDemoTest, ShowAllListsHoldersThenSpares)
{
    g_setSingleCard.AddNew();
    g_setSingleCard.m_CardIDSingle = 10000;
    g_setSingleCard.m_SuspendedSingle = false;
    g_setSingleCard.Update();
    const std::vector<CredentialList::Row> rows = CredentialList::ListRange(CredentialKind::Card, 1, 10101);
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows[0].text, "        10000");
    EXPECT_EQ(rows[0].image, CredentialList::kEnabledImage + CredentialList::kIndividual);
    EXPECT_EQ(rows[0].holder, "No Cardholder");
    EXPECT_EQ(rows[0].facilityCodes, "");
    EXPECT_EQ(rows[1].text, "        10001");
    EXPECT_EQ(rows[1].status, "Enabled");
    EXPECT_EQ(rows[1].set, "Office Staff");
    EXPECT_EQ(rows[5].text, "        10005");
    EXPECT_EQ(rows[5].holder, "-");
    EXPECT_EQ(rows[5].set, "");
    EXPECT_EQ(rows[5].status, "");
    EXPECT_EQ(rows[5].image, CredentialList::kSpareImage);
    EXPECT_EQ(CredentialList::ListRange(CredentialKind::Card, 10050, 10059).size(), 10u);
}

TEST_F(CredentialBlocksDemoTest, TakingAwayTheLastCardClearsTheHoldersFlag)
{
    const std::int32_t ada = UserIdOf("Ada");
    ASSERT_TRUE(g_setUsers.FindByID(ada));
    ASSERT_TRUE(g_setUsers.m_GotCards);
    const std::optional<CredentialList::NumberState> before = CredentialList::LoadState(CredentialKind::Card, "10001");
    ASSERT_TRUE(before);
    EXPECT_EQ(before->userId, ada);

    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CChangeCredentialStatusDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        EXPECT_TRUE(dialog->AssignedBox()->isChecked());
        EXPECT_TRUE(dialog->AssignedBox()->isEnabled());
        dialog->AssignedBox()->setChecked(false);
        dialog->accept();
    });
    CChangeCredentialStatusDlg dialog;
    dialog.m_bSuspended = before->suspended;
    dialog.m_bLost = before->lost;
    dialog.m_nAssigned = before->userId;
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    ASSERT_TRUE(shown);
    EXPECT_EQ(dialog.m_nAssigned, 0);
    ASSERT_TRUE(CredentialList::StoreState(CredentialKind::Card, "        10001", *before,
                                           {dialog.m_bSuspended, dialog.m_bLost, dialog.m_nAssigned}));
    ASSERT_TRUE(FindRow(g_setUsers, QStringLiteral("UserID = %1").arg(ada)));
    EXPECT_FALSE(g_setUsers.m_GotCards);
    const std::optional<CredentialList::Row> row = CredentialList::RowOf(CredentialKind::Card, "10001");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->holder, "No Cardholder");
    EXPECT_EQ(row->status, "Enabled");
}

TEST_F(CredentialBlocksDemoTest, UnassignedNumberLeavesTheAssignedBoxOffAndDisabled)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CChangeCredentialStatusDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        EXPECT_FALSE(dialog->AssignedBox()->isChecked());
        EXPECT_FALSE(dialog->AssignedBox()->isEnabled());
        EXPECT_TRUE(dialog->SuspendedBox()->isChecked());
        dialog->reject();
    });
    CChangeCredentialStatusDlg dialog;
    dialog.m_bSuspended = true;
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(shown);
}

TEST_F(CredentialBlocksDemoTest, AFifthFacilityCodeCannotBeTicked)
{
    FacilityCodeCheckList list;
    list.Fill(CredentialKind::Card, &m_doc);
    ASSERT_EQ(list.count(), 16);
    EXPECT_TRUE(list.item(8)->text().startsWith(" [FC9]   "));
    for (int row : {0, 2, 4, 6, 9})
        list.item(row)->setCheckState(Qt::Checked);
    EXPECT_EQ(list.Ticked(), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_EQ(list.item(9)->checkState(), Qt::Unchecked);
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Maximum of four facility codes allowed."});
}

TEST_F(CredentialBlocksDemoTest, CardBlockViewListsTheDemoBlockAndShowsAll)
{
    CRPCards view;
    ASSERT_EQ(view.BlockList()->topLevelItemCount(), 1);
    const QTreeWidgetItem* block = view.BlockList()->topLevelItem(0);
    EXPECT_EQ(QStringList({block->text(0), block->text(1), block->text(2), block->text(3)}).join(' '),
              "001 10001 10100 [01] Staff");
    EXPECT_EQ(view.AllList()->topLevelItemCount(), 0);
    view.OnShowAll();
    ASSERT_EQ(view.AllList()->topLevelItemCount(), 100);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const QTreeWidgetItem* row = view.AllList()->topLevelItem(i);
        EXPECT_EQ(row->text(0).trimmed(), QString::number(10001 + i));
        EXPECT_EQ(row->text(4), "Enabled");
        EXPECT_FALSE(row->text(2).isEmpty());
    }
    const QTreeWidgetItem* spare = view.AllList()->topLevelItem(99);
    EXPECT_EQ(spare->text(0), "        10100");
    EXPECT_EQ(spare->text(2), "-");
    EXPECT_EQ(spare->text(4), "");
    view.FromEdit()->setText("0");
    view.OnShowAll();
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Please enter a number between 1 and 1099511627775."});
    EXPECT_EQ(view.AllList()->topLevelItemCount(), 100) << "a refused range changes nothing";
}

} // namespace
