#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
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
    // `name` is a full path without suffix (see serverName()).
    explicit SingleInstance(QString name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first: it holds the lock from now on.
    // Needs no application object, so that a later start knows at once.
    bool lock();
    // Once locked, with the application object: listens for later starts,
    // whose hand-overs are served from the event loop.
    void listen();

    // Asks the running program to show itself; true once it has answered.
    // Needs an application object (the socket's notifiers live in its loop).
    bool handOver(int timeoutMs);

    // The socket's path for a user and display: one per user (in the user's
    // runtime folder) and display.
    static QString serverName(const QString &runtimeDirectory, const QString &display,
                              unsigned userId);
    // serverName() for this process's user and display.
    static QString currentServerName();

signals:
    // A later start asked for the main window.
    void showRequested();

private:
    void serveNext();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
