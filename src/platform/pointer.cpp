#include "platform/pointer.h"

#include "platform/x11connection.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <optional>

namespace pointer {

namespace {

using PointerReply = std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)>;

PointerReply queryPointer(xcb_connection_t *connection)
{
    const xcb_window_t root = x11connection::root(connection);
    return {xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr),
            &std::free};
}

// The child of the root that holds the window: the window manager's frame,
// or the window itself when nothing manages it.
std::optional<xcb_window_t> topLevelOf(xcb_connection_t *connection, xcb_window_t window)
{
    for (;;) {
        const std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr),
            &std::free);
        if (!tree || tree->parent == XCB_WINDOW_NONE)
            return std::nullopt;
        if (tree->parent == tree->root)
            return window;
        window = tree->parent;
    }
}

// Off X11 (the tests' offscreen platform) the caption bar is whatever lies
// within the frame but outside every top-level window.
bool isOverWithoutX11(const QWidget *window)
{
    const QPoint at = QCursor::pos();
    const QWidget *top = QApplication::topLevelAt(at);
    return top ? top == window : window->frameGeometry().contains(at);
}

} // namespace

bool isOver(const QWidget *window)
{
    if (!window->isVisible())
        return false;
    xcb_connection_t *connection = x11connection::connection();
    if (!connection)
        return isOverWithoutX11(window);
    const PointerReply reply = queryPointer(connection);
    // A pointer that cannot be read is over no window of ours.
    if (!reply || reply->child == XCB_WINDOW_NONE)
        return false;
    return topLevelOf(connection, static_cast<xcb_window_t>(window->winId())) == reply->child;
}

std::optional<bool> buttonHeld()
{
    xcb_connection_t *connection = x11connection::connection();
    if (!connection)
        return std::nullopt;
    const PointerReply reply = queryPointer(connection);
    constexpr uint16_t buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
    return reply && (reply->mask & buttons) != 0;
}

} // namespace pointer
