#pragma once

#include <QDBusArgument>
#include <QList>
#include <QObject>
#include <QVariantMap>

namespace searchprovider {

class Service;

// One hit as KRunner takes it: (sssida{sv}).
struct RemoteMatch
{
    QString id;
    QString text;
    QString iconName;
    int category = 0;
    double relevance = 0;
    QVariantMap properties;
};

// One action KRunner may offer on a hit: (sss).
struct RemoteAction
{
    QString id;
    QString text;
    QString iconName;
};

using RemoteMatches = QList<RemoteMatch>;
using RemoteActions = QList<RemoteAction>;

// Plasma's runner interface: the same hits as GNOME's, with a relevance from
// the engine's ranking. Its names are the interface's own.
class KRunnerProvider final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.krunner1")

public:
    explicit KRunnerProvider(Service &service) : m_service(service) {}

    // The D-Bus types of the interface, registered before the object is.
    static void registerTypes();

public slots:
    RemoteMatches Match(const QString &query);
    void Run(const QString &matchId, const QString &actionId);
    RemoteActions Actions();

private:
    Service &m_service;
};

QDBusArgument &operator<<(QDBusArgument &argument, const RemoteMatch &match);
const QDBusArgument &operator>>(const QDBusArgument &argument, RemoteMatch &match);
QDBusArgument &operator<<(QDBusArgument &argument, const RemoteAction &action);
const QDBusArgument &operator>>(const QDBusArgument &argument, RemoteAction &action);

} // namespace searchprovider

Q_DECLARE_METATYPE(searchprovider::RemoteMatch)
Q_DECLARE_METATYPE(searchprovider::RemoteAction)
