#include "forms/windowplacement.h"

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

} // namespace windowplacement
