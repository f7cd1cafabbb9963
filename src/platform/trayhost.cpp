#include "platform/trayhost.h"

#include "platform/x11connection.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QList>
#include <QSystemTrayIcon>
#include <cstdlib>
#include <memory>

namespace trayhost {

namespace {
std::optional<bool> availabilityOverride;
QList<Watch *> watches;

const QString statusNotifierWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// Adds events to those the program already selects on a window, keeping
// the ones Qt selected there.
void selectEvents(xcb_connection_t *connection, xcb_window_t window, uint32_t events)
{
    const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                        nullptr),
        &std::free);
    if (!attributes)
        return;
    const uint32_t mask = attributes->your_event_mask | events;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
}
} // namespace

bool isAvailable()
{
    if (availabilityOverride)
        return *availabilityOverride;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void setAvailabilityOverride(std::optional<bool> available)
{
    availabilityOverride = available;
    for (Watch *watch : std::as_const(watches))
        emit watch->mayHaveChanged();
}

Watch::Watch(QObject *parent) : QObject(parent)
{
    watches.append(this);
    watchX11();
    watchSessionBus();
}

Watch::~Watch()
{
    watches.removeAll(this);
}

void Watch::watchX11()
{
    xcb_connection_t *connection = x11connection::connection();
    if (!connection)
        return;
    m_managerAtom = x11connection::atom(connection, "MANAGER");
    // The tray of the screen whose root window x11connection gives: the first.
    m_trayAtom = x11connection::atom(connection, "_NET_SYSTEM_TRAY_S0");
    // A new tray announces itself to the root window's structure listeners.
    selectEvents(connection, x11connection::root(connection), XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, m_trayAtom),
                                      nullptr),
        &std::free);
    if (owner)
        followTrayOwner(owner->owner);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

// The tray's window is destroyed when the tray goes.
void Watch::followTrayOwner(std::uint32_t owner)
{
    m_trayOwner = owner;
    xcb_connection_t *connection = x11connection::connection();
    if (owner != XCB_WINDOW_NONE && connection) {
        selectEvents(connection, owner, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
        xcb_flush(connection);
    }
}

bool Watch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_CLIENT_MESSAGE: {
        const auto *manager = static_cast<const xcb_client_message_event_t *>(message);
        if (manager->type == m_managerAtom && manager->data.data32[1] == m_trayAtom) {
            followTrayOwner(manager->data.data32[2]);
            emit mayHaveChanged();
        }
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(message);
        if (m_trayOwner != XCB_WINDOW_NONE && destroyed->window == m_trayOwner) {
            m_trayOwner = XCB_WINDOW_NONE;
            emit mayHaveChanged();
        }
        break;
    }
    default:
        break;
    }
    return false;
}

// StatusNotifierItem hosts: the watcher service coming or going, and hosts
// registering with it, are signals; nothing is asked of the bus until then.
void Watch::watchSessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *service = new QDBusServiceWatcher(statusNotifierWatcher, bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(service, &QDBusServiceWatcher::serviceOwnerChanged, this, &Watch::mayHaveChanged);
    for (const char *signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        bus.connect(statusNotifierWatcher, QStringLiteral("/StatusNotifierWatcher"),
                    statusNotifierWatcher, QLatin1String(signal), this, SIGNAL(mayHaveChanged()));
}

} // namespace trayhost
