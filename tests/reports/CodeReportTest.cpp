#include "tests/reports/CredentialFixture.h"

namespace {

constexpr int kEntryCodeColumns = 5;
constexpr int kDirectoryColumns = 8;

class CodeReportTest : public CredentialFixture
{
protected:
    void SetUp() override
    {
        CredentialFixture::SetUp();
        AddSet(1, "Staff");
        AddSet(2, "Alpha", true);
        AddSet(3, "Gone", false, true);
        AddHolder({1, "Ann", "Archer", 1});
        AddHolder({2, "Bo", "", 2});
        AddHolder({3, "Cy", "Cole", 1, false});
        AddHolder({4, "Di", "Dorn", 1, true, true});
        AddHolder({5, "Ed", "Eck", 3});
    }

    struct Code
    {
        QString code;
        std::int32_t user;
        bool hidden = false;
        bool suspended = false;
        bool deleted = false;
    };
    static void AddCode(const Code& c)
    {
        CSetEntryCodes& s = g_setEntryCodes;
        s.AddNew();
        s.m_Code = c.code;
        // Stored as the entry-code page stores it: the digits' value.
        s.m_dCode = c.code.toDouble();
        s.m_UserID = c.user;
        s.m_Hidden = c.hidden;
        s.m_Suspended = c.suspended;
        s.m_Deleted = c.deleted;
        s.Update();
    }

    struct Entry
    {
        QString number;
        std::int32_t user;
        QString name;
        QString phone;
        bool talkTime = false;
        QString subsets = {};
    };
    static void AddEntry(const Entry& e)
    {
        CSetPhoneEntries& s = g_setPhoneEntries;
        s.AddNew();
        s.m_UserDirectoryCode = e.number;
        s.m_UserID = e.user;
        s.m_TenantName = e.name;
        s.m_PhoneNumber = e.phone;
        s.m_ExtendedTalkTime = e.talkTime;
        bool* subsets[] = {&s.m_SubsetA, &s.m_SubsetB, &s.m_SubsetC, &s.m_SubsetD,
                           &s.m_SubsetE, &s.m_SubsetF, &s.m_SubsetG, &s.m_SubsetH};
        for (int i = 0; i < 8; ++i)
            *subsets[i] = e.subsets.contains(QLatin1Char(static_cast<char>('A' + i)));
        s.Update();
    }

    void Show(int kind)
    {
        RequeryAll();
        list.Rebuild(kind);
    }
};

} // namespace

TEST_F(CodeReportTest, EntryCodesComeByValueByDefaultAndByTextOnAClick)
{
    AddCode({"10", 1});
    AddCode({"9", 1});
    AddCode({"0042", 2, true});
    Show(kReportKindEntryCodes);
    EXPECT_EQ(Column(0), QStringList({"####", "9", "10"})) << "hidden first, then by value";
    EXPECT_EQ(Row(1).mid(0, 5), QStringList({"9", "Archer, Ann", "Enabled", "Staff", "Enabled"}));
    EXPECT_EQ(Row(0).mid(0, 5), QStringList({"####", "Bo", "Enabled", "Alpha", "Suspended"}));
    list.OnColumnClick(kReportKindEntryCodes, 0);
    EXPECT_EQ(Column(0), QStringList({"####", "10", "9"}));
}

TEST_F(CodeReportTest, ACodeWithoutCardholderShowsOnlyInTheCodeOrders)
{
    AddCode({"1234", 0});
    AddCode({"5555", 1, false, true});
    Show(kReportKindEntryCodes);
    EXPECT_EQ(Row(0).mid(0, 5), QStringList({"1234", "Cardholder not in database", "Enabled", "", ""}));
    EXPECT_EQ(Row(1).mid(0, 5), QStringList({"5555", "Archer, Ann", "Suspended", "Staff", "Enabled"}));
    list.OnColumnClick(kReportKindEntryCodes, 0);
    EXPECT_EQ(Row(0).mid(0, 5), QStringList({"1234", "-", "Enabled", "-", "-"}));
    for (int column = 1; column < kEntryCodeColumns; ++column) {
        SCOPED_TRACE(column);
        list.OnColumnClick(kReportKindEntryCodes, column);
        EXPECT_EQ(Column(0), QStringList({"5555"}));
    }
}

