#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The global key that opens the find window, as the user writes it
// ("Ctrl+Alt+K", "off") and as the X server grabs it (a keysym and a
// modifier mask). Pure rules: no display is needed.
namespace hotkey {

// A key with its modifiers, in the X server's terms.
struct Key
{
    std::uint32_t keysym = 0;
    std::uint16_t modifiers = 0; // ShiftMask, ControlMask, Mod1Mask (Alt), Mod4Mask (Meta)
    QString text;                // the canonical spelling, "Ctrl+Alt+K"
};

// What a user's text asks for: a key, no key at all ("off"), or nothing
// usable, with the reason in `error`.
struct Choice
{
    std::optional<Key> key;
    bool off = false;
    QString error;
};

// The key a user who chose none gets.
QString defaultText();

// Reads "Ctrl+Alt+K", "ctrl+alt+k", "Meta+F9", "F12" or "off". Accepts one
// key only, with Ctrl, Alt or Meta among its modifiers unless it is a
// function key: a bare letter would be taken from every program's typing.
Choice parse(const QString &text);

} // namespace hotkey
