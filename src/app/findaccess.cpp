#include "app/findaccess.h"

#include "forms/findfrm.h"
#include "forms/mainfrm.h"
#include "platform/apptitle.h"
#include "platform/globalhotkey.h"
#include "platform/hotkeysetting.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace findaccess {

namespace {

// How long the tray's message stays up.
constexpr int trayMessageMs = 10000;
// The tray may take the icon a moment after start-up: the message waits for
// it, a second at a time, for a while.
constexpr int trayWaitMs = 1000;
constexpr int trayWaits = 15;

void showInTray(const QString &text, int waitsLeft)
{
    QSystemTrayIcon *icon = MainForm ? MainForm->TrayIcon : nullptr;
    if (icon && icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
        icon->showMessage(apptitle::title(), text, QSystemTrayIcon::Warning, trayMessageMs);
        return;
    }
    if (waitsLeft > 0)
        QTimer::singleShot(trayWaitMs, QCoreApplication::instance(),
                           [text, waitsLeft] { showInTray(text, waitsLeft - 1); });
}

// One line on standard error, and the same in the tray where there is one,
// so that a user who never sees the terminal still learns of it.
void report(const QString &text)
{
    std::fputs((QStringLiteral("Kelvane: ") + text + u'\n').toLocal8Bit().constData(), stderr);
    showInTray(text.left(1).toUpper() + text.mid(1), trayWaits);
}

QString refusal(GlobalHotkey::Outcome outcome, const QString &key)
{
    const QString advice = QStringLiteral("choose another with kelvane --find-hotkey KEY, or bind "
                                          "kelvane --find in the desktop's keyboard settings");
    if (outcome == GlobalHotkey::Outcome::Taken)
        return QStringLiteral("the find window's key %1 is held by another program; %2.")
            .arg(key, advice);
    return QStringLiteral("the keyboard has no key for the find window's %1; %2.").arg(key, advice);
}

void grabStoredKey()
{
    const QString stored = hotkeysetting::stored();
    const hotkey::Choice choice = hotkey::parse(stored);
    if (choice.off)
        return;
    if (!choice.key) {
        report(QStringLiteral("the find window's key in %1 is not usable: %2")
                   .arg(hotkeysetting::settingsPath(), choice.error));
        return;
    }
    auto *grabbed = new GlobalHotkey(QCoreApplication::instance());
    const GlobalHotkey::Outcome outcome = grabbed->grab(*choice.key);
    if (outcome == GlobalHotkey::Outcome::Grabbed) {
        QObject::connect(grabbed, &GlobalHotkey::pressed, [] { showFindWindow({}); });
        return;
    }
    delete grabbed;
    if (outcome != GlobalHotkey::Outcome::NotX11)
        report(refusal(outcome, choice.key->text));
}

} // namespace

void openAtStart(const commandline::Outcome &outcome)
{
    if (!outcome.find)
        return;
    // Queued: it runs once the message loop has the main window up.
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [text = outcome.findText] { showFindWindow(text); });
}

void grabHotkey()
{
    QTimer::singleShot(0, QCoreApplication::instance(), &grabStoredKey);
}

} // namespace findaccess
