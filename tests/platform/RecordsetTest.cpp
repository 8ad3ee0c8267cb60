#include "tests/platform/RecordsetFixture.h"

#include "platform/DatabaseException.h"
#include "platform/JetSql.h"
#include "platform/SqlStatement.h"
#include "platform/TextCollation.h"

#include <QFile>
#include <QTimeZone>

#include <algorithm>
#include <cstdlib>

namespace
{
const std::vector<Person> kPeople = {
    {"O'Hara", true, QDate(2004, 3, 1), 1.5},
    {"Smith", false, QDate(1999, 12, 31), 2.0},
    {"smith  ", true, QDate(2004, 2, 29), 3.0},
    {"Anne", false, QDate(1950, 6, 15), 4.0},
    {"A \"quoted\" name", true, QDate(2029, 1, 1), 5.0},
    {"50%_off", false, QDate(2030, 1, 1), 6.0},
};

// Made before any connection, as the program's global recordsets are, so it
// is destroyed after the statics of the functions that connect.
class SetOpenAtExit : public PeopleSet
{
public:
    SetOpenAtExit() : PeopleSet(QString()) {}
    QString GetDefaultDBName() const override { return path; }
    QString path;
};
SetOpenAtExit g_setOpenAtExit;

int ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DatabaseException& error) {
        return error.ErrorCode();
    }
    return 0;
}
} // namespace

TEST_F(RecordsetTest, FindWalksTheRowsThatJetCriteriaMatch)
{
    AddPeople(kPeople);
    struct Case
    {
        QString criteria;
        QStringList found; // FindFirst, then FindNext until nothing more
    };
    const Case cases[] = {
        {R"(Name = "O'Hara")", {"O'Hara"}},
        {R"(Name = 'O''Hara')", {"O'Hara"}},
        {R"([Name] = "SMITH")", {"Smith", "smith  "}},
        {R"(Name = "smith")", {"Smith", "smith  "}},
        {"Name = " + JetSql::QuoteText(R"(A "quoted" name)"), {R"(A "quoted" name)"}},
        {R"(Name = "O'Hara" OR Name = "x")", {"O'Hara"}},
        {"Born = #3/1/04#", {"O'Hara"}},
        {"Born = #03/01/2004#", {"O'Hara"}},
        {"[Born] BETWEEN #02/29/04 00:00:00# AND #3/1/04 23:59:59#", {"O'Hara", "smith  "}},
        {"Born < #1/1/29#", {"O'Hara", "Smith", "smith  ", "Anne"}},
        {"Born >= #1/1/29# AND Born < #1/1/2031#", {R"(A "quoted" name)", "50%_off"}},
        {"Born > #12/31/49# AND Born < #1/1/51#", {"Anne"}},
        {"Active = TRUE", {"O'Hara", "smith  ", R"(A "quoted" name)"}},
        {"Active = False AND Score > 2", {"Anne", "50%_off"}},
        {"NOT Active AND Score < 3", {"Smith"}},
        {R"(Name LIKE "S*")", {"Smith", "smith  "}},
        {R"(Name LIKE "?nne")", {"Anne"}},
        {R"(Name LIKE "50%_*")", {"50%_off"}},
        {R"(Name LIKE "5_%*")", {}},
        {R"(Name & "!" = "Anne!")", {"Anne"}},
        {"[Index] = 7 AND Score IN (1.5, 4)", {"O'Hara", "Anne"}},
        {"PersonID = 999", {}},
    };
    PeopleSet set(FilePath());
    set.Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.criteria.toStdString());
        QStringList found;
        for (bool more = set.FindFirst(c.criteria); more; more = set.FindNext(c.criteria))
            found << set.m_Name;
        EXPECT_EQ(found, c.found);
    }
}

