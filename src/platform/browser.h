#pragma once

#include "core/webaddress.h"

// Opening a newspaper's address in the default browser. Only web addresses
// are handed to the desktop: a catalogue row must never start a program.
namespace browser {

enum class Opening
{
    Opened,        // handed to the desktop, which took it
    NotWebAddress, // not a web address: nothing was handed over
    NoHandler      // the desktop could not open it (no browser, no handler)
};

// Hands a web URL to the desktop (xdg-open on Linux).
Opening open(const QString &address);

} // namespace browser
