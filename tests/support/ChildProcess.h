#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

class QProcess;

// A helper program of a test run in a process of its own, with the test's
// program folder and profile, so that the test can kill it at a point of
// its choosing and run it again.
class ChildProcess
{
public:
    static constexpr int kKilled = -1;

    ChildProcess(QString program, QString profilePath);

    // Runs the program to its end (bounded by boundMs); started is called
    // once it runs. The exit code, or kKilled when it did not exit itself.
    int Run(const QStringList& arguments, int boundMs, const std::function<void(QProcess&)>& started = {});
    // From any thread: kills the running child with SIGKILL; nothing when
    // none runs.
    void Kill();

private:
    QString m_program;
    QString m_profilePath;
    std::atomic<qint64> m_pid{0};
};
