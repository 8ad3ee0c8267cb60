#include "app/CListCtrlEx2.h"
#include "cardholders/CIndividualDlg.h"
#include "cardholders/CRPEnrolledCards.h"
#include "cardholders/CUserCardsTab.h"
#include "cardholders/CredentialAssignment.h"
#include "cardholders/CredentialBlocks.h"
#include "cardholders/CredentialIndividuals.h"
#include "cardholders/CredentialNumberField.h"
#include "cardholders/SpareComboBox.h"
#include "platform/DatabaseTransaction.h"
#include "tests/cardholders/DemoFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

using namespace CredentialIndividuals;

// Runs work on the dialog that the action opens, then presses OK on it.
void OnDialog(const std::function<void()>& action, const std::function<void(CIndividualDlg&)>& work)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CIndividualDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        work(*dialog);
        dialog->accept();
        if (dialog->isVisible())
            dialog->reject();
    });
    action();
    EXPECT_TRUE(shown);
}

class CredentialIndividualsTest : public DemoFixture, public ::testing::WithParamInterface<CredentialKind>
{
protected:
    CredentialKind Kind() const { return GetParam(); }
    QString Noun() const { return Kind() == CredentialKind::Card ? "card" : "transmitter"; }

    // The row of a number: its index, whether deleted, and facility selection A and B.
    struct Single
    {
        std::int32_t index = 0;
        bool deleted = false;
        int a = 0;
        int b = 0;
    };
    std::optional<Single> RowOf(double number)
    {
        return WithTables(Kind(), [&](auto tables) -> std::optional<Single> {
            using Tables = decltype(tables);
            auto& s = Tables::Singles();
            if (!FindRow(s, EqualsNumber(Tables::kSingleColumn, number)))
                return std::nullopt;
            return Single{s.m_AutoNumIndexSingle, s.m_DeletedSingle, s.m_FacCode_Sel_A, s.m_FacCode_Sel_B};
        });
    }

    void InsertRows(double first, int count, int deleted)
    {
        WithTables(Kind(), [&](auto tables) {
            using Tables = decltype(tables);
            auto& s = Tables::Singles();
            DatabaseTransaction transaction(s.GetDefaultDBName());
            for (int i = 0; i < count; ++i) {
                s.AddNew();
                Tables::Number(s) = first + i;
                s.m_SuspendedSingle = true;
                s.m_DeletedSingle = i < deleted;
                s.Update();
            }
            transaction.Commit();
            s.Requery();
        });
    }
};

TEST_P(CredentialIndividualsTest, AddRefusesBlockNumbersAndLiveDuplicatesAndReusesDeletedRows)
{
    ASSERT_TRUE(CredentialBlocks::CreateBlock(Kind(), {"Base", 20000, 20099, {}}));
    for (double inside : {20000.0, 20099.0}) {
        MessageBoxScript boxes;
        EXPECT_FALSE(AddIndividual(Kind(), inside, {}));
        EXPECT_EQ(boxes.Texts(), QStringList{Kind() == CredentialKind::Card
                                                 ? "This card code already exists in block \"[01] Base\".\n\n"
                                                   "Please enter a different ID."
                                                 : "This transmitter number already exists in block \"[01] Base\".\n\n"
                                                   "Please enter a different number."});
        EXPECT_FALSE(RowOf(inside));
    }
    ASSERT_TRUE(AddIndividual(Kind(), 600, {1, 2}));
    const std::optional<Single> added = RowOf(600);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->a, 1);
    EXPECT_EQ(added->b, 2);
    {
        MessageBoxScript boxes;
        EXPECT_FALSE(AddIndividual(Kind(), 600, {}));
        EXPECT_EQ(boxes.Texts(), QStringList{Kind() == CredentialKind::Card
                                                 ? "Card number 600 already exists.\n\nPlease enter a different number."
                                                 : "Transmitter code 600 already exists.\n\nPlease enter a different ID."});
    }
    ASSERT_FALSE(IsAssigned(Kind(), added->index));
    ASSERT_TRUE(DeleteIndividual(Kind(), added->index));
    EXPECT_TRUE(RowOf(600)->deleted);
    EXPECT_TRUE(ListIndividuals(Kind()).empty());
    ASSERT_TRUE(AddIndividual(Kind(), 600, {5}));
    const std::optional<Single> back = RowOf(600);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->index, added->index);
    EXPECT_FALSE(back->deleted);
    EXPECT_EQ(back->a, 5);
    EXPECT_EQ(back->b, 0);
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

