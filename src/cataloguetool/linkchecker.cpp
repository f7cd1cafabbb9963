#include "cataloguetool/linkchecker.h"

#include "cataloguetool/addressreach.h"
#include "core/webaddress.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkReply>
#include <QTimer>
#include <optional>

using checkrules::Outcome;

struct LinkChecker::Flight
{
    Job job;
    QString host;
    bool finished = false;
    bool timedOut = false;
    // A GET's answer, taken as soon as its headers come.
    std::optional<checkrules::Answer> answer;
};

namespace {

QString hostOf(const QUrl &address)
{
    return address.host().toLower();
}

QString timedOutAfter(int timeoutMs)
{
    return QStringLiteral("timed out after %1 s").arg(timeoutMs / 1000.0);
}

QString reasonOf(const QNetworkReply *reply, bool timedOut, int timeoutMs)
{
    if (timedOut)
        return timedOutAfter(timeoutMs);
    const QString detail = reply->errorString();
    switch (reply->error()) {
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("host not found (%1)").arg(detail);
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("connection refused");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("connection closed by the server");
    case QNetworkReply::TimeoutError:
        return QStringLiteral("timed out");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("TLS handshake failed (%1)").arg(detail);
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QStringLiteral("no network (%1)").arg(detail);
    default:
        return detail.isEmpty() ? QStringLiteral("no answer") : detail;
    }
}

checkrules::Answer answerOf(const QNetworkReply *reply, bool head)
{
    return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), head,
            QString::fromUtf8(reply->rawHeader("Location")), reply->rawHeader("Set-Cookie")};
}

bool anyLinkLocal(const QList<QHostAddress> &addresses)
{
    for (const QHostAddress &address : addresses)
        if (addressreach::reachOf(address) == addressreach::Reach::LinkLocal)
            return true;
    return false;
}

} // namespace

LinkChecker::LinkChecker(const QStringList &addresses, Options options, QObject *parent)
    : QObject(parent), m_options(options), m_manager(std::make_unique<QNetworkAccessManager>())
{
    m_options.concurrency = qMax(1, m_options.concurrency);
    m_options.perHost = qMax(1, m_options.perHost);
    m_manager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    m_results.resize(addresses.size());
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        const QUrl address = browser::webAddress(addresses.at(i));
        m_results[i].address = address;
        if (address.isValid())
            m_waiting.push_back({i, address, true});
        else
            checkrules::unreachable(m_results[i], QStringLiteral("not a web address"));
    }
}

// A server that floods its headers keeps the manager's transfer thread
// reading after the request was abandoned, and destroying the manager waits
// for that thread: the check would end long after its deadline. The tool
// ends right after the check, so such a manager is left to the exit.
LinkChecker::~LinkChecker()
{
    if (m_cutShort)
        (void)m_manager.release();
}

void LinkChecker::start()
{
    for (qsizetype i = 0; i < m_results.size(); ++i)
        if (!m_results.at(i).address.isValid())
            finish(i);
    QTimer::singleShot(0, this, &LinkChecker::advance);
}

// Each host's name is looked up once before any request goes to it: a
// name that is not found ends its papers at once, and a lookup that hangs
// (no network) ends at the deadline instead of holding requests. A paper
// whose chain ran out of time while it waited ends here too.
LinkChecker::Readiness LinkChecker::readiness(const Job &job)
{
    checkrules::Result &result = m_results[job.index];
    const QString host = hostOf(job.address);
    if (!m_hosts.contains(host))
        lookUp(host);
    const HostState &known = *m_hosts.constFind(host);
    if (job.deadline.hasExpired())
        checkrules::unreachable(result, timedOutAfter(m_options.timeoutMs));
    else if (known.lookup == HostState::Lookup::Failed)
        checkrules::unreachable(result, known.reason);
    else if (known.lookup == HostState::Lookup::Found && known.linkLocal && !result.hops.isEmpty())
        checkrules::refuseLinkLocal(result, job.address);
    else
        return known.lookup == HostState::Lookup::Found ? Readiness::Go : Readiness::Wait;
    result.finalAddress = job.address;
    finish(job.index);
    return Readiness::Ended;
}

void LinkChecker::lookUp(const QString &host)
{
    m_hosts.insert(host, {});
    if (!QHostAddress(host).isNull() || host.startsWith(u'[')) {
        m_hosts[host].lookup = HostState::Lookup::Found;
        return;
    }
    const int id = QHostInfo::lookupHost(host, this, [this, host](const QHostInfo &info) {
        const bool found = info.error() == QHostInfo::NoError && !info.addresses().isEmpty();
        m_hosts[host].linkLocal = anyLinkLocal(info.addresses());
        hostLookedUp(host, found,
                     info.error() == QHostInfo::UnknownError
                         ? QStringLiteral("host lookup failed (%1)").arg(info.errorString())
                         : QStringLiteral("host not found"));
    });
    QTimer::singleShot(m_options.timeoutMs, this, [this, host, id] {
        if (m_hosts.value(host).lookup != HostState::Lookup::Running)
            return;
        QHostInfo::abortHostLookup(id);
        hostLookedUp(host, false,
                     QStringLiteral("timed out after %1 s looking up the host")
                         .arg(m_options.timeoutMs / 1000.0));
    });
}

