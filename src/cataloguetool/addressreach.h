#pragma once

#include <QHostAddress>
#include <QString>

// How far off an address's host lies, judged from the host as written: an
// IP literal by its range, "localhost" and its subdomains as this machine,
// any other name as public (names are not resolved for this).
namespace addressreach {

enum class Reach
{
    Public,
    Private,  // 10/8, 172.16/12, 192.168/16, fc00::/7, fec0::/10
    Loopback, // this machine: 127/8, ::1, 0/8, ::, localhost
    LinkLocal // 169.254/16, fe80::/10
};

Reach reachOf(const QHostAddress &address);
Reach reachOf(const QString &host);

QString word(Reach reach);

} // namespace addressreach
