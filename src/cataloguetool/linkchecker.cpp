#include "cataloguetool/linkchecker.h"

#include "core/webaddress.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkReply>
#include <QTimer>

using checkrules::Outcome;

struct LinkChecker::Flight
{
    Job job;
    QString host;
    bool finished = false;
    bool timedOut = false;
    int status = 0; // a GET's code, taken as soon as its headers come
    QString location;
};

namespace {

QString hostOf(const QUrl &address)
{
    return address.host().toLower();
}

QString reasonOf(const QNetworkReply *reply, bool timedOut, int timeoutMs)
{
    if (timedOut)
        return QStringLiteral("timed out after %1 s").arg(timeoutMs / 1000.0);
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

} // namespace

LinkChecker::LinkChecker(const QStringList &addresses, Options options, QObject *parent)
    : QObject(parent), m_options(options)
{
    m_options.concurrency = qMax(1, m_options.concurrency);
    m_options.perHost = qMax(1, m_options.perHost);
    m_manager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
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

LinkChecker::~LinkChecker() = default;

void LinkChecker::start()
{
    for (qsizetype i = 0; i < m_results.size(); ++i)
        if (!m_results.at(i).address.isValid())
            finish(i);
    dispatch();
    if (m_done == m_results.size())
        QTimer::singleShot(0, this, &LinkChecker::finished);
}

// Each host's name is looked up once before any request goes to it: a
// name that is not found ends its papers at once, and a lookup that hangs
// (no network) ends at the deadline instead of holding requests.
bool LinkChecker::hostReady(const Job &job)
{
    const QString host = hostOf(job.address);
    if (!m_hosts.contains(host))
        lookUp(host);
    const auto known = m_hosts.constFind(host);
    switch (known->lookup) {
    case HostState::Lookup::Found:
        return true;
    case HostState::Lookup::Failed:
        m_results[job.index].finalAddress = job.address;
        checkrules::unreachable(m_results[job.index], known->reason);
        finish(job.index);
        return false;
    case HostState::Lookup::Running:
        break;
    }
    return false;
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
    dispatch();
    if (m_done == m_results.size())
        emit finished();
}

// Starts waiting requests, oldest first, while there is room overall and
// on their hosts; a redirect's next request waits at the front. Papers whose
// host is not found end here.
void LinkChecker::dispatch()
{
    for (auto it = m_waiting.begin();
         it != m_waiting.end() && m_inFlight < m_options.concurrency;) {
        const HostState::Lookup lookup = m_hosts.value(hostOf(it->address)).lookup;
        if (lookup == HostState::Lookup::Failed) {
            const Job job = *it;
            it = m_waiting.erase(it);
            hostReady(job);
            continue;
        }
        if (!hostReady(*it) || m_perHost.value(hostOf(it->address)) >= m_options.perHost) {
            ++it;
            continue;
        }
        const Job job = *it;
        it = m_waiting.erase(it);
        send(job);
    }
}

void LinkChecker::send(const Job &job)
{
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
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("kelvane-catalogue/1.0 (link check)"));
    QNetworkReply *reply = job.head ? m_manager.head(request) : m_manager.get(request);
    if (!job.head) {
        // The code is all a check needs: the body is not fetched.
        connect(reply, &QNetworkReply::metaDataChanged, this, [reply, flight] {
            const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            if (!status.isValid() || flight->status != 0)
                return;
            flight->status = status.toInt();
            flight->location = QString::fromUtf8(reply->rawHeader("Location"));
            reply->abort();
        });
    }
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, flight] { answered(reply, flight); });
    QTimer::singleShot(m_options.timeoutMs, reply, [reply, flight] {
        if (flight->finished || flight->status != 0)
            return;
        flight->timedOut = true;
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
    checkrules::Answer answer{flight->status, job.head, flight->location};
    if (answer.status == 0 && !flight->timedOut) {
        answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer.location = QString::fromUtf8(reply->rawHeader("Location"));
    }
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
            break;
        case checkrules::Step::Finish:
            finish(job.index);
            break;
        }
    }
    dispatch();
    if (m_done == m_results.size())
        emit finished();
}

void LinkChecker::finish(qsizetype index)
{
    ++m_done;
    ++m_counts[int(m_results.at(index).outcome)];
    emit progressed();
}
