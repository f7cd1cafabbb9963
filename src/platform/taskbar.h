#pragma once

class QWidget;

// The program's taskbar button, through the window manager's skip-taskbar
// state (_NET_WM_STATE_SKIP_TASKBAR). Window managers drop that state when a
// window is hidden, so it must be set again after every show.
namespace taskbar {

// Gives the window its taskbar button or takes it away. Does nothing where the
// program does not run on X11.
void setButtonShown(QWidget *window, bool shown);

} // namespace taskbar
