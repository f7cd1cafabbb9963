#pragma once

#include "searchprovider/gnomesearch.h"
#include "searchprovider/krunner.h"
#include "searchprovider/papersearch.h"

#include <QDBusConnection>
#include <QTimer>
#include <chrono>

// kelvane-search-provider: the desktop's own search (GNOME Shell, Plasma's
// KRunner) finds papers through it. The session bus starts it at the first
// call; it ends by itself when no call has come for a while, so that it holds
// nothing between searches.
namespace searchprovider {

inline const QString busName = QStringLiteral("org.kelvane.Kelvane.SearchProvider");
inline const QString gnomePath = QStringLiteral("/org/kelvane/Kelvane/SearchProvider");
inline const QString krunnerPath = QStringLiteral("/org/kelvane/Kelvane/Runner");

class Service final
{
public:
    explicit Service(std::chrono::milliseconds idle);

    // Puts both interfaces on the bus and takes the bus name; false, with one
    // line in the log, when either fails (another provider holds the name).
    bool start(QDBusConnection bus);
    // Each call starts the idle time again.
    PaperSearch &called();

private:
    void endIdle();

    PaperSearch m_search;
    GnomeSearchProvider m_gnome{*this};
    KRunnerProvider m_krunner{*this};
    QTimer m_idle;
    std::optional<QDBusConnection> m_bus;
};

// How long the provider waits for a call before it ends: 60 s, or the
// milliseconds that KELVANE_PROVIDER_IDLE_MS gives.
std::chrono::milliseconds idleTime();

// The program: its options, the catalogue and the bus. Its exit status.
int run(const QStringList &arguments);

} // namespace searchprovider