// The criteria's values are parameters of statements kept by their text: a
// statement kept from one value must never answer for the next.
TEST_F(RecordsetTest, AGlobalRecordsetStillOpenAtExitLetsTheProgramEnd)
{
    AddPeople(kPeople);
    EXPECT_EXIT(
        {
            g_setOpenAtExit.path = FilePath();
            g_setOpenAtExit.Open();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(RecordsetTest, CriteriaOfOneShapeTakeEachCallsValues)
{
    AddPeople(kPeople);
    for (const QString& sort : {QString(), QStringLiteral("Score DESC")}) {
        SCOPED_TRACE(sort.toStdString());
        PeopleSet set(FilePath());
        set.m_strSort = sort;
        set.Open();
        for (const char* name : {"Anne", "O'Hara", "Anne", "nobody"}) {
            SCOPED_TRACE(name);
            const QString criteria = "Name = " + JetSql::QuoteText(QString::fromUtf8(name));
            const bool found = set.FindFirst(criteria);
            EXPECT_EQ(found, QLatin1String(name) != QLatin1String("nobody"));
            if (found) {
                EXPECT_EQ(set.m_Name, QString::fromUtf8(name));
            }
            EXPECT_FALSE(set.FindNext(criteria));
        }
        QStringList found;
        for (double least : {5.0, 2.0}) {
            const QString criteria = QStringLiteral("Score >= ") + JetSql::FormatNumber(least);
            for (bool more = set.FindFirst(criteria); more; more = set.FindNext(criteria))
                found << set.m_Name;
        }
        const QStringList fromFive = {R"(A "quoted" name)", "50%_off"};
        const QStringList fromTwo = {"Smith", "smith  ", "Anne", R"(A "quoted" name)", "50%_off"};
        const auto inOrder = [&](QStringList names) {
            if (!sort.isEmpty())
                std::reverse(names.begin(), names.end());
            return names;
        };
        EXPECT_EQ(found, inOrder(fromFive) + inOrder(fromTwo));
        for (double least : {5.0, 4.0}) {
            set.m_strFilter = QStringLiteral("Score >= ") + JetSql::FormatNumber(least);
            set.Requery();
            EXPECT_EQ(set.GetRecordCount(), least == 5.0 ? 2 : 3);
        }
    }
}

// A FindNext walk reads its matches ahead; a write through another
// recordset on the file between two steps still counts.
TEST_F(RecordsetTest, FindNextSeesWritesMadeSinceTheWalkBegan)
{
    AddPeople(kPeople);
    for (const QString& sort : {QString(), QStringLiteral("Score")}) {
        SCOPED_TRACE(sort.toStdString());
        PeopleSet walk(FilePath());
        walk.m_strSort = sort;
        walk.Open();
        PeopleSet other(FilePath());
        other.Open();
        const QString criteria = QStringLiteral("Score >= 2");
        ASSERT_TRUE(walk.FindFirst(criteria));
        ASSERT_TRUE(walk.FindNext(criteria));
        EXPECT_EQ(walk.m_Name, "smith  ");
        ASSERT_TRUE(other.FindFirst(R"(Name = "Anne")"));
        other.Edit();
        other.m_Score = 1.0;
        other.Update();
        ASSERT_TRUE(walk.FindNext(criteria));
        EXPECT_EQ(walk.m_Name, R"(A "quoted" name)");
        other.Edit();
        other.m_Score = 4.0;
        other.Update();
    }
}

TEST_F(RecordsetTest, FindLastAndPrevWalkBackwardsAndAFailedFindStaysPut)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.m_strSort = QStringLiteral("Score DESC");
    set.Open();
    QStringList found;
    for (bool more = set.FindLast("Active = TRUE"); more; more = set.FindPrev("Active = TRUE"))
        found << set.m_Name;
    EXPECT_EQ(found, QStringList({"O'Hara", "smith  ", R"(A "quoted" name)"}));
    EXPECT_FALSE(set.FindFirst("Name = \"nobody\""));
    EXPECT_EQ(set.m_Name, R"(A "quoted" name)");
    EXPECT_FALSE(set.IsEOF());
}

TEST_F(RecordsetTest, FindSeesOnlyTheRowsOfItsFilter)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.m_strFilter = QStringLiteral("Active = TRUE");
    set.Open();
    EXPECT_FALSE(set.FindFirst("Name = \"Anne\""));
    EXPECT_TRUE(set.FindFirst("Score >= 3"));
    EXPECT_EQ(set.m_Name, "smith  ");
}

TEST_F(RecordsetTest, UnknownConstructsAreRefusedWithAClearError)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.Open();
    const char* refused[] = {
        "Name = Left(Name, 1)", "Name = \"open", "Name LIKE \"[A-C]*\"", "Name LIKE \"#*\"",
        "Name = 'x'; DROP TABLE People", "Born = #31/31/04#", "Name = \"x\" ORDER BY Name", "Name == 'x'",
    };
    for (const char* criteria : refused) {
        SCOPED_TRACE(criteria);
        EXPECT_EQ(ErrorOf([&] { set.FindFirst(QString::fromUtf8(criteria)); }), JetError::SyntaxError);
    }
    set.m_strFilter = QStringLiteral("Mid(Name, 2) = 'x'");
    EXPECT_EQ(ErrorOf([&] { set.Requery(); }), JetError::SyntaxError);
    EXPECT_TRUE(set.IsOpen());
}

