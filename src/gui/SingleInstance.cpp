#include "SingleInstance.h"

#include "core/platform/Platform.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent),
      m_name(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                 .filePath(QStringLiteral("ventrik.socket")))
{}

void SingleInstance::askRunning()
{
    // The one start that takes the lock is the one; it holds it for as long as it runs (a
    // lock whose holder died is taken over).
    const QString lock = m_name.chopped(QStringLiteral(".socket").size()) + QStringLiteral(".lock");
    if (platform::lockFileProblem(lock).isEmpty()) {
        m_lock = std::make_unique<QLockFile>(lock);
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock(0)) {
            QTimer::singleShot(0, this, [this] { emit alone(); });
            return;
        }
    }
    ask();
}

void SingleInstance::ask()
{
    m_asking = new QLocalSocket(this);
    connect(m_asking, &QLocalSocket::connected, this, [this] { m_asking->write("show\n"); });
    // Written whole: the running one has the request.
    connect(m_asking, &QLocalSocket::bytesWritten, this, [this] {
        if (m_asking && m_asking->bytesToWrite() == 0)
            settle(true);
    });
    connect(m_asking, &QLocalSocket::errorOccurred, this, [this] { settle(false); });
    // A socket whose owner hangs must not hold this start.
    QTimer::singleShot(kAnswerTimeoutMs, m_asking, [this] { settle(false); });
    m_asking->connectToServer(m_name);
}

void SingleInstance::settle(bool handed)
{
    if (!m_asking)
        return;
    QLocalSocket* asking = m_asking;
    m_asking = nullptr;
    asking->disconnect(this);
    // Not from inside the socket's own call (a failed connect reports at once): what follows
    // may be the whole start of the program.
    QTimer::singleShot(0, this, [this, asking, handed] {
        if (handed)
            asking->disconnectFromServer();
        else
            asking->abort();
        asking->deleteLater();
        if (handed) {
            emit handedOver();
            return;
        }
        // The lock's holder lives and is not listening yet: it is starting. Asked again; in the
        // end this start leaves, never a second window. Without a usable lock, it goes on alone.
        if (!m_lock) {
            emit alone();
            return;
        }
        if (m_lock->tryLock(0)) {
            emit alone();
            return;
        }
        m_askedMs += 200;
        if (m_askedMs >= kStartingMs) {
            emit handedOver();
            return;
        }
        QTimer::singleShot(200, this, &SingleInstance::ask);
    });
}

void SingleInstance::listen()
{
    // A socket left by a program that died answers nobody: take its place. Only the start that
    // holds the lock does: a live window's socket is never removed.
    if (m_lock && m_lock->isLocked())
        QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            // The request is read before it is acted on, so a start that gave up is no call.
            auto read = [this, peer] {
                if (peer->canReadLine() && peer->readLine().startsWith("show"))
                    emit activationRequested();
            };
            connect(peer, &QLocalSocket::readyRead, this, read);
            read();
        }
    });
}
