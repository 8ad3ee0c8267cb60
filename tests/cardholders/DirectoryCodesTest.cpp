#include "cardholders/DirectoryCodes.h"
#include "image/DirectoryIndex.h"
#include "tests/cardholders/DemoFixture.h"

namespace {

class DirectoryCodesTest : public DemoFixture
{
protected:
    void TearDown() override
    {
        g_nDirectoryPages = 0;
        DemoFixture::TearDown();
    }

    // A row as an older installation or a released cardholder left it.
    void AddRow(std::int32_t userId, const QString& code)
    {
        g_setPhoneEntries.m_strFilter.clear();
        g_setPhoneEntries.Requery();
        g_setPhoneEntries.AddNew();
        g_setPhoneEntries.m_UserID = userId;
        g_setPhoneEntries.m_UserDirectoryCode = code;
        g_setPhoneEntries.Update();
    }

    int RowCount()
    {
        g_setPhoneEntries.m_strFilter.clear();
        g_setPhoneEntries.Requery();
        if (g_setPhoneEntries.IsBOF() && g_setPhoneEntries.IsEOF())
            return 0;
        g_setPhoneEntries.MoveLast();
        return static_cast<int>(g_setPhoneEntries.GetRecordCount());
    }
};

TEST_F(DirectoryCodesTest, CodesOfLengthFourAreCheckedInTheirOrder)
{
    ASSERT_TRUE(DirectoryCodes::Assign(UserIdOf("Ben"), "0007", DirectoryCodes::DefaultSubsets()));
    const struct
    {
        const char* code;
        const char* refusal;
    } cases[] = {
        {"0042", nullptr},
        {"42", "Directory Code must be 4 digits."},
        {"00a2", "Invalid Directory Code."},
        {"0000", "Directory entry 0000 is not allowed."},
        {"0007", "The entered Directory Code is already in use."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        MessageBoxScript boxes;
        EXPECT_EQ(DirectoryCodes::CheckCode(c.code, 4), c.refusal == nullptr);
        EXPECT_EQ(boxes.Texts(), c.refusal ? QStringList({c.refusal}) : QStringList());
    }
    g_nDirectoryPages = DirectoryCodes::kMaxScreens;
    MessageBoxScript boxes;
    EXPECT_FALSE(DirectoryCodes::CheckCode("0042", 4));
    EXPECT_EQ(boxes.Texts(), QStringList({"The maxium number of display screens has been reached.\n\n"
                                          "Wardenfold will not support any more directory codes."}));
}

TEST_F(DirectoryCodesTest, AssignWorksWithoutEntryRowsAndTakesTheCardholdersName)
{
    ASSERT_EQ(RowCount(), 0);
    const std::int32_t ada = UserIdOf("Ada");
    g_setUsers.Edit();
    g_setUsers.m_HomePhone = "(555) 010-2030";
    g_setUsers.Update();
    EXPECT_EQ(DirectoryCodes::FindFreeCode(4, false), "0001");
    ASSERT_TRUE(DirectoryCodes::Assign(ada, "0001", DirectoryCodes::DefaultSubsets()));
    EXPECT_EQ(RowCount(), 1);
    DirectoryCodes::Subsets subsets{};
    const auto codes = DirectoryCodes::ListCodes(ada, subsets);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0].code, "0001");
    DirectoryCodes::Entry entry;
    ASSERT_TRUE(DirectoryCodes::LoadEntry(codes[0].entryId, entry));
    EXPECT_EQ(entry.tenant, "Ramirez Ada");
    EXPECT_EQ(entry.phone, "5550102030");
    EXPECT_EQ(entry.subsets, DirectoryCodes::DefaultSubsets());
    EXPECT_EQ(DirectoryCodes::FindFreeCode(4, false), "0002");
    EXPECT_EQ(m_doc.GetDataToProgram(), 1);

    entry.tenant = "Front desk";
    EXPECT_TRUE(DirectoryCodes::StoreEntry(codes[0].entryId, entry));
    EXPECT_FALSE(DirectoryCodes::StoreEntry(codes[0].entryId, entry)) << "nothing differs";
}