TEST_P(CredentialIndividualsTest, AssignedNumberStaysAlsoWhenTheCheckFails)
{
    ASSERT_TRUE(AddIndividual(Kind(), 700, {}));
    const std::int32_t index = RowOf(700)->index;
    ASSERT_EQ(CredentialAssignment::Assign(Kind(), UserIdOf("Ada"), 1, "700"), CredentialAssignment::AssignResult::Assigned);
    EXPECT_TRUE(IsAssigned(Kind(), index));
    const QString refused = QStringLiteral("Unable to delete this %1 because this %1 number is assigned to a cardholder.\n\n"
                                           "Click the Show All %2 button to display the current assignments.")
                                .arg(Noun(), Kind() == CredentialKind::Card ? "Cards" : "Transmitters");
    EXPECT_EQ(m_boxes.Texts(), QStringList{refused});

    ASSERT_TRUE(CredentialAssignment::Surrender(Kind(), 700));
    WithTables(Kind(), [](auto tables) { decltype(tables)::Singles().Close(); });
    MessageBoxScript boxes;
    EXPECT_TRUE(IsAssigned(Kind(), index)) << "an unanswered check keeps the number";
    EXPECT_EQ(boxes.Texts(), QStringList{"The recordset is not open."});
    WithTables(Kind(), [](auto tables) { decltype(tables)::Singles().Open(); });
    EXPECT_FALSE(RowOf(700)->deleted);
}

TEST_P(CredentialIndividualsTest, OnlyLiveRowsCountAgainstTheLimit)
{
    InsertRows(1000000, kMaxIndividuals, 10);
    EXPECT_TRUE(MayAddIndividual(Kind()));
    EXPECT_TRUE(AddIndividual(Kind(), 42, {})) << "19990 live numbers";
    InsertRows(2000000, 9, 0);
    EXPECT_FALSE(MayAddIndividual(Kind()));
    EXPECT_FALSE(AddIndividual(Kind(), 43, {}));
    const QString kinds = Kind() == CredentialKind::Card ? "cards" : "transmitters";
    EXPECT_EQ(m_boxes.Texts(),
              QStringList({"You have allocated the maximum number of indivdual " + kinds + ", which is 20000",
                           "The maximum individual " + kinds + " allowed is 20000."}));
}

INSTANTIATE_TEST_SUITE_P(BothKinds, CredentialIndividualsTest,
                         ::testing::Values(CredentialKind::Card, CredentialKind::Transmitter));

using IndividualScreensTest = DemoFixture;

TEST_F(IndividualScreensTest, NumberFieldTakesWholeNumbersUpToTheHighest)
{
    const struct
    {
        const char* text;
        std::optional<double> number;
        const char* message;
    } cases[] = {
        {"1099511627775", 1099511627775.0, nullptr},
        {" 1 ", 1.0, nullptr},
        {"1099511627776", std::nullopt, "Please enter a number between 1 and 1099511627775."},
        {"99999999999999999999", std::nullopt, "Please enter a number between 1 and 1099511627775."},
        {"0", std::nullopt, "Please enter a number between 1 and 1099511627775."},
        {"1.5", std::nullopt, "Please enter a number."},
        {"", std::nullopt, "Please enter a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MessageBoxScript boxes;
        EXPECT_EQ(ReadCredentialNumber(c.text), c.number);
        EXPECT_EQ(boxes.Texts(), c.message ? QStringList{c.message} : QStringList{});
    }
}

TEST_F(IndividualScreensTest, ViewAddsListsAsTextAndDeletesAfterAsking)
{
    CRPEnrolledCards view;
    EXPECT_EQ(view.IndividualList()->topLevelItemCount(), 0);
    view.DeleteButton()->click();
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Please select the card to be deleted."});
    for (const char* number : {"20", "100"})
        OnDialog([&] { view.AddButton()->click(); }, [&](CIndividualDlg& d) { d.NumberEdit()->setText(number); });
    ASSERT_EQ(view.IndividualList()->topLevelItemCount(), 2);
    EXPECT_EQ(view.IndividualList()->topLevelItem(0)->text(0), "100") << "sorted as text";
    EXPECT_EQ(view.IndividualList()->topLevelItem(1)->text(0), "20");
    ASSERT_EQ(view.AllList()->topLevelItemCount(), 102);
    EXPECT_EQ(view.AllList()->topLevelItem(0)->text(0), "           20");
    EXPECT_EQ(m_doc.GetDataToProgram(), 1);

    view.IndividualList()->setCurrentItem(view.IndividualList()->topLevelItem(1));
    m_boxes.Answer(IDYES);
    view.DeleteButton()->click();
    EXPECT_EQ(m_boxes.Texts().last(), "Are you sure you want to delete this card number?");
    ASSERT_EQ(view.IndividualList()->topLevelItemCount(), 1);
    EXPECT_EQ(view.IndividualList()->topLevelItem(0)->text(0), "100");
    EXPECT_EQ(view.AllList()->topLevelItemCount(), 0);
}

TEST_F(IndividualScreensTest, AssignNewIndividualEnrolsAndGivesTheNumber)
{
    CUserCardsTab page;
    page.SetUserID(UserIdOf("Ben"));
    page.Reload();
    EXPECT_TRUE(page.AssignNewIndividualButton()->isVisibleTo(&page));
    OnDialog([&] { page.AssignNewIndividualButton()->click(); },
             [](CIndividualDlg& d) { d.NumberEdit()->setText("1234"); });
    ASSERT_EQ(page.AssignedList()->count(), 2);
    EXPECT_EQ(page.AssignedList()->item(1)->text(), "       1234 (indiv)");
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

} // namespace
