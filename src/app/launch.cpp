#include "app/launch.h"

#include "catalogue/cataloguelocation.h"
#include "core/failure.h"
#include "forms/mainfrm.h"
#include "platform/application.h"
#include "platform/autostart.h"
#include "platform/singleinstance.h"
#include "platform/startupnotification.h"

#include <QCoreApplication>
#include <cstdio>

namespace launch {

namespace {

// How long a later start waits for the running program to answer.
constexpr int handOverTimeoutMs = 5000;

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
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
    case commandline::Action::Run:
        break;
    }
    return 0;
}

int handOver(SingleInstance &instance, int &argc, char **argv)
{
    const QCoreApplication core(argc, argv);
    const bool answered = instance.handOver(handOverTimeoutMs);
    startupnotification::complete(startupnotification::launchId());
    if (answered)
        return 0;
    print(stderr,
          QStringLiteral("Kelvane is already running on this display but did not answer\n"));
    return 1;
}

void useCatalogue(const QString &option)
{
    try {
        cataloguelocation::resolve(option);
    } catch (...) {
        reportCurrentFailure();
    }
}

void showOnHandOver(SingleInstance &instance)
{
    QObject::connect(&instance, &SingleInstance::showRequested, [] {
        if (MainForm)
            MainForm->WMTrayIcon(QSystemTrayIcon::Trigger);
    });
}

} // namespace launch
