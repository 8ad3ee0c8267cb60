#include "app/CColumnWidths.h"
#include "reports/lists/CReportColMgmnt.h"
#include "reports/lists/CardholderReport.h"
#include "reports/lists/ReportColumns.h"
#include "reports/lists/ReportList.h"
#include "platform/Database.h"
#include "tests/reports/ReportFixture.h"

#include <QDate>

namespace {

constexpr int kNoAccess = 2;
constexpr int kOfficeStaff = 3;
constexpr int kNightShift = 4;
constexpr int kEmptySet = 5;
constexpr int kOldSet = 6;
constexpr int kMissingSet = 9;

struct Person
{
    QString last;
    QString first;
    int set = kOfficeStaff;
    QString street, city, state, zip, home, work;
    bool neverExpires = true;
    QDate expires{};
    bool active = true;
    bool deleted = false;
    bool gotPhoneEntries = false;
};

struct Entry
{
    std::int32_t userId;
    QString code;
    std::array<bool, 8> subsets{};
    QString tenant;
    bool extendedTalkTime = false;
};

// The demo installation with tables of cardholders, sets and credentials of
// the test's own.
class CardholderReportTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        for (Recordset* set : std::initializer_list<Recordset*>{&g_setUsers, &g_setUserGroups, &g_setPhoneEntries,
                                                                &g_setEntryCodes, &g_setTransmitters, &g_setCards,
                                                                &g_setSingleXmtr, &g_setSingleCard})
            DeleteAllRows(*set);
        AddSet(1, "All Access", false);
        AddSet(kNoAccess, "No Access", false);
        AddSet(kOfficeStaff, "Office Staff", false);
        AddSet(kNightShift, "Night Shift", true);
        AddSet(kEmptySet, "Empty Set", false);
        AddSet(kOldSet, "Old Set", false, true);
        g_setUserGroups.Requery();
        m_doc.CardholderSetAntiPassback(4, kOfficeStaff, 0);
        m_doc.CardholderSetAntiPassback(9, kNightShift, 0);
        m_doc.m_userTypeLabels = {};
    }

    static void AddSet(int index, const char* name, bool suspend, bool deleted = false)
    {
        CSetUserGroups& s = g_setUserGroups;
        s.AddNew();
        s.m_CHSetIndex = static_cast<std::uint8_t>(index);
        s.m_CHSetName = QString::fromLatin1(name);
        s.m_Suspend = suspend;
        s.m_Deleted = deleted;
        s.Update();
    }

    static std::int32_t Add(const Person& p)
    {
        CSetUsers& u = g_setUsers;
        u.AddNew();
        u.m_LastName = p.last;
        u.m_FirstName = p.first;
        u.m_CHSetIndex = static_cast<std::uint8_t>(p.set);
        u.m_Street = p.street;
        u.m_City = p.city;
        u.m_State = p.state;
        u.m_Zip = p.zip;
        u.m_HomePhone = p.home;
        u.m_WorkPhone = p.work;
        u.m_NeverExpiers = p.neverExpires;
        u.m_ExpirationDate = p.expires.isValid() ? QDateTime(p.expires, QTime(0, 0)) : QDateTime();
        u.m_Active = p.active;
        u.m_Deleted = p.deleted;
        u.m_GotPhoneEntryNumbers = p.gotPhoneEntries;
        u.Update();
        u.SetBookmark(u.GetLastModifiedBookmark());
        return u.m_UserID;
    }

    static void AddEntry(const Entry& e)
    {
        CSetPhoneEntries& p = g_setPhoneEntries;
        p.AddNew();
        p.m_UserID = e.userId;
        p.m_UserDirectoryCode = e.code;
        bool* bits[] = {&p.m_SubsetA, &p.m_SubsetB, &p.m_SubsetC, &p.m_SubsetD,
                        &p.m_SubsetE, &p.m_SubsetF, &p.m_SubsetG, &p.m_SubsetH};
        for (std::size_t i = 0; i < e.subsets.size(); ++i)
            *bits[i] = e.subsets[i];
        p.m_TenantName = e.tenant;
        p.m_ExtendedTalkTime = e.extendedTalkTime;
        p.Update();
    }

    static void SetFlags(std::int32_t userId, bool transmitters, bool cards, bool codes, bool entries)
    {
        ASSERT_TRUE(g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(userId)));
        g_setUsers.Edit();
        g_setUsers.m_GotTransmitters = transmitters;
        g_setUsers.m_GotCards = cards;
        g_setUsers.m_GotEntryCodes = codes;
        g_setUsers.m_GotPhoneEntryNumbers = entries;
        g_setUsers.Update();
    }

    static void RequeryAll()
    {
        for (Recordset* set : std::initializer_list<Recordset*>{&g_setUsers, &g_setUserGroups, &g_setPhoneEntries,
                                                                &g_setEntryCodes, &g_setTransmitters, &g_setCards,
                                                                &g_setSingleXmtr, &g_setSingleCard,
                                                                &g_setTransmitterBlocks, &g_setCardBlocks})
            set->Requery();
    }

    QStringList Row(int row) const
    {
        QStringList cells;
        for (int column = 0; column < kReportCells; ++column)
            cells << list.Model().Cell(row, column);
        return cells;
    }
    int FindRow(const QString& label) const
    {
        for (int row = 0; row < list.Model().RowCount(); ++row)
            if (list.Model().Cell(row, 0) == label)
                return row;
        return -1;
    }
    // The cardholders' own first lines, in list order.
    QStringList Listed() const
    {
        QStringList names;
        for (int row = 0; row < list.Model().RowCount(); ++row)
            if (list.Model().Cell(row, 0) != QStringLiteral(" "))
                names << list.Model().Cell(row, 0).section(u' ', 0, 0);
        return names;
    }
    QList<QStringList> Rows() const
    {
        QList<QStringList> rows;
        for (int row = 0; row < list.Model().RowCount(); ++row)
            rows << Row(row);
        return rows;
    }
    static QString Label(const char* last, const char* first, std::int32_t id)
    {
        return QStringLiteral("%1 %2 [%3]").arg(QLatin1String(last), QLatin1String(first), QString::number(id));
    }

    CColumnWidths widths;
    ReportList list{widths};
};

