#include "reports/eventlog/EventFilterText.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(EventFilter, PagesJoinWithAndAndCardholdersWithOperatorsAsOneGroup)
{
    const QString dates = DatesClause(QDate(2004, 3, 1), QDate(2004, 3, 31));
    const struct
    {
        const char* name;
        EventFilterFragments fragments;
        QString filter;
    } cases[] = {
        {"dates, types and a cardholder",
         {dates, "Type = 4 OR Type = 10", {}, "(UserID = 12)", {}},
         "[Time] BETWEEN #03/01/2004 00:00:00# AND #03/31/2004 23:59:59# AND (Type = 4 OR Type = 10) AND "
         "((UserID = 12))"},
        {"dates alone", {dates, {}, {}, {}, {}}, dates},
        {"host alone", {{}, {}, {}, {}, "(UserID = -5)"}, "((UserID = -5))"},
        {"priority access and host",
         {{}, {}, {}, {}, "(UserID = -4) OR (UserID = -5)"},
         "((UserID = -4) OR (UserID = -5))"},
        {"cardholders with operators",
         {{}, {}, {}, "(UserID = 3) OR (UserID = 7)", "(UserID = -1)"},
         "((UserID = 3) OR (UserID = 7) OR (UserID = -1))"},
        {"types and doors without dates",
         {{}, "Type = 4", "(NetNode = 35 AND ([Door] = 2 OR [Door] = 18))", {}, {}},
         "(Type = 4) AND ((NetNode = 35 AND ([Door] = 2 OR [Door] = 18)))"},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComposeEventLogFilter(c.fragments), c.filter);
    }
}

TEST(EventFilter, ClausesCarryTheirNumbers)
{
    EXPECT_EQ(JoinClauses({TypeClause(4), TypeClause(14)}), "Type = 4 OR Type = 14");
    EXPECT_EQ(UserClause(-4), "(UserID = -4)");
    // Bit 4 of Door marks a denied attempt at the same door.
    EXPECT_EQ(DoorClause(DoorKey(2, 3, 2)), "(NetNode = 35 AND ([Door] = 2 OR [Door] = 18))");
    EXPECT_EQ(DoorKey(2, 3, 1), 0x123);
    EXPECT_EQ(DoorKey(2, 3, 4), 0x423);
    EXPECT_EQ(JoinClauses({}), "");
}

// The profile's dates and the criterion's dates read the same in every
// locale, and a year from 2030 on keeps its century.
TEST(EventFilter, SearchDatesAreReadAndWrittenMonthFirstInEveryLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ReadSearchDate("02/01/2004"), QDate(2004, 2, 1));
    EXPECT_EQ(ReadSearchDate("2/9/2004"), QDate(2004, 2, 9));
    EXPECT_EQ(WriteSearchDate(QDate(2004, 2, 29)), "02/29/2004");
    EXPECT_EQ(DatesClause(QDate(2031, 12, 1), QDate(2031, 12, 24)),
              "[Time] BETWEEN #12/01/2031 00:00:00# AND #12/24/2031 23:59:59#");
    for (const char* unreadable : {"", "31/31/2004", "today"}) {
        SCOPED_TRACE(unreadable);
        EXPECT_FALSE(ReadSearchDate(unreadable).has_value());
    }
    QLocale::setDefault(previous);
}

} // namespace
