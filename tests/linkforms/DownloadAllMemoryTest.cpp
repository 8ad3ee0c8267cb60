#include "tests/linkforms/NetworkStatusPaneFixture.h"

#include "app/CWFApp.h"
#include "common/IOperatorRights.h"
#include "linkforms/CDownloadNodeDlg.h"
#include "linkforms/NodeCommands.h"
#include "platform/ShellOpen.h"

#include <QDir>

namespace {

using namespace NodeMenu;

constexpr int kNetA = 1;
constexpr int kNode = 2;

const QString kOverwrite = "There currently exists a downloaded memory image for this node.\n"
                           "Do you want to overwrite this image?";
const QString kViewLast = "Do you want to view the last download from this node?";

// The pane's "Download All Memory" with the download dialog answered by the
// test and every page the shell would open recorded.
class DownloadAllMemory : public NetworkStatusPane
{
protected:
    void SetUp() override
    {
        NetworkStatusPane::SetUp();
        if (HasFatalFailure())
            return;
        previousOpener = SetShellOpener([this](const QUrl& url) {
            opened << url.toLocalFile();
            return true;
        });
        pane->runDownloadDialog = [this](CDownloadNodeDlg& dialog) {
            ++dialogs;
            if (cancel)
                dialog.reject();
            return result;
        };
        folder = m_doc.GetDownloadFolder(kNetA, kNode);
        host.connectedNet = kNetA;
    }
    void TearDown() override
    {
        SetShellOpener(previousOpener);
        NetworkStatusPane::TearDown();
    }

    void Download() { Click(kNetA, kNode, kDownloadAllMemory); }

    ShellOpener previousOpener;
    QStringList opened;
    QString folder;
    int result = IDOK;
    bool cancel = false;
    int dialogs = 0;
};

TEST_F(DownloadAllMemory, MenuItemFollowsTheNodeRight)
{
    Download();
    ASSERT_TRUE(Item(kDownloadAllMemory));
    EXPECT_TRUE(Item(kDownloadAllMemory)->enabled);

    struct NoNodeRight : IOperatorRights
    {
        NoNodeRight() { SetOperatorRights(this); }
        ~NoNodeRight() override { SetOperatorRights(nullptr); }
        int IsAdministrator() const override { return 0; }
        bool HasPrivilege(int privilege) const override { return privilege != NodeCommands::kNodePrivilege; }
    } rights;
    Click(kNetA, kNode);
    ASSERT_TRUE(Item(kDownloadAllMemory));
    EXPECT_FALSE(Item(kDownloadAllMemory)->enabled);
}

TEST_F(DownloadAllMemory, ExistingDownloadIsKeptAndMayBeViewed)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const int view : {IDNO, IDYES}) {
        SCOPED_TRACE(view);
        MessageBoxScript local;
        opened.clear();
        local.Answer(IDNO);
        local.Answer(view);
        Download();
        EXPECT_EQ(local.Texts(), (QStringList{kOverwrite, kViewLast}));
        EXPECT_EQ(opened, view == IDYES ? QStringList{folder + "Marrowin.htm"} : QStringList{});
    }
    EXPECT_EQ(dialogs, 0);
}

TEST_F(DownloadAllMemory, RefusalsSayWhyAndReadNothing)
{
    struct Case
    {
        const char* why;
        int connectedNet;
        bool queued;
        bool listed;
        const char* text;
    };
    const Case cases[] = {
        {"offline", 0, false, true, "Must be connected to the network to execute this command."},
        {"queued", kNetA, true, true, "All commands must be sent to this network before downloading this node."},
        {"disabled", kNetA, false, false, "Unable to download memory.\n\nNetwork A is currently disabled."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MessageBoxScript local;
        ASSERT_TRUE(m_doc.ClearNetCommands());
        if (c.queued) {
            ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
        }
        host.connectedNet = c.connectedNet;
        host.listed[kNetA - 1] = c.listed;
        Download();
        EXPECT_EQ(local.Texts(), QStringList{c.text});
        EXPECT_FALSE(QDir(folder).exists());
    }
    EXPECT_EQ(dialogs, 0);
}

TEST_F(DownloadAllMemory, OverwriteRunsTheDownloadAndShowsTheNewView)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    boxes.Answer(IDYES);
    Download();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(boxes.Texts(), QStringList{kOverwrite});
    EXPECT_EQ(opened, QStringList{folder + "Marrowin.htm"});
    EXPECT_EQ(host.disconnects, 0) << "the profile does not ask for it";
}

TEST_F(DownloadAllMemory, FailureIsReportedUnlessCancelled)
{
    result = IDCANCEL;
    Download();
    EXPECT_TRUE(QDir(folder).exists()) << "the folder is made for the download";
    EXPECT_EQ(boxes.Texts(), QStringList{"Error downloading the node."});
    cancel = true;
    MessageBoxScript local;
    local.Answer(IDYES);
    Download();
    EXPECT_EQ(local.Texts(), QStringList{kOverwrite});
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(DownloadAllMemory, ProfileOptionDisconnectsWhenNothingIsPending)
{
    CWFApp app;
    app.Settings().m_disconnectAfterUpload = 1;
    NodeCommands commands(m_doc, host);
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    commands.AfterDownload(kNetA, kNode, IDOK, false);
    EXPECT_EQ(host.disconnects, 0) << "commands still wait";
    ASSERT_TRUE(m_doc.ClearNetCommands());
    commands.AfterDownload(kNetA, kNode, IDOK, false);
    EXPECT_EQ(host.disconnects, 1);
    EXPECT_EQ(opened.size(), 2);
}

} // namespace
