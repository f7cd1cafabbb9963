#pragma once

#include <QString>
#include <QStringList>

// The program's command line, read before any window or display is needed.
namespace commandline {

enum class Action
{
    Run,         // start the program (on the catalogue given, if any)
    Print,       // print `text` on standard output and exit 0 (--help, --version)
    Autostart,   // write or remove the autostart entry, then exit
    SetHotkey,   // keep `text` as the find window's global key, then exit
    ForgetUsage, // clear the record of papers opened, then exit
    Refuse       // print `text` on standard error and exit 2
};

struct Outcome
{
    Action action = Action::Run;
    QString catalogue;        // --catalogue FILE, or empty
    bool autostartOn = false; // --autostart on|off
    // --find [TEXT]: the find window opens, with TEXT (the arguments after
    // the options, joined by blanks).
    bool find = false;
    QString findText;
    QString text;
    // Qt's own -platform and -display, when given: they stay in the
    // arguments for Qt and also decide the platform and display before it.
    QString qtPlatform;
    QString qtDisplay;
};

// Reads the arguments (the program's name first). Qt's own options
// (-platform, -display, -style and the rest that QApplication takes) are
// left to Qt.
Outcome parse(const QStringList &arguments);

} // namespace commandline