TEST_F(RecordsetTest, TranslationKeepsJetMeaning)
{
    struct Case
    {
        QString jet;
        QString sqlite;
    };
    const Case criteria[] = {
        {"[Name ID] = 3 AND Index = TRUE", "[Name ID] = 3 AND [Index] = -1"},
        {"Name = \"it's\"", "[Name] = 'it''s'"},
        {"Time >= #12/30/1899#", "[Time] >= 0"},
        {"Time = #1/1/00 6:00 PM#", "[Time] = 36526.75"},
        {"Name LIKE 12", "[Name] LIKE '12'"},
        {"a & b", "[a] || [b]"},
        {"NOT Active", "NOT [Active]"},
    };
    for (const Case& c : criteria) {
        SCOPED_TRACE(c.jet.toStdString());
        EXPECT_EQ(JetSql::TranslateCriteria(c.jet), c.sqlite);
    }
    EXPECT_EQ(JetSql::TranslateSort("NOT([Suspended]), NOT ([Lost]) DESC"), "~ ( [Suspended] ) , ~ ( [Lost] ) DESC");
    const JetSql::Select select = JetSql::ParseSelect("SELECT * FROM [EventLog] WHERE [Time] <= #1/2/00# ORDER BY Time DESC");
    EXPECT_EQ(select.table, "EventLog");
    EXPECT_EQ(select.where, "[Time] <= 36527");
    EXPECT_EQ(select.orderBy, "[Time] DESC");
}

// Bound, the statement holds no value of the criterion: each literal is a
// parameter with the value the written literal stands for.
TEST_F(RecordsetTest, BoundTranslationKeepsEveryLiteralOutOfTheText)
{
    const JetSql::BoundCriteria bound = JetSql::TranslateBoundCriteria(
        "Name = \"it's\" AND Id = 3 AND Time >= #1/1/00 6:00 PM# AND Name LIKE 'a_*' AND Cost > 2.5 AND Name <> ''");
    EXPECT_EQ(bound.condition, "[Name] = ? AND [Id] = ? AND [Time] >= ? AND [Name] LIKE ? ESCAPE '\\' AND [Cost] > ? "
                               "AND [Name] <> ?");
    ASSERT_EQ(bound.values.size(), 6u);
    EXPECT_EQ(bound.values[0], QVariant(QString("it's")));
    EXPECT_EQ(bound.values[1], QVariant(qint64{3}));
    EXPECT_EQ(bound.values[2], QVariant(36526.75));
    EXPECT_EQ(bound.values[3], QVariant(QString("a\\_%")));
    EXPECT_EQ(bound.values[4], QVariant(2.5));
    EXPECT_FALSE(bound.values[5].toString().isNull());
}

TEST_F(RecordsetTest, NotInASortStaysBitwise)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    // Yes is -1, so NOT Yes is 0 and NOT No is -1: inactive rows come first.
    set.m_strSort = QStringLiteral("NOT([Active]), Score DESC");
    set.Open();
    EXPECT_EQ(NamesToEnd(set), QStringList({"50%_off", "Anne", "Smith", R"(A "quoted" name)", "smith  ", "O'Hara"}));
}

TEST_F(RecordsetTest, RequeryAppliesTheFilterAndSortSetSince)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.Open();
    EXPECT_EQ(set.GetRecordCount(), 6);
    set.m_strFilter = QStringLiteral("Score >= 3");
    set.m_strSort = QStringLiteral("[Name]");
    EXPECT_EQ(set.GetRecordCount(), 6);
    set.Requery();
    EXPECT_EQ(NamesToEnd(set), QStringList({"50%_off", R"(A "quoted" name)", "Anne", "smith  "}));
    set.m_strFilter.clear();
    set.m_strSort.clear();
    set.Requery();
    EXPECT_EQ(set.GetRecordCount(), 6);
    EXPECT_EQ(set.m_Name, "O'Hara");
}

