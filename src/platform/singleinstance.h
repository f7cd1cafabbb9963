#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// One running program per user and display. The first start holds a lock
// file and listens on a local socket beside it; a later start finds the lock
// taken and hands over through the socket. A lock left by a killed program
// is stale (its process is gone) and is taken over, and the socket file left
// with it is replaced.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    // What a later start asks for: the catalogue it was told to work on (an
    // absolute path; empty when it was given none), and its launch's tokens
    // (DESKTOP_STARTUP_ID, XDG_ACTIVATION_TOKEN) so that the running program
    // may raise its window in the launch's name. With `find` the running
    // program opens its find window, with `findText`, instead of its main
    // window.
    struct Request
    {
        QString catalogue;
        QByteArray startupId;
        QByteArray activationToken;
        bool find = false;
        QString findText;
    };
    enum class Answer
    {
        Shown,          // the running program showed its window
        OtherCatalogue, // it runs on another catalogue and showed nothing
        None            // it did not answer in time
    };
    struct Reply
    {
        Answer answer = Answer::None;
        QString runningCatalogue; // with OtherCatalogue
    };

    // `name` is a full path without suffix (see serverName()); an empty name
    // means there is no private folder for the lock: every start is first.
    explicit SingleInstance(QString name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first: it holds the lock from now on.
    // Needs no application object, so that a later start knows at once.
    bool lock();
    // Once locked, with the application object: listens for later starts,
    // whose hand-overs are served from the event loop.
    void listen();
    // The catalogue this program works on; a later start on another one is
    // told so instead of being shown this program's window.
    void setCatalogue(const QString &path);

    // Asks the running program to show itself (or its find window). Needs an application object
    // (the socket's notifiers live in its loop).
    Reply handOver(const Request &request, int timeoutMs);

    // The socket's path for a user and display: one per user (in the
    // user's private `folder`) and display, whatever its screen.
    static QString serverName(const QString &folder, const QString &display, unsigned userId);
    // serverName() for this process's user and display; empty when no
    // private folder can be had.
    static QString currentServerName();
    // The folder for the lock and socket: the runtime folder when the
    // session has one (`runtimeDirectory`, checked by Qt), otherwise
    // <cacheHome>/kelvane made private to the user; empty when neither is
    // safe, since a folder others can write to would let them answer for us.
    static QString privateFolder(const QString &runtimeDirectory, const QString &cacheHome);
    // Whether two catalogue paths name the same file, links and `..` resolved.
    static bool sameCatalogue(const QString &one, const QString &other);

signals:
    // A later start on this catalogue asked for the main window.
    void showRequested(const QByteArray &startupId, const QByteArray &activationToken);
    // A later start on this catalogue asked for the find window with `text`.
    void findRequested(const QString &text, const QByteArray &startupId,
                       const QByteArray &activationToken);

private:
    void serveNext();
    void serve(QLocalSocket *socket);
    QByteArray answer(const QByteArray &line);

    QString m_name;
    QString m_catalogue;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
