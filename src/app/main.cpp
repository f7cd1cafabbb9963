#include "app/launch.h"
#include "app/startup.h"
#include "platform/application.h"
#include "platform/displaychoice.h"
#include "platform/singleinstance.h"
#include "platform/startupnotification.h"

int main(int argc, char **argv)
{
    // The command line first: --help and the like need no display.
    const commandline::Outcome outcome = commandline::parse(launch::arguments(argc, argv));
    if (outcome.action != commandline::Action::Run)
        return launch::finish(outcome, argc, argv);
    if (!displaychoice::apply(displaychoice::choose(displaychoice::current())))
        return 1;

    const QByteArray launchId = startupnotification::launchId(); // Qt takes it
    Application app(argc, argv);
    SingleInstance instance(SingleInstance::currentServerName());
    if (!instance.claim())
        return launch::handOver(instance, launchId);
    launch::useCatalogue(outcome.catalogue);
    launch::showOnHandOver(instance);
    return startup::run();
}