TEST_F(RecordsetTest, RequeryAfterWritesTakesTheRowsAnew)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.m_strFilter = QStringLiteral("Active = TRUE");
    set.Open();
    set.MoveLast();
    set.Requery();
    EXPECT_EQ(set.m_Name, "O'Hara");
    set.AddNew();
    set.m_Name = QStringLiteral("inactive");
    set.Update();
    EXPECT_EQ(set.GetRecordCount(), 4);
    set.Requery();
    EXPECT_EQ(set.GetRecordCount(), 3);

    PeopleSet other(FilePath());
    other.Open();
    ASSERT_TRUE(other.FindFirst("Name = 'Anne'"));
    other.Edit();
    other.m_Active = true;
    other.Update();
    set.Requery();
    EXPECT_EQ(set.GetRecordCount(), 4);
}

TEST_F(RecordsetTest, DynasetShowsAddsEditsAndDeletesAsJetDoes)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.m_strFilter = QStringLiteral("Active = TRUE");
    set.m_strSort = QStringLiteral("Name");
    set.Open();
    ASSERT_EQ(set.m_Name, R"(A "quoted" name)");

    // A row added here joins the end even though it fails the filter, and
    // the row current before AddNew is current again after Update.
    set.AddNew();
    EXPECT_EQ(set.m_Index, 7);
    set.m_Name = QStringLiteral("Aaron");
    set.Update();
    EXPECT_EQ(set.m_Name, R"(A "quoted" name)");

    // An edit through another recordset on the same file shows on the next read.
    PeopleSet other(FilePath());
    other.Open();
    ASSERT_TRUE(other.FindFirst("Name = \"O'Hara\""));
    other.Edit();
    other.m_Score = 9.5;
    other.Update();

    set.MoveNext();
    EXPECT_EQ(set.m_Name, "O'Hara");
    EXPECT_EQ(set.m_Score, 9.5);

    // A deleted row stays current until the next move, then is skipped.
    set.Delete();
    EXPECT_EQ(set.m_Name, "O'Hara");
    EXPECT_EQ(ErrorOf([&] { set.Edit(); }), JetError::RecordDeleted);
    set.MoveNext();
    EXPECT_EQ(set.m_Name, "smith  ");
    set.MovePrev();
    EXPECT_EQ(set.m_Name, R"(A "quoted" name)");

    // A row another recordset deleted is passed over as well.
    ASSERT_TRUE(other.FindFirst("Name = \"smith\" AND Active = TRUE"));
    other.Delete();
    set.MoveFirst();
    EXPECT_EQ(NamesToEnd(set), QStringList({R"(A "quoted" name)", "Aaron"}));
    EXPECT_EQ(set.GetRecordCount(), 2);
    EXPECT_THROW(set.MoveNext(), DatabaseException);
}

// A Requery after rows added and deleted here gives what a new query gives:
// the same rows in the same order, ties and empty values included.
TEST_F(RecordsetTest, RequeryPlacesAddedRowsAsANewQueryWould)
{
    struct Case
    {
        QString filter;
        QString sort;
    };
    const Case cases[] = {
        {{}, {}},
        {{}, "Score DESC"},
        {{}, "Born"},
        {{}, "[Name], Score DESC"},
        {"Active = TRUE", "Name DESC"},
        {"Score > 2", {}},
    };
    const std::vector<Person> added = {
        {"Zed", true, QDate(2040, 1, 1), 9.0},  {"aaron", false, QDate(1900, 1, 1), 0.5},
        {"SMITH", true, QDate(2004, 2, 29), 3.0}, {"Mid", true, {}, 2.0},
        {"Mid", false, QDate(2000, 1, 1), 2.0}, {"gone", true, QDate(2001, 1, 1), 4.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.filter + " / " + c.sort).toStdString());
        Database::Open(FilePath())->Execute(QStringLiteral("DELETE FROM People"));
        AddPeople(kPeople);
        PeopleSet set(FilePath());
        set.m_strFilter = c.filter;
        set.m_strSort = c.sort;
        set.Open();
        for (const Person& person : added) {
            set.AddNew();
            set.m_Name = QString::fromUtf8(person.name);
            set.m_Active = person.active;
            set.m_Born = person.born.isValid() ? QDateTime(person.born, QTime(0, 0), QTimeZone::utc()) : QDateTime();
            set.m_Score = person.score;
            set.Update();
        }
        set.SetBookmark(set.GetLastModifiedBookmark());
        set.Delete();
        set.Requery();

        PeopleSet fresh(FilePath());
        fresh.m_strFilter = c.filter;
        fresh.m_strSort = c.sort;
        fresh.Open();
        EXPECT_EQ(set.GetRecordCount(), fresh.GetRecordCount());
        const QStringList expected = NamesToEnd(fresh);
        EXPECT_EQ(NamesToEnd(set), expected);
        set.MoveLast();
        EXPECT_EQ(set.m_Name, expected.last());
        QStringList found;
        for (bool more = set.FindFirst("Score >= 2"); more; more = set.FindNext("Score >= 2"))
            found << set.m_Name;
        QStringList matching;
        for (bool more = fresh.FindFirst("Score >= 2"); more; more = fresh.FindNext("Score >= 2"))
            matching << fresh.m_Name;
        EXPECT_EQ(found, matching);
    }
}

