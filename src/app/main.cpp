#include "app/findaccess.h"
#include "app/launch.h"
#include "app/startup.h"
#include "platform/application.h"
#include "platform/displaychoice.h"
#include "platform/singleinstance.h"

int main(int argc, char **argv)
{
    // The command line first: --help and the like need no display.
    const commandline::Outcome outcome = commandline::parse(launch::arguments(argc, argv));
    if (outcome.action != commandline::Action::Run)
        return launch::finish(outcome, argc, argv);
    launch::applyQtOptions(outcome);
    if (!displaychoice::apply(displaychoice::choose(displaychoice::current())))
        return 1;

    // A later start hands over before Qt connects to the display.
    SingleInstance instance(launch::instanceName());
    if (!instance.lock())
        return launch::handOver(instance, outcome, argc, argv);
    Application app(argc, argv);
    instance.listen();
    instance.setCatalogue(launch::chosenCatalogue(outcome.catalogue));
    const QString updated = launch::useCatalogue(outcome.catalogue);
    launch::showOnHandOver(instance);
    findaccess::openAtStart(outcome);
    findaccess::grabHotkey();
    return startup::run(updated);
}
