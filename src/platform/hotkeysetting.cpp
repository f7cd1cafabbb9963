#include "platform/hotkeysetting.h"

#include "core/failure.h"
#include "platform/hotkey.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace hotkeysetting {

namespace {
const QString hotkeyKey = QStringLiteral("find/hotkey");
} // namespace

QString settingsPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("kelvane/kelvane.conf"));
}

QString stored(const QString &path)
{
    const QSettings settings(path, QSettings::IniFormat);
    return settings.value(hotkeyKey, hotkey::defaultText()).toString();
}

void store(const QString &text, const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(hotkeyKey, text);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw Failure(QStringLiteral("Could not write the settings file '%1'").arg(path));
}

} // namespace hotkeysetting
