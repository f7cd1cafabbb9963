#include "cataloguetool/checkrules.h"

namespace checkrules {

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
    return status == 405 || status == 501;
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

Step take(Result &result, const QUrl &address, const Answer &answer, QUrl *next)
{
    result.status = answer.status;
    result.finalAddress = address;
    if (answer.wasHead && refusesHead(answer.status))
        return Step::RetryGet;
    if (isRedirect(answer.status) && !answer.location.isEmpty()) {
        const QUrl to = address.resolved(QUrl(answer.location));
        if (!to.isValid() || (to.scheme() != u"http" && to.scheme() != u"https")) {
            unreachable(
                result,
                QStringLiteral("redirected to '%1', which is no web address").arg(answer.location));
            return Step::Finish;
        }
        bool loop = to.matches(address, QUrl::None) || to.matches(result.address, QUrl::None);
        for (const Hop &hop : std::as_const(result.hops))
            loop = loop || hop.to.matches(to, QUrl::None);
        result.hops.append({answer.status, to});
        result.finalAddress = to;
        if (loop) {
            unreachable(result, QStringLiteral("redirect loop at %1").arg(to.toString()));
            return Step::Finish;
        }
        if (result.hops.size() > maxRedirects) {
            unreachable(result, QStringLiteral("more than %1 redirects").arg(maxRedirects));
            return Step::Finish;
        }
        *next = to;
        return Step::Follow;
    }
    if (isRedirect(answer.status)) {
        result.outcome = Outcome::Dead;
        result.reason = QStringLiteral("HTTP %1 without a new address").arg(answer.status);
    } else if (answer.status >= 400) {
        result.outcome = Outcome::Dead;
        result.reason = QStringLiteral("HTTP %1").arg(answer.status);
    } else {
        result.outcome = result.hops.isEmpty() ? Outcome::Ok : Outcome::Redirected;
    }
    return Step::Finish;
}

} // namespace checkrules
