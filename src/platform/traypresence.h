#pragma once

#include "platform/trayhost.h"

#include <QObject>
#include <QSystemTrayIcon>

class EdgeStrip;
class QWidget;

// The program's presence in the notification area: its icon, a watch for
// tray hosts coming and going, and the window's taskbar button. With no tray
// host the window keeps its button and closing minimises it, so that it can
// always be reached.
class TrayPresence final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrayPresence)

public:
    // `window` is the program's main window; `edgeStrip` moves it at the edges.
    TrayPresence(QWidget *window, EdgeStrip &edgeStrip);

    QSystemTrayIcon *icon() const { return m_icon; }

    // Whether the program wants the window's taskbar button.
    void setTaskbarButtonWanted(bool wanted);
    // Call after every show: window managers drop the state of hidden windows.
    void windowShown();
    // Closing: the window goes to the tray, or is minimised with no host.
    void closeWindow();
    // Shows the window where it was, slid out or not, with its taskbar
    // button, whatever state the no-tray fallback left it in.
    void showWindow();

signals:
    // The icon was clicked: Trigger for the left button, Context for the right.
    void activated(QSystemTrayIcon::ActivationReason reason);
    // The icon was clicked with the middle button: the user wants to find a paper.
    void findWanted();

private:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void hostMayHaveChanged();
    void applyTaskbarButton();

    QWidget *m_window;
    EdgeStrip &m_edgeStrip;
    QSystemTrayIcon *m_icon;
    trayhost::Watch m_watch;
    bool m_host = false;
    bool m_taskbarButton = true;
};
