#pragma once

#include <QList>
#include <QNetworkCookie>
#include <QString>
#include <QUrl>

// How one address's answers make its outcome; no network here.
namespace checkrules {

inline constexpr int maxRedirects = 10;

enum class Outcome
{
    Ok,
    Redirected,
    Dead,
    Unreachable
};

QString word(Outcome outcome);

bool isRedirect(int status);
// 301 and 308 say the address has moved for good.
bool isPermanent(int status);
// Any error answer to HEAD is asked again with GET: bot filters and CDNs
// refuse HEAD with 403 or 404 while they serve the page.
bool refusesHead(int status);
// A GET answered this way turned the checker away (a login, a bot filter, a
// rate limit): the page may well be there, so the paper is not dead.
bool refusesChecker(int status);

// One redirect followed.
struct Hop
{
    int status = 0;
    QUrl to;
    QByteArray cookies; // the Cookie header sent to `to`
};

struct Result
{
    QUrl address; // the address checked
    Outcome outcome = Outcome::Unreachable;
    int status = 0;    // the last answer's code, 0 when none came
    QUrl finalAddress; // where the redirects led
    QList<Hop> hops;
    QString reason; // for dead and unreachable
    // What the chain's servers set, sent along the chain as a browser would.
    QList<QNetworkCookie> cookies;
    bool permanent() const;
    // The address where the leading permanent redirects lead: the one to
    // keep in the catalogue. Empty when the first redirect is temporary.
    QUrl permanentTarget() const;
};

// What to do with an answer to a request of `address`.
enum class Step
{
    Finish,   // the result is final
    RetryGet, // ask the same address with GET
    Follow    // request `next`
};

struct Answer
{
    int status = 0;
    bool wasHead = true;
    QString location;     // the Location header, as sent
    QByteArray setCookie; // the Set-Cookie headers, one a line
};

// Takes one answer into the result so far (whose hops lead to `address`)
// and says what comes next; `next` is the address to follow.
Step take(Result &result, const QUrl &address, const Answer &answer, QUrl *next);

// The result of a request that got no answer, with the reason.
void unreachable(Result &result, const QString &reason);

// The Cookie header a request of `address` sends in this result's chain;
// empty when there is none.
QByteArray cookieHeader(const Result &result, const QUrl &address);

// A redirect into a link-local address (a cloud's metadata service, a
// router) is never followed: the result ends there.
void refuseLinkLocal(Result &result, const QUrl &to);

// Why a permanent redirect's `target` may not replace `original` in the
// catalogue; empty when it may. A target must be a web address without a
// user name or password, keep https, and lead to a loopback, private or
// link-local host only when the original did.
QString unfitTarget(const QUrl &original, const QUrl &target);

} // namespace checkrules
