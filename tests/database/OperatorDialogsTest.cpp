#include "app/CLoginDlg.h"
#include "app/CTabWFOperators.h"
#include "database/COperatorStore.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

int AddOperator(const char* name, const char* password, int administrator, int privilege = -1)
{
    COperatorStore store;
    const int slot = store.AddOperator(QLatin1String(name));
    store.SetPassword(QLatin1String(password));
    store.SetAdministrator(administrator);
    if (privilege >= 0)
        store.WriteOperatorInt(COperatorStore::PrivilegeKey(privilege), 1);
    return slot;
}

} // namespace

TEST(LoginDialog, EndsByItselfWithEveryRightWhenNoAdministratorIsOffered)
{
    TestEnvironment env;
    AddOperator("Clerk", "pw", 0, 1);
    COperatorStore loggedIn;
    loggedIn.LoadOperator(0); // whoever it held before
    CLoginDlg dialog(loggedIn);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(loggedIn.GetSlot(), COperatorStore::kNoOperator);
    EXPECT_TRUE(loggedIn.HasPrivilege(4));
    EXPECT_TRUE(loggedIn.IsAdministrator());
}

TEST(LoginDialog, OffersOperatorsWithRightsAndChecksThePassword)
{
    TestEnvironment env;
    AddOperator("Zed", "Secret", 1);
    AddOperator("Nobody", "", 0);
    const int amy = AddOperator("Amy", "pw", 0, 2);
    COperatorStore loggedIn;
    CLoginDlg dialog(loggedIn);
    ASSERT_EQ(dialog.OperatorList()->count(), 2);
    EXPECT_EQ(dialog.OperatorList()->item(0)->text(), QStringLiteral("Amy")); // sorted
    EXPECT_EQ(dialog.OperatorList()->currentRow(), 0);

    dialog.PasswordEdit()->setText(QStringLiteral("PW"));
    {
        MessageBoxScript script;
        dialog.accept();
        EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("Wrong password entered.")});
    }
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.PasswordEdit()->selectedText(), QStringLiteral("PW"));

    dialog.PasswordEdit()->setText(QStringLiteral("pw"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(loggedIn.GetSlot(), amy);
    EXPECT_EQ(dialog.IsAdministrator(), 0);
    EXPECT_TRUE(loggedIn.HasPrivilege(2));
    EXPECT_FALSE(loggedIn.HasPrivilege(4));
}

TEST(OperatorsPage, EditsAreStoredWhenAnotherRowIsChosen)
{
    TestEnvironment env;
    AddOperator("Boss", "b", 1);
    const int clerk = AddOperator("Clerk", "old", 0);
    CTabWFOperators page(0);
    ASSERT_EQ(page.OperatorList()->count(), 2);
    page.OperatorList()->setCurrentRow(1);
    ASSERT_EQ(page.CurrentSlot(), clerk);
    page.PasswordEdit()->setText(QStringLiteral("new"));
    page.ConfirmEdit()->setText(QStringLiteral("typo"));
    page.PrivilegeList()->item(3)->setCheckState(Qt::Checked);
    {
        MessageBoxScript script;
        page.OperatorList()->setCurrentRow(0);
        EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("The password is not entered correctly and will not be "
                                                             "saved.\nPlease re-enter the password.")});
    }
    COperatorStore stored;
    ASSERT_TRUE(stored.LoadOperator(clerk));
    EXPECT_EQ(stored.GetPassword(), QStringLiteral("old"));
    EXPECT_EQ(stored.GetPrivilege(3), 1);
    EXPECT_TRUE(page.PrivilegeList()->isHidden()); // the boss is an administrator
}

TEST(OperatorsPage, LoggedInOperatorCannotBeDeletedOthersCan)
{
    TestEnvironment env;
    const int boss = AddOperator("Boss", "b", 1);
    const int clerk = AddOperator("Clerk", "c", 0, 1);
    CTabWFOperators page(boss);
    page.OperatorList()->setCurrentRow(0);
    {
        MessageBoxScript script;
        page.OnDelete();
        EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("Cannot delete the current operator.")});
    }
    page.OperatorList()->setCurrentRow(1);
    page.OnDelete();
    EXPECT_EQ(page.OperatorList()->count(), 1);
    EXPECT_FALSE(COperatorStore().LoadOperator(clerk));
}

TEST(OperatorsPage, NewRowStoresAnOperatorAndTheTwentyFirstIsRefused)
{
    TestEnvironment env;
    for (int i = 0; i < COperatorStore::kMaxOperators - 1; ++i)
        AddOperator("Op", "", 0);
    CTabWFOperators page(COperatorStore::kNoOperator);
    page.OnNew();
    ASSERT_EQ(page.OperatorList()->count(), COperatorStore::kMaxOperators);
    EXPECT_EQ(page.OperatorList()->item(0)->text(), QStringLiteral("New Name"));
    page.OperatorList()->item(0)->setText(QStringLiteral("Dana")); // the label edit ends
    COperatorStore stored;
    ASSERT_TRUE(stored.LoadOperator(COperatorStore::kMaxOperators - 1));
    EXPECT_EQ(stored.GetName(), QStringLiteral("Dana"));

    {
        MessageBoxScript script;
        page.OnNew();
        EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("Too many operators defined.")});
        EXPECT_EQ(page.OperatorList()->count(), COperatorStore::kMaxOperators);
    }

    page.OperatorList()->item(0)->setText(QString()); // an emptied name deletes the operator
    QCoreApplication::processEvents();
    EXPECT_EQ(page.OperatorList()->count(), COperatorStore::kMaxOperators - 1);
    EXPECT_FALSE(stored.LoadOperator(COperatorStore::kMaxOperators - 1));
}
