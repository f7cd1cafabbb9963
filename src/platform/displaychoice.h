#pragma once

#include <QByteArray>
#include <QString>

// Which of Qt's platforms the program asks for, from the environment alone.
// Docking and the taskbar state need X11: on a Wayland session the program
// runs through XWayland.
namespace displaychoice {

struct Environment
{
    QByteArray qtPlatform;     // QT_QPA_PLATFORM
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray x11Display;     // DISPLAY
};

struct Choice
{
    // The platform to set before Qt starts; empty leaves Qt's own choice.
    QByteArray platform;
    // When not empty, the program cannot run: print this line and exit 1.
    QString error;
};

// A platform the user set is kept; a Wayland session with XWayland gets
// xcb; without DISPLAY there is no X11 to run on.
Choice choose(const Environment &environment);

// The process's own environment.
Environment current();

// Applies the choice to the process's environment before Qt starts;
// returns false, after printing the error line, when the program cannot run.
bool apply(const Choice &choice);

} // namespace displaychoice
