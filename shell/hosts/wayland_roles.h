// norvex on Wayland desktops with the layer shell: a live wallpaper
// (--wallpaper) or an idle screen (--overlay) on every output.
#pragma once

#include "shell/core/frame_pieces.h"

// --wallpaper, or --overlay when `overlay` is set, on every output of the
// Wayland compositor, with `pieces` around the scene: 0 when the overlay was
// dismissed, 1 on a fault (said on stderr); SIGINT and SIGTERM end the
// process by that signal.
int RunLayerRole(bool overlay, FramePieces& pieces);
