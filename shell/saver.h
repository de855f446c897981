// Screen-saver mode: the scene drawn into a window that a saver daemon, its
// settings preview or a desktop's saver made, or into layer surfaces of a
// Wayland compositor. A second, small loop beside WinMain's: no window of its
// own, no display mode, no cursor, no keys.
#pragma once

#include <cstdint>

#include "platform/host_event.h"

inline constexpr const char* SAVER_WINDOW_VARIABLE = "XSCREENSAVER_WINDOW";

// The window --root means: the one named in XSCREENSAVER_WINDOW (hex or
// decimal), else 0 for the root window. False when the variable is set but
// names no window.
bool RootTarget(const char* variable, uint32_t* id);

// Draws frames into window `id` (0: the root window), at most g_display.maxFps
// a second and at g_display.scale of its size, until SIGINT or SIGTERM, which
// end the process by that same signal once it has cleaned up, or until the
// window or the X server goes away, or cannot be drawn to at all (exit code 1,
// the reason on stderr).
int RunSaver(uint32_t id);

// The loop both hosts share: draws frames into the attached host until its
// Poll reports an end (anything but Unchanged or Resized), which it returns.
// Host: plat::ForeignWindow or plat::LayerSurface.
template <typename Host>
plat::HostEvent DrawFrames(Host& host);

// --wallpaper, or --overlay when `overlay` is set, on every output of the
// Wayland compositor: 0 when the overlay was dismissed, 1 on a fault (said on
// stderr); SIGINT and SIGTERM end the process by that signal.
int RunLayerRole(bool overlay);