// Rows rolled back after they were added here are gone after a Requery.
TEST_F(RecordsetTest, RequeryAfterARollbackDropsTheRowsAdded)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.m_strSort = QStringLiteral("Name");
    set.Open();
    const std::shared_ptr<Database> database = Database::Open(FilePath());
    database->Execute(QStringLiteral("BEGIN"));
    set.AddNew();
    set.m_Name = QStringLiteral("Bea");
    set.Update();
    database->Execute(QStringLiteral("ROLLBACK"));
    set.Requery();
    EXPECT_EQ(set.GetRecordCount(), 6);
    EXPECT_FALSE(NamesToEnd(set).contains("Bea"));
}

// Deleting what the query and filter select leaves the other rows.
TEST_F(RecordsetTest, DeleteAllTakesTheSelectedRowsInOneGo)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.m_strFilter = QStringLiteral("Active = TRUE");
    set.Open();
    set.DeleteAll();
    EXPECT_TRUE(set.IsBOF() && set.IsEOF());
    set.m_strFilter.clear();
    set.Requery();
    EXPECT_EQ(NamesToEnd(set), QStringList({"Smith", "Anne", "50%_off"}));
}

TEST_F(RecordsetTest, EditWritesOnlyTheFieldsChanged)
{
    AddPeople(kPeople);
    PeopleSet first(FilePath());
    PeopleSet second(FilePath());
    first.Open();
    second.Open();
    first.Edit();
    second.Edit();
    first.m_Name = QStringLiteral("Renamed");
    second.m_Score = 42.0;
    first.Update();
    second.Update();
    first.Requery();
    EXPECT_EQ(first.m_Name, "Renamed");
    EXPECT_EQ(first.m_Score, 42.0);
}

TEST_F(RecordsetTest, CancelUpdateRestoresTheRowAndUpdateNeedsAnEdit)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.Open();
    EXPECT_EQ(ErrorOf([&] { set.Update(); }), JetError::UpdateWithoutEdit);
    set.Edit();
    set.m_Name = QStringLiteral("changed");
    set.CancelUpdate();
    EXPECT_EQ(set.m_Name, "O'Hara");
    set.Requery();
    EXPECT_EQ(set.m_Name, "O'Hara");
}

TEST_F(RecordsetTest, BookmarksReturnToTheirRows)
{
    AddPeople(kPeople);
    PeopleSet set(FilePath());
    set.Open();
    set.MoveNext();
    const RecordBookmark smith = set.GetBookmark();
    set.MoveLast();
    set.SetBookmark(smith);
    EXPECT_EQ(set.m_Name, "Smith");

    set.AddNew();
    set.m_Name = QStringLiteral("Newcomer");
    set.Update();
    EXPECT_EQ(set.m_Name, "Smith");
    set.SetBookmark(set.GetLastModifiedBookmark());
    EXPECT_EQ(set.m_Name, "Newcomer");
    set.MoveLast();
    EXPECT_EQ(set.m_Name, "Newcomer");

    set.SetBookmark(smith);
    set.Delete();
    EXPECT_EQ(ErrorOf([&] { set.SetBookmark(smith); }), JetError::InvalidBookmark);
}

