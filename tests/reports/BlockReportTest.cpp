#include "app/CColumnWidths.h"
#include "reports/lists/BlockReport.h"
#include "reports/lists/ReportColumns.h"
#include "reports/lists/ReportList.h"
#include "tests/reports/ReportFixture.h"

namespace {

struct BlockKind
{
    int kind;
    const char* name;
    // The installation's facility code of selection 1 and 2 for this kind.
    int code1;
    int code2;
};

void PrintTo(const BlockKind& k, std::ostream* os)
{
    *os << k.name;
}

class BlockReportTest : public ReportFixture, public ::testing::WithParamInterface<BlockKind>
{
protected:
    void Add(const Block& block)
    {
        if (GetParam().kind == kReportKindBlockTransmitters)
            AddBlock(g_setTransmitterBlocks, block);
        else
            AddBlock(g_setCardBlocks, block);
    }
    void Requery()
    {
        g_setTransmitterBlocks.Requery();
        g_setCardBlocks.Requery();
    }
    QStringList Row(int row) const
    {
        QStringList cells;
        for (int column = 0; column < kReportCells; ++column)
            cells << list.Model().Cell(row, column);
        return cells;
    }
    QStringList Column(int column) const
    {
        QStringList cells;
        for (int row = 0; row < list.Model().RowCount(); ++row)
            cells << list.Model().Cell(row, column);
        return cells;
    }

    CColumnWidths widths;
    ReportList list{widths};
};

} // namespace

TEST_P(BlockReportTest, RowsShowEachLiveBlockAndItsFacilityCodes)
{
    const BlockKind& k = GetParam();
    Add({0, 99, "First", {2, 0, 1, 0}});
    Add({100, 199, "Gone", {1, 0, 0, 0}, true});
    Add({200, 299, "Third", {0, 0, 0, 2}});
    Add({1e9, 1e9 + 0.6, "Plain"});
    Requery();
    list.Rebuild(k.kind);
    ASSERT_EQ(list.Model().RowCount(), 3) << "the deleted block leaves no gap";
    const QString both = QStringLiteral("%1, %2").arg(k.code2).arg(k.code1);
    EXPECT_EQ(Row(0).mid(1), QStringList({"0", "99", both, "First", "", "", "", ""}));
    EXPECT_EQ(Row(1).mid(1), QStringList({"200", "299", QString::number(k.code2), "Third", "", "", "", ""}));
    EXPECT_EQ(Row(2).mid(1, 4), QStringList({"1000000000", "1000000001", "", "Plain"}));
    bool number = false;
    EXPECT_GT(Row(0)[0].toInt(&number), 0);
    EXPECT_TRUE(number) << "the block number as a plain integer";
}

TEST_P(BlockReportTest, EmptyOrAllDeletedTablesGiveAnEmptyListQuietly)
{
    MessageBoxScript boxes;
    list.Rebuild(GetParam().kind);
    EXPECT_EQ(list.Model().RowCount(), 0);
    Add({1, 2, "Gone", {}, true});
    Requery();
    list.Rebuild(GetParam().kind);
    EXPECT_EQ(list.Model().RowCount(), 0);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_P(BlockReportTest, AColumnClickSortsOnlyThatShowing)
{
    const int kind = GetParam().kind;
    Add({300, 399, "Charlie"});
    Add({100, 199, "Alpha"});
    Add({200, 299, "Bravo"});
    Requery();
    list.Rebuild(kind);
    const QStringList ownOrder = {"Charlie", "Alpha", "Bravo"};
    EXPECT_EQ(Column(4), ownOrder);

    list.OnColumnClick(kind, 4);
    EXPECT_EQ(Column(4), QStringList({"Alpha", "Bravo", "Charlie"}));
    list.OnColumnClick(kind, 2);
    EXPECT_EQ(Column(2), QStringList({"199", "299", "399"}));
    EXPECT_EQ(list.Title(), QString::fromLatin1(GetParam().name));

    list.Rebuild(kind);
    EXPECT_EQ(Column(4), ownOrder) << "a later showing is in the set's own order";
}

INSTANTIATE_TEST_SUITE_P(BothBlockKinds, BlockReportTest,
                         ::testing::Values(BlockKind{kReportKindBlockTransmitters, "Block transmitters", 500, 501},
                                           BlockKind{kReportKindBlockCards, "Block cards", 100, 101}),
                         [](const auto& info) { return info.param.kind == 1 ? "Transmitters" : "Cards"; });