struct RecordsetSink : IReportRowSink
{
    void AppendRow(const ReportCells& cells) override { rows.push_back(cells); }
    std::vector<ReportCells> rows;
};

} // namespace

TEST_F(CardholderReportTest, TheTwoLinesOfEachCardholder)
{
    const QDate past(2000, 1, 15);
    const QDate future(2099, 3, 4);
    const auto adams = Add({"Adams", "Ann", kOfficeStaff});
    const auto baker = Add({"Baker", "Bob", kNightShift, "", "Springfield", "", "", "555-1", "", false});
    const auto clark = Add({"Clark", "Cid", kNoAccess, "1 Main St", "Town", "ST", "12345", "", "555-9", false, future});
    const auto davis = Add({"Davis", "Dee", kMissingSet});
    const auto evans = Add({"Evans", "Eve", kOfficeStaff, "", "", "", "", "", "", false, past, true, false, true});
    Add({"Gone", "Gus", kOfficeStaff, "", "", "", "", "", "", true, {}, true, true});
    AddEntry({baker, "7"});
    AddEntry({evans, "8", {true, false, true}});
    RequeryAll();
    MessageBoxScript boxes;
    list.Rebuild(kReportKindCardholdersWithoutCredentials);

    const QList<QStringList> expected = {
        {Label("Adams", "Ann", adams), "Active", "<no address>", "(H)", "Never Expires", "N/A", "Office Staff [3]",
         "Enabled", "Hard"},
        {" ", "", "  ", "(W)", "", "", "", "", ""},
        {Label("Baker", "Bob", baker), "Expired", "", "(H)555-1", "", "N/A", "Night Shift [4]", "Suspended", "?"},
        {" ", "", "Springfield  ", "(W)", "", "", "", "", ""},
        {Label("Clark", "Cid", clark), "Suspended", "1 Main St", "(H)", "03/04/2099", "N/A", "No Access [2]",
         "Suspended", "None"},
        {" ", "", "Town ST 12345", "(W)555-9", "", "", "", "", ""},
        {Label("Davis", "Dee", davis), "Active", "<no address>", "(H)", "Never Expires", "N/A", "", "", ""},
        {" ", "", "  ", "(W)", "", "", "", "", ""},
        {Label("Evans", "Eve", evans), "Expired", "<no address>", "(H)", "01/15/2000", "A, C", "Office Staff [3]",
         "Enabled", "Hard"},
        {" ", "", "  ", "(W)", "", "", "", "", ""},
    };
    const QList<QStringList> rows = Rows();
    ASSERT_EQ(rows.size(), expected.size());
    for (int i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i], expected[i]);
    }
    EXPECT_EQ(boxes.Texts(), QStringList({"Error in cardholder set database."}));
    EXPECT_TRUE(g_setUsers.m_strFilter.isEmpty() && g_setUsers.m_strSort.isEmpty());
}