TEST_F(RecordsetTest, EmptyRecordsetIsBothBofAndEof)
{
    PeopleSet set(FilePath());
    set.Open();
    EXPECT_TRUE(set.IsBOF());
    EXPECT_TRUE(set.IsEOF());
    EXPECT_EQ(set.GetRecordCount(), 0);
    EXPECT_EQ(ErrorOf([&] { set.MoveFirst(); }), JetError::NoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { set.Edit(); }), JetError::NoCurrentRecord);
    EXPECT_FALSE(set.FindFirst("Name = 'x'"));
    set.AddNew();
    set.m_Name = QStringLiteral("first");
    set.Update();
    set.MoveFirst();
    EXPECT_EQ(set.m_Name, "first");
}

TEST_F(RecordsetTest, StorageKeepsJetMeaning)
{
    AddPeople({{"Yes", true, QDate(1899, 12, 30), 0.0}, {"No", false, QDate(2004, 3, 1), 0.0}});
    const std::shared_ptr<Database> database = Database::Open(FilePath());
    SqlStatement query(database->Handle(), QStringLiteral("SELECT Active, typeof(Born), Born FROM People ORDER BY PersonID"));
    ASSERT_TRUE(query.Step());
    EXPECT_EQ(query.Int64(0), -1);
    EXPECT_EQ(query.Value(1).toString(), "real");
    EXPECT_EQ(query.Value(2).toDouble(), 0.0);
    ASSERT_TRUE(query.Step());
    EXPECT_EQ(query.Int64(0), 0);
    EXPECT_EQ(query.Value(2).toDouble(), 38047.0);
}

TEST_F(RecordsetTest, DateLeftUnsetStaysNullAndAStoredZeroStaysZero)
{
    PeopleSet set(FilePath());
    set.Open();
    set.AddNew();
    EXPECT_FALSE(set.m_Born.isValid()) << "a new row has no date yet";
    set.m_Name = QStringLiteral("undated");
    set.Update();
    set.AddNew();
    set.m_Name = QStringLiteral("epoch");
    set.m_Born = QDateTime(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
    set.Update();

    const auto stored = [&] {
        const std::shared_ptr<Database> database = Database::Open(FilePath());
        SqlStatement query(database->Handle(), QStringLiteral("SELECT quote(Born) FROM People ORDER BY PersonID"));
        QStringList values;
        while (query.Step())
            values << query.Value(0).toString();
        return values;
    };
    EXPECT_EQ(stored(), QStringList({"NULL", "0.0"}));

    // Editing another field rewrites neither date.
    set.Requery();
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        set.Edit();
        set.m_Score = 9.0;
        set.Update();
    }
    EXPECT_EQ(stored(), QStringList({"NULL", "0.0"}));
    set.MoveFirst();
    EXPECT_FALSE(set.m_Born.isValid()) << "NULL reads as a date without calendar fields";
    set.MoveNext();
    EXPECT_EQ(set.m_Born.date(), QDate(1899, 12, 30));
}

TEST_F(RecordsetTest, CountersAreNeverReused)
{
    AddPeople({{"one", false, {}, 0}, {"two", false, {}, 0}});
    PeopleSet set(FilePath());
    set.Open();
    set.MoveLast();
    EXPECT_EQ(set.m_PersonID, 2);
    set.Delete();
    set.AddNew();
    set.m_Name = QStringLiteral("three");
    set.Update();
    set.SetBookmark(set.GetLastModifiedBookmark());
    EXPECT_EQ(set.m_PersonID, 3);
}

TEST_F(RecordsetTest, RecordsetsOnOneFileShareOneConnection)
{
    AddPeople(kPeople);
    {
        PeopleSet first(FilePath());
        PeopleSet second(FilePath());
        first.Open();
        second.Open();
        EXPECT_TRUE(Database::IsOpenFile(FilePath()));
        EXPECT_EQ(Database::Open(m_dir.filePath(QStringLiteral("sub/../People.mdb"))), Database::Open(FilePath()));
        first.Close();
        EXPECT_TRUE(Database::IsOpenFile(FilePath()));
        Database::CloseAllConnections();
        EXPECT_FALSE(second.IsOpen());
        EXPECT_FALSE(Database::IsOpenFile(FilePath()));
    }
    PeopleSet again(FilePath());
    again.Open();
    EXPECT_EQ(again.GetRecordCount(), 6);
}

