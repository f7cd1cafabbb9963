#pragma once

#include "cataloguetool/checkrules.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <array>
#include <deque>
#include <memory>

class QNetworkReply;

// Requests many addresses at once with bounded concurrency: at most
// `concurrency` requests in flight and `perHost` to one host, HEAD first and
// GET where a server refuses HEAD, redirects followed one by one so that
// each is seen (never into a link-local address), and one deadline for
// each paper's whole chain of requests.
class LinkChecker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkChecker)

public:
    struct Options
    {
        int concurrency = 16;
        int perHost = 4;
        int timeoutMs = 10000;
    };

    LinkChecker(const QStringList &addresses, Options options, QObject *parent = nullptr);
    ~LinkChecker() override;

    // Starts the requests; finished() is emitted once every address has its
    // result (at once when there are none).
    void start();

    const QList<checkrules::Result> &results() const { return m_results; }
    qsizetype done() const { return m_done; }
    int count(checkrules::Outcome outcome) const { return m_counts[int(outcome)]; }

signals:
    void progressed();
    void finished();

private:
    struct Job
    {
        qsizetype index = 0;
        QUrl address;
        bool head = true;
        // Set by the paper's first request; its redirects and retries share it.
        QDeadlineTimer deadline = QDeadlineTimer::Forever;
    };
    struct Flight;

    // What is known of a host's name before any request goes to it.
    struct HostState
    {
        enum class Lookup
        {
            Running,
            Found,
            Failed
        } lookup = Lookup::Running;
        QString reason;
        bool linkLocal = false; // one of its addresses is
    };

    enum class Readiness
    {
        Wait,
        Go,
        Ended
    };

    Readiness readiness(const Job &job);
    void lookUp(const QString &host);
    void hostLookedUp(const QString &host, bool found, const QString &reason);
    void dispatch();
    void advance();
    void send(Job job);
    void answered(QNetworkReply *reply, const std::shared_ptr<Flight> &flight);
    void finish(qsizetype index);

    Options m_options;
    std::unique_ptr<QNetworkAccessManager> m_manager;
    bool m_cutShort = false; // a request was abandoned at its deadline
    std::deque<Job> m_waiting;
    QHash<QString, int> m_perHost;
    QHash<QString, HostState> m_hosts;
    int m_inFlight = 0;
    qsizetype m_done = 0;
    bool m_over = false; // finished() was emitted
    std::array<int, 4> m_counts{};
    QList<checkrules::Result> m_results;
};
