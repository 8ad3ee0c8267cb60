#include "app/CListCtrlEx.h"
#include "cardholders/CRPEntryCodes.h"
#include "cardholders/CRPPhoneEntryNumbers.h"
#include "cardholders/CardholderStore.h"
#include "cardholders/CredentialTables.h"
#include "cardholders/EntryCodeAssignment.h"
#include "cardholders/EntryCodeListing.h"
#include "tests/cardholders/DemoFixture.h"

#include <QTreeWidget>

namespace {

using ReadOnlyListsTest = DemoFixture;

QStringList Column(const QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

TEST_F(ReadOnlyListsTest, EntryCodesListHiddenFirstAndRepairAMovedHoldersSet)
{
    const std::int32_t ada = UserIdOf("Ada");
    const std::int32_t ben = UserIdOf("Dev");
    ASSERT_EQ(EntryCodeAssignment::Assign(ada, "0042", true), EntryCodeAssignment::AssignResult::Assigned);
    ASSERT_EQ(EntryCodeAssignment::Assign(ben, "$1234$", false), EntryCodeAssignment::AssignResult::Assigned);
    ASSERT_TRUE(FindRow(g_setUsers, QStringLiteral("UserID = %1").arg(ada)));
    const std::uint8_t adaSet = g_setUsers.m_CHSetIndex;
    const QString adaName = g_setUsers.GetDisplayName();
    // Ada moves to another set after her code was given.
    ASSERT_TRUE(FindRow(g_setUsers, QStringLiteral("UserID = %1").arg(ben)));
    const std::uint8_t benSet = g_setUsers.m_CHSetIndex;
    ASSERT_NE(adaSet, benSet);
    ASSERT_TRUE(FindRow(g_setUsers, QStringLiteral("UserID = %1").arg(ada)));
    g_setUsers.Edit();
    g_setUsers.m_CHSetIndex = benSet;
    g_setUsers.Update();
    m_doc.SetDataToProgram(0);

    CRPEntryCodes view;
    const QTreeWidget* list = view.List();
    const QStringList codes = Column(list, 0);
    ASSERT_GE(codes.size(), 2);
    EXPECT_EQ(codes.first(), "####");
    EXPECT_TRUE(codes.contains("0042"));
    const int row = static_cast<int>(codes.indexOf("0042"));
    EXPECT_EQ(list->topLevelItem(row)->text(1), adaName);
    EXPECT_EQ(list->topLevelItem(row)->text(2), list->topLevelItem(0)->text(2)) << "now in Dev's set";
    EXPECT_EQ(list->topLevelItem(row)->text(3), "Suspended");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "Enabled");
    ASSERT_TRUE(FindRow(g_setEntryCodes, "Code = \"0042\""));
    EXPECT_EQ(g_setEntryCodes.m_CHSet, benSet);
    EXPECT_EQ(g_setEntryCodes.m_dCode, 42);
    EXPECT_EQ(m_doc.GetDataToProgram(), 0) << "the repair is not for the panels";

    emit view.List()->itemDoubleClicked(view.List()->topLevelItem(0), 0);
    EXPECT_EQ(m_boxes.Texts(), QStringList{"This window is for viewing only.\n\n If you need to make changes, press the "
                                           "<F5> key to go to the Cardholders screen."});
}

TEST_F(ReadOnlyListsTest, DirectoryListsCardholdersAndLooseEntriesButNotUnusedOnes)
{
    const std::int32_t ada = UserIdOf("Ada");
    const QString adaName = g_setUsers.m_LastName + " Ada";
    const struct
    {
        const char* code;
        std::int32_t userId;
    } entries[] = {{"300", ada}, {"100", -1}, {"200", 0}, {"400", 99999}};
    g_setPhoneEntries.m_strFilter.clear();
    g_setPhoneEntries.Requery();
    for (const auto& e : entries) {
        g_setPhoneEntries.AddNew();
        g_setPhoneEntries.m_UserDirectoryCode = e.code;
        g_setPhoneEntries.m_UserID = e.userId;
        g_setPhoneEntries.m_TenantName = "Tenant";
        g_setPhoneEntries.m_PhoneNumber = "555";
        g_setPhoneEntries.m_SubsetA = true;
        g_setPhoneEntries.Update();
    }
    CRPPhoneEntryNumbers view;
    const QTreeWidget* list = view.List();
    EXPECT_EQ(Column(list, 0), QStringList({"100", "300", "400"}));
    EXPECT_EQ(Column(list, 1), QStringList({"-", adaName, ""}));
    EXPECT_EQ(Column(list, 2), QStringList({"Tenant", "Tenant", ""}));
    EXPECT_EQ(Column(list, 4), QStringList({"A", "A", ""}));
    EXPECT_EQ(Column(list, 5), QStringList({"No", "No", ""}));
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Error in data base. \nUser ID not found."});
}

} // namespace
