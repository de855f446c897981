// Screen-saver mode on X11: the scene drawn into a window that a saver daemon,
// its settings preview or a desktop's saver made. No window of its own, no
// display mode, no cursor, no keys.
#pragma once

#include <cstdint>

#include "shell/core/frame_pieces.h"

// Draws frames into window `id` (0: the root window), at most g_display.maxFps
// a second with `pieces` around the scene, until SIGINT or SIGTERM, which end
// the process by that same signal once it has cleaned up, or until the window
// or the X server goes away, or cannot be drawn to at all (exit code 1, the
// reason on stderr).
int RunSaver(uint32_t id, FramePieces& pieces);
