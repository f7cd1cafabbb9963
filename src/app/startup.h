#pragma once

#include <QString>

// The program's start-up: the four windows in their fixed order.
namespace startup {

// Creates MainForm, AboutForm, SetForm and StatisticForm, in this order.
void createWindowSet();
// Releases the find window, if made, then the four, in the reverse order.
void destroyWindowSet();

// Whether the database driver can be loaded; when it cannot, shows the
// last-chance box.
bool checkDatabaseDriver();

// Start-up, the message loop and the exit code; a non-empty `trayMessage`
// is shown from the notification icon once the windows are made.
int run(const QString &trayMessage = {});

} // namespace startup
