#include "tests/reports/CredentialFixture.h"

namespace {

struct CredentialKind
{
    int kind;
    const char* name;
    const char* lostText;
    // The facility codes of the test's block and of its individual credentials.
    const char* blockCodes;
    const char* singleCodes;
    bool freeSingleCodesInGroups;
};

void PrintTo(const CredentialKind& k, std::ostream* os)
{
    *os << k.name;
}

constexpr int kNumberColumn = 0;
constexpr int kCodesColumn = 1;
constexpr int kHolderColumn = 2;
constexpr int kStatusColumn = 3;
constexpr int kSetColumn = 4;
constexpr int kSetStatusColumn = 5;
constexpr int kGroupingColumns[] = {kHolderColumn, kStatusColumn, kSetColumn, kSetStatusColumn};
constexpr int kSortableColumns[] = {kNumberColumn, kHolderColumn, kStatusColumn, kSetColumn, kSetStatusColumn};

struct Credential
{
    double number;
    std::int32_t user = 0;
    bool suspended = false;
    bool lost = false;
    bool deleted = false;
};

Credential Free(double number)
{
    return {number, 0, true, false};
}

Credential Lost(double number)
{
    return {number, 0, true, true};
}

QString N(double number)
{
    return QString::number(static_cast<qint64>(number)).rightJustified(13, QLatin1Char(' '));
}

QString Single(double number)
{
    return N(number) + QStringLiteral(" (individual)");
}

class CredentialReportTest : public CredentialFixture, public ::testing::WithParamInterface<CredentialKind>
{
protected:
    void SetUp() override
    {
        CredentialFixture::SetUp();
        AddBlock(g_setTransmitterBlocks, {0, 999, "Main", {1, 0, 0, 0}});
        AddBlock(g_setCardBlocks, {0, 999, "Main", {1, 0, 0, 0}});
        AddSet(1, "Staff");
        AddHolder({1, "Ann", "Archer", 1});
        RequeryAll();
    }

    void AddBlockCredential(const Credential& c)
    {
        if (Kind() == kReportKindAllTransmitters) {
            CSetTransmitters& s = g_setTransmitters;
            s.AddNew();
            s.m_XmtrID = c.number;
            s.m_UserID = c.user;
            s.m_Suspended = c.suspended;
            s.m_Lost = c.lost;
            s.Update();
        } else {
            CSetCards& s = g_setCards;
            s.AddNew();
            s.m_CardID = c.number;
            s.m_UserID = c.user;
            s.m_Suspended = c.suspended;
            s.m_Lost = c.lost;
            s.Update();
        }
    }
    template <class SingleSet>
    static void FillSingle(SingleSet& s, const Credential& c)
    {
        s.m_UserIDSingle = c.user;
        s.m_SuspendedSingle = c.suspended;
        s.m_LostSingle = c.lost;
        s.m_DeletedSingle = c.deleted;
        s.m_FacCode_Sel_A = 2;
    }
    void AddSingleCredential(const Credential& c)
    {
        if (Kind() == kReportKindAllTransmitters) {
            g_setSingleXmtr.AddNew();
            g_setSingleXmtr.m_XmtrIDSingle = c.number;
            FillSingle(g_setSingleXmtr, c);
            g_setSingleXmtr.Update();
        } else {
            g_setSingleCard.AddNew();
            g_setSingleCard.m_CardIDSingle = c.number;
            FillSingle(g_setSingleCard, c);
            g_setSingleCard.Update();
        }
    }

    int Kind() const { return GetParam().kind; }
    QString BlockCodes() const { return QString::fromLatin1(GetParam().blockCodes); }
    QString SingleCodes() const { return QString::fromLatin1(GetParam().singleCodes); }

    void Show()
    {
        RequeryAll();
        list.Rebuild(Kind());
    }
    void Click(int column) { list.OnColumnClick(Kind(), column); }
    // The first six cells of the row holding the number cell, or nothing.
    QStringList RowOf(const QString& number) const
    {
        const int row = static_cast<int>(Column(kNumberColumn).indexOf(number));
        return row < 0 ? QStringList() : Row(row).mid(0, 6);
    }
};

} // namespace

