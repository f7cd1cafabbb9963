#pragma once

class QAction;
class QString;

// Triggers the action as a user's click would, and fails the test instead
// where no user could click it: the action disabled or hidden, or in no menu
// that the user can open.
void triggerAction(QAction *action);
// The main window's action of that object name.
void triggerAction(const QString &objectName);
