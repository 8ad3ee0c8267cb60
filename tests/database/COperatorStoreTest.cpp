#include "app/CWFApp.h"
#include "common/SharedHelpers.h"
#include "database/COperatorStore.h"
#include "database/OperatorFileCipher.h"
#include "database/OperatorLogin.h"
#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

class OperatorStore : public ::testing::Test
{
protected:
    // Writes the accounts as plain ini text, scrambled unless asked otherwise.
    static void WriteOperatorFile(const QByteArray& plain, bool scrambled = true)
    {
        QDir().mkpath(QFileInfo(COperatorStore::GetFilePath()).path());
        ASSERT_TRUE(WriteWholeFile(COperatorStore::GetFilePath(), scrambled ? ScrambleOperatorBytes(plain) : plain));
    }

    static QByteArray StoredPlainText()
    {
        return UnscrambleOperatorBytes(ReadWholeFile(COperatorStore::GetFilePath()).value_or(QByteArray()));
    }

    static int AddWithRights(const QString& name, const QString& password, int administrator, int privilege = -1)
    {
        COperatorStore store;
        const int slot = store.AddOperator(name);
        store.SetPassword(password);
        store.SetAdministrator(administrator);
        if (privilege >= 0)
            store.WriteOperatorInt(COperatorStore::PrivilegeKey(privilege), 1);
        return slot;
    }

    TestEnvironment m_env;
};

const QByteArray kPlainAccounts = "[Operator 0]\r\nName=Anna\r\nPassword=Secret\r\nAdministrator=1\r\n"
                                  "[Operator 3]\r\nName=Ben\r\nPassword=pw\r\nAdministrator=0\r\n"
                                  "Report Generation=1\r\n";

} // namespace

TEST(OperatorFileCipher, ScrambleThenUnscrambleReturnsEveryByteIncludingWraps)
{
    QByteArray bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes.append(static_cast<char>(b));
    const QByteArray scrambled = ScrambleOperatorBytes(bytes);
    EXPECT_EQ(scrambled.size(), bytes.size());
    EXPECT_NE(scrambled, bytes);
    EXPECT_EQ(UnscrambleOperatorBytes(scrambled), bytes);
}

TEST(OperatorFileCipher, ScrambledAccountsAreNotTakenForPlainText)
{
    EXPECT_TRUE(IsPlainOperatorText(kPlainAccounts));
    EXPECT_FALSE(IsPlainOperatorText(ScrambleOperatorBytes(kPlainAccounts)));
}

TEST_F(OperatorStore, PlainFileIsReadOnceAndScrambledInPlace)
{
    WriteOperatorFile(kPlainAccounts, false);
    COperatorStore store;
    // The first load asks for an empty slot: the plain file must still be
    // taken as plain, not unscrambled into noise.
    EXPECT_FALSE(store.LoadOperator(1));
    EXPECT_FALSE(IsPlainOperatorText(ReadWholeFile(COperatorStore::GetFilePath()).value()));
    EXPECT_EQ(StoredPlainText(), kPlainAccounts);

    ASSERT_TRUE(store.LoadOperator(3));
    EXPECT_EQ(store.GetName(), QStringLiteral("Ben"));
    EXPECT_EQ(store.GetPassword(), QStringLiteral("pw"));
    EXPECT_EQ(store.GetPrivilege(1), 1);
    EXPECT_EQ(StoredPlainText(), kPlainAccounts); // never scrambled twice
}

TEST_F(OperatorStore, SaveKeepsOtherOperatorsAndLeavesNoWorkingCopy)
{
    WriteOperatorFile(kPlainAccounts);
    COperatorStore store;
    ASSERT_TRUE(store.LoadOperator(3));
    ASSERT_TRUE(store.SetPassword(QStringLiteral("new")));
    COperatorStore other;
    ASSERT_TRUE(other.LoadOperator(0));
    EXPECT_EQ(other.GetName(), QStringLiteral("Anna"));
    ASSERT_TRUE(store.LoadOperator(3));
    EXPECT_EQ(store.GetPassword(), QStringLiteral("new"));
    EXPECT_EQ(QDir(QFileInfo(COperatorStore::GetFilePath()).path()).entryList(QDir::Files),
              QStringList{QStringLiteral("Operators.ini")});
}

TEST_F(OperatorStore, MissingFileHoldsNoOperatorAndFirstAddCreatesIt)
{
    COperatorStore store;
    EXPECT_FALSE(store.LoadOperator(0));
    EXPECT_EQ(store.GetSlot(), COperatorStore::kNoOperator);
    EXPECT_FALSE(QFileInfo::exists(COperatorStore::GetFilePath()));
    EXPECT_EQ(store.AddOperator(QStringLiteral("First")), 0);
    EXPECT_TRUE(store.LoadOperator(0));
}

TEST_F(OperatorStore, TwentyFirstOperatorIsRefusedAndNothingIsStored)
{
    for (int i = 0; i < COperatorStore::kMaxOperators; ++i)
        ASSERT_EQ(AddWithRights(QStringLiteral("Op%1").arg(i), QString(), 0), i);
    const QByteArray before = StoredPlainText();
    COperatorStore store;
    EXPECT_EQ(store.AddOperator(QStringLiteral("One too many")), COperatorStore::kNoOperator);
    EXPECT_EQ(StoredPlainText(), before);
}

