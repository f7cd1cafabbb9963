#pragma once

#include <QStringList>

class QAction;
class QLineEdit;
class QWidget;

// Triggers the action as a user's click would, and fails the test instead
// where no user could click it: the action disabled or hidden, or in no menu
// that the user can open.
void triggerAction(QAction *action);
// The main window's action of that object name.
void triggerAction(const QString &objectName);

// Clears the line and types the text into it: Chinese text comes from an
// input method, one committed character at a time; the keyboard types the rest.
void typeInto(QLineEdit *edit, const QString &text);

// The captions of a menu's items, or of a menu bar's menus, in their order.
QStringList captions(const QWidget *holder);