TEST_F(CardholderReportTest, TheNoAccessRuleWritesOnlyWhatIsMissing)
{
    const auto clark = Add({"Clark", "Cid", kNoAccess});
    Add({"Adams", "Ann", kOfficeStaff});
    RequeryAll();
    list.Rebuild(kReportKindCardholdersWithoutCredentials);
    ASSERT_TRUE(g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(clark)));
    EXPECT_FALSE(g_setUsers.m_Active);
    ASSERT_TRUE(g_setUserGroups.FindFirst(QStringLiteral("CHSetIndex = 2")));
    EXPECT_TRUE(g_setUserGroups.m_Suspend);
    EXPECT_EQ(Row(FindRow(Label("Clark", "Cid", clark))).mid(1, 1), QStringList({"Suspended"}));

    const auto users = Database::Open(g_setUsers.GetDefaultDBName());
    const qint64 mark = users->WriteMark();
    list.Rebuild(kReportKindCardholdersWithCredentials);
    EXPECT_EQ(users->WriteMark(), mark) << "a second run writes nothing";
}

TEST_F(CardholderReportTest, AnEmptyNoAccessSetIsLeftAsItIs)
{
    Add({"Adams", "Ann", kOfficeStaff});
    RequeryAll();
    list.Rebuild(kReportKindCardholdersWithCredentials);
    ASSERT_TRUE(g_setUserGroups.FindFirst(QStringLiteral("CHSetIndex = 2")));
    EXPECT_FALSE(g_setUserGroups.m_Suspend);
}

