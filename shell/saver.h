// Screen-saver mode: the scene drawn into a window that a saver daemon, its
// settings preview or a desktop's saver made. A second, small loop beside
// WinMain's: no window of its own, no display mode, no cursor, no keys.
#pragma once

#include <cstdint>

inline constexpr const char* SAVER_WINDOW_VARIABLE = "XSCREENSAVER_WINDOW";

// The window --root means: the one named in XSCREENSAVER_WINDOW (hex or
// decimal), else 0 for the root window. False when the variable is set but
// names no window.
bool RootTarget(const char* variable, uint32_t* id);

// Draws frames into window `id` (0: the root window), at most g_display.maxFps
// a second and at g_display.scale of its size, until SIGINT or SIGTERM
// (exit code 0), or until the window or the X server goes away, or cannot be
// drawn to at all (exit code 1, the reason on stderr).
int RunSaver(uint32_t id);
