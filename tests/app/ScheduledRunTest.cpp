#include "app/TaskExitStatus.h"
#include "app/TaskSchedulerLog.h"
#include "database/GlobalRecordsets.h"
#include "link/NetCommandKinds.h"
#include "link/PacketBuilder.h"
#include "link/WireFrame.h"
#include "platform/Clock.h"
#include "platform/ControlRegistry.h"
#include "platform/DurableFiles.h"
#include "platform/Profile.h"
#include "tests/app/PanelBanks.h"
#include "tests/app/ProgrammingRunFixture.h"
#include "tests/fixtures/PanelLine.h"
#include "tests/fixtures/SimulatedNetwork.h"
#include "tests/linkforms/EventCollectionFixture.h"
#include "zonectl/QZIdentifiers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <atomic>
#include <functional>

#include <gtest/gtest.h>


namespace {

// The whole run waits on nothing real: a bound far above what it takes,
// so that only a run that does not end fails.
constexpr int kRunBoundMs = 90000;
const char* const kLinkTimeScale = "0.02";

// The built program run unattended, as the task scheduler starts it, on the
// demo installation whose network A (nodes 1-3) is simulated on a
// pseudo-terminal at COM1.
class ScheduledRun : public ProgrammingRun
{
protected:
    void SetUp() override
    {
        ProgrammingRun::SetUp();
        if (HasFatalFailure())
            return;
        m_path = m_doc.GetPathName();
        // The simulated panels' link password; the log then holds the panels' events alone.
        ASSERT_TRUE(g_setVLNetworks.FindFirst("Net = 1"));
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Password = QStringLiteral("123456");
        g_setVLNetworks.Update();
        m_daylightSavings = g_setVLNetworks.m_DaylightSavings;
        m_hoursOffset = g_setVLNetworks.m_HoursOffset;
        g_setEventLog.DeleteAll();
        m_doc.OnCloseDocument();

        Profile::WriteString(QStringLiteral("Ports"), QStringLiteral("COM1"), line.SlavePath());
        Profile::WriteString(QStringLiteral("Recent File List"), QStringLiteral("File1"), m_path);
        Profile::WriteString(QStringLiteral("Installations"), QStringLiteral("Installation 1"), m_path);
        Profile::WriteInt(QStringLiteral("Setup"), QStringLiteral("First launch of Wardix"), 0);
        for (int node : {1, 2, 3})
            line.WithNode(node, [](PanelSimulator& panel) { panel.SetStatusRecord(PanelSimulator::SupportedStatus()); });
    }

