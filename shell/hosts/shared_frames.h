// norvex as the renderer behind the KDE Plasma wallpaper plugin
// (--frames-to FD): frames drawn offscreen and handed over in shared memory.
#pragma once

#include "shell/core/frame_pieces.h"

// Draws frames with `pieces` around the scene and hands them over on this
// socket (platform/shared_frames) until the other side closes it (0), or a
// fault (1, said on stderr); SIGINT and SIGTERM end the process by that signal.
int RunFramesRole(int socket, FramePieces& pieces);
