#include "app/CloseGuard.h"
#include "app/DaylightSavingWatch.h"
#include "app/CommandLine.h"
#include "app/NavigationHelpAreas.h"
#include "app/PercentProgress.h"
#include "app/StatusClock.h"
#include "app/TaskLogMessageBoxes.h"
#include "app/TaskSchedulerLog.h"
#include "app/TextShortening.h"
#include "app/WindowPlacement.h"
#include "common/CommandIds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

TEST(CommandLine, SwitchesNamesAndUsage)
{
    struct Case
    {
        QStringList parameters;
        TaskMode mode;
        bool explicitSwitch;
        bool minimised;
        bool usage;
    };
    const Case cases[] = {
        {{}, TaskMode::None, false, false, false},
        {{"\\A"}, TaskMode::Update, true, false, false},
        {{"\\b"}, TaskMode::Backup, true, false, false},
        {{"\\T"}, TaskMode::SetTime, true, false, false},
        {{"\\am"}, TaskMode::Update, true, true, false},
        {{"\\BM"}, TaskMode::Backup, true, true, false},
        {{"\\tM"}, TaskMode::SetTime, true, true, false},
        {{"\\AX"}, TaskMode::None, false, false, true},
        {{"Acme1"}, TaskMode::None, false, false, true},
        {{"Acme12"}, TaskMode::Update, false, false, false},
        {{"-platform", "\\B"}, TaskMode::Backup, true, false, false},
        {{"/B"}, TaskMode::None, false, false, false},
        {{"/Installations/Acme/Acme.wfi"}, TaskMode::None, false, false, false},
        {{"/dde", "\\T"}, TaskMode::SetTime, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters.join(' ').toStdString());
        const CommandLineRequest r = ParseCommandLine(c.parameters);
        EXPECT_EQ(r.mode, c.mode);
        EXPECT_EQ(r.explicitSwitch, c.explicitSwitch);
        EXPECT_EQ(r.minimised, c.minimised);
        EXPECT_EQ(r.showUsage, c.usage);
    }
    EXPECT_EQ(ParseCommandLine({"Acme12"}).installationName, "Acme12");
}

TEST(CommandLine, OpenOptionOpensItsFileInteractivelyAndNeverAsATask)
{
    const struct
    {
        QStringList parameters;
        const char* openFile;
        bool usage;
    } cases[] = {
        {{"--open", "/home/site/Acme Site/Acme Site.wfi"}, "/home/site/Acme Site/Acme Site.wfi", false},
        // Long enough to name an installation for the update task, yet only opened.
        {{"--open", "Acme12.wfi"}, "Acme12.wfi", false},
        // Started from the applications menu: no file follows.
        {{"--open"}, "", false},
        {{"--open", "/sites/Acme.wfi", "\\A"}, "/sites/Acme.wfi", true},
        {{"\\BM", "--open", "/sites/Acme.wfi"}, "/sites/Acme.wfi", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameters.join(' ').toStdString());
        const CommandLineRequest r = ParseCommandLine(c.parameters);
        EXPECT_EQ(r.openFile, c.openFile);
        EXPECT_EQ(r.showUsage, c.usage);
        if (!c.usage) {
            EXPECT_EQ(r.mode, TaskMode::None);
        }
    }
}

TEST(CommandLine, NamedInstallationStaysInsideTheInstallationsFolder)
{
    const QString folder = QStringLiteral("/data/Installations");
    const struct
    {
        const char* name;
        const char* expected;
    } cases[] = {
        {"Acme\\Acme.wfi", "/data/Installations/Acme/Acme.wfi"},
        {"Acme/Acme.wfi", "/data/Installations/Acme/Acme.wfi"},
        {"/etc/passwd.wfi", ""},
        {"..\\Other\\x.wfi", ""},
        {"Acme\\..\\..\\x.wfi", ""},
        {"\\\\server\\x.wfi", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ResolveNamedInstallation(folder, QString::fromLatin1(c.name)), QString::fromLatin1(c.expected));
    }
}