    // Runs the program with one parameter; its exit code, or -1 when it
    // crashed or did not end within the bound.
    int RunProgram(const QString& parameter, const QProcessEnvironment& extra = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(extra);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("WARDIX_HOME", m_env.ProgramFolderPath());
        environment.insert("WARDIX_PROFILE", m_env.ProfilePath());
        environment.insert("WARDIX_CONTROL_REGISTRY", m_env.Path("ControlRegistry.conf"));
        environment.insert("WARDIX_LINK_TIME_SCALE", kLinkTimeScale);
        for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
            environment.insert(xdg, m_env.Path("xdg"));
        QDir().mkpath(m_env.Path("xdg"));
        QFile::setPermissions(m_env.Path("xdg"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(WARDIX_PROGRAM, {parameter});
        const bool ended = program.waitForStarted() && program.waitForFinished(kRunBoundMs);
        if (!ended) {
            program.kill();
            program.waitForFinished();
        }
        const bool exited = ended && program.exitStatus() == QProcess::NormalExit;
        if (!exited)
            ADD_FAILURE() << "the run did not end by itself: " << program.readAllStandardError().toStdString();
        return exited ? program.exitCode() : -1;
    }

    static QString Log()
    {
        QFile log(TaskSchedulerLog::FilePath());
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    void GiveEvents(int node, int count)
    {
        line.WithNode(node, [&](PanelSimulator& panel) {
            for (int i = 0; i < count; ++i)
                panel.AddStoredEvent(EventCollection::StoredEventOf(node, i));
        });
    }

    // The log of the last run alone.
    static QString LastRunLog()
    {
        const QString log = Log();
        return log.mid(log.lastIndexOf("Start auto-update"));
    }

    // The line of the last run's log just before "Net A failed.".
    static QString ReasonBeforeNetAFailed()
    {
        const QStringList lines = LastRunLog().split("\r\n");
        const qsizetype failed = lines.indexOf("Net A failed.");
        return failed >= 1 ? lines[failed - 1] : QStringLiteral("no \"Net A failed.\" in: ") + LastRunLog();
    }

    // A run with nothing in the way passes and leaves the panels equal to the files.
    void ExpectACleanRunPasses()
    {
        line.SetRequestHook({});
        ASSERT_EQ(RunProgram("\\A"), 0);
        EXPECT_TRUE(LastRunLog().contains("\r\nNet A passed.")) << LastRunLog().toStdString();
        EXPECT_FALSE(LastRunLog().contains("failed")) << LastRunLog().toStdString();
        ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
        EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);
        ExpectPanelBanksEqualTheFiles(m_doc, line, {1, 2, 3});
        m_doc.OnCloseDocument();
    }

    static bool IsRequestTo(const QByteArray& frame, std::uint8_t address, std::uint8_t kind)
    {
        return Frame::ByteAt(frame, Frame::kAddressOffset) == address
            && (Frame::ByteAt(frame, Frame::kCodeOffset) & 0x7F) == kind;
    }

    // Link logins sent from the traffic's entry from on: one for each connect.
    int LoginsSince(qsizetype from) const
    {
        const QList<PanelLine::Traffic> traffic = line.TrafficLog();
        int logins = 0;
        for (qsizetype i = from; i < traffic.size(); ++i)
            logins += traffic[i].fromProgram && IsRequestTo(traffic[i].frame, 0x11, NetKind::LinkLogin);
        return logins;
    }

    // The last run passed network A, and named the panel at the node once,
    // as no failure.
    static void ExpectPassedNamingTheStray(int node)
    {
        const QString log = LastRunLog();
        const QString named =
            QStringLiteral("A panel answers at node A%1, which the installation does not have.").arg(node);
        EXPECT_TRUE(log.contains(named + "\r\nNet A passed.")) << log.toStdString();
        EXPECT_EQ(log.count(named), 1) << log.toStdString();
        EXPECT_FALSE(log.contains("failed")) << log.toStdString();
        EXPECT_FALSE(log.contains("not collected")) << log.toStdString();
    }

    PanelLine line{EventCollection::kNetA, {1, 2, 3}};
    QString m_path;
    bool m_daylightSavings = false;
    int m_hoursOffset = 0;
};

TEST_F(ScheduledRun, UpdateProgramsThePanelsCollectsTheirLogsAndPasses)
{
    GiveEvents(1, 40);
    GiveEvents(3, 300);
    ASSERT_EQ(RunProgram("\\A"), 0);
    const QString log = Log();
    EXPECT_TRUE(log.contains("\r\nNet A passed.")) << log.toStdString();
    EXPECT_FALSE(log.contains("failed")) << log.toStdString();

    ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
    EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);
    ExpectPanelBanksEqualTheFiles(m_doc, line, {1, 2, 3});
    EventCollection::ExpectLogHolds({{1, 40}, {3, 300}});
    // Started with no schedule bar registered, the program registered the one shipped beside it.
    EXPECT_EQ(ControlRegistry(m_env.Path("ControlRegistry.conf")).InprocServer(QString::fromLatin1(QZ::kClsidQZCtrl)),
              QFileInfo(QStringLiteral(WARDIX_PROGRAM)).absolutePath() + QStringLiteral("/zonectl/libzonectl.so"));
    for (int node : {1, 2, 3})
        line.WithNode(node, [&](PanelSimulator& panel) { EXPECT_EQ(panel.StoredEventCount(), 0) << node; });
}

// Nothing at all answers at A4-A8, where the installation has no panel.
TEST_F(ScheduledRun, EmptyAddressesCostOnlyTheirPollsAndEveryLogIsReadInOneRun)
{
    for (int node = 4; node <= 8; ++node)
        line.SetNodeMode(node, PanelLine::NodeMode::Silent);
    ASSERT_EQ(RunProgram("\\A"), 0);
    EXPECT_TRUE(LastRunLog().contains("\r\nNet A passed.")) << LastRunLog().toStdString();
    EXPECT_EQ(LoginsSince(0), 2) << "one connect to send, one for the event logs: no reconnect";
    for (int node = 1; node <= 8; ++node) {
        int polls = 0;
        for (const PanelLine::Traffic& t : line.TrafficLog())
            polls += t.fromProgram && IsRequestTo(t.frame, static_cast<std::uint8_t>(0x10 | node), NetKind::StatusPoll);
        // A poll and its resend at an empty address in each connect's pass.
        if (node <= 3) {
            EXPECT_GE(polls, 2) << "each connect polls A" << node;
        } else {
            EXPECT_EQ(polls, 4) << "each connect polls A" << node;
        }
    }
    ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
    ExpectPanelBanksEqualTheFiles(m_doc, line, {1, 2, 3});
    m_doc.OnCloseDocument();

    // Nothing left to program, and a profile that knows none of the empty addresses.
    ASSERT_TRUE(Profile::RemoveKey(QStringLiteral("Node States"), QStringLiteral("Network A")));
    for (int node : {1, 2, 3})
        GiveEvents(node, 10);
    const qsizetype before = line.TrafficLog().size();
    ASSERT_EQ(RunProgram("\\A"), 0) << LastRunLog().toStdString();
    EXPECT_TRUE(LastRunLog().contains("\r\nNet A passed.")) << LastRunLog().toStdString();
    EXPECT_EQ(LoginsSince(before), 1);
    ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
    EventCollection::ExpectLogHolds({{1, 10}, {2, 10}, {3, 10}});
    m_doc.OnCloseDocument();
}

// A panel is often wired and powered before the operator installs it: it
// answers where the installation has no controller, and fails no run.
TEST_F(ScheduledRun, PanelNotYetInstalledFailsNoRunAndEveryControllersLogIsRead)
{
    WirePanel(line, 4);
    for (int node = 5; node <= 8; ++node)
        line.SetNodeMode(node, PanelLine::NodeMode::Silent);
    for (int node : {1, 2, 3, 4})
        GiveEvents(node, 10);
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        ASSERT_EQ(RunProgram("\\A"), 0) << LastRunLog().toStdString();
        ExpectPassedNamingTheStray(4);
        ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
        EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);
        ExpectPanelBanksEqualTheFiles(m_doc, line, {1, 2, 3});
        EventCollection::ExpectLogHolds({{1, 10}, {2, 10}, {3, 10}});
        m_doc.OnCloseDocument();
        line.WithNode(4, [](PanelSimulator& panel) { EXPECT_EQ(panel.StoredEventCount(), 10); });
    }
}