TEST_F(CodeReportTest, EntryCodeOrdersKeepOnlyLiveCardholdersInLiveSets)
{
    AddCode({"11", 1});
    AddCode({"22", 2, false, true});
    AddCode({"33", 3});
    AddCode({"44", 4});
    AddCode({"55", 5});
    AddCode({"66", 1, false, false, true});
    AddCode({"", 1});
    AddCode({"77", 99});
    Show(kReportKindEntryCodes);
    EXPECT_EQ(Column(0), QStringList({"11", "22", "33", "44", "55", "77"}));
    EXPECT_EQ(Row(5)[1], "Cardholder not in database");
    const struct
    {
        int column;
        QStringList codes;
    } cases[] = {
        {1, {"22", "11", "55"}},
        {2, {"11", "33", "44", "55", "77", "22"}},
        {3, {"22", "11"}},
        {4, {"11", "22"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        list.OnColumnClick(kReportKindEntryCodes, c.column);
        EXPECT_EQ(Column(0), c.codes);
    }
}

TEST_F(CodeReportTest, DirectoryEntriesShowTheirSubsetsAndTalkTime)
{
    AddEntry({"20", 1, "Bravo", "555-20", false, "ACH"});
    AddEntry({"100", 2, "Alpha", "555-100", true, "ABCDEFGH"});
    AddEntry({"30", 1, "Charlie", "555-30", false, ""});
    AddEntry({"40", 0, "Nobody", "555-40"});
    Show(kReportKindDirectoryCodes);
    ASSERT_EQ(list.Model().RowCount(), 3) << "no entry without cardholder";
    EXPECT_EQ(Row(0).mid(0, 8), QStringList({"100", "Bo", "Alpha", "555-100", "Yes", "All", "Alpha", "Suspended"}));
    EXPECT_EQ(Row(1).mid(0, 8), QStringList({"20", "Archer, Ann", "Bravo", "555-20", "No", "A, C, H", "Staff", "Enabled"}));
    EXPECT_EQ(Row(2)[5], "None");
    const struct
    {
        int column;
        QStringList numbers;
    } cases[] = {
        {0, {"100", "20", "30"}}, {1, {"100", "20", "30"}}, {2, {"100", "20", "30"}}, {3, {"100", "20", "30"}},
        {4, {"100", "20", "30"}}, {5, {"100", "20", "30"}}, {6, {"100", "20", "30"}}, {7, {"20", "30", "100"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        list.OnColumnClick(kReportKindDirectoryCodes, c.column);
        EXPECT_EQ(Column(0), c.numbers);
        EXPECT_EQ(Column(5).size(), 3);
        EXPECT_EQ(Column(5).count("All"), 1) << "subsets of the entry being written";
    }
}

TEST_F(CodeReportTest, DirectoryOrdersKeepOnlyLiveCardholdersInLiveSets)
{
    AddEntry({"1", 1, "A"});
    AddEntry({"3", 3, "C"});
    AddEntry({"4", 4, "D"});
    AddEntry({"5", 5, "E"});
    AddEntry({"", 1, "F"});
    AddEntry({"9", 99, "G"});
    Show(kReportKindDirectoryCodes);
    EXPECT_EQ(Column(0), QStringList({"1", "3", "4", "5", "9"}));
    EXPECT_EQ(Row(4)[1], "Cardholder not in database");
    list.OnColumnClick(kReportKindDirectoryCodes, 1);
    EXPECT_EQ(Column(0), QStringList({"1", "5"}));
    for (int column : {6, 7}) {
        SCOPED_TRACE(column);
        list.OnColumnClick(kReportKindDirectoryCodes, column);
        EXPECT_EQ(Column(0), QStringList({"1"}));
    }
}

TEST_F(CodeReportTest, EmptyTablesGiveEmptyListsAndEveryOrderLeavesTheRecordsetsClean)
{
    const struct
    {
        int kind;
        int columns;
    } kinds[] = {{kReportKindEntryCodes, kEntryCodeColumns}, {kReportKindDirectoryCodes, kDirectoryColumns}};
    MessageBoxScript boxes;
    for (const auto& k : kinds) {
        Show(k.kind);
        for (int column = 0; column < k.columns; ++column) {
            SCOPED_TRACE(testing::Message() << "kind " << k.kind << " column " << column);
            list.OnColumnClick(k.kind, column);
            EXPECT_EQ(list.Model().RowCount(), 0);
        }
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());

    AddCode({"12", 1});
    AddCode({"13", 0});
    AddEntry({"7", 1, "A"});
    for (const auto& k : kinds) {
        Show(k.kind);
        for (int column = 0; column < k.columns; ++column) {
            SCOPED_TRACE(testing::Message() << "kind " << k.kind << " column " << column);
            list.OnColumnClick(k.kind, column);
            EXPECT_GT(list.Model().RowCount(), 0);
            for (const Recordset* set : SharedSets()) {
                EXPECT_EQ(set->m_strSort, QString());
                EXPECT_EQ(set->m_strFilter, QString());
            }
        }
    }
}
