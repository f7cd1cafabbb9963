#pragma once

#include <QList>
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
// A server that refuses HEAD this way is asked again with GET.
bool refusesHead(int status);

// One redirect followed.
struct Hop
{
    int status = 0;
    QUrl to;
};

struct Result
{
    QUrl address; // the address checked
    Outcome outcome = Outcome::Unreachable;
    int status = 0;    // the last answer's code, 0 when none came
    QUrl finalAddress; // where the redirects led
    QList<Hop> hops;
    QString reason; // for dead and unreachable
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
    QString location; // the Location header, as sent
};

// Takes one answer into the result so far (whose hops lead to `address`)
// and says what comes next; `next` is the address to follow.
Step take(Result &result, const QUrl &address, const Answer &answer, QUrl *next);

// The result of a request that got no answer, with the reason.
void unreachable(Result &result, const QString &reason);

} // namespace checkrules
