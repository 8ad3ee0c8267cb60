#include "app/CSingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>

namespace {

const QByteArray kCloseRequest = "close\n";
const QByteArray kBusyReply = "busy\n";
const QByteArray kClosingReply = "closing\n";
const QByteArray kStartingReply = "starting\n";
constexpr int kSocketWaitMs = 2000;
constexpr int kLockRetryMs = 100;

} // namespace

CSingleInstance::CSingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), m_lock(QDir(folder).filePath(QStringLiteral("Wardenfold is running.lock")))
{
    m_lock.setStaleLockTime(0);
    const QByteArray hash =
        QCryptographicHash::hash(QDir(folder).absolutePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_serverName = QStringLiteral("Wardix-") + QString::fromLatin1(hash);
}

CSingleInstance::~CSingleInstance()
{
    if (m_server)
        m_server->close();
    m_lock.unlock();
}

bool CSingleInstance::TryAcquire()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

CSingleInstance::CloseResult CSingleInstance::AskRunningCopyToClose(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kSocketWaitMs))
        return CloseResult::NotAnswering;
    socket.write(kCloseRequest);
    socket.waitForBytesWritten(kSocketWaitMs);
    QByteArray reply;
    if (socket.waitForReadyRead(kSocketWaitMs))
        reply = socket.readLine();
    if (reply == kBusyReply)
        return CloseResult::Programming;
    if (reply == kStartingReply)
        return CloseResult::Starting;
    // Waiting for a copy that never agreed to close would only delay the end.
    if (reply != kClosingReply)
        return CloseResult::NotAnswering;
    QElapsedTimer waited;
    waited.start();
    while (!m_lock.tryLock(kLockRetryMs)) {
        if (waited.elapsed() >= timeoutMs)
            return CloseResult::NotAnswering;
    }
    return CloseResult::Closed;
}

void CSingleInstance::Listen(std::function<bool()> isProgramming, std::function<bool()> close)
{
    m_isProgramming = std::move(isProgramming);
    m_close = std::move(close);
    m_server = std::make_unique<QLocalServer>();
    QLocalServer::removeServer(m_serverName);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
    m_server->listen(m_serverName);
}

void CSingleInstance::OnConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine() || socket->readLine() != kCloseRequest)
                return;
            if (m_isProgramming && m_isProgramming()) {
                socket->write(kBusyReply);
            } else {
                const bool closing = m_close && m_close();
                socket->write(closing ? kClosingReply : kStartingReply);
            }
            socket->flush();
        });
    }
}
