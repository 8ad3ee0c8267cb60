#include "cardholders/CardholderStore.h"
#include "platform/Clock.h"
#include "tests/cardholders/DemoFixture.h"

#include <QDateTime>

namespace {

QStringList Names(const std::vector<CardholderSetItem>& sets)
{
    QStringList names;
    for (const CardholderSetItem& s : sets)
        names << s.name;
    return names;
}

class CardholderStoreTest : public DemoFixture
{
protected:
    void TearDown() override
    {
        Clock::Install(nullptr);
        DemoFixture::TearDown();
    }

    CardholderSetItem Set(std::uint8_t index)
    {
        std::vector<CardholderSetItem> sets;
        EXPECT_TRUE(CardholderStore::ListSets(sets));
        for (const CardholderSetItem& s : sets)
            if (s.index == index)
                return s;
        ADD_FAILURE() << "no set " << int(index);
        return {};
    }

    void EditUser(std::int32_t id, const std::function<void(CSetUsers&)>& change)
    {
        g_setUsers.m_strFilter.clear();
        g_setUsers.Requery();
        ASSERT_TRUE(g_setUsers.FindFirst(QStringLiteral("UserID = %1").arg(id)));
        g_setUsers.Edit();
        change(g_setUsers);
        g_setUsers.Update();
    }

    void AddSetRows(int rows, bool lastDeleted)
    {
        g_setUserGroups.m_strFilter.clear();
        g_setUserGroups.Requery();
        for (int i = 0; i < rows; ++i) {
            g_setUserGroups.AddNew();
            g_setUserGroups.m_CHSetIndex = static_cast<std::uint8_t>(5 + i);
            g_setUserGroups.m_CHSetName = QStringLiteral("Set %1").arg(5 + i);
            g_setUserGroups.m_Deleted = lastDeleted && i == rows - 1;
            g_setUserGroups.Update();
        }
    }

    FixedClock m_clock{QDateTime(QDate(2030, 1, 1), QTime(12, 0), QTimeZone::utc())};
};

TEST_F(CardholderStoreTest, DemoListsTheBuiltInSetsThenTheOthersByName)
{
    std::vector<CardholderSetItem> sets;
    ASSERT_TRUE(CardholderStore::ListSets(sets));
    EXPECT_EQ(Names(sets), QStringList({"All Access", "No Access", "Office Staff", "Warehouse Crew"}));
    EXPECT_TRUE(sets[1].suspended);
    EXPECT_EQ(g_nNextCardholderSetIndex, 4);
    std::vector<CardholderItem> staff;
    ASSERT_TRUE(CardholderStore::ListCardholders(sets[2], staff));
    ASSERT_EQ(staff.size(), 2u);
    EXPECT_EQ(staff[0].text, "Okafor, Ben");
    EXPECT_EQ(staff[1].text, "Ramirez, Ada");
}

TEST_F(CardholderStoreTest, ImageRuleLetsExpiryBeatSuspensionAndNoAccessDeactivates)
{
    Clock::Install(&m_clock);
    const QDateTime past(QDate(2029, 12, 31), QTime(8, 0));
    const QDateTime future(QDate(2031, 7, 9), QTime(0, 0));
    const struct
    {
        bool neverExpires;
        QDateTime expires;
        bool active;
        std::uint8_t set;
        bool setSuspended;
        int image;
        bool activeAfter;
    } cases[] = {
        {true, past, true, 3, false, CardholderImage::kActive, true},
        {false, future, true, 3, false, CardholderImage::kActive, true},
        {false, past, true, 3, false, CardholderImage::kExpired, true},
        {false, past, true, 3, true, CardholderImage::kExpired, true},
        {true, past, true, 3, true, CardholderImage::kSuspended, false},
        {true, past, false, 3, false, CardholderImage::kSuspended, false},
        {false, past, true, 2, true, CardholderImage::kExpired, false},
        {true, past, true, 2, true, CardholderImage::kSuspended, false},
    };
    const std::int32_t id = UserIdOf("Ada");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.neverExpires << c.active << int(c.set) << c.setSuspended);
        EditUser(id, [&](CSetUsers& u) {
            u.m_NeverExpiers = c.neverExpires;
            u.m_ExpirationDate = c.expires;
            u.m_Active = c.active;
            u.m_CHSetIndex = c.set;
        });
        std::vector<CardholderItem> items;
        ASSERT_TRUE(CardholderStore::ListCardholders({c.set, QString(), c.setSuspended}, items));
        const auto it = std::find_if(items.begin(), items.end(), [id](const CardholderItem& i) { return i.userId == id; });
        ASSERT_NE(it, items.end());
        EXPECT_EQ(it->image, c.image);
        ASSERT_TRUE(g_setUsers.FindByID(id));
        EXPECT_EQ(g_setUsers.m_Active, c.activeAfter);
    }
}

