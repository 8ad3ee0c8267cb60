#include "app/CColumnWidths.h"
#include "reports/lists/ReportColumns.h"
#include "reports/lists/ReportList.h"
#include "tests/support/MessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

const QString kCannotSort = QStringLiteral("This column cannot be sorted.");

struct Shown
{
    QString title;
    QStringList columns;
    int rows;

    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os)
{
    *os << '"' << s.title.toStdString() << "\" [" << s.columns.join(',').toStdString() << "] " << s.rows
        << " rows";
}

Shown WhatIsShown(const ReportList& list)
{
    Shown shown{list.Title(), {}, list.Model().RowCount()};
    for (int i = 0; i < list.Model().ColumnCount(); ++i)
        shown.columns << list.Model().ColumnTitle(i);
    return shown;
}

// The kind shown with one row in it, as its builder could have left it.
void ShowWithARow(ReportList& list, int kind)
{
    list.Rebuild(kind);
    list.Model().AppendRow({"row"});
    list.Model().FlushRows();
}

class ReportListTest : public ::testing::Test
{
protected:
    CColumnWidths widths;
    ReportList list{widths};
};

} // namespace

TEST_F(ReportListTest, KindsShowTheirTitleAndColumns)
{
    const struct
    {
        int kind;
        const char* title;
        int columns;
        const char* first;
    } cases[] = {
        {1, "Block transmitters", 5, "Block"},
        {2, "All transtitters", 6, "Transmitter Number"},
        {3, "Block cards", 5, "Block"},
        {4, "All cards", 6, "Card Number"},
        {6, "Cardholders with credentials", 9, "Name [UserID]"},
        {7, "Cardholders without credentials", 9, "Name [UserID]"},
        {8, "Entry codes", 5, "Entry Code"},
        {9, "Phone entry numbers", 8, "Number"},
        {10, "Eventlog", 4, "Date & Time"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        list.Rebuild(c.kind);
        EXPECT_EQ(list.Title(), c.title);
        ASSERT_EQ(list.ColumnCount(), c.columns);
        EXPECT_EQ(list.Model().ColumnCount(), c.columns);
        EXPECT_EQ(list.Model().ColumnTitle(0), c.first);
    }
    list.Rebuild(0);
    EXPECT_EQ(WhatIsShown(list), (Shown{"", {}, 0}));
}

TEST_F(ReportListTest, KindsWithoutAReportEmptyTheListAndKeepTheTitle)
{
    for (int kind : {5, 11, -1, 127}) {
        SCOPED_TRACE(kind);
        ShowWithARow(list, 8);
        list.Rebuild(kind);
        EXPECT_EQ(WhatIsShown(list), (Shown{"Entry codes", {}, 0}));
    }
}

TEST_F(ReportListTest, ColumnClicksRefuseRetitleOrLeaveAlone)
{
    enum Outcome { Refused, Unchanged, Rebuilt };
    const struct
    {
        int kind;
        int column;
        Outcome outcome;
        const char* title;
    } cases[] = {
        {1, 3, Refused, nullptr},
        {3, 3, Refused, nullptr},
        {2, 1, Refused, nullptr},
        {4, 1, Refused, nullptr},
        {6, 8, Refused, nullptr},
        {7, 8, Refused, nullptr},
        {10, 0, Unchanged, nullptr},
        {10, 3, Unchanged, nullptr},
        {0, 0, Unchanged, nullptr},
        {9, 0, Rebuilt, "Directory codes"},
        {9, 7, Rebuilt, "Directory codes"},
        {2, 0, Rebuilt, "All transtitters"},
        {4, 5, Rebuilt, "All cards"},
        {6, 0, Rebuilt, "Cardholders with credentials"},
        {7, 7, Rebuilt, "Cardholders without credentials"},
        {8, 4, Rebuilt, "Entry codes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " column " << c.column);
        ShowWithARow(list, c.kind);
        const Shown before = WhatIsShown(list);
        MessageBoxScript boxes;
        list.OnColumnClick(c.kind, c.column);
        const Shown after = WhatIsShown(list);
        switch (c.outcome) {
        case Refused:
            EXPECT_EQ(boxes.Texts(), QStringList{kCannotSort});
            EXPECT_EQ(after, before);
            break;
        case Unchanged:
            EXPECT_TRUE(boxes.Texts().isEmpty());
            EXPECT_EQ(after, before);
            break;
        case Rebuilt:
            // With no installation open: the kind's columns under its click title, no rows.
            EXPECT_TRUE(boxes.Texts().isEmpty());
            EXPECT_EQ(after, (Shown{c.title, before.columns, 0}));
            break;
        }
    }
    // Choosing kind 9 again brings its own title back.
    list.Rebuild(9);
    EXPECT_EQ(list.Title(), "Phone entry numbers");
}

TEST_F(ReportListTest, WidthsAreKeptPerEntryAcrossRebuilds)
{
    widths.SetWidth(0, 0); // card blocks' "Block": "0000" takes the table's default
    list.Rebuild(3);
    EXPECT_EQ(list.ColumnWidth(0), 40);
    EXPECT_EQ(list.ColumnWidth(1), 80) << "the shipped width of card blocks' Start";
    list.Rebuild(10);
    EXPECT_EQ(list.ColumnWidth(3), 250) << "Event";

    list.Rebuild(1);
    list.SetColumnWidth(0, 123);
    list.SetColumnWidth(4, 321);
    list.Rebuild(3);
    EXPECT_EQ(list.ColumnWidth(0), 40) << "card blocks keep their own widths";
    list.Rebuild(1);
    EXPECT_EQ(list.ColumnWidth(0), 123);
    EXPECT_EQ(list.ColumnWidth(4), 321);
    EXPECT_EQ(widths.GetWidth(17), 123);
}

TEST_F(ReportListTest, DividerDragStoresEveryWidthButTheLast)
{
    list.Rebuild(1);
    list.SetColumnWidth(0, 111);
    list.SetColumnWidth(4, 222);
    list.StoreTrackedWidths();
    EXPECT_EQ(widths.GetWidth(17), 111);
    EXPECT_EQ(widths.GetWidth(21), 162) << "the last column waits for the next rebuild";
    list.RemoveColumns();
    EXPECT_EQ(widths.GetWidth(21), 222);
}
