#pragma once

#include <QString>
#include <QUrl>

// Which catalogue addresses are web addresses; a plain rule, no desktop.
namespace browser {

// The address as a web URL, read as tolerantly as a browser's address bar
// reads it: http and https addresses, and a bare host such as
// "www.people.com.cn" or "人民网.中国" read as http; characters a URL cannot
// hold as they are (a space, "|", "{", a "%" that starts no escape) are
// percent-encoded. Anything that is not a web address with a host (another
// scheme, a path, a command, text with control or format characters) gives
// an invalid QUrl.
QUrl webAddress(const QString &address);

// What a list shows of an address: its host, or the text itself where it is
// no web address.
QString shownHost(const QString &address);

} // namespace browser
