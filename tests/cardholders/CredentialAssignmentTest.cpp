#include "cardholders/CredentialAssignment.h"
#include "cardholders/CUserCardsTab.h"
#include "cardholders/SpareComboBox.h"
#include "common/Formatting.h"
#include "tests/cardholders/DemoFixture.h"

#include <QListWidget>

#include <algorithm>

namespace {

using namespace CredentialAssignment;

class CredentialAssignmentTest : public DemoFixture
{
protected:
    void AddIndividual(double number, bool deleted = false, std::int32_t userId = 0)
    {
        g_setSingleCard.m_strFilter.clear();
        g_setSingleCard.Requery();
        g_setSingleCard.AddNew();
        g_setSingleCard.m_CardIDSingle = number;
        g_setSingleCard.m_UserIDSingle = userId;
        g_setSingleCard.m_SuspendedSingle = true;
        g_setSingleCard.m_LostSingle = false;
        g_setSingleCard.m_DeletedSingle = deleted;
        g_setSingleCard.Update();
    }

    std::int32_t BlockHolder(double number)
    {
        g_setCards.m_strFilter.clear();
        g_setCards.Requery();
        EXPECT_TRUE(g_setCards.FindFirst("CardID = " + FormatWholeNumber(number)));
        return g_setCards.m_UserID;
    }

    std::int32_t IndividualHolder(double number)
    {
        g_setSingleCard.m_strFilter.clear();
        g_setSingleCard.Requery();
        EXPECT_TRUE(g_setSingleCard.FindFirst("CardIDSingle = " + FormatWholeNumber(number)));
        return g_setSingleCard.m_UserIDSingle;
    }

    std::vector<double> HeldNumbers(std::int32_t userId)
    {
        std::vector<double> numbers;
        for (const Held& held : ListHeld(CredentialKind::Card, userId))
            numbers.push_back(held.number);
        return numbers;
    }
};

TEST_F(CredentialAssignmentTest, TypedTextIsRefusedWithItsCaseMessageAndWritesNothing)
{
    const struct
    {
        CredentialKind kind;
        const char* text;
        const char* message;
    } cases[] = {
        {CredentialKind::Card, "", "Specify the ID of the card to add."},
        {CredentialKind::Card, "   ", "Specify the ID of the card to add."},
        {CredentialKind::Card, "abc", "Card code must be an integer."},
        {CredentialKind::Card, "12abc", "Card code must be an integer."},
        {CredentialKind::Card, "1 OR UserID <> 0", "Card code must be an integer."},
        {CredentialKind::Card, "-5", "Card code must be an integer."},
        {CredentialKind::Card, "1e5", "Card code must be an integer."},
        {CredentialKind::Card, "x (indiv)", "Card must be an integer."},
        {CredentialKind::Card, "1) OR (1=1 (indiv)", "Card must be an integer."},
        {CredentialKind::Card, "12 (", "Card must be an integer."},
        {CredentialKind::Card, "1099511627776", "Maximum card number is 1099511627775."},
        {CredentialKind::Card, "0", "Card not available in credential database."},
        {CredentialKind::Card, "10002", "Card not available in credential database."},
        {CredentialKind::Transmitter, "", "Specify the ID of the transmitter to add."},
        {CredentialKind::Transmitter, "abc", "Transmitter code must be an integer."},
        {CredentialKind::Transmitter, "a (indiv)", "Transmitter must be an integer."},
        {CredentialKind::Transmitter, "1099511627776", "Maximum transmitter code is 1099511627775."},
        {CredentialKind::Transmitter, "5", "Transmitter not available in credential database."},
    };
    const std::int32_t ada = UserIdOf("Ada");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MessageBoxScript boxes;
        EXPECT_NE(Assign(c.kind, ada, 1, QString::fromLatin1(c.text)), AssignResult::Assigned);
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromLatin1(c.message)});
        EXPECT_EQ(HeldNumbers(ada), std::vector<double>{10001});
        EXPECT_EQ(BlockHolder(10002), UserIdOf("Ben"));
    }
}

TEST_F(CredentialAssignmentTest, HighestNumberIsReadAndTheFiveHundredthHeldRefusesMore)
{
    const Typed highest = ReadTyped(CredentialKind::Card, "1099511627775");
    ASSERT_TRUE(highest.number);
    EXPECT_EQ(*highest.number, kHighestNumber);
    const std::int32_t ada = UserIdOf("Ada");
    EXPECT_EQ(Assign(CredentialKind::Card, ada, kMaxAssigned, "10005"), AssignResult::Refused);
    EXPECT_EQ(m_boxes.Texts(), QStringList{"The maximum card assignments is 500."});
    EXPECT_EQ(BlockHolder(10005), 0);
}

TEST_F(CredentialAssignmentTest, BlockNumberIsLookedUpBeforeAnIndividualOne)
{
    AddIndividual(1234);
    AddIndividual(10005); // overlapping data an older program could leave
    const std::int32_t ada = UserIdOf("Ada");
    EXPECT_EQ(Assign(CredentialKind::Card, ada, 1, "   1234 (indiv)"), AssignResult::Assigned);
    EXPECT_EQ(IndividualHolder(1234), ada);
    EXPECT_EQ(Assign(CredentialKind::Card, ada, 2, " 10005 "), AssignResult::Assigned);
    EXPECT_EQ(BlockHolder(10005), ada);
    EXPECT_EQ(IndividualHolder(10005), 0);
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
    const std::vector<Held> held = ListHeld(CredentialKind::Card, ada);
    ASSERT_EQ(held.size(), 3u);
    EXPECT_EQ(held[0].text, "        10001");
    EXPECT_EQ(held[1].text, "        10005");
    EXPECT_EQ(held[2].text, "       1234 (indiv)");
    EXPECT_EQ(IndividualText(1234567), "1234567 (indiv)");
}