TEST_F(CardholderStoreTest, ReleaseFreesSixTablesAndTheNextAddReusesTheRow)
{
    const std::int32_t id = UserIdOf("Ada");
    const auto addHeld = [](auto& set, auto fill) {
        set.m_strFilter.clear();
        set.Requery();
        set.AddNew();
        fill(set);
        set.Update();
    };
    addHeld(g_setTransmitters, [id](CSetTransmitters& r) { r.m_UserID = id; r.m_Lost = true; r.m_XmtrID = 5; });
    addHeld(g_setSingleXmtr, [id](CSetSingleXmtr& r) { r.m_UserIDSingle = id; r.m_LostSingle = true; r.m_DeletedSingle = true; });
    addHeld(g_setEntryCodes, [id](CSetEntryCodes& r) { r.m_UserID = id; r.m_CHSet = 3; r.m_Code = "1234"; });
    addHeld(g_setPhoneEntries, [id](CSetPhoneEntries& r) {
        r.m_UserID = id; r.m_TenantName = "Ramirez Ada"; r.m_PhoneNumber = "555"; r.m_ExtendedTalkTime = true;
        r.m_UserDirectoryCode = "0042";
    });
    addHeld(g_setSingleCard, [id](CSetSingleCard& r) { r.m_UserIDSingle = id; r.m_LostSingle = true; });
    EXPECT_TRUE(g_setPhoneEntries.IsOpen());

    ASSERT_TRUE(CardholderStore::ReleaseCardholder(id));
    EXPECT_FALSE(CardholderStore::ReleaseCardholder(424242));

    const auto noneHeld = [](auto& set, const char* field) {
        set.m_strFilter.clear();
        set.Requery();
        return !set.FindFirst(QStringLiteral("%1 <> 0").arg(QLatin1String(field)));
    };
    // The demo's other cards stay with their holders.
    g_setCards.Requery();
    EXPECT_FALSE(g_setCards.FindFirst(QStringLiteral("UserID = %1").arg(id)));
    ASSERT_TRUE(g_setCards.FindFirst("CardID = 10001"));
    EXPECT_TRUE(g_setCards.m_Suspended);
    EXPECT_FALSE(g_setCards.m_Lost);
    EXPECT_TRUE(noneHeld(g_setTransmitters, "UserID"));
    EXPECT_TRUE(g_setTransmitters.m_Suspended && !g_setTransmitters.m_Lost);
    EXPECT_TRUE(noneHeld(g_setSingleXmtr, "UserIDSingle"));
    EXPECT_TRUE(g_setSingleXmtr.m_SuspendedSingle && !g_setSingleXmtr.m_LostSingle && !g_setSingleXmtr.m_DeletedSingle);
    EXPECT_TRUE(noneHeld(g_setEntryCodes, "UserID"));
    EXPECT_TRUE(g_setEntryCodes.m_Deleted && g_setEntryCodes.m_Suspended);
    EXPECT_EQ(g_setEntryCodes.m_CHSet, 0);
    EXPECT_TRUE(noneHeld(g_setPhoneEntries, "UserID"));
    EXPECT_TRUE(g_setPhoneEntries.m_TenantName.isEmpty() && g_setPhoneEntries.m_PhoneNumber.isEmpty());
    EXPECT_FALSE(g_setPhoneEntries.m_ExtendedTalkTime);
    EXPECT_EQ(g_setPhoneEntries.m_UserDirectoryCode, "0042") << "the code stays for reuse";
    EXPECT_TRUE(noneHeld(g_setSingleCard, "UserIDSingle"));
    ASSERT_TRUE(g_setUsers.FindByID(id));
    EXPECT_TRUE(g_setUsers.m_Deleted);
    EXPECT_EQ(g_setUsers.m_CHSetIndex, 0);

    const CardholderItem added = CardholderStore::AddCardholder(4);
    EXPECT_EQ(added.userId, id);
    EXPECT_EQ(added.text, "Last Name, First Name");
    EXPECT_EQ(added.image, CardholderImage::kActive);
    ASSERT_TRUE(g_setUsers.FindByID(id));
    EXPECT_FALSE(g_setUsers.m_Deleted);
    EXPECT_EQ(g_setUsers.m_CHSetIndex, 4);
    EXPECT_EQ(m_doc.GetDataToProgram(), 1);
}

