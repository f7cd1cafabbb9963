#include "platform/globalhotkey.h"

#include "platform/x11connection.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {

// NumLock and ScrollLock sit on Mod2 and Mod5 on every common keymap.
constexpr std::uint16_t numLock = XCB_MOD_MASK_2;
constexpr std::uint16_t scrollLock = XCB_MOD_MASK_5;
constexpr std::array<std::uint16_t, 8> lockStates = {
    0,
    XCB_MOD_MASK_LOCK,
    numLock,
    XCB_MOD_MASK_LOCK | numLock,
    scrollLock,
    XCB_MOD_MASK_LOCK | scrollLock,
    numLock | scrollLock,
    XCB_MOD_MASK_LOCK | numLock | scrollLock,
};
constexpr std::uint16_t lockMask = XCB_MOD_MASK_LOCK | numLock | scrollLock;
// The key modifiers in a press's state; the rest are pointer buttons.
constexpr std::uint16_t keyModifierMask = 0xff;

// Every keycode that gives `keysym` on the current keymap, in any of its
// columns (a letter's lower and upper case share a key).
QList<std::uint8_t> keycodesOf(xcb_connection_t *connection, std::uint32_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> mapping(
        xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr),
        &std::free);
    QList<std::uint8_t> keycodes;
    if (!mapping)
        return keycodes;
    const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int columns = mapping->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        const xcb_keysym_t *row = symbols + code * columns;
        if (std::find(row, row + columns, keysym) != row + columns)
            keycodes.append(std::uint8_t(first + code));
    }
    return keycodes;
}

} // namespace

GlobalHotkey::GlobalHotkey(QObject *parent) : QObject(parent) {}

GlobalHotkey::~GlobalHotkey()
{
    release();
    if (m_filtering && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

GlobalHotkey::Outcome GlobalHotkey::grab(const hotkey::Key &key)
{
    release();
    xcb_connection_t *connection = x11connection::connection();
    if (!connection)
        return Outcome::NotX11;
    const QList<std::uint8_t> keycodes = keycodesOf(connection, key.keysym);
    if (keycodes.isEmpty())
        return Outcome::NoKeycode;
    const xcb_window_t root = x11connection::root(connection);
    // Each grab is checked: the server answers BadAccess for one that
    // another client holds.
    QList<xcb_void_cookie_t> cookies;
    for (const std::uint8_t keycode : keycodes) {
        for (const std::uint16_t locks : lockStates)
            cookies.append(xcb_grab_key_checked(connection, 0, root, key.modifiers | locks, keycode,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    bool taken = false;
    for (const xcb_void_cookie_t cookie : std::as_const(cookies)) {
        const std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(connection, cookie), &std::free);
        taken = taken || error != nullptr;
    }
    m_keycodes = keycodes;
    m_modifiers = key.modifiers;
    if (taken) {
        release();
        return Outcome::Taken;
    }
    if (!m_filtering) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_filtering = true;
    }
    return Outcome::Grabbed;
}

void GlobalHotkey::release()
{
    xcb_connection_t *connection = m_keycodes.isEmpty() ? nullptr : x11connection::connection();
    if (connection) {
        const xcb_window_t root = x11connection::root(connection);
        // Releasing a state another client holds leaves that client's grab.
        for (const std::uint8_t keycode : std::as_const(m_keycodes)) {
            for (const std::uint16_t locks : lockStates)
                xcb_ungrab_key(connection, keycode, root, m_modifiers | locks);
        }
        xcb_flush(connection);
    }
    m_keycodes.clear();
}

bool GlobalHotkey::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(message);
    if (m_keycodes.contains(press->detail) &&
        (press->state & keyModifierMask & ~lockMask) == m_modifiers)
        emit pressed();
    // Qt still sees the press: it keeps the server time of the user's last
    // action, which raising the window in the user's name needs.
    return false;
}
