#pragma once

#include <QString>
#include <QUrl>

// Opening a newspaper's address in the default browser. Only web addresses
// are handed to the desktop: a catalogue row must never start a program.
namespace browser {

// The address as a web URL: http and https addresses, and a bare host such as
// "www.people.com.cn" read as http. Anything else gives an invalid QUrl.
QUrl webAddress(const QString &address);

// Hands a web URL to the desktop (xdg-open on Linux). Returns false, and opens
// nothing, when the address is not a web address.
bool open(const QString &address);

} // namespace browser
