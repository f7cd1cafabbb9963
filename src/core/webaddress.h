#pragma once

#include <QString>
#include <QUrl>

// Which catalogue addresses are web addresses; a plain rule, no desktop.
namespace browser {

// The address as a web URL: http and https addresses, and a bare host such as
// "www.people.com.cn" read as http. Anything else gives an invalid QUrl.
QUrl webAddress(const QString &address);

} // namespace browser
