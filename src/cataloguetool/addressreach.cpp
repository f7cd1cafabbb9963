#include "cataloguetool/addressreach.h"

namespace addressreach {

namespace {

bool inAny(const QHostAddress &address, std::initializer_list<const char *> subnets)
{
    for (const char *subnet : subnets)
        if (address.isInSubnet(QHostAddress::parseSubnet(QLatin1StringView(subnet))))
            return true;
    return false;
}

Reach reachOfIPv4(const QHostAddress &address)
{
    if (inAny(address, {"127.0.0.0/8", "0.0.0.0/8"}))
        return Reach::Loopback;
    if (inAny(address, {"169.254.0.0/16"}))
        return Reach::LinkLocal;
    if (inAny(address, {"10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16"}))
        return Reach::Private;
    return Reach::Public;
}

} // namespace

Reach reachOf(const QHostAddress &address)
{
    // An IPv4 address mapped into IPv6 reaches where the IPv4 one does.
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    if (isIPv4)
        return reachOfIPv4(QHostAddress(ipv4));
    if (address.isLoopback() || address == QHostAddress(QHostAddress::AnyIPv6))
        return Reach::Loopback;
    if (address.isLinkLocal())
        return Reach::LinkLocal;
    if (address.isUniqueLocalUnicast() || address.isSiteLocal())
        return Reach::Private;
    return Reach::Public;
}

Reach reachOf(const QString &host)
{
    QString name = host.toLower();
    if (name.endsWith(u'.'))
        name.chop(1);
    if (name == u"localhost" || name.endsWith(u".localhost"))
        return Reach::Loopback;
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    const QHostAddress address(name);
    return address.isNull() ? Reach::Public : reachOf(address);
}

QString word(Reach reach)
{
    switch (reach) {
    case Reach::Private:
        return QStringLiteral("private");
    case Reach::Loopback:
        return QStringLiteral("loopback");
    case Reach::LinkLocal:
        return QStringLiteral("link-local");
    case Reach::Public:
        break;
    }
    return QStringLiteral("public");
}

} // namespace addressreach
