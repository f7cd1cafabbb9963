#pragma once

#include <QList>
#include <QLocale>

class QAction;
class QMenu;
class QMenuBar;

// Automatic accelerators on the program's menus: a level's captions are
// rewritten just before it shows, never while the menus are being built.
namespace menus {

// Chinese, Japanese and Korean systems take the far-east marking form.
bool isFarEastLocale(const QLocale &locale = QLocale::system());

// Runs the accelerator pass over one level and writes back the captions that
// changed.
void markLevel(const QList<QAction *> &level, bool farEast);

// Marks the bar's top level now, and every drop-down and sub-menu below it
// each time it is about to show.
void installAutomaticAccelerators(QMenuBar *bar, bool farEast);
// Marks the menu's items each time it is about to show or pop up, and the
// sub-menus below it likewise.
void installAutomaticAccelerators(QMenu *menu, bool farEast);

} // namespace menus
