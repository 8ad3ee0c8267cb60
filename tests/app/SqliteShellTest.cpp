#include "tests/app/DocumentFixture.h"

#include "database/CSetUsers.h"
#include "platform/Database.h"
#include "platform/SqlStatement.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr int kShellTimeoutMs = 30000;

struct ShellRun
{
    bool finished = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

// Runs the sqlite3 shell on a copy of the demo's Users.mdb, the way an
// administrator would after closing Wardix.
class SqliteShell : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        m_shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        ASSERT_FALSE(m_shell.isEmpty()) << "the sqlite3 shell is missing: scripts/install-deps.sh installs it";
        QString error;
        const QString demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(demo.isEmpty()) << error.toStdString();
        // The program holds each file's lock while it is open.
        Database::CloseAllConnections();
        const QString users = QFileInfo(demo).dir().filePath(QStringLiteral("Database/Users.mdb"));
        ASSERT_FALSE(Database::IsOpenFile(users));
        ASSERT_TRUE(QDir().mkpath(CopyFolder()));
        ASSERT_TRUE(QFile::copy(users, CopyFolder() + "/Users.mdb"));
    }

    QString CopyFolder() const { return m_env.Path("copy"); }

    // Feeds the statements to the shell, which stops at the first error.
    ShellRun Run(const QString& statements) const
    {
        QProcess shell;
        shell.start(m_shell, {"-batch", "-bail", CopyFolder() + "/Users.mdb"});
        shell.write(statements.toUtf8());
        shell.closeWriteChannel();
        ShellRun run;
        run.finished = shell.waitForFinished(kShellTimeoutMs);
        run.exitCode = shell.exitCode();
        run.output = QString::fromUtf8(shell.readAllStandardOutput());
        run.errors = QString::fromUtf8(shell.readAllStandardError());
        return run;
    }

    ShellRun RunWithExtension(const QString& statements) const
    {
        return Run(QStringLiteral(".load '%1'\n").arg(QStringLiteral(WARDIX_SQLITE_EXTENSION)) + statements);
    }

    QString m_shell;
};

} // namespace

TEST_F(SqliteShell, CannotCheckTheFileWithoutTheExtension)
{
    const ShellRun run = Run(QStringLiteral("PRAGMA integrity_check;\n"));
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("no such collation sequence: JETTEXT"))) << run.errors.toStdString();
}

TEST_F(SqliteShell, ChecksLooksUpAndAddsWithTheExtensionAndTheProgramReadsTheRow)
{
    struct Step
    {
        const char* statements;
        const char* expected; // how a line the shell prints ends
    };
    const Step steps[] = {
        {"PRAGMA integrity_check;", "ok"},
        {"EXPLAIN QUERY PLAN SELECT FirstName FROM Users WHERE LastName = 'rAMIREZ  ';", "(LastName=?)"},
        {"SELECT FirstName FROM Users WHERE LastName = 'rAMIREZ  ';", "Ada"},
        // A lower-case and a non-ASCII name sort differently under a merely
        // byte-wise order: the program's own check below sees such an index.
        {"INSERT INTO Users (FirstName, LastName, CHSetIndex) VALUES ('Eve', 'Åberg', 3), ('Finn', 'de Vries', 3);"
         "SELECT FirstName FROM Users WHERE LastName = 'åBERG ';",
         "Eve"},
        {"PRAGMA integrity_check;", "ok"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.statements);
        const ShellRun run = RunWithExtension(QString::fromUtf8(step.statements) + "\n");
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
        const QStringList lines = run.output.split('\n');
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&](const QString& line) { return line.endsWith(QString::fromUtf8(step.expected)); }))
            << run.output.toStdString();
    }

    {
        const auto database = Database::Open(CopyFolder() + "/Users.mdb");
        SqlStatement check(database->Handle(), QStringLiteral("PRAGMA integrity_check"));
        ASSERT_TRUE(check.Step());
        EXPECT_EQ(check.Value(0).toString().toStdString(), "ok");
    }
    CSetUsers users;
    users.m_strDBFolder = CopyFolder();
    users.Open();
    ASSERT_TRUE(users.FindFirst(QStringLiteral("LastName = 'ÅBERG'")));
    EXPECT_EQ(users.m_FirstName, QStringLiteral("Eve"));
    EXPECT_EQ(users.m_CHSetIndex, 3);
    ASSERT_TRUE(users.FindFirst(QStringLiteral("LastName = 'DE VRIES'")));
    EXPECT_EQ(users.m_FirstName, QStringLiteral("Finn"));
    users.Close();
}
