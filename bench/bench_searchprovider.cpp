// The search provider, warm, asked GetInitialResultSet over a private session
// bus, against the find engine's own search of the same terms in this
// process (with the usage record, as the find window searches), on 100,000
// generated papers of realistic names. Two texts alternate, neither the start
// of the other, so that every search on both sides looks at every paper.
#include "catalogue/findcatalogue.h"
#include "corebenchmarkmain.h"
#include "find/usagerecord.h"
#include "generatedcatalogue.h"
#include "timing.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <csignal>

namespace {

const QString providerName = QStringLiteral("org.kelvane.Kelvane.SearchProvider");
const QString connectionName = QStringLiteral("bench");

QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

void write(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(path));
}

// A session bus of the benchmark's own, whose service file (the shipped one)
// starts the built provider on `catalogue`. The provider sees this process's
// environment, so both sides use the same usage record.
class PrivateBus
{
public:
    PrivateBus(const QString &folder, const QString &catalogue)
    {
        const QString services = folder + u"/services";
        const QString socket = folder + u"/bus";
        QDir().mkpath(services);
        write(services + u'/' + providerName + u".service",
              readAll(QStringLiteral(KELVANE_SOURCE_DIR
                                     "/dist/"
                                     "org.kelvane.Kelvane.SearchProvider.service.in"))
                  .replace(u"@KELVANE_PROVIDER_EXEC@"_qs,
                           QStringLiteral(KELVANE_SEARCH_PROVIDER " --catalogue ") + catalogue));
        write(folder + u"/bus.conf",
              u"<busconfig><type>session</type><listen>unix:path=%1</listen>"
              "<servicedir>%2</servicedir><policy context=\"default\">"
              "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
              "<allow own=\"*\"/></policy></busconfig>"_qs.arg(socket, services));
        const QString address = u"unix:path="_qs + socket;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_qs, address);
        m_daemon.setProcessEnvironment(environment);
        m_daemon.start(u"dbus-daemon"_qs,
                       {u"--nofork"_qs, u"--config-file="_qs + folder + u"/bus.conf"});
        for (int i = 0; i < 500 && !QFileInfo::exists(socket); ++i)
            QThread::msleep(10);
        m_bus.emplace(QDBusConnection::connectToBus(address, connectionName));
        if (!m_bus->isConnected())
            qFatal("the private bus did not start");
    }

    ~PrivateBus()
    {
        const QDBusReply<uint> pid = m_bus->interface()->servicePid(providerName);
        if (pid.isValid())
            ::kill(pid.value(), SIGTERM);
        m_bus.reset();
        QDBusConnection::disconnectFromBus(connectionName);
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    QStringList initialResultSet(const QString &text)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            providerName, u"/org/kelvane/Kelvane/SearchProvider"_qs,
            u"org.gnome.Shell.SearchProvider2"_qs, u"GetInitialResultSet"_qs);
        call << QStringList{text};
        const QDBusMessage reply = m_bus->call(call, QDBus::Block, 60'000);
        if (reply.type() != QDBusMessage::ReplyMessage)
            qFatal("the provider did not answer: %s", qPrintable(reply.errorMessage()));
        return reply.arguments().value(0).toStringList();
    }

private:
    QProcess m_daemon;
    std::optional<QDBusConnection> m_bus;
};

void BM_WarmInitialResultSet(benchmark::State &state)
{
    QTemporaryDir folder;
    qputenv("XDG_STATE_HOME", (folder.path() + u"/state").toLocal8Bit());
    const GeneratedCatalogue catalogue({50'000, 1'000, 0.1, true});
    PrivateBus bus(folder.path(), catalogue.path());
    // The catalogue in the working folder, where the connection string looks.
    FindCatalogue inProcess;
    inProcess.follow();
    const find::Engine &engine = inProcess.engine();
    const auto engineSearch = [&](const QString &text) {
        return engine.rankedSearch(
            text, 10, find::UsageRecord::atDefaultPath().usageOfEntries(engine.entries()));
    };
    const QStringList texts = {u"wzrb"_qs, u"dushibao"_qs};
    for (const QString &text : texts) {
        // Started, catalogue read and index built; the same hits on both sides.
        if (bus.initialResultSet(text).size() != engineSearch(text).size())
            qFatal("the provider and the engine found different papers for %s", qPrintable(text));
    }
    std::vector<double> provider;
    std::vector<double> inEngine;
    for (auto _ : state) {
        for (int round = 0; round < 31; ++round) {
            for (const QString &text : texts) {
                provider.push_back(
                    secondsOf([&] { benchmark::DoNotOptimize(bus.initialResultSet(text)); }));
                inEngine.push_back(
                    secondsOf([&] { benchmark::DoNotOptimize(engineSearch(text)); }));
            }
        }
    }
    state.counters["provider_ms"] = median(provider) * 1e3;
    state.counters["engine_ms"] = median(inEngine) * 1e3;
}

} // namespace

BENCHMARK(BM_WarmInitialResultSet)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runCoreBenchmarks(argc, argv);
}