// The walk over the logs used to end at such a panel: a controller above it
// never had its log read.
TEST_F(ScheduledRun, ControllerAboveAPanelNotYetInstalledHasItsLogRead)
{
    ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
    ASSERT_TRUE(g_setVestrels.FindByAddress(1, 3));
    g_setVestrels.Edit();
    g_setVestrels.m_NodeAddress = 5;
    g_setVestrels.Update();
    m_doc.OnCloseDocument();
    WirePanel(line, 5);
    for (int node : {4, 6, 7, 8})
        line.SetNodeMode(node, PanelLine::NodeMode::Silent);
    for (int node : {1, 2, 3, 5})
        GiveEvents(node, 10);
    ASSERT_EQ(RunProgram("\\A"), 0) << LastRunLog().toStdString();
    ExpectPassedNamingTheStray(3);
    ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
    EventCollection::ExpectLogHolds({{1, 10}, {2, 10}, {5, 10}});
    m_doc.OnCloseDocument();
    line.WithNode(3, [](PanelSimulator& panel) { EXPECT_EQ(panel.StoredEventCount(), 10); });
}

TEST_F(ScheduledRun, UpdateWithTheMasterQuietEndsAndFails)
{
    line.SetNodeMode(1, PanelLine::NodeMode::Quiet);
    EXPECT_EQ(RunProgram("\\A"), kExitTaskFailed);
    const QString log = Log();
    EXPECT_TRUE(log.contains("\r\nNet A failed.")) << log.toStdString();
    EXPECT_TRUE(log.contains("End auto-update")) << log.toStdString();
}