// Every order lists each cardholder once, the groups in the order given.
TEST_F(CardholderReportTest, EveryOrderListsEachCardholderOnce)
{
    const QDate future(2099, 1, 1);
    const auto ann = Add({"Ann", "", kOfficeStaff, "", "Town", "", "", "", "", true});
    const auto bob = Add({"Bob", "", kNightShift, "2 B St", "Ayr", "AA", "", "", "555-2", false, future});
    const auto cid = Add({"Cid", "", kNoAccess, "", "", "", "", "555-3", "", true, {}, true, false, false});
    Add({"Dee", "", kOfficeStaff, "", "", "", "", "", "", false, future, false, false, true});
    Add({"Gus", "", kOfficeStaff, "", "", "", "", "", "", true, {}, true, true});
    AddEntry({cid, "1", {false, true}});
    AddEntry({bob, "2", {true}});
    AddEntry({bob, "3", {true, true}});
    AddEntry({ann, "4", {false, false, true}});
    RequeryAll();

    struct Case
    {
        int column;
        QStringList order;
    };
    const Case cases[] = {
        {0, {"Ann", "Bob", "Cid", "Dee"}},
        // The first run made Cid, of "No Access", inactive.
        {1, {"Ann", "Bob", "Cid", "Dee"}},
        {2, {"Bob", "Cid", "Dee", "Ann"}},
        {3, {"Bob", "Cid", "Ann", "Dee"}},
        {4, {"Bob", "Dee", "Ann", "Cid"}},
        {5, {"Bob", "Cid", "Ann", "Dee"}},
        {6, {"Bob", "Cid", "Ann", "Dee"}},
        {7, {"Ann", "Dee", "Cid", "Bob"}},
    };
    MessageBoxScript boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        list.OnColumnClick(kReportKindCardholdersWithoutCredentials, c.column);
        EXPECT_EQ(Listed(), c.order);
        EXPECT_TRUE(g_setUsers.m_strFilter.isEmpty() && g_setUsers.m_strSort.isEmpty());
        EXPECT_TRUE(g_setPhoneEntries.m_strFilter.isEmpty() && g_setUserGroups.m_strSort.isEmpty());
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(CardholderReportTest, TheSubsetOrderShowsTheFirstEntrysSubsets)
{
    const auto bob = Add({"Bob", "", kOfficeStaff});
    const auto cid = Add({"Cid", "", kOfficeStaff, "", "", "", "", "", "", true, {}, true, false, true});
    SetFlags(bob, false, false, false, true);
    SetFlags(cid, false, false, false, true);
    AddEntry({bob, "2", {false, true}, "Tenant"});
    AddEntry({bob, "3", {true, true}, "Tenant"});
    RequeryAll();
    list.OnColumnClick(kReportKindCardholdersWithCredentials, 5);
    EXPECT_EQ(Listed(), QStringList({"Bob", "Cid"})) << "an entry mismatch and a flag mismatch are each listed once";
    EXPECT_EQ(Row(0)[5], "A, B");
    EXPECT_EQ(Row(FindRow(Label("Cid", "", cid))).value(5), "N/A");
    int directoryLines = 0;
    for (const QStringList& row : Rows())
        directoryLines += row[4] == "Tenant";
    EXPECT_EQ(directoryLines, 2) << "the credential lines leave the walk where it was";
}

TEST_F(CardholderReportTest, AStatusOrderRunMovesANoAccessMemberToTheInactive)
{
    Add({"Ann", "", kOfficeStaff, "", "", "", "", "", "", true, {}, false});
    Add({"Cid", "", kNoAccess});
    Add({"Dee", "", kOfficeStaff});
    RequeryAll();
    list.OnColumnClick(kReportKindCardholdersWithoutCredentials, 1);
    EXPECT_EQ(Listed(), QStringList({"Cid", "Dee", "Ann"}));
    list.OnColumnClick(kReportKindCardholdersWithoutCredentials, 1);
    EXPECT_EQ(Listed(), QStringList({"Dee", "Ann", "Cid"}));
}

namespace {

struct Code
{
    QString code;
    double dCode;
    bool hidden = false;
    bool deleted = false;
    bool suspended = false;
};

void AddCode(std::int32_t userId, const Code& c)
{
    CSetEntryCodes& e = g_setEntryCodes;
    e.AddNew();
    e.m_UserID = userId;
    e.m_Code = c.code;
    e.m_dCode = c.dCode;
    e.m_Hidden = c.hidden;
    e.m_Deleted = c.deleted;
    e.m_Suspended = c.suspended;
    e.Update();
}

bool IsCredentialLine(const QStringList& row)
{
    static const QStringList labels = {"Xmtrs-block:", "Xmtrs-block (fac code):", "Xmtrs-indiv:", "Entry Codes:",
                                       "Telephone Directory:", ""};
    return row[0] == " " && (row[1] == "Credential:" || labels.contains(row[2]));
}

} // namespace

TEST_F(CardholderReportTest, FieldAndCredentialLines)
{
    std::uint16_t code = 10;
    m_doc.XmtrFacilityCode(code, 0, 0);
    code = 200;
    m_doc.XmtrFacilityCode(code, 1, 0);
    std::uint8_t length = 3;
    m_doc.DirectoryCodeLength(length, 0);
    m_doc.m_userTypeLabels = {"", "Badge", "Dept", ""};
    AddBlock(g_setTransmitterBlocks, {40000, 40999, "T", {1, 0, 2, 0}});
    AddBlock(g_setTransmitterBlocks, {60000, 60999, "Plain"});

    const auto ann = Add({"Ann", "", kOfficeStaff});
    const auto bob = Add({"Bob", "", kOfficeStaff});
    SetFlags(ann, true, false, true, true);
    SetFlags(bob, false, false, true, false);
    ASSERT_TRUE(g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(ann)));
    g_setUsers.Edit();
    g_setUsers.m_CustomType2 = "B-7";
    g_setUsers.m_CustomType1 = "unlabelled";
    g_setUsers.Update();
    const auto addTransmitter = [&](double number, bool suspended) {
        g_setTransmitters.AddNew();
        g_setTransmitters.m_UserID = ann;
        g_setTransmitters.m_XmtrID = number;
        g_setTransmitters.m_Suspended = suspended;
        g_setTransmitters.Update();
    };
    addTransmitter(40271, true);
    addTransmitter(50000, false);
    addTransmitter(60001, false);
    g_setSingleXmtr.AddNew();
    g_setSingleXmtr.m_UserIDSingle = ann;
    g_setSingleXmtr.m_XmtrIDSingle = 777;
    g_setSingleXmtr.Update();
    g_setCards.AddNew();
    g_setCards.m_UserID = ann;
    g_setCards.m_CardID = 123;
    g_setCards.Update();
    AddCode(ann, {"55", 4, false, false, true});
    AddCode(ann, {"123456789", 3});
    AddCode(ann, {"4321", 2, true});
    AddCode(ann, {"1111", 1, true, true});
    AddCode(bob, {"9999", 1, true, true});
    AddCode(bob, {"77", 2});
    AddEntry({ann, "12", {}, "Tenant A", true});
    AddEntry({ann, "12345", {}, "Tenant B"});
    RequeryAll();
    list.Rebuild(kReportKindCardholdersWithCredentials);

    const QList<QStringList> expected = {
        {" ", "Fields:", "Badge:", "B-7"},
        {" ", "", "Dept:", ""},
        {" ", "Credential:", "Xmtrs-block (fac code):", "40271  (10, 200)", "Suspended"},
        {" ", "", "Xmtrs-block:", "50000"},
        {" ", "", "Xmtrs-block:", "60001"},
        {" ", "", "Xmtrs-indiv:", "777"},
        {" ", "", "Entry Codes:", "####"},
        {" ", "", "", "12345678"},
        {" ", "", "", "55", "Suspended"},
        {" ", "", "Telephone Directory:", "0012", "Tenant A", "Ext Talk Time"},
        {" ", "", "", "12345", "Tenant B"},
        {Label("Bob", "", bob)},
        {" "},
        {" ", "Fields:", "Badge:", ""},
        {" ", "", "Dept:", ""},
        {" ", "Credential:", "Entry Codes:", "77"},
    };
    const QList<QStringList> rows = Rows();
    ASSERT_EQ(rows.size(), expected.size() + 2);
    for (int i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const QStringList& want = expected[i];
        EXPECT_EQ(rows[i + 2].mid(0, want.size()), want);
    }

    EXPECT_TRUE(g_setEntryCodes.m_strFilter.isEmpty() && g_setEntryCodes.m_strSort.isEmpty());
    g_setEntryCodes.Requery();
    ASSERT_TRUE(g_setEntryCodes.FindFirst("Code = \"12345678\""));
    EXPECT_EQ(g_setEntryCodes.m_dCode, 12345678.0) << "the cut code's number follows it";

    const QList<QStringList> withCredentials = rows;
    list.Rebuild(kReportKindCardholdersWithoutCredentials);
    QList<QStringList> withoutCredentials;
    for (const QStringList& row : withCredentials)
        if (!IsCredentialLine(row))
            withoutCredentials << row;
    EXPECT_EQ(Rows(), withoutCredentials);
}

TEST_F(CardholderReportTest, ADatabaseErrorMidWalkEndsTheBuildAndKeepsTheRows)
{
    const auto adams = Add({"Adams", "Ann", kOfficeStaff});
    Add({"Clark", "Cid", kNoAccess});
    Add({"Evans", "Eve", kOfficeStaff});
    RequeryAll();
    Database::Open(g_setUsers.GetDefaultDBName())
        ->Execute("CREATE TRIGGER refuse BEFORE UPDATE ON Users BEGIN SELECT RAISE(ABORT, 'the disk is full'); END");
    MessageBoxScript boxes;
    list.Rebuild(kReportKindCardholdersWithCredentials);
    EXPECT_EQ(Listed(), QStringList({"Adams"}));
    EXPECT_EQ(Row(0)[0], Label("Adams", "Ann", adams));
    ASSERT_EQ(boxes.Shown().size(), 1) << "the build ends at the error";
    EXPECT_EQ(boxes.Shown()[0].icon, MbIcon::Exclamation);
    EXPECT_FALSE(boxes.Shown()[0].text.isEmpty());
}
