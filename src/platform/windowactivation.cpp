#include "platform/windowactivation.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

WindowActivationWatch::WindowActivationWatch(QObject *parent) : QObject(parent)
{
    m_active = QApplication::activeWindow();
    qApp->installEventFilter(this);
}

WindowActivationWatch::~WindowActivationWatch()
{
    qApp->removeEventFilter(this);
}

// Every change of the active window sends activation events to the windows
// involved; the first of them tells the change, in whichever order they come.
bool WindowActivationWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        follow(QApplication::activeWindow());
    return QObject::eventFilter(watched, event);
}

void WindowActivationWatch::follow(QWidget *active)
{
    if (active == m_active || qobject_cast<QDialog *>(active))
        return;
    QWidget *previous = m_active ? m_active : m_hidden;
    // Hiding the active window leaves none active until the next one takes
    // the focus: that is still a move between the program's own windows.
    m_hidden = !active && m_active && m_active->isHidden() ? m_active : nullptr;
    m_active = active;
    if (active)
        emit activated(active, previous);
}
