#include "platform/traypresence.h"

#include "platform/edgestrip.h"
#include "platform/programicon.h"
#include "platform/taskbar.h"

#include <QWidget>

TrayPresence::TrayPresence(QWidget *window, EdgeStrip &edgeStrip)
    : QObject(window), m_window(window), m_edgeStrip(edgeStrip),
      m_icon(new QSystemTrayIcon(programicon::icon(), this))
{
    m_icon->setObjectName(QStringLiteral("TrayIcon"));
    m_icon->setToolTip(QStringLiteral("Kelvane"));
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayPresence::iconActivated);
    m_icon->show();
    m_host = trayhost::isAvailable();
    // Queued: Qt's own tray code answers the same X event first.
    connect(&m_watch, &trayhost::Watch::mayHaveChanged, this, &TrayPresence::hostMayHaveChanged,
            Qt::QueuedConnection);
}

void TrayPresence::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    emit activated(reason);
    if (reason == QSystemTrayIcon::MiddleClick)
        emit findWanted();
}

void TrayPresence::setTaskbarButtonWanted(bool wanted)
{
    m_taskbarButton = wanted;
    applyTaskbarButton();
}

void TrayPresence::windowShown()
{
    applyTaskbarButton();
}

void TrayPresence::closeWindow()
{
    if (!trayhost::isAvailable()) {
        m_window->showMinimized();
        return;
    }
    m_taskbarButton = false;
    m_window->hide();
}

void TrayPresence::showWindow()
{
    m_taskbarButton = true;
    if (m_window->isMinimized()) {
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    } else if (m_window->isHidden() && !m_edgeStrip.isStandingIn()) {
        m_edgeStrip.showWindow();
    }
    applyTaskbarButton();
}

// A tray host that comes later gets the icon; when the host goes, a window
// hidden to it comes back as a minimised window with its taskbar button.
void TrayPresence::hostMayHaveChanged()
{
    const bool available = trayhost::isAvailable();
    if (available == m_host)
        return;
    m_host = available;
    if (available) {
        m_icon->hide();
        m_icon->show();
    } else if (m_window->isHidden() && !m_edgeStrip.isStandingIn()) {
        m_window->showMinimized();
    }
    applyTaskbarButton();
}

void TrayPresence::applyTaskbarButton()
{
    taskbar::setButtonShown(m_window, m_taskbarButton || !trayhost::isAvailable());
}
