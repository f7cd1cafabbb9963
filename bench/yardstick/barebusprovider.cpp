// The bare Qt D-Bus program that the search provider's cold start is measured
// against (bench/searchprovider-activation.py): the same bus name and the
// same GNOME Shell object, whose GetInitialResultSet answers an empty list,
// and nothing else.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>

class BareProvider : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")

public slots:
    QStringList GetInitialResultSet(const QStringList &) { return {}; }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BareProvider provider;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/kelvane/Kelvane/SearchProvider"), &provider,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.kelvane.Kelvane.SearchProvider")))
        return 1;
    return QCoreApplication::exec();
}

#include "barebusprovider.moc"
