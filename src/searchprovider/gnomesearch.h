#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace searchprovider {

class Service;

// GNOME Shell's search provider interface: the shell asks for the ids of the
// best papers as the reader types, then for what to show of each, and opens
// the one chosen. Its names are the interface's own.
class GnomeSearchProvider final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")

public:
    explicit GnomeSearchProvider(Service &service) : m_service(service) {}

    // The D-Bus types of the interface, registered before the object is.
    static void registerTypes();

public slots:
    QStringList GetInitialResultSet(const QStringList &terms);
    QStringList GetSubsearchResultSet(const QStringList &previousResults, const QStringList &terms);
    QList<QVariantMap> GetResultMetas(const QStringList &ids);
    void ActivateResult(const QString &id, const QStringList &terms, uint timestamp);
    void LaunchSearch(const QStringList &terms, uint timestamp);

private:
    QStringList resultSet(const QStringList &terms);

    Service &m_service;
};

} // namespace searchprovider
