// Whether a display is there to open, asked before SDL is. SDL's own attempt at
// a display that is missing fills stderr with the words of each driver it tries
// (libwayland's among them), and its message box then falls back to a helper
// that has nowhere to show either: norvex asks first and says it in one line.
#pragma once

#include <string>

namespace plat::display {

// The X server DISPLAY names accepts a connection.
bool XReachable();
// The Wayland compositor's socket (WAYLAND_DISPLAY, else wayland-0, under
// XDG_RUNTIME_DIR) accepts a connection, or WAYLAND_SOCKET hands one over.
bool WaylandReachable();

// True when SDL's video has a display to open: X or Wayland as above, only the
// one SDL_VIDEODRIVER names when it names one of them, and whatever it names
// otherwise (an offscreen or console driver is not asked about). Else false,
// with `why` naming the display(s) that could not be reached, in one line.
bool Reachable(std::string* why);

}  // namespace plat::display
