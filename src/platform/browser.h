#pragma once

#include "core/webaddress.h"

// Opening a newspaper's address in the default browser. Only web addresses
// are handed to the desktop: a catalogue row must never start a program.
namespace browser {

// Hands a web URL to the desktop (xdg-open on Linux). Returns false, and opens
// nothing, when the address is not a web address.
bool open(const QString &address);

} // namespace browser
