#pragma once

#include "app/commandline.h"

class SingleInstance;

// What happens around the window set: commands that exit at once, the
// catalogue choice, the hand-over to a program already running.
namespace launch {

// The command line's arguments as text, the program's name first.
QStringList arguments(int argc, char **argv);

// Carries out an outcome other than Run and gives the exit code.
int finish(const commandline::Outcome &outcome, int &argc, char **argv);

// Qt's -platform and -display also decide, before Qt starts, the platform
// chosen for the session and the display whose program this start is.
void applyQtOptions(const commandline::Outcome &outcome);

// The single-instance name for this user and display; empty, after saying
// so, when there is no private folder for it.
QString instanceName();

// The catalogue a start with `option` works on, as an absolute path,
// without making it.
QString chosenCatalogue(const QString &option);

// Asks the running program to show its main window (with --find, its find
// window) and ends this launch's startup notification; the exit code: 1 when
// the running program works on another catalogue than the one named by
// --catalogue, or does not answer. Runs without the display's application
// object.
int handOver(SingleInstance &instance, const commandline::Outcome &outcome, int &argc, char **argv);

// Chooses the catalogue every window works on (making the user's own from
// the starter when needed); a failure is shown and the program goes on.
// The user's own catalogue gets the papers of a newer installed starter;
// returns the message that says so, or an empty text.
QString useCatalogue(const QString &option);

// Shows the main window, as a left click on the tray icon does, whenever a
// later start hands over; the find window when the later start asks for it.
void showOnHandOver(SingleInstance &instance);

} // namespace launch
