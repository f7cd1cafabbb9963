#include "forms/windowplacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace windowplacement {

void centreFirstTime(QWidget *window, bool &centred)
{
    if (centred)
        return;
    centred = true;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen.center());
    window->move(frame.topLeft());
}

void centreOnPointersScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    QRect frame(window->pos(), window->frameGeometry().size().expandedTo(window->size()));
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace windowplacement