TEST_F(ScheduledRun, ExitStatusFollowsTheResultsWhetherOrNotTheLogOpens)
{
    enum class LogFate { Kept, GoneMidRun, BlockedAtStart };
    // An installation-update run names the installation below the Installations folder.
    const QString named = QDir(m_env.Path("home/Installations")).relativeFilePath(m_path).replace('/', '\\');
    struct Case
    {
        QString parameter;
        bool masterQuiet;
        LogFate log;
        int status;
        const char* resultLine;
    };
    const Case cases[] = {
        {"\\T", true, LogFate::Kept, kExitTaskFailed, "\r\nNet A set time failed."},
        {"\\B", false, LogFate::Kept, kExitPassed, "\r\nAuto-backup passed."},
        {"\\A", true, LogFate::GoneMidRun, kExitTaskFailed, nullptr},
        {"\\A", false, LogFate::GoneMidRun, kExitPassed, nullptr},
        {"\\A", false, LogFate::BlockedAtStart, kExitRefused, nullptr},
        {named, true, LogFate::Kept, kExitTaskFailed, "\r\nNet A failed."},
    };
    const QString logPath = TaskSchedulerLog::FilePath();
    // A folder in the log's place: the log cannot be opened.
    const auto blockLog = [&] { return QFile::remove(logPath) && QDir().mkpath(logPath); };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parameter.toStdString() << (c.masterQuiet ? " master quiet" : "") << " log "
                                        << static_cast<int>(c.log));
        QDir().rmdir(logPath);
        QFile log(logPath);
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        log.close();
        if (c.log == LogFate::BlockedAtStart) {
            ASSERT_TRUE(blockLog());
        }
        // Taken away once the run has started, at its first request to the panels.
        std::atomic<bool> taken{false};
        line.SetRequestHook([&](const QByteArray&) {
            if (c.log == LogFate::GoneMidRun && !taken.exchange(true))
                blockLog();
            return PanelLine::RequestAction::Answer;
        });
        line.SetNodeMode(1, c.masterQuiet ? PanelLine::NodeMode::Quiet : PanelLine::NodeMode::Answering);
        EXPECT_EQ(RunProgram(c.parameter), c.status);
        line.SetRequestHook({});
        if (c.log == LogFate::GoneMidRun) {
            EXPECT_TRUE(taken) << "the run reached the panels";
        }
        if (c.resultLine) {
            EXPECT_TRUE(Log().contains(c.resultLine)) << Log().toStdString();
        }
    }
    QDir().rmdir(logPath);
}

TEST_F(ScheduledRun, TimeSetLeavesThePanelsClockAtTheNetworksTime)
{
    ASSERT_EQ(RunProgram("\\T"), 0);
    const QString log = Log();
    EXPECT_TRUE(log.contains("\r\nNet A time set.")) << log.toStdString();

    QByteArray bytes;
    line.WithNode(1, [&](PanelSimulator& panel) { bytes = panel.LastTimeSetting(); });
    ASSERT_EQ(bytes.size(), 7) << "no time setting reached the master";
    const auto at = [&](int i) { return static_cast<std::uint8_t>(bytes[i]); };
    const QDateTime panelTime(QDate(2000 + at(6), at(5), at(3)), QTime(at(2), at(1)), QTimeZone::utc());
    const QDateTime expected = TimeSettingTime(m_daylightSavings ? TimeSettingMode::DaylightSavingTime
                                                                 : TimeSettingMode::StandardTime,
                                               static_cast<std::int8_t>(m_hoursOffset), Clock::Current());
    // The panel keeps whole minutes; the run took some seconds.
    EXPECT_LE(std::abs(panelTime.secsTo(expected)), 120) << panelTime.toString().toStdString() << " vs "
                                                          << expected.toString().toStdString();
}

TEST_F(ScheduledRun, RefusedWriteFailsTheRunWithItsReasonAndIsSentByTheNext)
{
    line.WithNode(2, [](PanelSimulator& panel) {
        panel.InjectFaultOn(NetKind::MemoryWrite, PanelSimulator::Fault::Nak, 1, Frame::kNakWrongPassword);
    });
    ASSERT_EQ(RunProgram("\\A"), kExitTaskFailed);
    EXPECT_TRUE(ReasonBeforeNetAFailed().contains("Wrong password.")) << LastRunLog().toStdString();
    ExpectACleanRunPasses();
}

