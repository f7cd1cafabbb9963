#pragma once

#include <QStringList>

class QAction;
class QWidget;

// Triggers the action as a user's click would, and fails the test instead
// where no user could click it: the action disabled or hidden, or in no menu
// that the user can open.
void triggerAction(QAction *action);
// The main window's action of that object name.
void triggerAction(const QString &objectName);

// The captions of a menu's items, or of a menu bar's menus, in their order.
QStringList captions(const QWidget *holder);
