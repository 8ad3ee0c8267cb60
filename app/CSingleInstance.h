#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <functional>
#include <memory>

// One running copy per program folder: a lock file says a copy runs, and a
// local socket lets a scheduled run ask that copy to close.
class CSingleInstance : public QObject
{
    Q_OBJECT
public:
    // Starting: the running copy has no main window yet (its start-up dialog
    // or login is open); NotAnswering: it did not take the request or did not
    // let go in time.
    enum class CloseResult { Closed, Programming, Starting, NotAnswering };

    explicit CSingleInstance(const QString& folder, QObject* parent = nullptr);
    ~CSingleInstance() override;

    // True when this process now holds the lock.
    bool TryAcquire();
    // Asks the copy holding the lock to close and, when it agreed, waits at
    // most timeoutMs for it to let go. Closed: this process holds the lock afterwards.
    CloseResult AskRunningCopyToClose(int timeoutMs);

    // Answers close requests of later runs: busy while isProgramming says so,
    // else close is called; it returns false while there is nothing to close yet.
    void Listen(std::function<bool()> isProgramming, std::function<bool()> close);

private:
    void OnConnection();

    QLockFile m_lock;
    QString m_serverName;
    std::unique_ptr<QLocalServer> m_server;
    std::function<bool()> m_isProgramming;
    std::function<bool()> m_close;
};