// Each fault leaves work undone: the run ends failed with its reason on the
// line before, and the next run without the fault passes.
TEST_F(ScheduledRun, UndoneWorkFailsTheRunWithItsReason)
{
    const struct
    {
        const char* fault;
        std::function<void(PanelLine&)> inject;
        const char* reason;
    } cases[] = {
        {"CRC errors until a write is given up",
         [](PanelLine& line) {
             line.WithNode(2, [](PanelSimulator& panel) {
                 panel.InjectFaultOn(NetKind::MemoryWrite, PanelSimulator::Fault::Nak, 6, Frame::kNakCrcError);
             });
         },
         "A command to node A2 was given up."},
        {"the acknowledgements of a node's event log lost",
         [](PanelLine& line) {
             line.SetRequestHook([](const QByteArray& request) {
                 return IsRequestTo(request, 0x13, NetKind::Ack) ? PanelLine::RequestAction::Drop
                                                                  : PanelLine::RequestAction::Answer;
             });
         },
         "The event log of node A3 was not read to its end."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        GiveEvents(3, 40);
        c.inject(line);
        ASSERT_EQ(RunProgram("\\A"), kExitTaskFailed);
        EXPECT_TRUE(ReasonBeforeNetAFailed().contains(QLatin1String(c.reason))) << LastRunLog().toStdString();
        ExpectACleanRunPasses();
    }
}

TEST_F(ScheduledRun, CommandFileCutShortEndsTheRunAndIsNamed)
{
    ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
    ASSERT_EQ(m_doc.PrepareNetworkProgramming(0, 0), 1);
    const std::int32_t damaged = ReadStoredCommandsByNode(m_doc)[0x12].front().id;
    const QString name = CNetCommand::FileName(damaged);
    QFile file(m_doc.BuildPath(CWFDoc::kNetCommands, name));
    m_doc.OnCloseDocument();
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(100));
    file.close();

    ASSERT_EQ(RunProgram("\\A"), kExitTaskFailed) << "the run ends by itself";
    EXPECT_TRUE(ReasonBeforeNetAFailed().contains(name)) << LastRunLog().toStdString();
    ExpectACleanRunPasses();
}

TEST_F(ScheduledRun, CommandNoNodeCanTakeEndsTheRunFailed)
{
    // A row for a node without a panel: the link never finds it sendable.
    ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
    ASSERT_TRUE(m_doc.StoreNetCommand(CNetCommand(NetKind::NodeCommand, 1, 5, NetCommandData{1})));
    m_doc.OnCloseDocument();
    ASSERT_EQ(RunProgram("\\A"), kExitTaskFailed) << "the run ends by itself";
    EXPECT_TRUE(ReasonBeforeNetAFailed().contains("1 command is still queued.")) << LastRunLog().toStdString();
}

TEST_F(ScheduledRun, NodeSuspendedInOneRunIsNamedByTheNext)
{
    line.SetNodeMode(2, PanelLine::NodeMode::Quiet);
    ASSERT_EQ(RunProgram("\\A"), kExitTaskFailed);
    EXPECT_TRUE(LastRunLog().contains("\r\nNet A failed.")) << LastRunLog().toStdString();

    line.SetNodeMode(2, PanelLine::NodeMode::Answering);
    ASSERT_EQ(RunProgram("\\A"), kExitTaskFailed);
    EXPECT_EQ(ReasonBeforeNetAFailed(), "Node A2 is suspended.");
}

