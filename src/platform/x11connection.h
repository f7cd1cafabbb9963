#pragma once

#include <xcb/xcb.h>

// The X server connection the program's windows live on, or null where the
// program does not run on X11 (the offscreen platform of the tests).
namespace x11connection {

xcb_connection_t *connection();
// The root window of the default screen.
xcb_window_t root(xcb_connection_t *connection);
xcb_atom_t atom(xcb_connection_t *connection, const char *name);

} // namespace x11connection
