#include "linkforms/FirmwareUpdate.h"
#include "tests/fixtures/LinkMessageRecorder.h"
#include "tests/linkforms/NetworkStatusPaneFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <csignal>

namespace {

using namespace std::chrono_literals;

// Where the network is reached, and the words it gives.
class FirmwareCommandLine : public NetworkStatusPane
{
protected:
    void SetNetwork(std::uint8_t connectUsing, bool withAreaCode)
    {
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Password = QStringLiteral("a1b2c3");
        g_setVLNetworks.m_PhoneNo = QStringLiteral("5551234");
        g_setVLNetworks.m_AreaCode = QStringLiteral("416");
        g_setVLNetworks.m_CountryAndAreaCode = withAreaCode;
        g_setVLNetworks.m_ConnectUsing = connectUsing;
        g_setVLNetworks.Update();
    }
};

TEST_F(FirmwareCommandLine, KeepsTheProgramsWords)
{
    struct Case
    {
        std::uint8_t connectUsing;
        bool withAreaCode;
        int modem;
        const char* phone;
        const char* connection;
    };
    const Case cases[] = {
        {3, false, 2, "PhoneNumber=\"5551234\"", "Connection=\"3\""},
        {0, true, 2, "PhoneNumber=\"4165551234\"", "Connection=\"-2\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.connection);
        SetNetwork(c.connectUsing, c.withAreaCode);
        const auto update = FirmwareUpdate::ForNode(m_doc, 1, 2, c.modem);
        ASSERT_TRUE(update);
        EXPECT_EQ(update->program, m_doc.BuildPath(CWFDoc::kReflasher, QString()));
        EXPECT_EQ(update->arguments, (QStringList{"Password=\"a1b2c3\"", "NodeID=2", "NetID=1", c.phone, c.connection}));
    }
}

TEST_F(FirmwareCommandLine, NetworkWithoutRowIsNotInitialized)
{
    if (g_setVLNetworks.FindFirst("Net = 5"))
        g_setVLNetworks.Delete();
    EXPECT_FALSE(FirmwareUpdate::ForNode(m_doc, 5, 1, 1));
    EXPECT_EQ(boxes.Texts(), QStringList{"This network has not been initialized."});
}

// A stand-in for the outside program: it writes its arguments, one a line,
// and runs until the test lets it end.
class FirmwareRun : public FirmwareCommandLine
{
protected:
    void SetUp() override
    {
        FirmwareCommandLine::SetUp();
        if (HasFatalFailure())
            return;
        program = m_doc.BuildPath(CWFDoc::kReflasher, QString());
        folder = QFileInfo(program).path();
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n"
                     "dir=$(dirname \"$0\")\n"
                     "echo $$ > \"$dir/pid\"\n"
                     "printf '%s\\n' \"$@\" > \"$dir/args.tmp\" && mv \"$dir/args.tmp\" \"$dir/args.txt\"\n"
                     "while [ ! -e \"$dir/release\" ]; do sleep 0.05; done\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    void TearDown() override
    {
        Release();
        FirmwareCommandLine::TearDown();
    }
    void Release()
    {
        QFile release(folder + "/release");
        release.open(QIODevice::WriteOnly);
    }
    QStringList RecordedArguments() const
    {
        QFile file(folder + "/args.txt");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    QString program;
    QString folder;
};

TEST_F(FirmwareRun, PaneStaysAliveUntilTheProgramEnds)
{
    SetNetwork(3, false);
    host.connectedNet = 1;
    // Ticks only while the event loop runs; the program is let go after a few.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks >= 5 && !RecordedArguments().isEmpty())
            Release();
    });
    ticker.start(20);
    Click(1, 2, NodeMenu::kFirmwareUpdate);
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(host.disconnects, 1);
    EXPECT_EQ(RecordedArguments(),
              (QStringList{"Password=\"a1b2c3\"", "NodeID=2", "NetID=1", "PhoneNumber=\"5551234\"", "Connection=\"3\""}));
    EXPECT_TRUE(pane->IsRefreshRunning());
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(FirmwareRun, ProgramThatCannotStartEndsTheWaitSilently)
{
    ASSERT_TRUE(QFile::remove(program));
    const auto update = FirmwareUpdate::ForNode(m_doc, 1, 2, 1);
    ASSERT_TRUE(update);
    EXPECT_EQ(update->Run(), FirmwareUpdate::Outcome::NotStarted);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(FirmwareRun, BoundEndsTheWaitButLeavesTheProgramRunning)
{
    const auto update = FirmwareUpdate::ForNode(m_doc, 1, 2, 1);
    ASSERT_TRUE(update);
    EXPECT_EQ(update->Run(200ms), FirmwareUpdate::Outcome::StillRunning);
    ASSERT_EQ(boxes.Texts().size(), 1);
    EXPECT_TRUE(boxes.Texts()[0].startsWith("The firmware update program is still running."));
    ASSERT_TRUE(LinkMessageRecorder::WaitUntil([&] { return !RecordedArguments().isEmpty(); }));
    QFile pidFile(folder + "/pid");
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const pid_t pid = pidFile.readAll().trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(::kill(pid, 0), 0) << "never stopped";
    Release();
    EXPECT_TRUE(LinkMessageRecorder::WaitUntil([&] { return ::kill(pid, 0) != 0; }));
}

} // namespace
