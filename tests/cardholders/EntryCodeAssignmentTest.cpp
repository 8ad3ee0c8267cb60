#include "cardholders/CUserEntryCodesTab.h"
#include "cardholders/EntryCodeAssignment.h"
#include "tests/cardholders/DemoFixture.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

using namespace EntryCodeAssignment;

class EntryCodeAssignmentTest : public DemoFixture
{
protected:
    bool FindCode(const QString& code)
    {
        g_setEntryCodes.m_strFilter.clear();
        g_setEntryCodes.Requery();
        return g_setEntryCodes.FindFirst(QStringLiteral("Code = \"%1\"").arg(code));
    }

    QStringList Texts(std::int32_t userId)
    {
        QStringList texts;
        for (const Listed& listed : List(userId))
            texts << listed.text;
        return texts;
    }
};

TEST(EntryCodeText, TypedCodesAreReadOrRefused)
{
    const struct
    {
        const char* text;
        const char* digits;
        bool hidden;
        const char* refusal;
    } cases[] = {
        {"0042", "0042", false, ""},
        {"12345678", "12345678", false, ""},
        {"$1234$", "1234", true, ""},
        {"$1$2$", "12", true, ""},
        {"", "", false, "Please specify an entry code."},
        {"$", "", false, "Invalid entry code."},
        {"$$", "", false, "Invalid entry code."},
        {"$1234", "", false, "Invalid entry code."},
        {"12a4", "", false, "Invalid entry code."},
        {"123456789", "", false, "Please enter no more than 8 characters."},
        {"$123456789$", "", false, "Please enter no more than 10 characters."},
        {"$123456789", "", false, "Invalid entry code."},
        {"1\" OR \"1", "", false, "Invalid entry code."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QString refusal;
        const std::optional<Code> code = ReadCode(QString::fromLatin1(c.text), refusal);
        EXPECT_EQ(refusal, QString::fromLatin1(c.refusal));
        ASSERT_EQ(code.has_value(), refusal.isEmpty());
        if (code) {
            EXPECT_EQ(code->digits, QString::fromLatin1(c.digits));
            EXPECT_EQ(code->hidden, c.hidden);
        }
    }
    EXPECT_EQ(LengthLimit("1234"), kMaxDigits);
    EXPECT_EQ(LengthLimit("$12"), kMaxMarkedLength);
}

TEST_F(EntryCodeAssignmentTest, HiddenCodesComeFirstThenByValue)
{
    const std::int32_t ben = UserIdOf("Ben");
    const std::uint8_t set = g_setUsers.m_CHSetIndex;
    for (const char* code : {"0042", "7", "$1234$"})
        ASSERT_EQ(Assign(ben, QString::fromLatin1(code), false), AssignResult::Assigned) << code;
    EXPECT_EQ(Texts(ben), (QStringList{"####", "7", "0042"}));
    ASSERT_TRUE(FindCode("0042"));
    EXPECT_EQ(g_setEntryCodes.m_dCode, 42.0);
    EXPECT_EQ(g_setEntryCodes.m_CHSet, set);
    EXPECT_FALSE(g_setEntryCodes.m_Hidden);
    ASSERT_TRUE(FindCode("1234"));
    EXPECT_TRUE(g_setEntryCodes.m_Hidden);
    EXPECT_TRUE(m_boxes.Texts().isEmpty());
}

TEST_F(EntryCodeAssignmentTest, ACodeHasOneHolderAndASurrenderedRowIsReused)
{
    const std::int32_t ben = UserIdOf("Ben");
    const std::int32_t dev = UserIdOf("Dev");
    ASSERT_EQ(Assign(ben, "0042", true), AssignResult::Assigned);
    ASSERT_TRUE(FindCode("0042"));
    const std::int32_t id = g_setEntryCodes.m_EntryCodeID;
    EXPECT_EQ(Assign(dev, "0042", false), AssignResult::AlreadyAssigned);
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Entry code 0042 is already assigned."});
    EXPECT_TRUE(Texts(dev).isEmpty());
    EXPECT_EQ(IsSuspended(id), std::optional<bool>(true));
    ASSERT_TRUE(Surrender(id));
    EXPECT_TRUE(Texts(ben).isEmpty());
    EXPECT_EQ(IsSuspended(id), std::nullopt);
    ASSERT_EQ(Assign(dev, "0042", false), AssignResult::Assigned);
    const std::vector<Listed> listed = List(dev);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].entryCodeId, id);
    ASSERT_TRUE(StoreSuspended(id, true));
    EXPECT_EQ(IsSuspended(id), std::optional<bool>(true));
}

TEST_F(EntryCodeAssignmentTest, PastedCodesAreTakenWholeAndChecked)
{
    CUserEntryCodesTab page;
    page.SetUserID(UserIdOf("Chloe"));
    page.Reload();
    EXPECT_FALSE(page.HasCredentials());
    // A paste arrives as one insertion; a code over its limit must not be
    // cut to one the operator did not type.
    page.CodeEdit()->insert("1234567890");
    EXPECT_EQ(page.CodeEdit()->text(), "1234567890");
    page.OnAssign();
    EXPECT_EQ(m_boxes.Texts(), QStringList{"Please enter no more than 8 characters."});
    EXPECT_FALSE(FindCode("12345678"));
    EXPECT_FALSE(FindCode("1234567890"));
    EXPECT_EQ(page.CodeList()->count(), 0);

    page.CodeEdit()->clear();
    page.CodeEdit()->insert("$12345678$");
    EXPECT_EQ(page.CodeEdit()->text(), "$12345678$");
    page.OnAssign();
    EXPECT_TRUE(page.HasCredentials());
    ASSERT_EQ(page.CodeList()->count(), 1);
    EXPECT_EQ(page.CodeList()->item(0)->text(), "########");
    EXPECT_TRUE(FindCode("12345678"));
    EXPECT_TRUE(page.CodeEdit()->text().isEmpty());
    m_boxes.Answer(IDYES);
    page.OnSurrender();
    EXPECT_EQ(page.CodeList()->count(), 0);
    EXPECT_EQ(m_boxes.Texts().last(), "Are you sure you want to remove this?");
}

} // namespace
