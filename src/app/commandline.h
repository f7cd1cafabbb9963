#pragma once

#include <QString>
#include <QStringList>

// The program's command line, read before any window or display is needed.
namespace commandline {

enum class Action
{
    Run,       // start the program (on the catalogue given, if any)
    Print,     // print `text` on standard output and exit 0 (--help, --version)
    Autostart, // write or remove the autostart entry, then exit
    Refuse     // print `text` on standard error and exit 2
};

struct Outcome
{
    Action action = Action::Run;
    QString catalogue;        // --catalogue FILE, or empty
    bool autostartOn = false; // --autostart on|off
    QString text;
};

// Reads the arguments (the program's name first).
Outcome parse(const QStringList &arguments);

} // namespace commandline