TEST_F(CardholderStoreTest, AppendedCardholderStartsReleasedAndNeverExpires)
{
    Clock::Install(&m_clock);
    const CardholderItem added = CardholderStore::AddCardholder(3);
    ASSERT_GT(added.userId, 0);
    EXPECT_EQ(added.image, CardholderImage::kActive);
    ASSERT_TRUE(g_setUsers.FindByID(added.userId));
    EXPECT_EQ(g_setUsers.m_FirstName, "First Name");
    EXPECT_EQ(g_setUsers.m_LastName, "Last Name");
    EXPECT_TRUE(g_setUsers.m_NeverExpiers);
    EXPECT_TRUE(g_setUsers.m_Active);
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

TEST_F(CardholderStoreTest, AddRefusesAUserIdBeyondTheCardholderRecords)
{
    g_setUsers.AddNew();
    g_setUsers.m_UserID = CardholderStore::kMaxUserId;
    g_setUsers.m_CHSetIndex = 3;
    g_setUsers.Update();
    const long rows = [] { g_setUsers.Requery(); g_setUsers.MoveLast(); return g_setUsers.GetRecordCount(); }();

    EXPECT_EQ(CardholderStore::AddCardholder(3).userId, 0);
    EXPECT_EQ(m_boxes.Texts(), QStringList({"You have reached the maximum number of cardholders, which is 9999."}));
    g_setUsers.Requery();
    g_setUsers.MoveLast();
    EXPECT_EQ(g_setUsers.GetRecordCount(), rows) << "no row is left behind";

    // A deleted row below the limit is still reused.
    ASSERT_TRUE(CardholderStore::ReleaseCardholder(UserIdOf("Ben")));
    EXPECT_EQ(CardholderStore::AddCardholder(3).userId, UserIdOf("First Name"));
}

TEST_F(CardholderStoreTest, AddToAMissingSetLeavesNoRow)
{
    EXPECT_EQ(CardholderStore::AddCardholder(40).userId, 0);
    EXPECT_EQ(m_boxes.Texts(),
              QStringList({"Error finding cardholder set in database.\nSelect a cardholder set and try again."}));
    g_setUsers.Requery();
    EXPECT_FALSE(g_setUsers.FindFirst("CHSetIndex = 0"));
}

TEST_F(CardholderStoreTest, SixtyThreeSetsRefuseAnotherUnlessADeletedRowIsReused)
{
    AddSetRows(59, false);
    EXPECT_EQ(CardholderStore::AddSet(m_doc), 0);
    EXPECT_EQ(m_boxes.Texts(), QStringList({"You have reached the maximum number of cardholder sets which is 63."}));

    ASSERT_TRUE(g_setUserGroups.FindFirst("CHSetIndex = 40"));
    g_setUserGroups.Edit();
    g_setUserGroups.m_Deleted = true;
    g_setUserGroups.Update();
    EXPECT_EQ(CardholderStore::AddSet(m_doc), 40) << "the deleted row keeps its own index";
    ASSERT_TRUE(g_setUserGroups.FindFirst("CHSetIndex = 40"));
    EXPECT_EQ(g_setUserGroups.m_CHSetName, "New Cardholder set");
    EXPECT_FALSE(g_setUserGroups.m_Deleted);
    EXPECT_EQ(g_setUserGroups.m_TimeZone1, 0);
}

TEST_F(CardholderStoreTest, NewSetTakesTheNextIndexAndDeletingOneFreesIt)
{
    EXPECT_EQ(CardholderStore::AddSet(m_doc), 5);
    EXPECT_EQ(CardholderStore::AddSet(m_doc), 6);
    ASSERT_TRUE(CardholderStore::CanDeleteSet(5));
    m_doc.m_globalMemory.SetByte(1226 + 16 * 5 + 13, 2);
    CardholderStore::DeleteSet(m_doc, 5);
    EXPECT_EQ(g_nNextCardholderSetIndex, 5);
    EXPECT_EQ(m_doc.m_globalMemory.Byte(1226 + 16 * 5), 0);
    EXPECT_EQ(m_doc.m_globalMemory.Byte(1226 + 16 * 5 + 1), 255);
    EXPECT_EQ(m_doc.m_globalMemory.Byte(1226 + 16 * 5 + 13), 0);
    std::vector<CardholderSetItem> sets;
    ASSERT_TRUE(CardholderStore::ListSets(sets));
    EXPECT_EQ(Names(sets), QStringList({"All Access", "No Access", "New Cardholder set", "Office Staff", "Warehouse Crew"}));
    EXPECT_EQ(CardholderStore::AddSet(m_doc), 5);
}

TEST_F(CardholderStoreTest, SetDeletionAndSuspensionRefusals)
{
    Clock::Install(&m_clock);
    // Cardholders that are suspended or expired still hold the set.
    EditUser(UserIdOf("Chloe"), [](CSetUsers& u) { u.m_Active = false; });
    EditUser(UserIdOf("Dev"), [](CSetUsers& u) {
        u.m_NeverExpiers = false;
        u.m_ExpirationDate = QDateTime(QDate(2020, 1, 1), QTime(0, 0));
    });
    const struct
    {
        std::uint8_t set;
        const char* text;
    } cases[] = {
        {1, "You cannot delete the \"All Access\" cardholder set."},
        {2, "You cannot delete the \"No Access\" cardholder set."},
        {4, "You must delete all cardholders in this cardholder set before the set can be deleted."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MessageBoxScript boxes;
        EXPECT_FALSE(CardholderStore::CanDeleteSet(c.set));
        EXPECT_EQ(boxes.Texts(), QStringList({c.text}));
    }

    const std::uint8_t empty = CardholderStore::AddSet(m_doc);
    MessageBoxScript boxes;
    EXPECT_FALSE(CardholderStore::SetSuspended(empty, true, 0));
    EXPECT_EQ(boxes.Texts(), QStringList({"No cardholders to suspend in this set."}));
    EXPECT_FALSE(CardholderStore::IsSetSuspended(empty));
}

TEST_F(CardholderStoreTest, SuspendingASetWritesEveryCardholderAndToggleRespectsIt)
{
    const std::int32_t ada = UserIdOf("Ada");
    ASSERT_TRUE(CardholderStore::SetSuspended(3, true, 2));
    EXPECT_TRUE(CardholderStore::IsSetSuspended(3));
    ASSERT_TRUE(g_setUsers.FindByID(ada));
    EXPECT_FALSE(g_setUsers.m_Active);
    EXPECT_EQ(CardholderStore::ToggleCardholder(ada, CardholderImage::kSuspended), -1);
    EXPECT_EQ(m_boxes.Texts(), QStringList({"Cannot activate a cardholder while the entire cardholder set is suspended."}));

    ASSERT_TRUE(CardholderStore::SetSuspended(3, false, 2));
    EXPECT_EQ(CardholderStore::ToggleCardholder(ada, CardholderImage::kActive), CardholderImage::kSuspended);
    ASSERT_TRUE(g_setUsers.FindByID(ada));
    EXPECT_FALSE(g_setUsers.m_Active);
    EXPECT_EQ(CardholderStore::ToggleCardholder(ada, CardholderImage::kSuspended), CardholderImage::kActive);
    ASSERT_TRUE(g_setUsers.FindByID(ada));
    EXPECT_TRUE(g_setUsers.m_Active);
}

TEST_F(CardholderStoreTest, MovingIntoASuspendedSetKeepsActiveUntilListed)
{
    const std::int32_t ada = UserIdOf("Ada");
    ASSERT_TRUE(CardholderStore::SetSuspended(4, true, 2));
    ASSERT_TRUE(CardholderStore::MoveCardholder(ada, 4));
    ASSERT_TRUE(g_setUsers.FindByID(ada));
    EXPECT_TRUE(g_setUsers.m_Active);
    EXPECT_EQ(g_setUsers.m_CHSetIndex, 4);
    std::vector<CardholderItem> items;
    ASSERT_TRUE(CardholderStore::ListCardholders({4, QString(), true}, items));
    ASSERT_TRUE(g_setUsers.FindByID(ada));
    EXPECT_FALSE(g_setUsers.m_Active);
}

TEST_F(CardholderStoreTest, ChoicesListBuiltInSetsFirstThenNamesWithTheirIndexes)
{
    EXPECT_EQ(CardholderStore::AddSet(m_doc), 5);
    const std::vector<CardholderSetItem> sets = CardholderStore::SetChoices();
    EXPECT_EQ(Names(sets), QStringList({"All Access", "No Access", "New Cardholder set", "Office Staff", "Warehouse Crew"}));
    EXPECT_EQ(sets[2].index, 5);
}

} // namespace
