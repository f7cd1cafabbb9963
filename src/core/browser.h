#pragma once

#include "core/webaddress.h"

#include <functional>

// Opening a newspaper's address in the default browser. Only web addresses
// are handed to the desktop: a catalogue row must never start a program.
// Qt Core only, so that a program without windows (the desktop search's
// provider) opens a paper exactly as the menus do.
namespace browser {

enum class Opening
{
    Opened,        // handed to the desktop, which took it
    NotWebAddress, // not a web address: nothing was handed over
    NoHandler      // the desktop could not open it (no browser, no handler)
};

// Hands a web URL to the desktop's opener, xdg-open, started as a process
// of its own that outlives ours.
Opening open(const QString &address);

// Web URLs go to `opener` instead of the desktop while one is set (the tests
// collect them so); an empty function gives them back to the desktop.
// Returns the opener it replaces.
std::function<bool(const QUrl &)> setOpener(std::function<bool(const QUrl &)> opener);

} // namespace browser
