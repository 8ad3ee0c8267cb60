#include "database/CInstallation.h"
#include "database/FolderCopy.h"
#include "database/InstallationName.h"
#include "database/InstallationsList.h"
#include "platform/Profile.h"
#include "tests/database/InstallationListFixture.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/ProgressRecorder.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <functional>

#include <sys/stat.h>

#include <gtest/gtest.h>

using Installation = InstallationListFixture;
using FolderCopy = InstallationListFixture;

TEST_F(Installation, LoadAcceptsOnlyExistingFilesOfVersionOneOrMore)
{
    const QString current = MakeInstallation(QStringLiteral("Cur"), QStringLiteral("Current"));
    const QString old = MakeInstallation(QStringLiteral("Old"), QStringLiteral("Old one"), "0.50");
    const QString missing = m_env.Path(QStringLiteral("Gone/Gone.wfi"));
    struct Case
    {
        QString path;
        bool loads;
        QString name;
    };
    const Case cases[] = {
        {current, true, QStringLiteral("Current")},
        {old, false, QString()},
        {missing, false, missing}, // the name shows what is missing
        {QString(), false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        CInstallation installation(c.path);
        EXPECT_EQ(installation.Load(), c.loads);
        EXPECT_EQ(installation.GetName(), c.name);
    }
}

TEST_F(Installation, RegisterTakesTheLowestFreeSlotAndKeepsAListedPath)
{
    ListInstallation(1, QStringLiteral("A"), QStringLiteral("A"));
    ListInstallation(3, QStringLiteral("C"), QStringLiteral("C"));
    const QString b = MakeInstallation(QStringLiteral("B"), QStringLiteral("B"));

    CInstallation installation(b);
    ASSERT_TRUE(installation.Register());
    EXPECT_EQ(installation.GetSlot(), 2);
    EXPECT_EQ(ProfileEntry(2), b);

    // Renaming the listed installation keeps its one entry.
    CInstallation listed(3);
    ASSERT_TRUE(listed.Load());
    ASSERT_TRUE(listed.SetName(QStringLiteral("C renamed")));
    EXPECT_EQ(listed.GetSlot(), 3);
    EXPECT_TRUE(ProfileEntry(4).isEmpty());
    CInstallation reread(3);
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.GetName(), QStringLiteral("C renamed"));
}

TEST_F(Installation, RegisterRefusesWhenAllNinetyNineSlotsAreValid)
{
    for (int slot = 1; slot <= CInstallation::kMaxInstallations; ++slot)
        ListInstallation(slot, QStringLiteral("I%1").arg(slot), QStringLiteral("I%1").arg(slot));
    MessageBoxScript script;
    CInstallation extra(MakeInstallation(QStringLiteral("Extra"), QStringLiteral("Extra")));
    EXPECT_FALSE(extra.Register());
    EXPECT_EQ(script.Texts(),
              QStringList{QStringLiteral("You have exceeded the maximum allowable installations to be saved - which is 99.")});
}

TEST_F(Installation, RenamedFileFreesItsOldEntryAndTakesTheLowestFreeSlot)
{
    const QString path = ListInstallation(1, QStringLiteral("Site"), QStringLiteral("Site"));
    ListInstallation(2, QStringLiteral("Other"), QStringLiteral("Other"));
    CInstallation installation(path);
    ASSERT_TRUE(installation.Rename(QStringLiteral("Site 2")));
    EXPECT_EQ(installation.GetPath(), m_env.Path(QStringLiteral("Site/Site 2.wfi")));
    EXPECT_EQ(installation.GetSlot(), 1);
    EXPECT_EQ(ProfileEntry(1), installation.GetPath());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(Installation, CopyRefusesATargetInsideTheSource)
{
    MakeInstallation(QStringLiteral("Src"), QStringLiteral("Src"));
    MessageBoxScript script;
    EXPECT_FALSE(CInstallation::CopyTo(m_env.Path(QStringLiteral("Src")), m_env.Path(QStringLiteral("Src/Database/x"))));
    EXPECT_EQ(script.Shown().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(m_env.Path(QStringLiteral("Src/Database/x"))));
}

TEST_F(Installation, CopyAsksBeforeReplacingFiles)
{
    MakeInstallation(QStringLiteral("Src"), QStringLiteral("Src"));
    const QString target = m_env.Path(QStringLiteral("Dst"));
    WriteFile(target + QStringLiteral("/Database/Cards.mdb"), "keep me");
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        MessageBoxScript script{answer};
        EXPECT_EQ(CInstallation::CopyTo(m_env.Path(QStringLiteral("Src")), target), answer == IDYES);
        EXPECT_EQ(ReadFile(target + QStringLiteral("/Database/Cards.mdb")),
                  answer == IDYES ? QByteArray("cards of Src") : QByteArray("keep me"));
    }
}

