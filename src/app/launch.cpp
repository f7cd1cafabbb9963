#include "app/launch.h"

#include "catalogue/cataloguelocation.h"
#include "catalogue/shippedupdate.h"
#include "core/failure.h"
#include "find/usagerecord.h"
#include "forms/findfrm.h"
#include "forms/mainfrm.h"
#include "platform/application.h"
#include "platform/autostart.h"
#include "platform/hotkeysetting.h"
#include "platform/singleinstance.h"
#include "platform/startupnotification.h"

#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <cstdio>

namespace launch {

namespace {

// How long a later start waits for the running program to answer.
constexpr int handOverTimeoutMs = 5000;

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int setHotkey(const QString &key)
{
    try {
        hotkeysetting::store(key);
    } catch (const Failure &failure) {
        print(stderr, failure.message() + u'\n');
        return 1;
    }
    print(stdout, key == u"off" ? QStringLiteral("The find window's key is off")
                                : QStringLiteral("The find window's key is %1").arg(key));
    print(stdout, QStringLiteral("; a Kelvane already running takes it at its next start.\n"));
    return 0;
}

// A record that stays has been named by a warning already.
int forgetUsage()
{
    return find::UsageRecord::forgetDefault() ? 0 : 1;
}

// Lets a test kill the program at a chosen point of the merge: the program
// stops itself there, as if frozen, until the test kills it.
cataloguemerge::StageReached stopForTests()
{
    const QByteArray at = qgetenv("KELVANE_TEST_STOP_MERGE_AT");
    if (at.isEmpty())
        return {};
    return [at](cataloguemerge::Stage stage) {
        if (at == (stage == cataloguemerge::Stage::RowsWritten ? "rows" : "committed"))
            std::raise(SIGSTOP);
    };
}

// A catalogue that cannot take the update now gets it at a later start.
QString updateFromStarter()
{
    try {
        const std::optional<mergerules::Summary> summary = shippedupdate::run(
            cataloguelocation::starterCatalogue(QCoreApplication::applicationDirPath()),
            stopForTests());
        if (!summary || summary->added + summary->updated == 0)
            return {};
        const QString message = mergerules::updatedMessage(*summary);
        print(stderr, QStringLiteral("Kelvane: %1\n").arg(message));
        return message;
    } catch (const Failure &failure) {
        print(stderr, QStringLiteral("Kelvane: the catalogue was not updated from the installed "
                                     "starter; the next start tries again: %1\n")
                          .arg(failure.message()));
    }
    return {};
}

} // namespace

QStringList arguments(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

int finish(const commandline::Outcome &outcome, int &argc, char **argv)
{
    switch (outcome.action) {
    case commandline::Action::Print:
        print(stdout, outcome.text);
        return 0;
    case commandline::Action::Refuse:
        print(stderr, outcome.text);
        return 2;
    case commandline::Action::Autostart: {
        const QCoreApplication core(argc, argv); // for the program's own path
        try {
            autostart::set(outcome.autostartOn, QCoreApplication::applicationFilePath(),
                           autostart::configHome());
        } catch (const Failure &failure) {
            print(stderr, failure.message() + u'\n');
            return 1;
        }
        return 0;
    }
    case commandline::Action::SetHotkey:
        return setHotkey(outcome.text);
    case commandline::Action::ForgetUsage:
        return forgetUsage();
    case commandline::Action::Run:
        break;
    }
    return 0;
}

void applyQtOptions(const commandline::Outcome &outcome)
{
    if (!outcome.qtPlatform.isEmpty())
        qputenv("QT_QPA_PLATFORM", outcome.qtPlatform.toLocal8Bit());
    if (!outcome.qtDisplay.isEmpty())
        qputenv("DISPLAY", outcome.qtDisplay.toLocal8Bit());
}

QString instanceName()
{
    const QString name = SingleInstance::currentServerName();
    if (name.isEmpty())
        print(stderr, QStringLiteral("Kelvane: no private folder for the single-instance lock "
                                     "(XDG_RUNTIME_DIR is not set and the cache folder cannot be "
                                     "made private); a second start will not be noticed\n"));
    return name;
}

QString chosenCatalogue(const QString &option)
{
    return cataloguelocation::choose(option, QDir::currentPath(),
                                     cataloguelocation::userDataDirectory())
        .path;
}

int handOver(SingleInstance &instance, const commandline::Outcome &outcome, int &argc, char **argv)
{
    const QCoreApplication core(argc, argv);
    const QString &option = outcome.catalogue;
    const QString catalogue = option.isEmpty() ? QString() : chosenCatalogue(option);
    const SingleInstance::Reply reply =
        instance.handOver({catalogue, startupnotification::launchId(),
                           startupnotification::activationToken(), outcome.find, outcome.findText},
                          handOverTimeoutMs);
    startupnotification::complete(startupnotification::launchId());
    switch (reply.answer) {
    case SingleInstance::Answer::Shown:
        return 0;
    case SingleInstance::Answer::OtherCatalogue:
        print(stderr,
              QStringLiteral("Kelvane is already running on %1\n").arg(reply.runningCatalogue));
        return 1;
    case SingleInstance::Answer::None:
        break;
    }
    print(stderr,
          QStringLiteral("Kelvane is already running on this display but did not answer\n"));
    return 1;
}

QString useCatalogue(const QString &option)
{
    try {
        if (cataloguelocation::resolve(option).source == cataloguelocation::Source::UserData)
            return updateFromStarter();
    } catch (...) {
        reportCurrentFailure();
    }
    return {};
}

void showOnHandOver(SingleInstance &instance)
{
    QObject::connect(&instance, &SingleInstance::showRequested,
                     [](const QByteArray &startupId, const QByteArray &activationToken) {
                         if (!MainForm)
                             return;
                         startupnotification::adoptLaunch(MainForm, startupId, activationToken);
                         MainForm->WMTrayIcon(QSystemTrayIcon::Trigger);
                     });
    QObject::connect(
        &instance, &SingleInstance::findRequested,
        [](const QString &text, const QByteArray &startupId, const QByteArray &activationToken) {
            // A window made by this call is raised in the
            // program's own name.
            if (TFindForm *window = findWindow())
                startupnotification::adoptLaunch(window, startupId, activationToken);
            showFindWindow(text);
        });
}

} // namespace launch
