#include "platform/singleinstance.h"

#include <QDir>
#include <algorithm>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A hand-over is one line each way. The request's fields are
// percent-encoded, so a path or text holding blanks or line breaks stays one
// field:
//   show CATALOGUE STARTUP-ID ACTIVATION-TOKEN
//   find CATALOGUE STARTUP-ID ACTIVATION-TOKEN TEXT
//   shown | other RUNNING-CATALOGUE
const QByteArray showWord = QByteArrayLiteral("show");
const QByteArray findWord = QByteArrayLiteral("find");
const QByteArray shownReply = QByteArrayLiteral("shown\n");
const QByteArray otherWord = QByteArrayLiteral("other ");

// A client that has not sent its whole line by then is dropped, so that a
// stalled or hostile one holds no connection for ever.
constexpr int requestLimitMs = 3000;
constexpr qint64 maxLineBytes = 64 * 1024;
constexpr qsizetype maxTokenBytes = 1024;

QByteArray encoded(const QByteArray &field)
{
    return field.toPercentEncoding();
}

// A launch token is printable ASCII: anything else is not one a desktop
// made, and is not passed on to the window system.
QByteArray checkedToken(const QByteArray &token)
{
    const bool printable =
        std::all_of(token.cbegin(), token.cend(), [](char c) { return c >= 0x20 && c < 0x7f; });
    return printable && token.size() <= maxTokenBytes ? token : QByteArray();
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// One or more ASCII digits.
bool isNumber(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), isAsciiDigit);
}

QString canonical(const QString &path)
{
    const QFileInfo info(path);
    const QString file = info.canonicalFilePath();
    if (!file.isEmpty())
        return file;
    // A catalogue not made yet: its folder may still be reached by a link.
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                            : folder + u'/' + info.fileName();
}

} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString &folder, const QString &display, unsigned userId)
{
    // ":0.0" is the first screen of display ":0": one program serves all of
    // a display's screens, so the screen number is no part of the name.
    QString token = display;
    const qsizetype colon = token.lastIndexOf(u':');
    const qsizetype dot = token.lastIndexOf(u'.');
    if (colon >= 0 && dot > colon && isNumber(token.sliced(colon + 1, dot - colon - 1)) &&
        isNumber(token.sliced(dot + 1)))
        token.truncate(dot);
    // ":0" and "host:10" become "_0" and "host_10": file-name safe. (No
    // regular expression: this runs at every start.)
    for (QChar &c : token)
        if (!isAsciiDigit(c) && !(c >= u'a' && c <= u'z') && !(c >= u'A' && c <= u'Z') &&
            c != u'.' && c != u'_' && c != u'-')
            c = u'_';
    return QDir(folder).filePath(QStringLiteral("kelvane-%1-%2").arg(userId).arg(token));
}

QString SingleInstance::privateFolder(const QString &runtimeDirectory, const QString &cacheHome)
{
    if (!runtimeDirectory.isEmpty())
        return runtimeDirectory;
    if (cacheHome.isEmpty())
        return {};
    const QString folder = QDir(cacheHome).filePath(QStringLiteral("kelvane"));
    QDir().mkpath(cacheHome);
    const QByteArray native = QFile::encodeName(folder);
    ::mkdir(native.constData(), 0700);
    // Ours alone: a real folder (not a link), owned by this user; one made
    // earlier with wider rights is narrowed.
    struct stat status = {};
    if (::lstat(native.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::getuid())
        return {};
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(native.constData(), 0700) != 0)
        return {};
    return folder;
}

QString SingleInstance::currentServerName()
{
    // Without XDG_RUNTIME_DIR, Qt would offer a folder under the shared /tmp.
    const QString runtime = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                                ? QString()
                                : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString folder = privateFolder(
        runtime, QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
    if (folder.isEmpty())
        return {};
    return serverName(folder, qEnvironmentVariable("DISPLAY"), ::getuid());
}

bool SingleInstance::sameCatalogue(const QString &one, const QString &other)
{
    return canonical(one) == canonical(other);
}

bool SingleInstance::lock()
{
    if (m_name.isEmpty())
        return true;
    m_lock = std::make_unique<QLockFile>(m_name + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0); // only a lock whose process is gone is stale
    return m_lock->tryLock(0);
}

void SingleInstance::listen()
{
    if (m_name.isEmpty())
        return;
    // A socket file left by a killed program would make listening fail.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::serveNext);
    if (!m_server->listen(m_name))
        qWarning("Kelvane: cannot listen on %s: %s", qPrintable(m_name),
                 qPrintable(m_server->errorString()));
}

void SingleInstance::setCatalogue(const QString &path)
{
    m_catalogue = path;
}

void SingleInstance::serveNext()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
        QTimer::singleShot(requestLimitMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
    }
}

void SingleInstance::serve(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > maxLineBytes)
            socket->abort();
        return;
    }
    socket->write(answer(socket->readLine(maxLineBytes).chopped(1)));
    socket->flush();
    socket->disconnectFromServer();
}

QByteArray SingleInstance::answer(const QByteArray &line)
{
    const QList<QByteArray> fields = line.split(' ');
    const bool show = fields.first() == showWord && (fields.size() == 1 || fields.size() == 4);
    const bool find = fields.first() == findWord && fields.size() == 5;
    if (!show && !find)
        return {};
    // A start that names no catalogue only wants the window back, whichever
    // catalogue it shows.
    const QString requested = QString::fromUtf8(QByteArray::fromPercentEncoding(fields.value(1)));
    if (!requested.isEmpty() && !m_catalogue.isEmpty() && !sameCatalogue(requested, m_catalogue))
        return otherWord + encoded(m_catalogue.toUtf8()) + '\n';
    const QByteArray startupId = checkedToken(QByteArray::fromPercentEncoding(fields.value(2)));
    const QByteArray token = checkedToken(QByteArray::fromPercentEncoding(fields.value(3)));
    if (find)
        emit findRequested(QString::fromUtf8(QByteArray::fromPercentEncoding(fields.value(4))),
                           startupId, token);
    else
        emit showRequested(startupId, token);
    return shownReply;
}

SingleInstance::Reply SingleInstance::handOver(const Request &request, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return std::max<qint64>(1, timeoutMs - clock.elapsed()); };
    // The first start takes the lock just before it listens: try again for
    // a moment when its socket is not there yet.
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_name);
        if (socket.waitForConnected(left()))
            break;
        if (clock.elapsed() >= timeoutMs)
            return {};
        QThread::msleep(20);
    }
    QByteArray line = (request.find ? findWord : showWord) + ' ' +
                      encoded(request.catalogue.toUtf8()) + ' ' + encoded(request.startupId) + ' ' +
                      encoded(request.activationToken);
    if (request.find)
        line += ' ' + encoded(request.findText.toUtf8());
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(left()))
        return {};
    while (!socket.canReadLine()) {
        if (clock.elapsed() >= timeoutMs || !socket.waitForReadyRead(left()))
            return {};
    }
    const QByteArray reply = socket.readLine(maxLineBytes);
    if (reply == shownReply)
        return {Answer::Shown, {}};
    if (reply.startsWith(otherWord) && reply.endsWith('\n'))
        return {Answer::OtherCatalogue, QString::fromUtf8(QByteArray::fromPercentEncoding(
                                            reply.mid(otherWord.size()).chopped(1)))};
    return {};
}
