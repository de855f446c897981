// Asks the X server itself which window has the keyboard focus: a window
// system layer above X may learn of it late (SDL, up to 200 ms after a
// display-mode change), and keys typed in between reach it for no window.
#pragma once

#include <X11/Xlib.h>

namespace plat::x11 {

// True when `window` on `display` holds the keyboard focus.
bool HoldsFocus(Display* display, ::Window window);

}  // namespace plat::x11
