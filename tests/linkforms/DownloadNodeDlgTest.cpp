#include "link/NetCommandKinds.h"
#include "link/WireFrame.h"
#include "linkforms/CDownloadNodeDlg.h"
#include "tests/image/DownloadSupport.h"
#include "tests/linkforms/PanelLinkFixture.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <atomic>

#include <gtest/gtest.h>

namespace {

constexpr int kNode = 2;
constexpr int kBoundMs = 60000;

// Node A2's memory read back through the dialog, the link engine and a
// simulated panel on a pseudo-terminal.
class DownloadNodeDialog : public PanelLinkPane
{
protected:
    void SetUp() override
    {
        PanelLinkPane::SetUp();
        if (HasFatalFailure())
            return;
        line.WithNode(kNode, [](PanelSimulator& panel) { FillBanksWithPatterns(panel); });
        folder = m_doc.GetDownloadFolder(1, kNode);
        ASSERT_TRUE(QDir().mkpath(folder));
        dialog = std::make_unique<CDownloadNodeDlg>(m_doc.m_netQueue, host, folder, 1, kNode);
        QObject::connect(&dialog->Downloader(), &NodeDownloader::statusChanged,
                         [this](const QString& text) { statuses << text; });
        // A stuck download fails the test instead of holding it in the modal loop.
        QTimer::singleShot(kBoundMs, dialog.get(), [this] {
            ADD_FAILURE() << "the download did not end";
            dialog->reject();
        });
    }
    void TearDown() override
    {
        dialog.reset();
        PanelLinkPane::TearDown();
    }

    // Runs f once the download reaches the bank, while the dialog is modal.
    void AtBank(int bank, const std::function<void()>& f)
    {
        QObject::connect(&dialog->Downloader(), &NodeDownloader::progressChanged, dialog.get(), [this, bank, f] {
            if (dialog->Downloader().Bank() == bank && !done) {
                done = true;
                QTimer::singleShot(0, dialog.get(), f);
            }
        });
    }

    // Reads slowed to a pace a loaded machine keeps without resends.
    LinkTiming::ScopedScale readPace{0.25};
    QString folder;
    std::unique_ptr<CDownloadNodeDlg> dialog;
    QStringList statuses;
    bool done = false;
};

TEST_F(DownloadNodeDialog, WholeMemoryEndsWithOkAndTheView)
{
    Connect();
    EXPECT_EQ(dialog->DoModal(), IDOK);
    EXPECT_EQ(dialog->windowTitle(), "Downloading node A2");
    EXPECT_FALSE(dialog->WasCancelled());
    ASSERT_FALSE(statuses.isEmpty());
    EXPECT_EQ(statuses.first(), "Downloading Node Settings, index 0...");
    EXPECT_EQ(statuses.last(), "Downloading Display Messages, index 0...");
    EXPECT_EQ(ReadAll(folder + "SingleCards.dat").size(), 320000);
    EXPECT_TRUE(ReadAll(folder + "data.js").startsWith("var MENU_MAIN"));
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(DownloadNodeDialog, SkipButtonCutsTheBankAndCancelKeepsWhatWasRead)
{
    Connect();
    AtBank(2, [this] {
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == "Skip This Class >>")
                button->click();
    });
    bool cancelled = false;
    QObject::connect(&dialog->Downloader(), &NodeDownloader::progressChanged, dialog.get(), [&] {
        if (dialog->Downloader().Bank() == 3 && !cancelled) {
            cancelled = true;
            QTimer::singleShot(0, dialog.get(), [&] { dialog->reject(); });
        }
    });
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog->WasCancelled());
    EXPECT_EQ(ReadAll(folder + "Controller.dat").size(), 8192);
    const qsizetype codes = ReadAll(folder + "DirCodes.dat").size();
    EXPECT_GT(codes, 0);
    EXPECT_LT(codes, 520000) << "skipped";
    EXPECT_FALSE(QFile::exists(folder + "data.js"));
    EXPECT_TRUE(statuses.contains("Downloading Transmitter Blocks, index 0..."));
}

TEST_F(DownloadNodeDialog, WithoutAConnectionItSaysSoAndWaitsForCancel)
{
    QTimer::singleShot(0, dialog.get(), [this] {
        EXPECT_TRUE(dialog->isVisible());
        dialog->reject();
    });
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.Texts(), QStringList{"Must be connected to the network to execute this command."});
    EXPECT_EQ(dialog->windowTitle(), "Downloading Node...");
    EXPECT_TRUE(statuses.isEmpty()) << "nothing was asked";
    EXPECT_EQ(m_doc.m_netQueue.GetNode(1, kNode)->PendingCount(), 0u);
}

TEST_F(DownloadNodeDialog, RefusedPasswordEndsWithItsMessage)
{
    Connect();
    // Refused at the first cardholder read, so the polls between reads pass.
    PanelSimulator* engine = nullptr;
    line.WithNode(kNode, [&](PanelSimulator& panel) { engine = &panel; });
    std::atomic<bool> armed{true};
    line.SetRequestHook([&, engine](const QByteArray& request) {
        if (Frame::ByteAt(request, Frame::kCodeOffset) == NetKind::MemoryRead
            && Frame::ByteAt(request, Frame::kPayloadOffset) == 1 && armed.exchange(false))
            engine->InjectFault(PanelSimulator::Fault::Nak, 1, Frame::kNakWrongPassword);
        return PanelLine::RequestAction::Answer;
    });
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog->WasCancelled()) << "the pane reports the failure";
    EXPECT_TRUE(boxes.Texts().contains("Wrong password.")) << boxes.Texts().join('|').toStdString();
    line.SetRequestHook({});
}

} // namespace