// A controller whose image cannot be used fails its network with the reason,
// naming the controller and the file; its other files and the other panels
// are programmed as ever, and nothing outside the installation is touched.
TEST_F(ScheduledRun, ControllerWithoutAUsableImageFailsItsNetworkWithItsReason)
{
    const QString victim = m_env.Path("outside/victim.dat");
    const QString vestrels = QFileInfo(m_path).absolutePath() + "/Vestrels";
    const QString outsideName = QDir(vestrels).relativeFilePath(victim);
    const struct
    {
        const char* fault;
        QString fileName; // empty: the row keeps its name and the file goes
        QString reason;
    } cases[] = {
        {"the image file missing", QString(),
         "The image file \"Vestrel12.dat\" of controller A2 cannot be read. Its settings were not sent."},
        {"the row naming a file outside the installation", outsideName,
         "Controller A2 names the image file \"" + outsideName
             + "\", which is not a plain file name: the file was not used. Its settings were not sent."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(victim).path()));
        const QByteArray image = ReadWholeFile(vestrels + "/Vestrel12.dat").value_or(QByteArray());
        ASSERT_TRUE(WriteWholeFile(victim, QByteArray(image).replace(100, 40, QByteArray(40, 'x'))));
        const QByteArray victimBytes = ReadWholeFile(victim).value_or(QByteArray());
        ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
        g_setVestrels.Edit();
        g_setVestrels.m_Flags |= 1; // everything to node A2
        if (!c.fileName.isEmpty())
            g_setVestrels.m_FileName = c.fileName;
        g_setVestrels.Update();
        m_doc.SetDataToProgram(1);
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
        m_doc.OnCloseDocument();
        if (c.fileName.isEmpty()) {
            ASSERT_TRUE(QFile::rename(vestrels + "/Vestrel12.dat", m_env.Path("Vestrel12.dat")));
        }

        ASSERT_EQ(RunProgram("\\A"), kExitTaskFailed) << LastRunLog().toStdString();
        EXPECT_EQ(ReasonBeforeNetAFailed(), c.reason) << LastRunLog().toStdString();
        EXPECT_EQ(ReadWholeFile(victim).value_or(QByteArray()), victimBytes);
        line.WithNode(2, [&](PanelSimulator& panel) { EXPECT_NE(panel.Bank(0).left(victimBytes.size()), victimBytes); });
        ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
        EXPECT_EQ(m_doc.GetPendingCommandCount(), 0);
        EXPECT_EQ(m_doc.GetDataToProgram(), 1) << "the image is still to be sent";
        ExpectPanelBanksEqualTheFiles(m_doc, line, {1, 3});
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
        g_setVestrels.Edit();
        g_setVestrels.m_FileName = "Vestrel12.dat";
        g_setVestrels.Update();
        m_doc.OnCloseDocument();
        if (c.fileName.isEmpty()) {
            ASSERT_TRUE(QFile::rename(m_env.Path("Vestrel12.dat"), vestrels + "/Vestrel12.dat"));
        }
    }
    ExpectACleanRunPasses();
}

// The installation's data is closed around a backup's copies, which writes
// its installation file: when that write fails the run fails, and its log
// says so rather than that the backup passed.
TEST_F(ScheduledRun, BackupThatCannotWriteTheInstallationFileSaysItFailed)
{
    // A folder where the file's new content is written beside it.
    ASSERT_TRUE(QDir().mkpath(m_path + ".new"));
    EXPECT_EQ(RunProgram("\\B"), kExitTaskFailed);
    const QString log = Log().mid(Log().lastIndexOf("Start-auto backup"));
    EXPECT_TRUE(log.contains("\r\nError writing installation settings to file: " + m_path)) << log.toStdString();
    EXPECT_TRUE(log.contains("\r\nAuto-backup failed.")) << log.toStdString();
    EXPECT_FALSE(log.contains("passed")) << log.toStdString();
    ASSERT_TRUE(QDir().rmdir(m_path + ".new"));
}

// The installation file is written twice as the program closes the
// installation. Whichever write fails, the run fails and its log says so,
// and the next run that sends everything leaves "Data To Program To
// Network" clear, as a run that never met the fault does.
TEST_F(ScheduledRun, FailedWriteOfTheInstallationFileFailsTheRunAndTheNextClearsTheFlag)
{
    // The calls on the installation file: each write's data, sync and rename.
    for (const char* call : {"1", "3", "4", "6"}) {
        SCOPED_TRACE(call);
        ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
        ASSERT_TRUE(g_setVestrels.FindByAddress(1, 2));
        g_setVestrels.Edit();
        g_setVestrels.m_Flags |= 1; // everything to node A2
        g_setVestrels.Update();
        m_doc.SetDataToProgram(1);
        m_doc.OnCloseDocument();
        QProcessEnvironment fault;
        fault.insert("LD_PRELOAD", FAULT_LIBRARY);
        fault.insert("WARDIX_FAULT_ROOT", m_env.Root());
        fault.insert("WARDIX_FAULT_MATCH", QFileInfo(m_path).fileName());
        fault.insert("WARDIX_FAULT_AT", call);

        ASSERT_EQ(RunProgram("\\A", fault), kExitTaskFailed);
        EXPECT_TRUE(LastRunLog().contains("\r\nError writing installation settings to file: " + m_path))
            << LastRunLog().toStdString();
        EXPECT_EQ(ReasonBeforeNetAFailed(), "The run could not write all its settings.") << LastRunLog().toStdString();
        EXPECT_FALSE(LastRunLog().contains("passed")) << LastRunLog().toStdString();

        // The next run passes and leaves the flag clear.
        ExpectACleanRunPasses();
        ASSERT_TRUE(m_doc.OnOpenDocument(m_path));
        EXPECT_EQ(m_doc.GetDataToProgram(), 0);
        m_doc.OnCloseDocument();
    }
}

} // namespace
