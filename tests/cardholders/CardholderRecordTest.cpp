#include "cardholders/CardholderRecord.h"
#include "tests/cardholders/DemoFixture.h"

#include <QTimeZone>

namespace {

class CardholderRecordTest : public DemoFixture
{
protected:
    void SetStored(bool never, const QDateTime& expires)
    {
        ASSERT_TRUE(g_setUsers.FindByID(m_id));
        g_setUsers.Edit();
        g_setUsers.m_NeverExpiers = never;
        g_setUsers.m_ExpirationDate = expires;
        g_setUsers.Update();
        m_doc.SetDataToProgram(0);
    }

    std::int32_t m_id = 0;
};

TEST_F(CardholderRecordTest, OnlyWhatThePanelsHoldMarksDataToProgram)
{
    m_id = UserIdOf("Ada");
    const QDateTime stored(QDate(2031, 7, 9), QTime(17, 45), QTimeZone::utc());
    const struct
    {
        const char* name;
        bool storedNever;
        const char* firstName;
        bool never;
        QDate day;
        bool marked;
        QDateTime after;
    } cases[] = {
        {"a name alone", false, "Adele", false, QDate(2031, 7, 9), false, stored},
        {"Never expires set", false, "Ada", true, QDate(2031, 7, 9), true, stored},
        {"Never expires cleared", true, "Ada", false, QDate(2031, 7, 9), true, stored},
        {"the day changed", false, "Ada", false, QDate(2031, 7, 10), true,
         QDateTime(QDate(2031, 7, 10), QTime(0, 0), QTimeZone::utc())},
        {"a day while it never expires", true, "Ada", true, QDate(2031, 7, 10), false, stored},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetStored(c.storedNever, stored);
        CardholderRecord record;
        ASSERT_TRUE(record.Load(m_id));
        EXPECT_EQ(record.expiration, QDate(2031, 7, 9)) << "the form sees the day only";
        record.firstName = QString::fromLatin1(c.firstName);
        record.neverExpires = c.never;
        record.expiration = c.day;
        ASSERT_TRUE(record.Save(m_id));
        EXPECT_EQ(m_doc.GetDataToProgram(), c.marked ? 1 : 0);
        ASSERT_TRUE(g_setUsers.FindByID(m_id));
        EXPECT_EQ(g_setUsers.m_FirstName, c.firstName);
        EXPECT_EQ(g_setUsers.m_ExpirationDate, c.after);
    }
}

TEST_F(CardholderRecordTest, DeletedRowsAreNeverWrittenAndMissingOnesRefused)
{
    m_id = UserIdOf("Ben");
    g_setUsers.Edit();
    g_setUsers.m_Deleted = true;
    g_setUsers.Update();
    CardholderRecord record;
    ASSERT_TRUE(record.Load(m_id));
    record.firstName = "Changed";
    EXPECT_TRUE(record.Save(m_id));
    ASSERT_TRUE(g_setUsers.FindByID(m_id));
    EXPECT_EQ(g_setUsers.m_FirstName, "Ben");
    EXPECT_FALSE(record.Save(987654));
    EXPECT_FALSE(record.Load(987654));
}

} // namespace
