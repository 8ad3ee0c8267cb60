#include "app/InstallationTemplate.h"
#include "app/TaskSchedulerLog.h"
#include "database/CInstallation.h"
#include "database/FolderCopy.h"
#include "platform/Archive.h"
#include "platform/Database.h"
#include "platform/OleDate.h"
#include "platform/Profile.h"
#include "platform/SqlStatement.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

// Each operation is run in a child process whose N-th write, sync or rename
// below the test's folder fails, as a failing or full disk would make it.
// Whatever N is, the operation either reports its failure (a message in the
// task log, its failed result line, a failing exit code) or succeeds
// wholly; the databases stay sound, the queue's rows and files match, every
// ini file is whole, and a clean run afterwards leaves what a run that never
// met a fault leaves. CI walks a sample of N; WARDIX_FAULT_WALK=all walks
// every call (the "sweep" label), WARDIX_FAULT_WALK=<n> a sample of n.
namespace {

constexpr int kSampledCalls = 15;
constexpr int kChildBoundMs = 120000;

struct Outcome
{
    int exitCode = -1;
    QString faultedCall; // what the library made fail, when it did
};

using Snapshot = std::map<QString, QByteArray>;

class FaultWalk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(InstallationTemplate::EnsureNewInstallationTemplate(&error)) << error.toStdString();
        m_site = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(m_site.isEmpty()) << error.toStdString();
        ASSERT_TRUE(Profile::WriteString("Installations", CInstallation::ProfileKey(1), m_site));
    }

    QString SiteFolder() const { return QFileInfo(m_site).absolutePath(); }
    QDate FirstEventDay() const
    {
        const auto database = Database::Open(SiteFolder() + "/Database/EventLog.mdb");
        SqlStatement first(database->Handle(), "SELECT MIN([Time]) FROM [Eventlog]");
        EXPECT_TRUE(first.Step());
        const QDate day = FromOleDate(first.Value(0).toDouble()).date();
        Database::CloseAllConnections();
        return day;
    }
    QString TaskLog() const { return m_env.Path("home/TaskSchedulerLog.txt"); }

    // Runs the child; failAt 0 makes nothing fail and counts the calls.
    Outcome Run(const QStringList& arguments, long failAt, const char* code, long* calls = nullptr)
    {
        Database::CloseAllConnections();
        QFile::remove(TaskLog());
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("WARDIX_PROFILE", m_env.ProfilePath());
        environment.insert("WARDIX_HOME", m_env.ProgramFolderPath());
        environment.insert("LD_PRELOAD", FAULT_LIBRARY);
        environment.insert("WARDIX_FAULT_ROOT", m_env.Root());
        environment.insert("WARDIX_FAULT_SPARE", QFileInfo(m_env.Root()).canonicalFilePath() + "/home/TaskSchedulerLog.txt");
        environment.insert("WARDIX_FAULT_AT", QString::number(failAt));
        environment.insert("WARDIX_FAULT_ERRNO", code);
        environment.insert("WARDIX_FAULT_COUNT", m_scratch.filePath("count"));
        environment.insert("WARDIX_FAULT_LOG", m_scratch.filePath("fault"));
        QFile::remove(m_scratch.filePath("fault"));
        QFile::remove(m_scratch.filePath("trace"));
        if (calls)
            environment.insert("WARDIX_FAULT_TRACE", m_scratch.filePath("trace"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(FAULT_WALK_CHILD, arguments);
        const bool finished = child.waitForStarted() && child.waitForFinished(kChildBoundMs);
        EXPECT_TRUE(finished) << "the child did not end";
        Outcome outcome;
        outcome.exitCode = finished && child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
        outcome.faultedCall = QString::fromUtf8(ReadWholeFile(m_scratch.filePath("fault")).value_or(QByteArray()));
        if (calls)
            *calls = ReadWholeFile(m_scratch.filePath("count")).value_or("0").trimmed().toLong();
        return outcome;
    }

    void KeepPristine()
    {
        Database::CloseAllConnections();
        ASSERT_TRUE(CopyFolderContents(m_env.Root(), m_pristine.path()));
    }
    void RestorePristine()
    {
        Database::CloseAllConnections();
        for (const QString& name : QDir(m_env.Root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            const QString path = m_env.Path(name);
            if (QFileInfo(path).isDir())
                QDir(path).removeRecursively();
            else
                QFile::remove(path);
        }
        ASSERT_TRUE(CopyFolderContents(m_pristine.path(), m_env.Root()));
    }

    // What a run leaves that must not depend on whether it met a fault:
    // every file's bytes, the times in a backup log left out; of a database,
    // the rows of each table; of the queue, its commands in order (a run
    // taken back leaves its numbers used, as numbers are never reused).
    Snapshot Take()
    {
        Snapshot files;
        std::map<long, QByteArray> queue;
        QDirIterator it(m_env.Root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString name = QDir(m_env.Root()).relativeFilePath(path);
            if (name.endsWith(".txt") || name.endsWith(".log") || name.endsWith("-journal"))
                continue;
            if (name.endsWith(".mdb")) {
                files[name] = TableRows(path);
                continue;
            }
            if (QFileInfo(path).dir().dirName() == "NetCommands" && name.endsWith(".dat")) {
                queue[QFileInfo(path).completeBaseName().mid(11).toLong()] = ReadWholeFile(path).value_or("<unreadable>");
                continue;
            }
            QByteArray bytes = ReadWholeFile(path).value_or("<unreadable>");
            if (name.endsWith(".wfb")) {
                QList<QByteArray> lines = bytes.split('\n');
                lines.removeIf([](const QByteArray& line) { return line.startsWith("Start Time=") || line.startsWith("Stop Time="); });
                bytes = lines.join('\n');
            }
            // The registry copy lists the backups made before it: one that
            // failed only after its set was listed is among them.
            if (name.endsWith("RegistyBackup.reg")) {
                QList<QByteArray> kept;
                bool backups = false;
                for (const QByteArray& line : bytes.split('\n')) {
                    if (line.startsWith('['))
                        backups = line.trimmed().endsWith("\\Backups]");
                    if (!backups)
                        kept << line;
                }
                bytes = kept.join('\n');
            }
            files[name] = bytes;
        }
        Database::CloseAllConnections();
        QByteArray commands;
        for (const auto& [number, bytes] : queue)
            commands += bytes.toHex() + '\n';
        files["the queue's commands"] = commands;
        return files;
    }

    static QByteArray TableRows(const QString& path)
    {
        const auto database = Database::Open(path);
        QStringList tables;
        {
            SqlStatement list(database->Handle(), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
            while (list.Step())
                tables << list.Value(0).toString();
        }
        QByteArray rows;
        for (const QString& table : tables) {
            SqlStatement count(database->Handle(), "SELECT COUNT(*) FROM [" + table + "]");
            count.Step();
            rows += table.toUtf8() + '=' + QByteArray::number(count.Int64(0)) + ' ';
        }
        return rows;
    }

    // What must hold after any run, faulted or not.
    void ExpectSound(const Snapshot& pristine)
    {
        QDirIterator it(m_env.Root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString name = QDir(m_env.Root()).relativeFilePath(path);
            SCOPED_TRACE(name.toStdString());
            if (name.endsWith(".mdb")) {
                const auto database = Database::Open(path);
                SqlStatement check(database->Handle(), "PRAGMA integrity_check");
                ASSERT_TRUE(check.Step());
                EXPECT_EQ(check.Value(0).toString(), "ok");
            } else if (name.endsWith(".wfi") || name.endsWith(".wfb") || name.endsWith(".ini")) {
                ExpectWholeIni(path, pristine.count(name) ? pristine.at(name) : QByteArray());
            }
        }
        ExpectQueueRowsAndFilesMatch();
        Database::CloseAllConnections();
    }

    // Every line a section, a key or a comment, the last one ended, and no
    // section the file had before gone.
    static void ExpectWholeIni(const QString& path, const QByteArray& before)
    {
        const QByteArray bytes = ReadWholeFile(path).value_or(QByteArray());
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_TRUE(bytes.endsWith('\n'));
        const auto sections = [](const QByteArray& text) {
            QSet<QByteArray> names;
            for (const QByteArray& line : text.split('\n'))
                if (line.trimmed().startsWith('['))
                    names.insert(line.trimmed());
            return names;
        };
        for (const QByteArray& line : bytes.split('\n')) {
            const QByteArray text = line.trimmed();
            EXPECT_TRUE(text.isEmpty() || text.startsWith('[') || text.startsWith(';') || text.contains('='))
                << line.toStdString();
        }
        for (const QByteArray& section : sections(before))
            EXPECT_TRUE(sections(bytes).contains(section)) << section.toStdString() << " was lost";
        if (path.endsWith(".wfb")) {
            EXPECT_TRUE(bytes.contains("Stop Time=")) << "the log of a set not finished";
        }
    }

    void ExpectQueueRowsAndFilesMatch()
    {
        const QString folder = SiteFolder() + "/NetCommands";
        QSet<QString> files;
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            files.insert(name);
        QSet<QString> rows;
        const QString path = SiteFolder() + "/Database/NetCommands.mdb";
        // A site never opened has no queue yet.
        if (!QFileInfo::exists(path) || !TableRows(path).contains("NetCommands=")) {
            EXPECT_TRUE(files.isEmpty());
            return;
        }
        const auto database = Database::Open(path);
        SqlStatement list(database->Handle(), "SELECT FileName FROM [NetCommands]");
        while (list.Step())
            rows.insert(list.Value(0).toString());
        EXPECT_EQ(rows, files) << "every queued row has its file and every file its row";
    }

    // The task log's lines of the run other than its start, its result lines
    // and its header.
    QStringList TaskLogMessages() const
    {
        QStringList messages;
        const QString text = QString::fromUtf8(ReadWholeFile(TaskLog()).value_or(QByteArray()));
        for (const QString& line : text.split("\r\n", Qt::SkipEmptyParts)) {
            if (!line.contains(" Start") && !line.startsWith("Net ") && !line.startsWith("Auto-backup")
                && !line.startsWith(TaskSchedulerLog::kHeader))
                messages << line;
        }
        return messages;
    }

    // Walks the fault over a sample of the operation's calls; resultFailed
    // is the task log's result line of a failed run, if the operation has one.
    void Walk(const QStringList& arguments, const QString& resultFailed = {})
    {
        // "all", a number of calls to sample, or the default sample.
        const QString asked = qEnvironmentVariable("WARDIX_FAULT_WALK");
        WalkCalls(arguments, resultFailed, false, [&asked](long calls, const QStringList&) {
            const long samples = asked == "all" ? calls : std::max(2, asked.toInt() > 0 ? asked.toInt() : kSampledCalls);
            std::vector<long> walk;
            for (long i = 0; i < std::min(samples, calls); ++i)
                walk.push_back(samples >= calls ? i + 1 : 1 + (calls - 1) * i / (samples - 1));
            return walk;
        });
    }

    // Walks the fault over every call whose "kind path" matches; with
    // eachReported, every one of them must end the run failed and reported.
    void WalkMatching(const QStringList& arguments, const QRegularExpression& call, const QString& resultFailed = {},
                      bool eachReported = false)
    {
        WalkCalls(arguments, resultFailed, eachReported, [&call](long, const QStringList& trace) {
            std::vector<long> walk;
            for (const QString& line : trace) {
                const qsizetype number = line.indexOf(' ');
                if (call.match(line.mid(number + 1)).hasMatch())
                    walk.push_back(line.left(number).toLong());
            }
            EXPECT_FALSE(walk.empty()) << "no call matches " << call.pattern().toStdString();
            return walk;
        });
    }

    // pick chooses the calls to fail from the clean run's count and trace.
    void WalkCalls(const QStringList& arguments, const QString& resultFailed, bool eachReported,
                   const std::function<std::vector<long>(long, const QStringList&)>& pick)
    {
        KeepPristine();
        const Snapshot pristine = Take();
        long calls = 0;
        ASSERT_EQ(Run(arguments, 0, "EIO", &calls).exitCode, 0) << "the run itself must succeed";
        ASSERT_GT(calls, 0) << "the fault library saw no call";
        ExpectSound(pristine);
        const Snapshot reference = Take();
        const QString trace = QString::fromUtf8(ReadWholeFile(m_scratch.filePath("trace")).value_or(QByteArray()));
        const std::vector<long> walk = pick(calls, trace.split('\n', Qt::SkipEmptyParts));
        QStringList failedAt;
        QStringList unsoundAt;
        const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
        for (std::size_t i = 0; i < walk.size(); ++i) {
            const char* code = i % 2 ? "ENOSPC" : "EIO";
            const int partsBefore = result.total_part_count();
            RestorePristine();
            const Outcome faulted = Run(arguments, walk[i], code);
            SCOPED_TRACE(::testing::Message() << "call " << walk[i] << " of " << calls << " failed with " << code
                                              << ": " << faulted.faultedCall.trimmed().toStdString());
            if (faulted.exitCode != 0 && faulted.exitCode != 1) {
                ADD_FAILURE() << "exit " << faulted.exitCode;
                unsoundAt << QString::number(walk[i]) + " crashed";
                continue;
            }
            if (eachReported) {
                EXPECT_EQ(faulted.exitCode, 1) << "a failed call passed for success";
            }
            if (faulted.exitCode == 1) {
                failedAt << QString::number(walk[i]);
                EXPECT_FALSE(TaskLogMessages().isEmpty()) << "a failure without its message";
            }
            // The log says what the exit status says.
            if (!resultFailed.isEmpty()) {
                const QByteArray log = ReadWholeFile(TaskLog()).value_or(QByteArray());
                const QString resultPassed = QString(resultFailed).replace("failed.", "passed.");
                EXPECT_EQ(log.contains(resultFailed.toUtf8()), faulted.exitCode == 1) << log.toStdString();
                EXPECT_EQ(log.contains(resultPassed.toUtf8()), faulted.exitCode == 0) << log.toStdString();
            }
            ExpectSound(pristine);
            if (faulted.exitCode == 1) {
                SCOPED_TRACE("the clean run after it");
                EXPECT_EQ(Run(arguments, 0, code).exitCode, 0);
                ExpectSound(pristine);
            }
            const Snapshot after = Take();
            for (const auto& [name, bytes] : reference) {
                const auto found = after.find(name);
                EXPECT_TRUE(found != after.end() && found->second == bytes) << name.toStdString() << " differs";
            }
            for (const auto& [name, bytes] : after)
                EXPECT_TRUE(reference.count(name)) << name.toStdString() << " was left over";
            if (result.total_part_count() != partsBefore)
                unsoundAt << QString::number(walk[i]) + ' ' + code + ' ' + faulted.faultedCall.trimmed();
        }
        RecordProperty("calls", static_cast<int>(calls));
        RecordProperty("reported_failures_at", failedAt.join(' ').toStdString());
        if (!unsoundAt.isEmpty())
            ADD_FAILURE() << "calls whose fault was not met soundly:\n" << unsoundAt.join('\n').toStdString();
    }

    TestEnvironment m_env;
    QTemporaryDir m_pristine;
    QTemporaryDir m_scratch;
    QString m_site;
};

} // namespace

TEST_F(FaultWalk, ProgrammingRun)
{
    Walk({"program", m_site});
}

// The queue's commit can fail after its rows reached the disk, at the
// journal's last sync: the sample seldom lands there.
TEST_F(FaultWalk, ProgrammingRunAtEachSyncOfTheQueuesJournal)
{
    WalkMatching({"program", m_site}, QRegularExpression("^f(data)?sync .*/NetCommands\\.mdb-journal$"));
}

// The installation-wide settings are saved once a run has rebuilt their
// time-zone order: a save that fails is reported and fails the run.
TEST_F(FaultWalk, ProgrammingRunAtEachCallOfTheInstallationSettingsSave)
{
    WalkMatching({"program", m_site}, QRegularExpression("/Vestrels/GlobalSettings\\.dat"), "Net A failed.", true);
}

// The installation file is written as the run's installation closes: a
// write that fails fails the run, and a clean run after it leaves the file,
// "Data To Program To Network" with it, as a run that never met the fault.
TEST_F(FaultWalk, ProgrammingRunAtEachCallOfTheInstallationFileWrite)
{
    WalkMatching({"program", m_site}, QRegularExpression("\\.wfi(\\.new)?$"), {}, true);
}

TEST_F(FaultWalk, Backup)
{
    Walk({"backup", m_env.Path("Backups")}, "Auto-backup failed.");
}

// The registry copy and the log are the last of a set moved into place: a
// move that fails fails the backup, and the old set stays whole.
TEST_F(FaultWalk, BackupAtEachRenameOfItsRegistryCopyAndLog)
{
    // A set of the same name to replace.
    ASSERT_EQ(Run({"backup", m_env.Path("Backups")}, 0, "EIO").exitCode, 0);
    WalkMatching({"backup", m_env.Path("Backups")}, QRegularExpression("^rename .*/(RegistyBackup\\.reg|[^/]*\\.wfb)$"),
                 "Auto-backup failed.", true);
}

TEST_F(FaultWalk, Restore)
{
    ASSERT_EQ(Run({"backup", m_env.Path("Backups")}, 0, "EIO").exitCode, 0);
    QString log;
    for (QDirIterator it(m_env.Path("Backups"), {"*.wfb"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        log = it.next();
    ASSERT_FALSE(log.isEmpty());
    // Something to restore: the site changed since its backup.
    ASSERT_TRUE(QFile::remove(SiteFolder() + "/Database/Users.mdb"));
    Walk({"restore", log});
}

TEST_F(FaultWalk, EventLogSplit)
{
    Walk({"split", m_site, FirstEventDay().addDays(1).toString(Qt::ISODate)});
}

// A split whose new log is renamed into place but whose folder cannot be
// synced must put the old log back, or its rerun finds nothing to archive.
TEST_F(FaultWalk, EventLogSplitAtEachFolderSync)
{
    WalkMatching({"split", m_site, FirstEventDay().addDays(1).toString(Qt::ISODate)},
                 QRegularExpression("^fsync "));
}

TEST_F(FaultWalk, EventLogClear)
{
    Walk({"clear", m_site});
}