TEST_F(OperatorStore, DeletedSlotIsReusedFirstWithoutTheOldRights)
{
    for (const char* name : {"A", "B", "C"})
        AddWithRights(QLatin1String(name), QString(), 0, 2);
    COperatorStore store;
    ASSERT_TRUE(store.LoadOperator(1));
    ASSERT_TRUE(store.DeleteOperator());
    EXPECT_FALSE(store.LoadOperator(1));

    EXPECT_EQ(store.AddOperator(QStringLiteral("D")), 1);
    ASSERT_TRUE(store.LoadOperator(1));
    EXPECT_EQ(store.GetName(), QStringLiteral("D"));
    EXPECT_FALSE(store.HasAnyPrivilege());
}

TEST_F(OperatorStore, HasPrivilegeForNobodyAdministratorAndPlainOperator)
{
    const int admin = AddWithRights(QStringLiteral("Admin"), QString(), 1);
    const int clerk = AddWithRights(QStringLiteral("Clerk"), QString(), 0, 1);
    struct Case
    {
        const char* who;
        int slot;
        std::array<bool, COperatorStore::kPrivilegeCount> expected;
        int administrator;
    };
    const Case cases[] = {
        {"nobody", COperatorStore::kNoOperator, {true, true, true, true, true, true}, 1},
        {"administrator", admin, {true, true, true, true, true, true}, 1},
        {"plain operator", clerk, {false, true, false, false, false, false}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.who);
        COperatorStore store;
        ASSERT_TRUE(store.SelectOperator(c.slot));
        for (int p = 0; p < COperatorStore::kPrivilegeCount; ++p)
            EXPECT_EQ(store.HasPrivilege(p), c.expected[p]) << "privilege " << p;
        EXPECT_EQ(store.IsAdministrator(), c.administrator);
    }
}

TEST_F(OperatorStore, LoginIsSkippedUnlessAnOfferedOperatorIsAdministrator)
{
    struct Case
    {
        const char* what;
        std::function<void()> setUp;
        bool skipped;
        int offered;
    };
    const Case cases[] = {
        {"no file", [] {}, true, 0},
        {"operators without an administrator", [] { AddWithRights(QStringLiteral("Clerk"), QString(), 0, 0); }, true, 1},
        {"administrator without other rights", [] { AddWithRights(QStringLiteral("Boss"), QString(), 1); }, false, 1},
        {"an operator with no rights is not offered",
         [] {
             AddWithRights(QStringLiteral("Boss"), QString(), 1);
             AddWithRights(QStringLiteral("Nobody"), QString(), 0);
         },
         false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestEnvironment env;
        c.setUp();
        const auto entries = OperatorLogin::FillOperatorList();
        EXPECT_EQ(static_cast<int>(entries.size()), c.offered);
        EXPECT_EQ(OperatorLogin::IsLoginSkipped(entries), c.skipped);
    }
}

TEST_F(OperatorStore, PasswordsAreComparedExactly)
{
    const int boss = AddWithRights(QStringLiteral("Boss"), QStringLiteral("Secret"), 1);
    const int blank = AddWithRights(QStringLiteral("Blank"), QString(), 0, 3);
    struct Case
    {
        int slot;
        const char* entered;
        OperatorLogin::Result result;
    };
    const Case cases[] = {
        {boss, "Secret", OperatorLogin::Result::Accepted},
        {boss, "secret", OperatorLogin::Result::WrongPassword},
        {boss, "", OperatorLogin::Result::WrongPassword},
        {blank, "", OperatorLogin::Result::Accepted},
        {COperatorStore::kNoOperator, "", OperatorLogin::Result::NoSelection},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entered);
        COperatorStore loggedIn;
        int administrator = 0;
        EXPECT_EQ(OperatorLogin::CheckLogin(c.slot, QLatin1String(c.entered), loggedIn, administrator), c.result);
        if (c.result == OperatorLogin::Result::Accepted)
            EXPECT_EQ(loggedIn.GetSlot(), c.slot);
        else
            EXPECT_EQ(loggedIn.GetSlot(), COperatorStore::kNoOperator);
    }
}

TEST_F(OperatorStore, RightsCheckFollowsTheLoggedInOperator)
{
    const int clerk = AddWithRights(QStringLiteral("Clerk"), QString(), 0, 1);
    CWFApp app;
    for (int p = 0; p <= kPrivilegeAdministrator; ++p)
        EXPECT_TRUE(OperatorHasPrivilege(p)) << "nobody, privilege " << p;
    ASSERT_TRUE(app.SelectOperator(clerk));
    EXPECT_TRUE(OperatorHasPrivilege(1));
    EXPECT_FALSE(OperatorHasPrivilege(4));
    EXPECT_FALSE(OperatorHasPrivilege(kPrivilegeAdministrator));
    EXPECT_FALSE(OperatorHasPrivilege(kPrivilegeAdministrator + 1));
}
