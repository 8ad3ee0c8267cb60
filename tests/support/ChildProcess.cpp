#include "tests/support/ChildProcess.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <csignal>

ChildProcess::ChildProcess(QString program, QString profilePath)
    : m_program(std::move(program)), m_profilePath(std::move(profilePath))
{
}

int ChildProcess::Run(const QStringList& arguments, int boundMs, const std::function<void(QProcess&)>& started)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WARDIX_PROFILE"), m_profilePath);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(m_program, arguments);
    EXPECT_TRUE(child.waitForStarted()) << m_program.toStdString();
    m_pid = child.processId();
    if (started)
        started(child);
    const bool finished = child.waitForFinished(boundMs);
    EXPECT_TRUE(finished) << "the child did not end in " << boundMs << " ms";
    if (!finished) {
        child.kill();
        child.waitForFinished();
    }
    m_pid = 0;
    return child.exitStatus() == QProcess::CrashExit ? kKilled : child.exitCode();
}

void ChildProcess::Kill()
{
    // Never 0 or -1: those would signal this process's group or every process.
    if (const qint64 pid = m_pid.load(); pid > 0)
        ::kill(static_cast<pid_t>(pid), SIGKILL);
}
