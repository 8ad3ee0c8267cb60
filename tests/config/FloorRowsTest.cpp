#include "config/FloorGridCells.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/DatabaseException.h"
#include "tests/config/ConfigFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

// The template installation: it has no floors.
class Floors : public OpenInstallation
{
protected:
    void AddFloor(int index, const QString& name) { FloorRows::Add(g_setFloorNames, index, name); }

    // The rows of one floor, by (Net, Node), with their names and masks.
    struct Rows
    {
        std::set<std::pair<int, int>> nodes;
        QStringList names;
        std::set<std::int32_t> scheds;
        int count = 0;
    };
    static Rows RowsOf(int index)
    {
        Rows rows;
        const QString criteria = QStringLiteral("[Index] = %1").arg(index);
        for (bool found = g_setFloorNames.FindFirst(criteria); found; found = g_setFloorNames.FindNext(criteria)) {
            rows.nodes.insert({g_setFloorNames.m_Net, g_setFloorNames.m_Node});
            if (!rows.names.contains(g_setFloorNames.m_Name))
                rows.names << g_setFloorNames.m_Name;
            rows.scheds.insert(g_setFloorNames.m_Sched);
            ++rows.count;
        }
        return rows;
    }
    static QStringList ListedNames()
    {
        QStringList names;
        for (const FloorRows::Floor& floor : FloorRows::List(g_setFloorNames))
            names << floor.name;
        return names;
    }
};

TEST_F(Floors, AFloorIsARowForEveryNodeOfEveryNetwork)
{
    EXPECT_TRUE(FloorRows::List(g_setFloorNames).empty());
    ASSERT_EQ(FloorRows::FreeIndex(g_setFloorNames), 0);
    AddFloor(0, QStringLiteral("Lobby"));
    const Rows rows = RowsOf(0);
    EXPECT_EQ(rows.count, FloorRows::kRowsPerFloor);
    EXPECT_EQ(rows.nodes.size(), 64u);
    EXPECT_EQ(*rows.nodes.begin(), std::make_pair(1, 1));
    EXPECT_EQ(*rows.nodes.rbegin(), std::make_pair(8, 8));
    EXPECT_EQ(rows.names, QStringList{"Lobby"});
    EXPECT_EQ(rows.scheds, std::set<std::int32_t>{0});
    ASSERT_EQ(FloorRows::List(g_setFloorNames).size(), 1u) << "listed once, by its network 1, node 1 row";
}

TEST_F(Floors, AFreedIndexIsTakenAgainFirst)
{
    for (int index = 0; index < 5; ++index)
        AddFloor(index, QStringLiteral("Floor %1").arg(index));
    EXPECT_EQ(FloorRows::FreeIndex(g_setFloorNames), 5);
    FloorRows::Remove(g_setFloorNames, 3);
    EXPECT_EQ(RowsOf(3).count, 0);
    EXPECT_EQ(RowsOf(4).count, FloorRows::kRowsPerFloor) << "only the floor deleted goes";
    EXPECT_EQ(FloorRows::FreeIndex(g_setFloorNames), 3);
    FloorRows::Remove(g_setFloorNames, 1);
    EXPECT_EQ(FloorRows::FreeIndex(g_setFloorNames), 1);
    EXPECT_EQ(ListedNames(), (QStringList{"Floor 0", "Floor 2", "Floor 4"}));
}

TEST_F(Floors, RenamingCountsLetterCase)
{
    AddFloor(0, QStringLiteral("Lobby"));
    AddFloor(1, QStringLiteral("Roof"));
    EXPECT_FALSE(FloorRows::Rename(g_setFloorNames, 0, QStringLiteral("Lobby")));
    EXPECT_TRUE(FloorRows::Rename(g_setFloorNames, 0, QStringLiteral("LOBBY")));
    const Rows rows = RowsOf(0);
    EXPECT_EQ(rows.names, QStringList{"LOBBY"});
    EXPECT_EQ(rows.count, FloorRows::kRowsPerFloor);
    EXPECT_EQ(RowsOf(1).names, QStringList{"Roof"});
    EXPECT_FALSE(FloorRows::Rename(g_setFloorNames, 7, QStringLiteral("None"))) << "no such floor";
    QString name;
    EXPECT_TRUE(FloorRows::FindName(g_setFloorNames, 0, name));
    EXPECT_EQ(name, QStringLiteral("LOBBY"));
}

TEST_F(Floors, SchedulesAreWrittenByIndexEvenForFloorsNamedAlike)
{
    AddFloor(0, QStringLiteral("Lobby"));
    AddFloor(1, QStringLiteral("Lobby"));
    AddFloor(2, QStringLiteral("Say \"hi\""));
    FloorRows::WriteSchedules(g_setFloorNames, {{0, 0b101}, {2, 1 << 30}});
    EXPECT_EQ(RowsOf(0).scheds, std::set<std::int32_t>{0b101});
    EXPECT_EQ(RowsOf(1).scheds, std::set<std::int32_t>{0});
    EXPECT_EQ(RowsOf(2).scheds, std::set<std::int32_t>{1 << 30});
}

TEST_F(Floors, AFailedAddLeavesNoRowOfTheFloor)
{
    AddFloor(0, QStringLiteral("Lobby"));
    Database::Open(g_setFloorNames.GetDefaultDBName())
        ->Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON FloorNames WHEN NEW.Net = 5 "
                                 "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_THROW(AddFloor(1, QStringLiteral("Roof")), DatabaseException);
    EXPECT_EQ(RowsOf(1).count, 0);
    EXPECT_EQ(RowsOf(0).count, FloorRows::kRowsPerFloor);
    EXPECT_EQ(ListedNames(), QStringList{"Lobby"});
    EXPECT_EQ(FloorRows::FreeIndex(g_setFloorNames), 1);
}

TEST(FloorGridCellsTest, ColumnsAreFloorsAndCellsTheBitsOfTheirMasks)
{
    FloorGridCells cells;
    cells.Load({{4, QStringLiteral("Lobby"), 0b101}, {0, QString(30, QLatin1Char('x')), std::int32_t(1u << 31)}});
    ASSERT_EQ(cells.Columns(), 2);
    EXPECT_EQ(cells.Name(1), QStringLiteral("Lobby"));
    EXPECT_EQ(cells.Name(2), QString(24, QLatin1Char('x'))) << "a slot holds 24 characters";
    const struct
    {
        int column;
        int schedule;
        bool ticked;
    } cases[] = {{1, 1, true}, {1, 2, false}, {1, 3, true}, {1, 31, false}, {2, 31, false},
                 {0, 1, false}, {3, 1, false}, {1, 0, false}, {1, 32, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << "/" << c.schedule);
        EXPECT_EQ(cells.Cell(c.column, c.schedule), c.ticked);
    }
    EXPECT_FALSE(cells.Changed());

    cells.SetCell(1, 31, 1);
    cells.SetCell(3, 1, 1);
    cells.SetCell(1, 32, 1);
    EXPECT_TRUE(cells.Changed());
    cells.SetCell(1, 31, 0);
    EXPECT_FALSE(cells.Changed()) << "ticked and cleared again";
    cells.SetCell(1, 1, 0);
    cells.SetCell(2, 2, 1);
    const std::vector<std::pair<int, std::int32_t>> expected = {{4, 0b100}, {0, std::int32_t((1u << 31) | 0b10)}};
    EXPECT_EQ(cells.Masks(), expected) << "by Index; the bit no schedule shows is kept";
    EXPECT_TRUE(cells.Changed());
}

} // namespace
