#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "common/ICommControlForm.h"
#include "common/SharedHelpers.h"
#include "platform/WindowMessages.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"

#include <QObject>

#include <gtest/gtest.h>

namespace {

class FakeCommForm : public ICommControlForm
{
public:
    bool IsConnected() const override { return connected; }
    void Disconnect() override
    {
        connected = false;
        ++disconnects;
    }
    int GoOnline() override
    {
        ++goOnlineCalls;
        return 1;
    }
    void ServiceQueue() override {}

    bool connected = false;
    int disconnects = 0;
    int goOnlineCalls = 0;
};

class FakeMainWindow : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() != AppMessageEvent::Type())
            return QObject::event(e);
        const auto* m = static_cast<AppMessageEvent*>(e);
        commands << std::make_pair(m->msg, m->wParam);
        return true;
    }
    QList<std::pair<unsigned, quintptr>> commands;
};

class SharedHelpers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetCommControlForm(&m_form);
        SetMainWindow(&m_mainWindow);
    }
    void TearDown() override
    {
        SetCommControlForm(nullptr);
        SetMainWindow(nullptr);
        SetInstallationDoc(nullptr);
    }

    FakeCommForm m_form;
    FakeMainWindow m_mainWindow;
};

} // namespace

TEST_F(SharedHelpers, RequireConnectionExplainsOnlyWhenAsked)
{
    MessageBoxScript script;
    EXPECT_FALSE(RequireConnection(false));
    EXPECT_FALSE(RequireConnection(true));
    m_form.connected = true;
    EXPECT_TRUE(RequireConnection(true));
    ASSERT_EQ(script.Texts(), QStringList{"Must be connected to the network to execute this command."});
    EXPECT_EQ(script.Shown()[0].icon, MbIcon::Information);
}

TEST_F(SharedHelpers, GoingOfflineAsksDisconnectsAndRefreshes)
{
    const QString question = QStringLiteral("To proceed with this function you will be taken offline.\n"
                                            "Do you want to proceed?");
    struct Case { bool connected; bool ask; int answer; bool result; int disconnects; int questions; };
    const Case cases[] = {
        {false, true, 0, true, 0, 0},
        {true, true, IDNO, false, 0, 1},
        {true, true, IDYES, true, 1, 1},
        {true, false, 0, true, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.connected << c.ask << c.answer);
        m_form = FakeCommForm{};
        m_form.connected = c.connected;
        m_mainWindow.commands.clear();
        MessageBoxScript script;
        if (c.questions)
            script.Answer(c.answer);
        EXPECT_EQ(GoOfflineForCommand(c.ask, true), c.result);
        EXPECT_EQ(m_form.disconnects, c.disconnects);
        EXPECT_EQ(script.Shown().size(), c.questions);
        if (c.questions) {
            EXPECT_EQ(script.Texts()[0], question);
        }
        // A refusal leaves the screen as it was.
        EXPECT_EQ(m_mainWindow.commands.size(), c.result ? 1 : 0);
        if (c.result) {
            EXPECT_EQ(m_mainWindow.commands[0], std::make_pair(Msg::WM_COMMAND, quintptr(32884)));
        }
    }
}

TEST_F(SharedHelpers, MarkDataToProgramFlagsTheInstallation)
{
    EXPECT_EQ(MarkDataToProgram(), 1) << "works with no installation open";
    CWFDoc doc;
    SetInstallationDoc(&doc);
    EXPECT_EQ(MarkDataToProgram(), 1);
    EXPECT_EQ(doc.GetDataToProgram(), 1);
    EXPECT_EQ(m_form.goOnlineCalls, 2);
    SetCommControlForm(nullptr);
    EXPECT_EQ(MarkDataToProgram(), 0);
}

TEST_F(SharedHelpers, MessageBoxFormatNeverReadsTheArgumentAsAFormat)
{
    MessageBoxScript script;
    MessageBoxFormat(QStringLiteral("Unable to open %s.\n\nWardix will close."), QStringLiteral("/x/%s%n%d"));
    MessageBoxFormat(QStringLiteral("No argument here."), QStringLiteral("ignored"));
    EXPECT_EQ(script.Texts(), (QStringList{"Unable to open /x/%s%n%d.\n\nWardix will close.", "No argument here."}));
}

TEST_F(SharedHelpers, PrivilegesAndPendingRequest)
{
    for (int p = 0; p <= 6; ++p)
        EXPECT_TRUE(OperatorHasPrivilege(p)) << p;
    EXPECT_FALSE(OperatorHasPrivilege(7));
    g_pendingNodeRequest = {kServeOneNode, 3, 4};
    ClearPendingNodeRequest();
    EXPECT_EQ(g_pendingNodeRequest.request, 0u);
    EXPECT_EQ(g_pendingNodeRequest.network, 0);
    EXPECT_EQ(g_pendingNodeRequest.node, 0);
}

TEST(BuildPath, FolderKinds)
{
    TestEnvironment env;
    const QString p = env.ProgramFolderPath();
    const QString i = QStringLiteral("/sites/Acme");
    struct Case { int kind; QString path; };
    const Case cases[] = {
        {0, p + "/Installations/f"}, {1, p + "/f"}, {2, i + "/f"}, {3, i + "/NetCommands/f"},
        {4, i + "/Vestrels/f"}, {5, i + "/Last Programmed On Net/f"}, {6, i + "/Event Logs/f"},
        {7, i + "/Database/f"}, {8, p + "/New Installation/f"}, {9, p + "/HTML/f"}, {10, i + "/Backups/f"},
        {11, p + "/Database/f"}, {12, i + "/Vestrels/f"}, {13, p + "/Reflashers/Reflasher.exe"},
        {14, QString()}, {-1, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(CWFDoc::BuildPath(c.kind, QStringLiteral("f"), i), c.path);
    }
}