TEST_F(Installation, CopiesShowTheirProgressWindowsTitledAsTheCommandSays)
{
    ListInstallation(1, QStringLiteral("Src"), QStringLiteral("Src"));
    const QString source = m_env.Path(QStringLiteral("Src"));
    const struct
    {
        const char* title;
        std::function<bool(const QString& target)> copy;
    } cases[] = {
        {"Copying installation...", [&](const QString& target) { return CInstallation::CopyTo(source, target); }},
        {"Coping Installation...",
         [](const QString& target) {
             return InstallationsList(InstallationsList::kInstallationsMode).Copy(1, target);
         }},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const QString target = m_env.Path(QStringLiteral("Copy%1").arg(++n));
        QDir().mkpath(target);
        MessageBoxScript script;
        ProgressRecorder progress;
        ASSERT_TRUE(c.copy(target));
        EXPECT_EQ(progress.captions, QStringList{QString::fromLatin1(c.title)});
        ASSERT_FALSE(progress.statuses.isEmpty());
        EXPECT_TRUE(QStringList({QStringLiteral("Src.wfi"), QStringLiteral("Database/Cards.mdb")})
                        .contains(progress.statuses.first()))
            << progress.statuses.first().toStdString();
        ASSERT_FALSE(progress.positions.empty());
        EXPECT_EQ(progress.positions.back(), progress.upper);
        EXPECT_FALSE(progress.open);
    }
}

TEST_F(FolderCopy, ReportsEachFileWithTheBytesCopiedBeforeIt)
{
    const QString from = m_env.Path(QStringLiteral("From"));
    WriteFile(from + QStringLiteral("/a.wfi"), QByteArray(10, 'a'));
    WriteFile(from + QStringLiteral("/Database/b.mdb"), QByteArray(20, 'b'));
    QDir().mkpath(from + QStringLiteral("/Empty"));
    QMap<QString, qint64> before;
    qint64 reportedTotal = -1;
    const QString to = m_env.Path(QStringLiteral("To"));
    ASSERT_TRUE(CopyFolderContents(from, to, [&](const QString& file, qint64 done, qint64 total) {
        before.insert(file, done);
        reportedTotal = total;
    }));
    EXPECT_EQ(before.keys(), QStringList({QStringLiteral("Database/b.mdb"), QStringLiteral("a.wfi")}));
    EXPECT_EQ(reportedTotal, 30);
    // Whichever came first started at 0, the other after the first's bytes.
    const qint64 a = before.value(QStringLiteral("a.wfi"));
    const qint64 b = before.value(QStringLiteral("Database/b.mdb"));
    EXPECT_TRUE((a == 0 && b == 10) || (b == 0 && a == 20)) << a << " " << b;
    EXPECT_EQ(ReadFile(to + QStringLiteral("/Database/b.mdb")), QByteArray(20, 'b'));
    EXPECT_TRUE(QFileInfo(to + QStringLiteral("/Empty")).isDir());
}

TEST_F(FolderCopy, FolderHoldingWhatIsNoFileCopiesNothing)
{
    const QString from = m_env.Path(QStringLiteral("From"));
    WriteFile(from + QStringLiteral("/a.wfi"), "a");
    ASSERT_EQ(mkfifo(QFile::encodeName(from + QStringLiteral("/pipe")).constData(), 0600), 0);
    const QString to = m_env.Path(QStringLiteral("To"));
    int reported = 0;
    EXPECT_FALSE(CopyFolderContents(from, to, [&](const QString&, qint64, qint64) { ++reported; }));
    EXPECT_EQ(reported, 0);
    EXPECT_TRUE(QDir(to).isEmpty());
}

TEST(InstallationName, WholeNameIsCheckedAsAFolderName)
{
    const QString empty = QStringLiteral("empty");
    struct Case
    {
        const char* name;
        bool accepted;
    };
    const Case cases[] = {
        {"North Gate", true}, {"", false},    {"  ", false},  {".", false},      {"..", false},
        {"a/b", false},       {"a\\b", false}, {"a:b", false}, {"ok.name", true}, {"x|y", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckFolderName(QLatin1String(c.name), QString(), empty).isEmpty(), c.accepted);
    }
    EXPECT_EQ(CheckFolderName(QString(), QString(), empty), empty);
    EXPECT_EQ(ForbiddenCharacterWarning(), QStringLiteral("A filename cannot contain any of the following characters:\n"
                                                          "             \\ / : * ? \" < > |"));
}

