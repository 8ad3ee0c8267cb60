#include "app/CInstallationsDlg.h"
#include "app/CNewInstallationDlg.h"
#include "app/CStartupDlg.h"
#include "database/CInstallationBackup.h"
#include "platform/Clock.h"
#include "platform/Profile.h"
#include "tests/database/InstallationListFixture.h"
#include "tests/support/MessageBoxScript.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

using InstallationDialogs = InstallationListFixture;

namespace {

// Types as the operator would, so the edit reports each change.
void TypeInto(QWidget* edit, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

// The clock of a test, given back when it ends.
class InstalledClock
{
public:
    explicit InstalledClock(Clock* clock) { Clock::Install(clock); }
    ~InstalledClock() { Clock::Install(nullptr); }
    InstalledClock(const InstalledClock&) = delete;
    InstalledClock& operator=(const InstalledClock&) = delete;
};

} // namespace

TEST_F(InstallationDialogs, InstallationsDialogOpensTheChosenInstallation)
{
    ListInstallation(1, QStringLiteral("B"), QStringLiteral("Beta"));
    const QString alpha = ListInstallation(2, QStringLiteral("A"), QStringLiteral("Alpha"));
    CInstallationsDlg dialog(InstallationsList::kInstallationsMode);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Installations"));
    ASSERT_EQ(dialog.List()->count(), 2);
    {
        MessageBoxScript script;
        dialog.accept();
        EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("Please select the installation to open.")});
    }
    dialog.List()->item(0)->setSelected(true); // sorted: Alpha first
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetPath(), alpha);
}

TEST_F(InstallationDialogs, InstallationsDialogRenamesAndForgetsRows)
{
    const QString path = ListInstallation(1, QStringLiteral("A"), QStringLiteral("Alpha"));
    CInstallationsDlg dialog(InstallationsList::kInstallationsMode);
    dialog.List()->item(0)->setText(QStringLiteral("Renamed"));
    ASSERT_EQ(dialog.List()->count(), 1);
    EXPECT_EQ(dialog.List()->item(0)->text(), QStringLiteral("Renamed"));
    EXPECT_EQ(ProfileEntry(1), path);
    EXPECT_TRUE(ProfileEntry(2).isEmpty());

    dialog.List()->item(0)->setSelected(true);
    MessageBoxScript script{IDYES};
    dialog.OnDelete();
    EXPECT_EQ(dialog.List()->count(), 0);
    EXPECT_TRUE(ProfileEntry(1).isEmpty());
}

// One click must not lose every change since the backup without a word.
TEST_F(InstallationDialogs, ARestoreAsksFirstAndNoChangesNothing)
{
    FixedClock clock{QDateTime(QDate(2026, 3, 7), QTime(14, 5), QTimeZone::utc())};
    const InstalledClock installed(&clock);
    const QString north = ListInstallation(1, QStringLiteral("home/Installations/N"), QStringLiteral("North"));
    ListInstallation(2, QStringLiteral("home/Installations/S"), QStringLiteral("South"));
    {
        MessageBoxScript script;
        CInstallationBackup backup;
        backup.SetPaths(m_env.Path(QStringLiteral("Store")), QStringLiteral("Before the move"));
        ASSERT_TRUE(backup.RunBackup());
    }
    const QString cards = QFileInfo(north).path() + QStringLiteral("/Database/Cards.mdb");
    WriteFile(cards, "cards issued since");
    Profile::WriteString(QStringLiteral("Options"), QStringLiteral("Since"), QStringLiteral("kept"));

    CInstallationsDlg dialog(InstallationsList::kBackupsMode);
    ASSERT_EQ(dialog.List()->count(), 1);
    EXPECT_EQ(dialog.List()->item(0)->text(), QStringLiteral("Before the move\nMarch 07, 2026 02:05 PM"));
    dialog.List()->item(0)->setSelected(true);
    {
        MessageBoxScript script{IDNO};
        dialog.accept();
        ASSERT_EQ(script.Shown().size(), 1);
        EXPECT_EQ(script.Shown()[0].text,
                  QStringLiteral("Restoring the backup \"Before the move\" of March 07, 2026 02:05 PM replaces the "
                                 "installations \"North\", \"South\" and the program's settings with what they were "
                                 "then. Every change made since that backup is lost.\n\n"
                                 "Do you want to restore this backup?"));
        EXPECT_EQ(script.Shown()[0].buttons, MbButtons::YesNo);
        EXPECT_EQ(script.Shown()[0].defaultButton, MbDefault::Second);
    }
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "the list stays open for another choice";
    EXPECT_EQ(ReadFile(cards), QByteArray("cards issued since"));
    EXPECT_EQ(Profile::GetString(QStringLiteral("Options"), QStringLiteral("Since")), QStringLiteral("kept"));

    MessageBoxScript script{IDYES};
    dialog.accept();
    EXPECT_EQ(script.Shown().size(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ReadFile(cards), QByteArray("cards of North"));
}

TEST_F(InstallationDialogs, InstallationsDialogCancelsWithoutAnyValidInstallation)
{
    CInstallationsDlg dialog(InstallationsList::kInstallationsMode);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(InstallationDialogs, NewInstallationNameRefusesForbiddenAndTakenNames)
{
    QDir().mkpath(m_env.Path(QStringLiteral("Installations/Taken")));
    CNewInstallationDlg dialog(m_env.Path(QStringLiteral("Installations")));
    dialog.NameEdit()->setText(QStringLiteral("Nor"));
    {
        MessageBoxScript script;
        dialog.NameEdit()->end(false);
        TypeInto(dialog.NameEdit(), QStringLiteral("th:"));
        ASSERT_EQ(script.Shown().size(), 1);
        EXPECT_TRUE(script.Shown()[0].text.startsWith(QStringLiteral("A filename cannot contain")));
    }
    EXPECT_EQ(dialog.GetName(), QStringLiteral("North"));

    struct Case
    {
        const char* name;
        bool accepted;
    };
    for (const Case& c : {Case{"", false}, Case{"..", false}, Case{"Taken", false}, Case{"North", true}}) {
        SCOPED_TRACE(c.name);
        dialog.setResult(QDialog::Rejected);
        dialog.NameEdit()->setText(QLatin1String(c.name));
        MessageBoxScript script;
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(script.Shown().isEmpty(), c.accepted);
    }
}

TEST(StartupDialog, OnlyOkClosesItAndReportsTheCheck)
{
    CStartupDlg dialog;
    dialog.show();
    dialog.DontShowCheck()->setChecked(true);
    dialog.reject(); // Escape
    EXPECT_TRUE(dialog.isVisible());
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.DontShowAgain(), 1);
}
