#include "app/CWFApp.h"
#include "app/RunState.h"
#include "platform/Profile.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class ProfileSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NodeLinkState = {};
        NodeReprogramPending = {};
        NetQueueState = {};
    }

    TestEnvironment m_env;
    CWFApp m_app;
};

} // namespace

TEST_F(ProfileSettings, FreshProfileGetsDefaultsAndTheDemoInstallation)
{
    m_app.LoadSettings();
    const CColumnWidths& s = m_app.Settings();
    const QString demo = QDir(m_env.ProgramFolderPath())
                             .filePath("Installations/Acme Manufacturing(DEMO)/Acme Manufacturing(DEMO).wfi");
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), demo);
    EXPECT_EQ(Profile::GetString("Installations", "Installation 1"), demo);
    EXPECT_EQ(s.m_hideStartupDialog, 0);
    EXPECT_EQ(s.m_firstLaunch, 1);
    EXPECT_EQ(s.m_selectedModem, -1);
    EXPECT_EQ(s.m_monitoredEvents, -1);
    EXPECT_EQ(s.m_splitterPanePos, 360);
    EXPECT_EQ(s.m_eventStartSearchDate, QStringLiteral("01/01/2004"));
    EXPECT_EQ(s.m_printerFont, QStringLiteral("Courier New"));
    EXPECT_EQ(s.m_backupsFolder, QDir(m_env.ProgramFolderPath()).filePath("Backups"));
    EXPECT_EQ(NodeLinkState[7][7], kNodeStateAnswers);
}

TEST_F(ProfileSettings, SavedValuesComeBackAndFirstLaunchEnds)
{
    m_app.LoadSettings();
    m_app.Settings().m_selectedVestrels = 12;
    m_app.Settings().m_printerFont = QStringLiteral("Lucida Console");
    m_app.Settings().m_hideStartupDialog = 1;
    m_app.SetBackupWarning(0);
    NetQueueState[2] = kNetworkStateNoAnswer;
    NodeLinkState[1][4] = kNodeStateFailed;
    m_app.SaveSettings();

    NodeLinkState = {};
    CWFApp next;
    next.LoadSettings();
    EXPECT_EQ(next.Settings().m_firstLaunch, 0);
    EXPECT_EQ(next.Settings().m_selectedVestrels, 12);
    EXPECT_EQ(next.Settings().m_printerFont, QStringLiteral("Lucida Console"));
    EXPECT_EQ(next.Settings().m_hideStartupDialog, 1);
    EXPECT_EQ(next.GetBackupWarning(), 0);
    EXPECT_EQ(NetQueueState[2], kNetworkStateNoAnswer);
    EXPECT_EQ(NodeLinkState[1][4], kNodeStateFailed);
    EXPECT_EQ(NodeReprogramPending[1][4], 1);
    EXPECT_EQ(Profile::GetString("Node States", "Network B"), QStringLiteral("11113111"));
}

TEST_F(ProfileSettings, NodeStateTextsAreReadCharacterByCharacter)
{
    struct Case { const char* text; const char* states; };
    const Case cases[] = {
        {"11111111", "11111111"},
        {"13", "13000000"},          // short: the missing nodes stay unknown
        {"1x3?13", "103013" "00"},   // odd characters read as unknown
        {"3333333311", "33333333"},  // long: only eight nodes
        {"", "00000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        NodeLinkState = {};
        Profile::WriteString("Node States", "Network D", QString::fromLatin1(c.text));
        m_app.LoadSettings();
        QString states;
        for (std::uint8_t s : NodeLinkState[3])
            states += QString::number(s);
        EXPECT_EQ(states, QString::fromLatin1(c.states));
    }
}

TEST_F(ProfileSettings, ClearingTheListsEmptiesEveryEntryUpTo99)
{
    for (int n : {1, 2, 50, 99})
        Profile::WriteString("Installations", QStringLiteral("Installation %1").arg(n), "x.wfi");
    Profile::WriteString("Recent File List", "File4", "y.wfi");
    m_app.ClearInstallationLists();
    for (int n : {1, 2, 50, 99})
        EXPECT_TRUE(Profile::GetString("Installations", QStringLiteral("Installation %1").arg(n)).isEmpty()) << n;
    EXPECT_TRUE(Profile::GetString("Recent File List", "File4").isEmpty());
}

TEST_F(ProfileSettings, KnownInstallationIsNotReplacedByTheDemo)
{
    Profile::WriteString("Installations", "Installation 1", "/sites/Main.wfi");
    Profile::WriteString("Recent File List", "File1", "/sites/Main.wfi");
    Profile::WriteInt("Setup", "Don't show dialog", 1);
    m_app.LoadSettings();
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), QStringLiteral("/sites/Main.wfi"));
    // Still a first launch: the dialog setting is not read yet.
    EXPECT_EQ(m_app.Settings().m_hideStartupDialog, 0);
}

TEST(ColumnWidths, DefaultTextAndBoundedAccess)
{
    CColumnWidths w;
    EXPECT_EQ(w.m_columnWidths.size(), 249);
    EXPECT_EQ(w.GetWidth(0), 65);
    EXPECT_EQ(w.GetWidth(46), 210);
    EXPECT_EQ(w.GetWidth(47), 0);
    EXPECT_EQ(w.GetWidth(61), 0);
    EXPECT_EQ(w.GetWidth(62), 0);
    EXPECT_EQ(w.GetWidth(-1), 0);

    w.SetWidth(3, 250);
    EXPECT_EQ(w.m_columnWidths.mid(12, 4), QStringLiteral("0250"));
    w.SetWidth(5, 123456);
    EXPECT_EQ(w.GetWidth(5), 9999);
    w.SetWidth(6, -4);
    EXPECT_EQ(w.GetWidth(6), 0);
    const QString before = w.m_columnWidths;
    w.SetWidth(62, 10);
    w.SetWidth(-3, 10);
    EXPECT_EQ(w.m_columnWidths, before);

    w.m_columnWidths = QStringLiteral("12x4007");
    EXPECT_EQ(w.GetWidth(0), 1204);
    EXPECT_EQ(w.GetWidth(1), 0) << "a short stored text must not be read past its end";
}
