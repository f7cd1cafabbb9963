#pragma once

#include <QString>

// Where the find window's global key is kept: the program's own settings
// file, ~/.config/kelvane/kelvane.conf (under XDG_CONFIG_HOME when set),
// never the catalogue.
namespace hotkeysetting {

// The settings file's path.
QString settingsPath();

// The key as stored ("Ctrl+Alt+K", "off"); hotkey::defaultText() when the
// user never chose one.
QString stored(const QString &path = settingsPath());

// Keeps `text`; throws Failure when the file cannot be written.
void store(const QString &text, const QString &path = settingsPath());

} // namespace hotkeysetting
