#pragma once

class QWidget;

// Windows are centred on the primary screen the first time they are shown;
// later showings keep the last position.
namespace windowplacement {
// Call from a window's show handler; `centred` remembers the first showing.
void centreFirstTime(QWidget *window, bool &centred);
// Centres the window on the screen that holds the pointer, in its work area:
// a window called up from anywhere comes where the user is looking.
void centreOnPointersScreen(QWidget *window);
} // namespace windowplacement
