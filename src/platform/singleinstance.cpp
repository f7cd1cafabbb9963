#include "platform/singleinstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace {

const QByteArray showRequest = QByteArrayLiteral("show\n");
const QByteArray shownReply = QByteArrayLiteral("shown\n");

} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString &runtimeDirectory, const QString &display,
                                   unsigned userId)
{
    // ":0.0" and "host:10" become "_0.0" and "host_10": file-name safe.
    QString token = display;
    token.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    return QDir(runtimeDirectory).filePath(QStringLiteral("kelvane-%1-%2").arg(userId).arg(token));
}

QString SingleInstance::currentServerName()
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return serverName(runtime, qEnvironmentVariable("DISPLAY"), ::getuid());
}

bool SingleInstance::lock()
{
    m_lock = std::make_unique<QLockFile>(m_name + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0); // only a lock whose process is gone is stale
    return m_lock->tryLock(0);
}

void SingleInstance::listen()
{
    // A socket file left by a killed program would make listening fail.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::serveNext);
    if (!m_server->listen(m_name))
        qWarning("Kelvane: cannot listen on %s: %s", qPrintable(m_name),
                 qPrintable(m_server->errorString()));
}

void SingleInstance::serveNext()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == showRequest) {
                emit showRequested();
                socket->write(shownReply);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::handOver(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    // The first start takes the lock just before it listens: try again for
    // a moment when its socket is not there yet.
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_name);
        if (socket.waitForConnected(std::max<qint64>(1, timeoutMs - clock.elapsed())))
            break;
        if (clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(20);
    }
    socket.write(showRequest);
    if (!socket.waitForBytesWritten(std::max<qint64>(1, timeoutMs - clock.elapsed())))
        return false;
    while (!socket.canReadLine()) {
        if (clock.elapsed() >= timeoutMs ||
            !socket.waitForReadyRead(std::max<qint64>(1, timeoutMs - clock.elapsed())))
            return false;
    }
    return socket.readLine() == shownReply;
}
