#include "platform/startupnotification.h"

#include "platform/x11connection.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGlobal>
#include <algorithm>
#include <cstring>
#include <memory>

namespace startupnotification {

QByteArray launchId()
{
    return qgetenv("DESKTOP_STARTUP_ID");
}

QByteArray activationToken()
{
    return qgetenv("XDG_ACTIVATION_TOKEN");
}

void adoptLaunch(QWidget *window, const QByteArray &startupId, const QByteArray &activationToken)
{
    if (!activationToken.isEmpty() && QGuiApplication::platformName() == u"wayland")
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    xcb_connection_t *connection = x11connection::connection();
    if (startupId.isEmpty() || !connection)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window->winId()),
                        x11connection::atom(connection, "_NET_STARTUP_ID"),
                        x11connection::atom(connection, "UTF8_STRING"), 8,
                        static_cast<uint32_t>(startupId.size()), startupId.constData());
    xcb_flush(connection);
}

void complete(const QByteArray &id)
{
    if (id.isEmpty())
        return;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> owned(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    xcb_connection_t *connection = owned.get();
    if (xcb_connection_has_error(connection))
        return;
    QByteArray quoted = id;
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    // The message travels in 20-byte pieces, its closing zero byte included.
    QByteArray message = QByteArrayLiteral("remove: ID=\"");
    message.append(quoted).append('"').append('\0');

    const xcb_window_t root = x11connection::root(connection);
    const xcb_window_t sender = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, sender, root, -100, -100, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t begin = x11connection::atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = x11connection::atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype offset = 0; offset < message.size(); offset += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = sender;
        event.type = offset == 0 ? begin : more;
        std::memcpy(event.data.data8, message.constData() + offset,
                    std::min<qsizetype>(20, message.size() - offset));
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char *>(&event));
    }
    xcb_destroy_window(connection, sender);
    xcb_flush(connection);
}

} // namespace startupnotification
