#include "searchprovider/service.h"

#include "catalogue/cataloguelocation.h"
#include "core/failure.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusError>

namespace searchprovider {

namespace {

void log(const QString &text)
{
    qWarning("kelvane-search-provider: %s", qUtf8Printable(text));
}

} // namespace

Service::Service(std::chrono::milliseconds idle)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idle);
    QObject::connect(&m_idle, &QTimer::timeout, &m_idle, [this] { endIdle(); });
}

bool Service::start(QDBusConnection bus)
{
    GnomeSearchProvider::registerTypes();
    KRunnerProvider::registerTypes();
    // The objects first: the call that started the program waits for the name.
    constexpr auto exported = QDBusConnection::ExportAllSlots;
    if (!bus.registerObject(gnomePath, &m_gnome, exported) ||
        !bus.registerObject(krunnerPath, &m_krunner, exported) || !bus.registerService(busName)) {
        log(QStringLiteral("cannot serve %1 on the session bus: %2")
                .arg(busName, bus.lastError().message()));
        return false;
    }
    m_bus = bus;
    m_idle.start();
    return true;
}

PaperSearch &Service::called()
{
    m_idle.start();
    return m_search;
}

// The name goes first: a call that comes meanwhile starts a new provider
// rather than waiting on one that is ending.
void Service::endIdle()
{
    m_bus->unregisterService(busName);
    QCoreApplication::quit();
}

std::chrono::milliseconds idleTime()
{
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("KELVANE_PROVIDER_IDLE_MS", &ok);
    return std::chrono::milliseconds(ok && fromEnvironment > 0 ? fromEnvironment : 60'000);
}

int run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Finds Kelvane's papers for the desktop's search; the session bus starts "
                       "it when the desktop first asks."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption catalogue(
        QStringLiteral("catalogue"),
        QStringLiteral("Finds in the catalogue FILE instead of the usual one."),
        QStringLiteral("FILE"));
    parser.addOption(catalogue);
    parser.process(arguments);
    if (!parser.positionalArguments().isEmpty()) {
        log(QStringLiteral("takes no arguments; see --help"));
        return 2;
    }
    try {
        // The catalogue kelvane would use, made from the starter as kelvane
        // makes it when the user has none yet.
        cataloguelocation::resolve(parser.value(catalogue));
    } catch (const Failure &failure) {
        log(failure.message());
        return 1;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        log(QStringLiteral("no session bus: %1").arg(bus.lastError().message()));
        return 1;
    }
    Service service(idleTime());
    if (!service.start(bus))
        return 1;
    return QCoreApplication::exec();
}

} // namespace searchprovider