TEST(CommandLine, UsageTextListsTheFormats)
{
    EXPECT_EQ(UsageText(),
              "INVALID COMMAND LINE ARGUMENT IN TASK SHCHEDULER\n\nValid Formats:\n\n"
              "\\B   -  to autorun Backup\n\n\\A   -  to auto-update the default installation\n\n"
              "\\T   -  to auto-set time to the default installation\n\n\tOR\n\n"
              "\"<folder>\\<wfi filename>\"\n\nFor example, \" DemoInstallation\\DemoInstallation.wfi\"\n"
              "NOTE: The double quotes must be included.");
}

TEST(TaskSchedulerLog, StartResultAndEndLines)
{
    const QDateTime at(QDate(2026, 3, 7), QTime(6, 5));
    EXPECT_EQ(TaskSchedulerLog::StartLine(TaskMode::Update, at, "Acme"), "\n\nMarch 07, 2026 06:05 Start auto-update for Acme");
    EXPECT_EQ(TaskSchedulerLog::StartLine(TaskMode::Backup, at, "Acme"), "\n\nMarch 07, 2026 06:05 Start-auto backup for Acme");
    EXPECT_EQ(TaskSchedulerLog::StartLine(TaskMode::SetTime, at, "Acme"), "\n\nMarch 07, 2026 06:05 Start-auto time set for Acme");
    EXPECT_EQ(TaskSchedulerLog::EndLine(TaskMode::Update, at, "Acme"), "\nMarch 07, 2026 06:05 End auto-update for Acme");
    EXPECT_EQ(TaskSchedulerLog::EndLine(TaskMode::Backup, at, "Acme"), "\nMarch 07, 2026 06:05 End auto-backup for Acme");
    EXPECT_EQ(TaskSchedulerLog::EndLine(TaskMode::SetTime, at, "Acme"), "\nMarch 07, 2026 06:05 End-auto time set for Acme");

    std::array<int, kTaskNetworkCount> nets;
    nets.fill(kTaskNetUnused);
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::Update, nets, 0), "");
    nets[0] = kTaskNetPassed;
    nets[2] = kTaskNetFailed;
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::Update, nets, 0), "\nNet A passed.\nNet C failed.");
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::SetTime, nets, 0), "\nNet A time set.\nNet C set time failed.");
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::Backup, nets, 0), "\nAuto-backup failed.");
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::Backup, nets, 1), "\nAuto-backup passed.");

    // A failed network's reason comes as one line just before its result; a passed one's is never written.
    TaskSchedulerLog::NetReasonLines reasons;
    reasons[0] = "Not shown.";
    reasons[2] = "Node C2 is suspended.\n\n3 commands are still queued.";
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::Update, nets, 0, reasons),
              "\nNet A passed.\nNode C2 is suspended. 3 commands are still queued.\nNet C failed.");
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::SetTime, nets, 0, reasons),
              "\nNet A time set.\nNode C2 is suspended. 3 commands are still queued.\nNet C set time failed.");

    // A run that could not write its settings passes nothing, as its exit status says.
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::Update, nets, 0, reasons, true),
              "\nThe run could not write all its settings.\nNet A failed."
              "\nNode C2 is suspended. 3 commands are still queued.\nNet C failed.");
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::SetTime, nets, 0, reasons, true),
              "\nThe run could not write all its settings.\nNet A set time failed."
              "\nNode C2 is suspended. 3 commands are still queued.\nNet C set time failed.");
    EXPECT_EQ(TaskSchedulerLog::ResultLines(TaskMode::Backup, nets, 1, {}, true), "\nAuto-backup failed.");
}