TEST_F(CredentialAssignmentTest, DeletedIndividualNumberComesBackOnlyOutsideEveryBlock)
{
    AddIndividual(777, true);
    AddIndividual(10002, true); // inside the demo block, whose 10002 Ben holds
    const std::int32_t ada = UserIdOf("Ada");
    EXPECT_EQ(Assign(CredentialKind::Card, ada, 1, "10002"), AssignResult::NotAvailable);
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Card not available in credential database."});
    EXPECT_EQ(IndividualHolder(10002), 0);
    EXPECT_TRUE(g_setSingleCard.m_DeletedSingle);
    EXPECT_EQ(Assign(CredentialKind::Card, ada, 1, "777"), AssignResult::Assigned);
    EXPECT_EQ(IndividualHolder(777), ada);
    EXPECT_FALSE(g_setSingleCard.m_DeletedSingle);
    EXPECT_FALSE(g_setSingleCard.m_SuspendedSingle);
}

TEST_F(CredentialAssignmentTest, SparesAreTheFreeBlockAndIndividualNumbersSortedAsText)
{
    AddIndividual(42);
    AddIndividual(43, true);
    std::vector<Spare> spares = ListSpares(CredentialKind::Card);
    ASSERT_EQ(spares.size(), 97u);
    // The wider padding of a short individual number sorts it first.
    EXPECT_EQ(spares.front().text, "         42 (indiv)");
    EXPECT_EQ(spares[1].text, "        10005");
    EXPECT_EQ(spares.back().text, "        10100");
    ASSERT_EQ(Assign(CredentialKind::Card, UserIdOf("Dev"), 1, "10005"), AssignResult::Assigned);
    spares = ListSpares(CredentialKind::Card);
    EXPECT_EQ(spares.size(), 96u);
    EXPECT_EQ(spares[1].text, "        10006");
    EXPECT_TRUE(ListSpares(CredentialKind::Transmitter).empty());
}

TEST_F(CredentialAssignmentTest, SurrenderingALostNumberMakesItASpare)
{
    const std::int32_t ada = UserIdOf("Ada");
    ASSERT_TRUE(StoreStatus(CredentialKind::Card, 10001, {false, true}));
    const std::optional<Status> lost = LoadStatus(CredentialKind::Card, 10001);
    ASSERT_TRUE(lost);
    EXPECT_TRUE(lost->lost);
    EXPECT_TRUE(ListSpares(CredentialKind::Card).front().text.endsWith("10005"));
    ASSERT_TRUE(Surrender(CredentialKind::Card, 10001));
    EXPECT_EQ(BlockHolder(10001), 0);
    EXPECT_TRUE(g_setCards.m_Suspended);
    EXPECT_FALSE(g_setCards.m_Lost);
    EXPECT_TRUE(ListHeld(CredentialKind::Card, ada).empty());
    EXPECT_EQ(ListSpares(CredentialKind::Card).front().text, "        10001");
    EXPECT_FALSE(Surrender(CredentialKind::Card, 99));
}

TEST_F(CredentialAssignmentTest, HeldListStopsAtFiveHundred)
{
    const std::int32_t ada = UserIdOf("Ada");
    for (int i = 1; i <= kMaxAssigned; ++i)
        AddIndividual(i, false, ada);
    const std::vector<Held> held = ListHeld(CredentialKind::Card, ada);
    ASSERT_EQ(held.size(), static_cast<std::size_t>(kMaxAssigned));
    EXPECT_EQ(held.front().number, 10001);
    EXPECT_EQ(held.back().number, kMaxAssigned - 1);
}

TEST_F(CredentialAssignmentTest, CardsPageOffersTheSparesAndAssignsTheTypedNumber)
{
    CUserCardsTab page;
    page.SetUserID(UserIdOf("Chloe"));
    page.Reload();
    ASSERT_EQ(page.AssignedList()->count(), 1);
    EXPECT_EQ(page.AssignedList()->item(0)->text(), "        10003");
    EXPECT_TRUE(page.HasCredentials());
    page.OnSpareDropDown();
    ASSERT_EQ(page.SpareList()->count(), 96);
    EXPECT_EQ(page.SpareList()->itemText(0), "        10005");
    page.SpareList()->setEditText(page.SpareList()->itemText(1));
    page.OnAssign();
    ASSERT_EQ(page.AssignedList()->count(), 2);
    EXPECT_EQ(page.AssignedList()->item(1)->text(), "        10006");
    page.OnSpareDropDown();
    EXPECT_EQ(page.SpareList()->count(), 95);
    page.AssignedList()->setCurrentRow(0);
    m_boxes.Answer(IDYES);
    page.OnSurrender();
    ASSERT_EQ(page.AssignedList()->count(), 1);
    EXPECT_EQ(page.AssignedList()->item(0)->text(), "        10006");
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Are you sure you want to surrender this card?"});
}

} // namespace