TEST_F(Installation, NameOfAnExistingFolderIsRefused)
{
    QDir().mkpath(m_env.Path(QStringLiteral("Installations/Taken")));
    EXPECT_FALSE(CheckFolderName(QStringLiteral("Taken"), m_env.Path(QStringLiteral("Installations")), QString()).isEmpty());
    EXPECT_TRUE(CheckFolderName(QStringLiteral("Free"), m_env.Path(QStringLiteral("Installations")), QString()).isEmpty());
}

TEST_F(Installation, ListForgetsOnlyEntriesWhoseFileIsGone)
{
    ListInstallation(1, QStringLiteral("A"), QStringLiteral("Alpha"));
    const QString gone = ListInstallation(2, QStringLiteral("B"), QStringLiteral("Beta"));
    QFile::remove(gone);
    Profile::WriteString(QStringLiteral("Installations"), CInstallation::ProfileKey(4),
                         MakeInstallation(QStringLiteral("Old"), QStringLiteral("Old"), "0.10"));

    const InstallationsList list(InstallationsList::kInstallationsMode);
    const auto rows = list.Fill(true);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text, QStringLiteral("Alpha"));
    EXPECT_EQ(rows[0].slot, 1);
    EXPECT_TRUE(ProfileEntry(2).isEmpty());
    EXPECT_FALSE(ProfileEntry(4).isEmpty());
}

TEST_F(Installation, BrowsedInstallationIsListedUnderItsFileTitle)
{
    const QString path = MakeInstallation(QStringLiteral("Far"), QStringLiteral("Inner name"), "2.00", QStringLiteral("Title"));
    const InstallationsList list(InstallationsList::kInstallationsMode);
    ASSERT_TRUE(list.BrowseInstallation(path));
    ASSERT_TRUE(list.BrowseInstallation(path)); // a second browse adds no second entry
    const auto rows = list.Fill(false);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text, QStringLiteral("Title"));
}

TEST_F(Installation, CopyGoesIntoTheChosenFolderItself)
{
    ListInstallation(1, QStringLiteral("Src"), QStringLiteral("Src"));
    const QString target = m_env.Path(QStringLiteral("Chosen"));
    QDir().mkpath(target);
    MessageBoxScript script;
    ASSERT_TRUE(InstallationsList(InstallationsList::kInstallationsMode).Copy(1, target));
    EXPECT_TRUE(QFileInfo::exists(target + QStringLiteral("/Src.wfi")));
    EXPECT_TRUE(QFileInfo::exists(target + QStringLiteral("/Database/Cards.mdb")));
    EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("Installation copied successfully.")});
}

TEST_F(Installation, PropertiesGiveTheSizeInWholeKilobytes)
{
    const QString path = ListInstallation(1, QStringLiteral("Big"), QStringLiteral("Big"));
    WriteFile(m_env.Path(QStringLiteral("Big/Database/Blob.mdb")), QByteArray(3 * 1024, 'x'));
    const qint64 total = QFileInfo(path).size() + QFileInfo(m_env.Path(QStringLiteral("Big/Database/Cards.mdb"))).size()
                         + 3 * 1024;
    const QString text = InstallationsList(InstallationsList::kInstallationsMode).Properties(1);
    EXPECT_TRUE(text.contains(QStringLiteral("Size:\t\t%1 KB\n").arg(total / 1024))) << text.toStdString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Name:\t\tBig\nPath:\t\t") + path));
    EXPECT_TRUE(text.endsWith(QStringLiteral("Open:\t\tNo")));
}

TEST_F(Installation, PropertiesShowNamesAndPathsAsTheyAre)
{
    const QString path = ListInstallation(1, QStringLiteral("Site %2"), QStringLiteral("Site %1 North"));
    const QString text = InstallationsList(InstallationsList::kInstallationsMode).Properties(1);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Name:\t\tSite %1 North\nPath:\t\t") + path + QStringLiteral("\nSize:\t\t")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Open:\t\tNo"))) << text.toStdString();
}

TEST_F(Installation, DeleteForgetsTheEntryOnlyAfterYesAndKeepsTheFiles)
{
    const QString path = ListInstallation(1, QStringLiteral("Keep"), QStringLiteral("Keep"));
    const InstallationsList list(InstallationsList::kInstallationsMode);
    {
        MessageBoxScript script{IDNO};
        EXPECT_FALSE(list.Delete(1));
        EXPECT_EQ(ProfileEntry(1), path);
    }
    MessageBoxScript script{IDYES};
    EXPECT_TRUE(list.Delete(1));
    EXPECT_TRUE(ProfileEntry(1).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(path));
}
