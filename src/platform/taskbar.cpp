#include "platform/taskbar.h"

#include "platform/x11connection.h"

#include <QList>
#include <QWidget>
#include <cstdlib>
#include <memory>

namespace taskbar {

namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

bool isMapped(xcb_connection_t *connection, xcb_window_t window)
{
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                        nullptr),
        &std::free);
    return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

// A withdrawn window carries its state as a property the window manager reads
// when it maps the window; the other atoms in it are kept.
void writeState(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t state,
                xcb_atom_t skip, bool shown)
{
    const ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 1024),
            nullptr),
        &std::free);
    QList<xcb_atom_t> atoms;
    if (reply && reply->format == 32) {
        const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        atoms = QList<xcb_atom_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
    }
    atoms.removeAll(skip);
    if (!shown)
        atoms.append(skip);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.constData());
}

// A mapped window's state belongs to the window manager: it is asked to change
// it (EWMH _NET_WM_STATE client message).
void requestState(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t state,
                  xcb_atom_t skip, bool shown)
{
    constexpr uint32_t remove = 0, add = 1, fromApplication = 1;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = state;
    message.data.data32[0] = shown ? remove : add;
    message.data.data32[1] = skip;
    message.data.data32[3] = fromApplication;
    xcb_send_event(connection, 0, x11connection::root(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
}

} // namespace

void setButtonShown(QWidget *window, bool shown)
{
    xcb_connection_t *connection = x11connection::connection();
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = x11connection::atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = x11connection::atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (isMapped(connection, id))
        requestState(connection, id, state, skip, shown);
    else
        writeState(connection, id, state, skip, shown);
    xcb_flush(connection);
}

} // namespace taskbar
