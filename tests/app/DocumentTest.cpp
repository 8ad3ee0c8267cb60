#include "tests/app/DocumentFixture.h"

#include "app/RunState.h"
#include "database/GlobalRecordsets.h"
#include "platform/Database.h"
#include "platform/PrivateProfile.h"
#include "platform/SqlStatement.h"

#include <QFileInfo>

namespace {

const QString kSettings = QStringLiteral("Installation Settings");

class Document : public DocumentFixture
{
};

} // namespace

TEST_F(Document, DemoIsMadeFromAnEmptyProgramFolderAndOpensCleanly)
{
    QString error;
    const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
    ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
    EXPECT_TRUE(demo.endsWith("Installations/Acme Manufacturing(DEMO)/Acme Manufacturing(DEMO).wfi"));
    EXPECT_EQ(InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations")), demo) << "made once";

    MessageBoxScript script;
    CWFDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(demo));
    EXPECT_TRUE(script.Texts().isEmpty()) << script.Texts().join("|").toStdString();
    EXPECT_EQ(doc.m_strInstallationName, QStringLiteral("Acme Manufacturing"));
    EXPECT_EQ(HasControllers, 1);
    for (int node : {1, 2, 3})
        EXPECT_TRUE(doc.m_netQueue.HasNode(1, node)) << node;
    EXPECT_FALSE(doc.m_netQueue.HasNode(1, 4));
    EXPECT_EQ(doc.GetPendingCommandCount(), 0);
    doc.OnCloseDocument();
    EXPECT_FALSE(g_setVestrels.IsOpen());
}

TEST_F(Document, InstallationFileKeysHaveDefaultsAndLimits)
{
    const QString file = MakeInstallation("Keys");
    PrivateProfile::WriteString(kSettings, "Data To Program To Network", std::nullopt, file);
    PrivateProfile::WriteString(kSettings, "Installation Name", std::nullopt, file);
    PrivateProfile::WriteString(kSettings, "UserTypeLabel2", QString(60, 'x'), file);
    CWFDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(file));
    EXPECT_EQ(doc.m_bDataToProgram, 1);
    EXPECT_EQ(doc.m_strInstallationName, QFileInfo(file).absoluteFilePath().left(49));
    EXPECT_EQ(doc.m_userTypeLabels[1], QString(49, 'x'));
    EXPECT_EQ(doc.m_bIgnoreCaseDirCodes, 1);

    doc.m_bDataToProgram = 7;
    doc.m_bIgnoreCaseDirCodes = 0;
    doc.OnCloseDocument();
    EXPECT_EQ(PrivateProfile::GetString(kSettings, "Data To Program To Network", "", file), QStringLiteral("1"));
    EXPECT_EQ(PrivateProfile::GetString(kSettings, "Ignore Case for Directory Codes", "", file), QStringLiteral("0"));
}

TEST_F(Document, OpeningASecondInstallationSavesTheFirst)
{
    const QString first = MakeInstallation("First");
    const QString second = MakeInstallation("Second");
    CWFDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(first));
    doc.SetDataToProgram(0);
    doc.m_userTypeLabels[0] = QStringLiteral("Badge colour");
    ASSERT_TRUE(doc.OnOpenDocument(second));
    EXPECT_EQ(PrivateProfile::GetInt(kSettings, "Data To Program To Network", 9, first), 0);
    EXPECT_EQ(PrivateProfile::GetString(kSettings, "UserTypeLabel1", "", first), QStringLiteral("Badge colour"));
    EXPECT_EQ(doc.GetPathName(), QFileInfo(second).absoluteFilePath());
}

TEST_F(Document, RefusedOpenLeavesNothingOpenAndTheNextOpenWorks)
{
    const QString old = MakeInstallation("Old");
    PrivateProfile::DeleteSection("Version", old);
    const QByteArray before = [&] { QFile f(old); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    CWFDoc doc;
    QString error;
    ASSERT_TRUE(doc.OnOpenDocument(InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error)));
    ASSERT_TRUE(doc.m_netQueue.HasNode(1, 1));
    {
        MessageBoxScript script;
        EXPECT_FALSE(doc.OnOpenDocument(old));
        ASSERT_EQ(script.Texts().size(), 2);
        EXPECT_TRUE(script.Texts()[0].startsWith("The installation you are trying to open was created with a version of "
                                                 "Wardenfold prior to Wardix.\n\nPath: "));
        EXPECT_TRUE(script.Texts()[1].startsWith("Unable to open "));
        EXPECT_TRUE(script.Texts()[1].endsWith(".\n\nWardix will close."));
    }
    EXPECT_EQ(doc.m_bInstallationOpen, 0);
    EXPECT_FALSE(g_setUsers.IsOpen());
    EXPECT_FALSE(doc.m_netQueue.HasNode(1, 1)) << "nothing of the installation open before is left";
    EXPECT_EQ(HasControllers, 0);
    EXPECT_EQ(SkipProfileSave, 1) << "the profile is not saved after a refused open";
    QFile f(old);
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), before) << "a refused installation's file is left alone";

    ASSERT_TRUE(doc.OnOpenDocument(MakeInstallation("Good")));
    EXPECT_EQ(doc.m_bInstallationOpen, 1);
    EXPECT_TRUE(g_setUsers.IsOpen());
}

TEST_F(Document, MissingGlobalSettingsFailsTheOpenWithItsMessage)
{
    const QString file = MakeInstallation("NoGlobals");
    QFile::remove(QFileInfo(file).absolutePath() + "/Vestrels/GlobalSettings.dat");
    CWFDoc doc;
    MessageBoxScript script;
    EXPECT_FALSE(doc.OnOpenDocument(file));
    ASSERT_GE(script.Texts().size(), 1);
    EXPECT_EQ(script.Texts()[0], "Cannot locate " + QFileInfo(file).absolutePath() + "/Vestrels/GlobalSettings.dat"
                                     "\n\nExit Wardix and check your installation.");
}

TEST_F(Document, SilentNetworkSuspendsItsNodesAtOpen)
{
    QString error;
    const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
    NetQueueState = {};
    NodeLinkState = {};
    NetQueueState[0] = kNetworkStateNoAnswer;
    CWFDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(demo));
    for (int node : {1, 2, 3}) {
        SCOPED_TRACE(node);
        EXPECT_EQ(doc.m_netQueue.GetNode(1, node)->GetState(), CNetQueueNode::Suspended);
        EXPECT_EQ(NodeLinkState[0][node - 1], kNodeStateFailed);
        EXPECT_EQ(NodeTimedOut[0][node - 1], 1);
    }
    NetQueueState = {};
    NodeLinkState = {};
    NodeTimedOut = {};
}
