#pragma once

#include <QByteArray>

class QWidget;

// The launcher's startup notification (the busy pointer and the "starting"
// entry that a desktop shows after a launch from its menu). A window the
// program shows ends it, through Qt; a start that hands over to a running
// program shows none, so it ends the notification itself.
namespace startupnotification {

// The launch's id, while no display's application object has taken it from
// the environment.
QByteArray launchId();

// The Wayland launch's token (XDG_ACTIVATION_TOKEN), as launchId() on X11.
QByteArray activationToken();

// Lets `window` be raised in the name of another start's launch, which a
// desktop that prevents focus stealing asks for: on X11 the window carries
// the launch's id when it is mapped (_NET_STARTUP_ID, set through the
// program's own connection so that it comes before the map); on Wayland
// Qt hands the token to the compositor at the next activation.
void adoptLaunch(QWidget *window, const QByteArray &startupId, const QByteArray &activationToken);

// Ends the launch's notification on the X display ("remove" message),
// through a connection of its own; does nothing without an id or a display.
void complete(const QByteArray &id);

} // namespace startupnotification