// The cardholder keeps any name; the tenant name made from it is one a panel
// holds, and only what the operator types is refused.
TEST_F(DirectoryCodesTest, ANameAPanelCannotHoldGivesTheNearestTenantNameAndSaysSoOnce)
{
    const std::int32_t ada = UserIdOf("Ada");
    const struct
    {
        QString last;
        QString first;
        QString tenant;
        bool told;
    } cases[] = {
        {QStringLiteral("Wójcik"), QStringLiteral("Łucja"), QStringLiteral("Wójcik Lucja"), true},
        {QStringLiteral("Yılmaz"), QStringLiteral("Şükrü"), QStringLiteral("Yilmaz Sükrü"), true},
        {QStringLiteral("Иванов"), QStringLiteral("Иван"), QStringLiteral("?????? ????"), true},
        {QStringLiteral("Brzęczyszczykiewicz"), QStringLiteral("Grzegorz"), QStringLiteral("Brzeczyszczykiewicz Grze"),
         true},
        {QStringLiteral("Müller"), QStringLiteral("Jürgen"), QStringLiteral("Müller Jürgen"), false},
    };
    int code = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last.toStdString());
        g_setUsers.m_strFilter.clear();
        g_setUsers.Requery();
        ASSERT_TRUE(g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(ada)));
        g_setUsers.Edit();
        g_setUsers.m_LastName = c.last;
        g_setUsers.m_FirstName = c.first;
        g_setUsers.Update();
        m_doc.SetDataToProgram(0);
        const QString text = QStringLiteral("%1").arg(++code, 4, 10, QLatin1Char('0'));
        {
            MessageBoxScript boxes;
            ASSERT_TRUE(DirectoryCodes::Assign(ada, text, DirectoryCodes::DefaultSubsets()));
            const QString told = QStringLiteral("The tenant name was changed to \"%1\", because a controller cannot "
                                                "hold every character of \"%2 %3\".\n\nYou can edit the tenant "
                                                "name on this page.")
                                     .arg(c.tenant, c.last, c.first);
            EXPECT_EQ(boxes.Texts(), c.told ? QStringList{told} : QStringList());
        }
        EXPECT_EQ(m_doc.GetDataToProgram(), 1);
        DirectoryCodes::Subsets subsets{};
        const auto codes = DirectoryCodes::ListCodes(ada, subsets);
        ASSERT_EQ(codes.size(), static_cast<std::size_t>(code));
        DirectoryCodes::Entry entry;
        ASSERT_TRUE(DirectoryCodes::LoadEntry(codes.back().entryId, entry));
        EXPECT_EQ(entry.tenant, c.tenant);
        EXPECT_FALSE(DirectoryCodes::StoreEntry(codes.back().entryId, entry)) << "the made name is stored as shown";
    }

    DirectoryCodes::Subsets subsets{};
    const std::int32_t entryId = DirectoryCodes::ListCodes(ada, subsets).front().entryId;
    DirectoryCodes::Entry entry;
    ASSERT_TRUE(DirectoryCodes::LoadEntry(entryId, entry));
    DirectoryCodes::Entry edited = entry;
    edited.tenant = QStringLiteral("Wójcik Łucja");
    edited.phone = QStringLiteral("5551234");
    MessageBoxScript boxes;
    EXPECT_FALSE(DirectoryCodes::StoreEntry(entryId, edited));
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral(
                                 "Tenant name: the character \"Ł\" cannot be stored in a controller.\n\n"
                                 "Controllers hold only Western European (Latin-1) characters.")});
    ASSERT_TRUE(DirectoryCodes::LoadEntry(entryId, edited));
    EXPECT_EQ(edited.tenant, entry.tenant);
    EXPECT_EQ(edited.phone, entry.phone) << "nothing of the refused entry is written";
}

TEST_F(DirectoryCodesTest, FreedRowKeepsItsCodeWhichIsProposedAndReused)
{
    AddRow(0, "0001");
    AddRow(0, " ");
    AddRow(UserIdOf("Ben"), "0002");
    EXPECT_EQ(DirectoryCodes::FindFreeCode(4, false), "0001");
    const std::int32_t ada = UserIdOf("Ada");
    ASSERT_TRUE(DirectoryCodes::Assign(ada, "0001", DirectoryCodes::DefaultSubsets()));
    EXPECT_EQ(RowCount(), 3);
    g_setPhoneEntries.Requery();
    int holders = 0;
    for (bool row = !g_setPhoneEntries.IsEOF(); row && !g_setPhoneEntries.IsEOF(); g_setPhoneEntries.MoveNext())
        holders += g_setPhoneEntries.m_UserDirectoryCode == "0001" ? 1 : 0;
    EXPECT_EQ(holders, 1) << "one code, one row";
    EXPECT_EQ(DirectoryCodes::FindFreeCode(4, false), "0003");
}

TEST_F(DirectoryCodesTest, SurrenderFreesTheRowAndAFullDirectoryWarnsOnce)
{
    const std::int32_t ada = UserIdOf("Ada");
    for (const char* code : {"1", "2", "3", "4", "5", "6", "7", "8", "9"})
        ASSERT_TRUE(DirectoryCodes::Assign(ada, code, DirectoryCodes::DefaultSubsets()));
    EXPECT_EQ(DirectoryCodes::FindFreeCode(1, false), "");
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
    EXPECT_EQ(DirectoryCodes::FindFreeCode(1, true), "");
    EXPECT_EQ(m_boxes.Texts(), QStringList({"All directory codes from 1 to 9 are assigned."}));

    DirectoryCodes::Subsets subsets{};
    const auto codes = DirectoryCodes::ListCodes(ada, subsets);
    ASSERT_EQ(codes.size(), 9u);
    ASSERT_TRUE(DirectoryCodes::Surrender(codes[4].entryId));
    EXPECT_EQ(DirectoryCodes::FindFreeCode(1, false), "5");
    EXPECT_EQ(DirectoryCodes::ListCodes(ada, subsets).size(), 8u);
}

} // namespace
