#pragma once

#include <QByteArray>

// The launcher's startup notification (the busy pointer and the "starting"
// entry that a desktop shows after a launch from its menu). A window the
// program shows ends it, through Qt; a start that hands over to a running
// program shows none, so it ends the notification itself.
namespace startupnotification {

// The launch's id, while no display's application object has taken it from
// the environment.
QByteArray launchId();

// Ends the launch's notification on the X display ("remove" message),
// through a connection of its own; does nothing without an id or a display.
void complete(const QByteArray &id);

} // namespace startupnotification