TEST_P(CredentialReportTest, FreeBlockNumbersGatherIntoRangesThatNeverHideAUsedNumber)
{
    struct Case
    {
        const char* name;
        std::vector<Credential> credentials;
        QStringList numbers;
    };
    const Case cases[] = {
        {"lost between runs", {Free(100), Free(101), Lost(102), Free(103)}, {N(100) + " - 101", N(102), N(103)}},
        {"long run, lost, single",
         {Free(100), Free(101), Free(102), Free(103), Free(104), Lost(105), Free(106)},
         {N(100) + " - 104", N(105), N(106)}},
        {"assigned between runs",
         {Free(100), Free(101), Free(102), {103, 1}, Free(104), Free(105)},
         {N(100) + " - 102", N(103), N(104) + " - 105"}},
        {"gap splits a run", {Free(100), Free(101), Free(102), Free(105)}, {N(100) + " - 102", N(105)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteAllRows(g_setTransmitters);
        DeleteAllRows(g_setCards);
        for (const Credential& credential : c.credentials)
            AddBlockCredential(credential);
        Show();
        EXPECT_EQ(Column(kNumberColumn), c.numbers);
        EXPECT_EQ(Row(0).mid(1), QStringList(8, QString())) << "a range has only its numbers";
    }
    // The lost row of the first case's layout, in full.
    DeleteAllRows(g_setTransmitters);
    DeleteAllRows(g_setCards);
    AddBlockCredential(Lost(102));
    Show();
    EXPECT_EQ(RowOf(N(102)), QStringList({N(102), BlockCodes(), GetParam().lostText, "Suspended & Lost", "", ""}));
}

TEST_P(CredentialReportTest, TheUnassignedTailGathersFreeNumbersToo)
{
    for (const Credential& c : {Free(100), Free(101), Lost(102), Free(103), Credential{50, 1}})
        AddBlockCredential(c);
    Show();
    for (int column : kGroupingColumns) {
        SCOPED_TRACE(column);
        Click(column);
        EXPECT_EQ(Column(kNumberColumn), QStringList({N(50), N(100) + " - 101", N(102), N(103)}));
    }
}

TEST_P(CredentialReportTest, BlockCredentialsComeBeforeIndividualOnesEvenWithHigherNumbers)
{
    AddBlockCredential({500, 1});
    AddSingleCredential({50, 1});
    Show();
    const QStringList expected = {N(500), Single(50)};
    EXPECT_EQ(Column(kNumberColumn), expected);
    EXPECT_EQ(Row(0).mid(0, 6), QStringList({N(500), BlockCodes(), "Archer, Ann", "Enabled", "Staff", "Enabled"}));
    EXPECT_EQ(Row(1).mid(0, 6), QStringList({Single(50), SingleCodes(), "Archer, Ann", "Enabled", "Staff", "Enabled"}));
    for (int column : kGroupingColumns) {
        SCOPED_TRACE(column);
        Click(column);
        EXPECT_EQ(Column(kNumberColumn), expected);
    }
}

TEST_P(CredentialReportTest, TheStatusOrderRunsEnabledLostSuspendedThenBoth)
{
    const Credential inTableOrder[] = {{1, 1, true, true}, {2, 1, true, false}, {3, 1, false, true}, {4, 1}};
    for (const Credential& c : inTableOrder) {
        AddBlockCredential(c);
        AddSingleCredential({c.number + 10, c.user, c.suspended, c.lost});
    }
    Show();
    Click(kStatusColumn);
    const QStringList order = {"Enabled", "Lost", "Suspended", "Suspended & Lost"};
    EXPECT_EQ(Column(kStatusColumn), order + order);
    EXPECT_EQ(Column(kNumberColumn),
              QStringList({N(4), N(3), N(2), N(1), Single(14), Single(13), Single(12), Single(11)}));
}

TEST_P(CredentialReportTest, AMissingCardholderOrSetLeavesItsCellsEmpty)
{
    AddHolder({2, "Bo", "", 7});
    AddBlockCredential({200, 99});
    AddBlockCredential({201, 2});
    Show();
    EXPECT_EQ(RowOf(N(200)), QStringList({N(200), "", "Cardholder not in database", "Enabled", "", ""}));
    EXPECT_EQ(RowOf(N(201)), QStringList({N(201), "", "Bo", "Enabled", "", ""}));
    Click(kStatusColumn);
    EXPECT_EQ(RowOf(N(200)), QStringList({N(200), BlockCodes(), "Cardholder not in database", "Enabled", "", ""}));
    EXPECT_EQ(RowOf(N(201)), QStringList({N(201), BlockCodes(), "Bo", "Enabled", "", ""}));
}

TEST_P(CredentialReportTest, ACredentialOutsideEveryBlockHasNoCodes)
{
    AddBlockCredential({5000, 1});
    AddBlockCredential(Lost(5001));
    Show();
    EXPECT_EQ(RowOf(N(5000)).value(kCodesColumn, "absent"), QString());
    EXPECT_EQ(RowOf(N(5001)).value(kCodesColumn, "absent"), QString());
}

TEST_P(CredentialReportTest, AnUnassignedBlockCredentialInUseShowsCodesOnlyInTheGroupings)
{
    AddBlockCredential({300});
    Show();
    EXPECT_EQ(RowOf(N(300)), QStringList({N(300), "", "No Cardholder", "Enabled", "", ""}));
    for (int column : kGroupingColumns) {
        SCOPED_TRACE(column);
        Click(column);
        EXPECT_EQ(RowOf(N(300)), QStringList({N(300), BlockCodes(), "No Cardholder", "Enabled", "", ""}));
    }
}

TEST_P(CredentialReportTest, AFreeIndividualCredentialShowsItsCodesByKind)
{
    AddSingleCredential(Free(40));
    Show();
    EXPECT_EQ(RowOf(Single(40)), QStringList({Single(40), SingleCodes(), "", "", "", ""}));
    const QString grouped = GetParam().freeSingleCodesInGroups ? SingleCodes() : QString();
    for (int column : kGroupingColumns) {
        SCOPED_TRACE(column);
        Click(column);
        EXPECT_EQ(RowOf(Single(40)), QStringList({Single(40), grouped, "", "", "", ""}));
    }
}

TEST_P(CredentialReportTest, DeletedIndividualCredentialsAreNeverListed)
{
    AddSingleCredential({41, 1, false, false, true});
    AddSingleCredential({42, 0, true, false, true});
    AddSingleCredential({43, 0, false, true, true});
    Show();
    for (int column : kSortableColumns) {
        SCOPED_TRACE(column);
        Click(column);
        EXPECT_EQ(list.Model().RowCount(), 0);
    }
}

TEST_P(CredentialReportTest, GroupingsKeepOnlyLiveCardholdersWithCredentialsInLiveSets)
{
    AddSet(2, "Beta");
    AddSet(3, "Alpha", true);
    AddSet(4, "Gone", false, true);
    AddHolder({2, "Cy", "Cole", 2});
    AddHolder({3, "Di", "Dorn", 3});
    AddHolder({4, "Ed", "Eck", 1, false});
    AddHolder({5, "Flo", "Fay", 1, true, true});
    AddHolder({6, "Gus", "Gale", 4});
    for (std::int32_t user = 1; user <= 6; ++user)
        AddBlockCredential({100.0 + user, user});
    Show();
    EXPECT_EQ(list.Model().RowCount(), 6) << "the default order lists them all";

    Click(kHolderColumn);
    EXPECT_EQ(Column(kHolderColumn), QStringList({"Archer, Ann", "Cole, Cy", "Dorn, Di", "Fay, Flo", "Gale, Gus"}));
    Click(kSetColumn);
    EXPECT_EQ(Column(kSetColumn), QStringList({"Alpha", "Beta", "Staff"}));
    EXPECT_EQ(Column(kHolderColumn), QStringList({"Dorn, Di", "Cole, Cy", "Archer, Ann"}));
    EXPECT_EQ(Row(0).mid(4, 2), QStringList({"Alpha", "Suspended"}));
    Click(kSetStatusColumn);
    EXPECT_EQ(Column(kSetStatusColumn), QStringList({"Enabled", "Enabled", "Suspended"}));
    EXPECT_EQ(Column(kSetColumn).last(), "Alpha");
}

TEST_P(CredentialReportTest, EmptyTablesGiveAnEmptyListQuietly)
{
    MessageBoxScript boxes;
    Show();
    for (int column : kSortableColumns) {
        SCOPED_TRACE(column);
        Click(column);
        EXPECT_EQ(list.Model().RowCount(), 0);
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_P(CredentialReportTest, TheFacilityCodesColumnCannotBeSorted)
{
    AddBlockCredential({300, 1});
    Show();
    MessageBoxScript boxes;
    Click(kCodesColumn);
    EXPECT_EQ(boxes.Texts(), QStringList({"This column cannot be sorted."}));
    EXPECT_EQ(list.Model().RowCount(), 1);
}

TEST_P(CredentialReportTest, EveryOrderLeavesTheSharedRecordsetsUnsortedAndUnfiltered)
{
    AddSet(2, "Beta");
    AddHolder({2, "Cy", "Cole", 2});
    for (const Credential& c : {Free(100), Lost(101), Credential{102, 1}, Credential{103, 2}, Credential{104}})
        AddBlockCredential(c);
    AddSingleCredential({10, 2});
    AddSingleCredential(Free(11));
    Show();
    for (int column : kSortableColumns) {
        SCOPED_TRACE(column);
        Click(column);
        EXPECT_GT(list.Model().RowCount(), 0);
        for (const Recordset* set : SharedSets()) {
            EXPECT_EQ(set->m_strSort, QString());
            EXPECT_EQ(set->m_strFilter, QString());
        }
    }
}

TEST_P(CredentialReportTest, ADatabaseErrorEndsTheBuildAndKeepsTheRowsWritten)
{
    AddBlockCredential({100, 1});
    AddBlockCredential(Free(101));
    AddSingleCredential({5, 1});
    RequeryAll();
    Recordset& singles = Kind() == kReportKindAllTransmitters ? static_cast<Recordset&>(g_setSingleXmtr)
                                                              : static_cast<Recordset&>(g_setSingleCard);
    singles.Close();
    MessageBoxScript boxes;
    list.Rebuild(Kind());
    EXPECT_EQ(Column(kNumberColumn), QStringList({N(100), N(101)}));
    EXPECT_EQ(boxes.Texts(), QStringList({"The recordset is not open."}));
}

INSTANTIATE_TEST_SUITE_P(
    BothCredentials, CredentialReportTest,
    ::testing::Values(CredentialKind{kReportKindAllTransmitters, "Transmitters", "Lost Transmitter", "500", "501", true},
                      CredentialKind{kReportKindAllCards, "Cards", "Lost Card", "100", "101", false}),
    [](const auto& info) { return std::string(info.param.name); });