void LinkChecker::hostLookedUp(const QString &host, bool found, const QString &reason)
{
    HostState &state = m_hosts[host];
    if (state.lookup != HostState::Lookup::Running)
        return;
    state.lookup = found ? HostState::Lookup::Found : HostState::Lookup::Failed;
    state.reason = reason;
    advance();
}

// Starts waiting requests, oldest first, while there is room overall and
// on their hosts; a redirect's next request waits at the front, and those
// (with their deadline running) are looked at even when there is no room.
void LinkChecker::dispatch()
{
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        const bool room = m_inFlight < m_options.concurrency;
        if (!room && it->deadline.isForever())
            break;
        const Readiness ready = readiness(*it);
        if (ready == Readiness::Ended) {
            it = m_waiting.erase(it);
        } else if (ready == Readiness::Wait || !room ||
                   m_perHost.value(hostOf(it->address)) >= m_options.perHost) {
            ++it;
        } else {
            const Job job = *it;
            it = m_waiting.erase(it);
            send(job);
        }
    }
}

void LinkChecker::advance()
{
    dispatch();
    if (m_done == m_results.size() && !m_over) {
        m_over = true;
        emit finished();
    }
}

void LinkChecker::send(Job job)
{
    if (job.deadline.isForever())
        job.deadline.setRemainingTime(m_options.timeoutMs);
    auto flight = std::make_shared<Flight>();
    flight->job = job;
    flight->host = hostOf(job.address);
    ++m_inFlight;
    ++m_perHost[flight->host];

    QNetworkRequest request(job.address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    // Each paper's chain carries its own cookies, never another's.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    const QByteArray cookies = checkrules::cookieHeader(m_results.at(job.index), job.address);
    if (!cookies.isEmpty())
        request.setRawHeader("Cookie", cookies);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("kelvane-catalogue/1.0 (link check)"));
    QNetworkReply *reply = job.head ? m_manager->head(request) : m_manager->get(request);
    if (!job.head) {
        // The answer's headers are all a check needs: the body is not fetched.
        connect(reply, &QNetworkReply::metaDataChanged, this, [reply, flight] {
            const checkrules::Answer answer = answerOf(reply, false);
            if (answer.status == 0 || flight->answer)
                return;
            flight->answer = answer;
            reply->abort();
        });
    }
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, flight] { answered(reply, flight); });
    QTimer::singleShot(int(job.deadline.remainingTime()), Qt::PreciseTimer, reply,
                       [this, reply, flight] {
                           if (flight->finished || flight->answer)
                               return;
                           flight->timedOut = true;
                           m_cutShort = true;
                           reply->abort();
                       });
}

void LinkChecker::answered(QNetworkReply *reply, const std::shared_ptr<Flight> &flight)
{
    if (flight->finished)
        return;
    flight->finished = true;
    reply->deleteLater();
    --m_inFlight;
    if (--m_perHost[flight->host] <= 0)
        m_perHost.remove(flight->host);

    Job job = flight->job;
    checkrules::Result &result = m_results[job.index];
    checkrules::Answer answer{0, job.head, {}, {}};
    if (flight->answer)
        answer = *flight->answer;
    else if (!flight->timedOut)
        answer = answerOf(reply, job.head);
    if (answer.status == 0) {
        result.finalAddress = job.address;
        checkrules::unreachable(result, reasonOf(reply, flight->timedOut, m_options.timeoutMs));
        finish(job.index);
    } else {
        QUrl next;
        switch (checkrules::take(result, job.address, answer, &next)) {
        case checkrules::Step::RetryGet:
            job.head = false;
            m_waiting.push_front(job);
            break;
        case checkrules::Step::Follow:
            job.address = next;
            job.head = true;
            m_waiting.push_front(job);
            // Should it wait past its deadline (a host to look up), it ends then.
            QTimer::singleShot(int(job.deadline.remainingTime()) + 1, this, &LinkChecker::advance);
            break;
        case checkrules::Step::Finish:
            finish(job.index);
            break;
        }
    }
    advance();
}

void LinkChecker::finish(qsizetype index)
{
    ++m_done;
    ++m_counts[int(m_results.at(index).outcome)];
    emit progressed();
}
