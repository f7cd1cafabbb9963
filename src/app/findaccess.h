#pragma once

#include "app/commandline.h"

// The ways into the find window from outside the program's own windows:
// the global key and a first start with --find. (A later start's --find
// arrives through the hand-over, see launch.h.)
namespace findaccess {

// A first start with --find opens the find window once the main window is
// up; any other start does nothing here.
void openAtStart(const commandline::Outcome &outcome);

// Grabs the key kept in the settings once the main window is up. A key that
// another program holds, or that the keyboard lacks, is reported once on
// standard error and once in the tray. Off X11 nothing is grabbed and
// nothing said: the desktop's own keyboard settings bind `kelvane --find`.
void grabHotkey();

} // namespace findaccess