TEST(TaskSchedulerLog, MessageTextsBecomeOneLineWithTheirSentencesApart)
{
    const struct
    {
        const char* text;
        const char* line;
    } cases[] = {
        {"Error opening COM port\n\nYou may have to restart Wardenfold.",
         "Error opening COM port. You may have to restart Wardenfold."},
        {"Invalid Firmware Version\n\nPanel [A4] is running firmware version 1.32\n\nThis version is not supported.\nPlease upgrade.",
         "Invalid Firmware Version. Panel [A4] is running firmware version 1.32. This version is not supported. Please upgrade."},
        // A line break inside a sentence only wraps it.
        {"Clearing the command queue will require a reprogram\nof the entire network.",
         "Clearing the command queue will require a reprogram of the entire network."},
        {"A timeout has occurred when transmitting to the network.\n", "A timeout has occurred when transmitting to the network."},
        {"state.\n\r\n\rClick YES to disconnect", "state. Click YES to disconnect"},
        {"Valid Formats:\r\n\r\n\\B", "Valid Formats: \\B"},
        {"  One line  ", "One line"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TaskLogMessageBoxes::AsLogLine(QString::fromLatin1(c.text)), QString::fromLatin1(c.line)) << c.text;
}

TEST(TaskSchedulerLog, HeaderOnceAndNothingOverwritten)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("TaskSchedulerLog.txt");
    ASSERT_TRUE(TaskSchedulerLog::WriteStart(path, "\n\nfirst"));
    ASSERT_TRUE(TaskSchedulerLog::Append(path, "\nend"));
    ASSERT_TRUE(TaskSchedulerLog::WriteStart(path, QStringLiteral("\n\nСклад")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Task Scheduler Log for Wardenfold\r\n\r\nfirst\r\nend\r\n\r\n\xd0\xa1\xd0\xba\xd0\xbb\xd0\xb0\xd0\xb4");

    // A log that does not start with the header keeps what it holds.
    const QString other = QDir(dir.path()).filePath("other.txt");
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old line\r\nmore\r\n");
    f.close();
    ASSERT_TRUE(TaskSchedulerLog::WriteStart(other, "\n\nnew"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("old line\r\nmore\r\nTask Scheduler Log for Wardenfold"));

    EXPECT_FALSE(TaskSchedulerLog::Append(QDir(dir.path()).filePath("missing.txt"), "\nx"));
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("missing.txt")));
}

TEST(StatusClock, TwelveHourTextWithBlankedLeadingZero)
{
    const struct
    {
        QTime time;
        const char* text;
    } cases[] = {
        {QTime(9, 5), " 9:05  AM "}, {QTime(0, 15), "12:15  AM "}, {QTime(12, 30), "12:30  PM "},
        {QTime(23, 59), "11:59  PM "}, {QTime(10, 0), "10:00  AM "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ClockText(c.time), QString::fromLatin1(c.text));
    }
}

TEST(CloseGuard, DecisionsAcrossTheProgrammingRun)
{
    EXPECT_EQ(DecideClose(true, false, false), CloseDecision::RefuseWhileProgramming);
    EXPECT_EQ(DecideClose(true, true, true), CloseDecision::RefuseWhileProgramming);
    EXPECT_EQ(DecideClose(false, true, false), CloseDecision::AskToInterrupt);
    EXPECT_EQ(DecideClose(false, true, true), CloseDecision::Close);
    EXPECT_EQ(DecideClose(false, false, false), CloseDecision::Close);
}

TEST(TextShortening, CutsFromTheEndAndKeepsOneCharacter)
{
    // Every character, the terminating zero included, is 10 units wide.
    const auto measure = [](const QString& s) { return 10 * static_cast<int>(s.size()); };
    const struct
    {
        const char* text;
        int width;
        int offset;
        const char* shown;
    } cases[] = {
        {"", 5, 4, ""},
        {"abcde", 54, 4, "abcde"},
        {"abcdef", 54, 4, "a..."},
        {"abcdefghij", 84, 4, "abcd..."},
        {"abcdefghij", 10, 12, "a..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ShortenToFit(QString::fromLatin1(c.text), c.width, c.offset, measure), QString::fromLatin1(c.shown));
    }
}

TEST(PercentProgress, PercentTable)
{
    const struct
    {
        int lower, upper, position;
        const char* text;
    } cases[] = {
        {0, 100, 37, "37%"}, {0, 100, 100, "100%"}, {0, 100, 150, "50%"}, {0, 0, 896, "50%"},
        {10, 20, 15, "50%"}, {5, 5, 5, "100%"},     {5, 5, 4, "0%"},      {0, 200, 200, "100%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        PercentProgress p;
        p.SetRange(c.lower, c.upper);
        EXPECT_EQ(p.PercentText(c.position), QString::fromLatin1(c.text));
    }
    PercentProgress zero;
    zero.SetRange(0, 0);
    zero.PercentText(0);
    EXPECT_EQ(zero.Upper(), PercentProgress::kDefaultUpper);

    EXPECT_FALSE(PercentProgress::IsStepPosition(25, 10));
    EXPECT_TRUE(PercentProgress::IsStepPosition(30, 10));
    EXPECT_FALSE(PercentProgress::IsStepPosition(30, 0));
}

TEST(NavigationHelp, HitTestOrderAndConnectArea)
{
    const struct
    {
        QPoint point;
        bool connected;
        unsigned command;
    } cases[] = {
        {QPoint(50, 80), false, CommandId::CardholdersView},
        {QPoint(50, 20), false, 0},                              // the information frame
        {QPoint(188, 110), false, CommandId::SetInstallationTime}, // 1304 and 1750 overlap: the earlier wins
        {QPoint(100, 210), false, CommandId::OnOffLine},
        {QPoint(100, 210), true, 0},                                // connect is passed over while connected
        {QPoint(188, 230), false, CommandId::OnOffLine},
        {QPoint(188, 230), true, CommandId::ProgramNetwork},        // then 1754 comes before 1753
        {QPoint(250, 270), false, CommandId::ProgramNetwork},
        {QPoint(376, 284), false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x() << "," << c.point.y() << " connected " << c.connected);
        const NavigationArea* area = NavigationHitTest(c.point, c.connected);
        EXPECT_EQ(area ? area->command : 0u, c.command);
    }
    EXPECT_EQ(NavigationAreas().size(), 10u);
}

TEST(WindowPlacement, ParsesTenNumbersAndClampsToTheScreen)
{
    const auto p = WindowPlacement::Parse("0,1,-1,-1,-1,-1,100,50,900,650");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->normal, QRect(100, 50, 800, 600));
    EXPECT_EQ(p->Format(), "0,1,-1,-1,-1,-1,100,50,900,650");
    EXPECT_FALSE(WindowPlacement::Parse("0,1,-1,-1,-1,-1,100,50,900"));
    EXPECT_FALSE(WindowPlacement::Parse("0,1,-1,-1,-1,-1,100,50,900,6x0"));
    EXPECT_FALSE(WindowPlacement::Parse(""));

    auto off = WindowPlacement::Parse("0,1,-1,-1,-1,-1,3000,2000,5000,4000");
    ASSERT_TRUE(off);
    off->ClampTo(QRect(0, 0, 1280, 1024));
    EXPECT_EQ(off->normal, QRect(0, 0, 1280, 1024));
    auto partly = WindowPlacement::Parse("0,1,-1,-1,-1,-1,-50,900,750,1500");
    ASSERT_TRUE(partly);
    partly->ClampTo(QRect(0, 0, 1280, 1024));
    EXPECT_EQ(partly->normal, QRect(0, 424, 800, 600));
}

} // namespace

namespace {

TEST(DaylightSaving, StartupAndTickDetectTheChangePerNetwork)
{
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    const QDateTime winter(QDate(2026, 1, 10), QTime(12, 0), QTimeZone::utc());
    const QDateTime summer(QDate(2026, 7, 10), QTime(12, 0), QTimeZone::utc());
    // Summer time in Berlin starts at 01:00 UTC on 29 March 2026.
    const QDateTime justBefore(QDate(2026, 3, 29), QTime(0, 30), QTimeZone::utc());

    EXPECT_FALSE(DaylightSavingWatch::IsDaylightSaving(justBefore, 0, berlin));
    EXPECT_TRUE(DaylightSavingWatch::IsDaylightSaving(justBefore, 1, berlin));
    EXPECT_TRUE(DaylightSavingWatch::IsDaylightSaving(justBefore, 0x101, berlin)); // only the low byte counts
    EXPECT_FALSE(DaylightSavingWatch::IsDaylightSaving(justBefore.addSecs(3600), 0xFF, berlin)); // -1 hour

    DaylightSavingWatch watch;
    const std::vector<NetworkOffset> nets = {{1, 0}, {9, 0}};
    EXPECT_FALSE(watch.CheckAtStartup({}, summer, winter, berlin));
    EXPECT_TRUE(watch.CheckAtStartup(nets, summer, winter, berlin));
    EXPECT_FALSE(watch.CheckOnTick(nets, summer, berlin));
    EXPECT_TRUE(watch.CheckOnTick(nets, winter, berlin));
    EXPECT_FALSE(watch.CheckOnTick(nets, winter, berlin));
    EXPECT_FALSE(watch.CheckAtStartup(nets, summer, summer.addDays(-1), berlin));
}

} // namespace