TEST_F(RecordsetTest, FileErrorsCarryTheirEngineNumbers)
{
    AddPeople(kPeople);
    Database::CloseAllConnections();
    struct Case
    {
        const char* what;
        QFile::Permissions mode;
        int error;
    };
    const Case cases[] = {
        {"read-only", QFile::ReadOwner, JetError::ReadOnlyOrLocked},
        {"not readable", QFile::WriteOwner, JetError::NoReadPermission},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QFile::setPermissions(FilePath(), c.mode));
        PeopleSet set(FilePath());
        EXPECT_EQ(ErrorOf([&] { set.Open(); }), c.error);
        EXPECT_FALSE(set.IsOpen());
    }
    QFile::setPermissions(FilePath(), QFile::ReadOwner | QFile::WriteOwner);
    PeopleSet missing(m_dir.filePath(QStringLiteral("Missing.mdb")));
    EXPECT_EQ(ErrorOf([&] { missing.Open(); }), JetError::FileNotFound);
}

TEST_F(RecordsetTest, AFileWithoutABoundFieldIsAnOldInstallation)
{
    Database::CloseAllConnections();
    QFile::remove(FilePath());
    Database::Create(FilePath())->Execute(QStringLiteral("CREATE TABLE People (PersonID INTEGER PRIMARY KEY, Name TEXT)"));
    PeopleSet set(FilePath());
    EXPECT_EQ(ErrorOf([&] { set.Open(); }), JetError::FieldMissing);
    EXPECT_FALSE(set.IsOpen());
}

TEST_F(RecordsetTest, CompactionKeepsEveryRowAndItsCounter)
{
    AddPeople(kPeople);
    const QString compacted = m_dir.filePath(QStringLiteral("Temp.mdb"));
    {
        PeopleSet open(FilePath());
        open.Open();
        ASSERT_TRUE(open.FindFirst("Name = 'Anne'"));
        open.Delete();
        Database::CompactInto(FilePath(), compacted);
        EXPECT_EQ(ErrorOf([&] { Database::CompactInto(FilePath(), compacted); }), JetError::DatabaseExists);
        // A file with a connection open is never replaced under it.
        EXPECT_EQ(ErrorOf([&] { Database::ReplaceFile(compacted, FilePath()); }), JetError::ReadOnlyOrLocked);
    }
    Database::ReplaceFile(compacted, FilePath());
    EXPECT_FALSE(QFile::exists(compacted));

    PeopleSet set(FilePath());
    set.Open();
    EXPECT_EQ(NamesToEnd(set), QStringList({"O'Hara", "Smith", "smith  ", R"(A "quoted" name)", "50%_off"}));
    set.AddNew();
    set.m_Name = QStringLiteral("after");
    set.Update();
    set.SetBookmark(set.GetLastModifiedBookmark());
    EXPECT_EQ(set.m_PersonID, 7);
}

TEST_F(RecordsetTest, FieldsCanBeListedAndAddedOnTheModelOfAnother)
{
    const std::shared_ptr<Database> database = Database::Open(FilePath());
    std::vector<ColumnDef> fields = database->Fields(QStringLiteral("People"));
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0].key, ColumnDef::Key);
    EXPECT_EQ(fields[2].type, FieldType::Bool);
    ColumnDef added = fields[1];
    added.name = QStringLiteral("Nickname");
    database->AddField(QStringLiteral("People"), added);
    AddPeople({{"Robert", false, {}, 0}});
    // The added text field compares as every text field does.
    database->Execute(QStringLiteral("UPDATE People SET Nickname = 'Bob  '"));
    PeopleSet set(FilePath());
    set.Open();
    EXPECT_TRUE(set.FindFirst("Nickname = 'BOB'"));
    EXPECT_EQ(ErrorOf([&] { database->Fields(QStringLiteral("Nothing")); }), JetError::TableNotFound);
    EXPECT_TRUE(database->HasTable(QStringLiteral("people")));
    EXPECT_FALSE(database->HasTable(QStringLiteral("Nothing")));
}

TEST(TextCollation, IgnoresCaseAndTrailingBlanks)
{
    struct Case
    {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"smith", "SMITH", 0}, {"smith  ", "Smith", 0}, {" smith", "smith", -1}, {"abc", "abd", -1},
        {"abc", "ab", 1},      {"Zoë", "ZOË  ", 0},     {"", "   ", 0},         {"a", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(CompareJetText(static_cast<int>(strlen(c.a)), c.a, static_cast<int>(strlen(c.b)), c.b), c.sign);
        EXPECT_EQ(CompareJetText(static_cast<int>(strlen(c.b)), c.b, static_cast<int>(strlen(c.a)), c.a), -c.sign);
    }
}
