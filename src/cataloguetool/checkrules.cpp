#include "cataloguetool/checkrules.h"

#include "cataloguetool/addressreach.h"
#include "core/webaddress.h"

#include <QNetworkCookieJar>

using addressreach::Reach;

namespace checkrules {

namespace {

// The chain's cookies in a jar, for the jar's rules of domain, path,
// expiry and secure.
class ChainCookies final : public QNetworkCookieJar
{
public:
    explicit ChainCookies(const QList<QNetworkCookie> &cookies) { setAllCookies(cookies); }
    QList<QNetworkCookie> all() const { return allCookies(); }
};

void keepCookies(Result &result, const QUrl &address, const QByteArray &setCookie)
{
    if (setCookie.isEmpty())
        return;
    ChainCookies jar(result.cookies);
    jar.setCookiesFromUrl(QNetworkCookie::parseCookies(setCookie), address);
    result.cookies = jar.all();
}

bool isWeb(const QUrl &address)
{
    return address.isValid() && (address.scheme() == u"http" || address.scheme() == u"https");
}

// A request is the same as an earlier one of the chain when it goes to the
// same address with the same cookies: a server that sets a cookie and sends
// the browser back is no loop. The first request sends none.
bool visited(const Result &result, const QUrl &to, const QByteArray &cookies)
{
    if (cookies.isEmpty() && to.matches(result.address, QUrl::None))
        return true;
    for (const Hop &hop : result.hops)
        if (hop.cookies == cookies && hop.to.matches(to, QUrl::None))
            return true;
    return false;
}

Step redirect(Result &result, const QUrl &address, const Answer &answer, QUrl *next)
{
    const QUrl to = address.resolved(QUrl(answer.location));
    if (!isWeb(to)) {
        unreachable(
            result,
            QStringLiteral("redirected to '%1', which is no web address").arg(answer.location));
        return Step::Finish;
    }
    const QByteArray cookies = cookieHeader(result, to);
    const bool loop = visited(result, to, cookies);
    result.hops.append({answer.status, to, cookies});
    result.finalAddress = to;
    if (loop)
        unreachable(result, QStringLiteral("redirect loop at %1").arg(to.toString()));
    else if (result.hops.size() > maxRedirects)
        unreachable(result, QStringLiteral("more than %1 redirects").arg(maxRedirects));
    else if (addressreach::reachOf(to.host()) == Reach::LinkLocal)
        refuseLinkLocal(result, to);
    else {
        *next = to;
        return Step::Follow;
    }
    return Step::Finish;
}

// The outcome of the last answer of a chain.
void settle(Result &result, int status)
{
    if (isRedirect(status)) {
        result.outcome = Outcome::Dead;
        result.reason = QStringLiteral("HTTP %1 without a new address").arg(status);
    } else if (refusesChecker(status)) {
        unreachable(result, QStringLiteral("refused by the server (HTTP %1)").arg(status));
    } else if (status >= 400) {
        result.outcome = Outcome::Dead;
        result.reason = QStringLiteral("HTTP %1").arg(status);
    } else {
        result.outcome = result.hops.isEmpty() ? Outcome::Ok : Outcome::Redirected;
    }
}

} // namespace

QString word(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Ok:
        return QStringLiteral("ok");
    case Outcome::Redirected:
        return QStringLiteral("redirected");
    case Outcome::Dead:
        return QStringLiteral("dead");
    case Outcome::Unreachable:
        break;
    }
    return QStringLiteral("unreachable");
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool isPermanent(int status)
{
    return status == 301 || status == 308;
}

bool refusesHead(int status)
{
    return status >= 400;
}

bool refusesChecker(int status)
{
    return status == 401 || status == 403 || status == 429;
}

bool Result::permanent() const
{
    if (hops.isEmpty())
        return false;
    for (const Hop &hop : hops)
        if (!isPermanent(hop.status))
            return false;
    return true;
}

QUrl Result::permanentTarget() const
{
    QUrl target;
    for (const Hop &hop : hops) {
        if (!isPermanent(hop.status))
            break;
        target = hop.to;
    }
    return target;
}

void unreachable(Result &result, const QString &reason)
{
    result.outcome = Outcome::Unreachable;
    result.reason = reason;
}

QByteArray cookieHeader(const Result &result, const QUrl &address)
{
    if (result.cookies.isEmpty())
        return {};
    QByteArrayList pairs;
    for (const QNetworkCookie &cookie : ChainCookies(result.cookies).cookiesForUrl(address))
        pairs.append(cookie.toRawForm(QNetworkCookie::NameAndValueOnly));
    return pairs.join("; ");
}

void refuseLinkLocal(Result &result, const QUrl &to)
{
    unreachable(result,
                QStringLiteral("redirected to %1, a link-local address, which is not followed")
                    .arg(to.toString()));
}

QString unfitTarget(const QUrl &original, const QUrl &target)
{
    if (!browser::webAddress(target.toString()).isValid())
        return QStringLiteral("not a web address");
    if (!target.userInfo().isEmpty())
        return QStringLiteral("it holds a user name or password");
    if (original.scheme() == u"https" && target.scheme() == u"http")
        return QStringLiteral("it goes from https to http");
    const Reach reach = addressreach::reachOf(target.host());
    if (reach != Reach::Public && reach != addressreach::reachOf(original.host()))
        return QStringLiteral("it leads to a %1 address").arg(addressreach::word(reach));
    return {};
}

Step take(Result &result, const QUrl &address, const Answer &answer, QUrl *next)
{
    result.status = answer.status;
    result.finalAddress = address;
    keepCookies(result, address, answer.setCookie);
    if (answer.wasHead && refusesHead(answer.status))
        return Step::RetryGet;
    if (isRedirect(answer.status) && !answer.location.isEmpty())
        return redirect(result, address, answer, next);
    settle(result, answer.status);
    return Step::Finish;
}

} // namespace checkrules
