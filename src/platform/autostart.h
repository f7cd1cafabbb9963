#pragma once

#include <QByteArray>
#include <QString>

// The user's XDG autostart entry, which starts the program (and so its tray
// icon) at login.
namespace autostart {

// <configHome>/autostart/kelvane.desktop; configHome is XDG_CONFIG_HOME or
// ~/.config.
QString entryPath(const QString &configHome);

// The entry that starts the program at `programPath`.
QByteArray entryText(const QString &programPath);

// The user's configuration folder, honouring XDG_CONFIG_HOME.
QString configHome();

// Writes (on) or removes (off) the entry. Throws a Failure naming the file
// when that fails; removing an entry that is not there is no failure.
void set(bool on, const QString &programPath, const QString &configHome);

} // namespace autostart
