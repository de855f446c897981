// The entry point and its two loops: the outer one builds a window for the
// current screen mode, initialises the scene and tears both down again; the
// inner one handles messages and, between them, draws frames, no faster than
// the frame-rate cap allows.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "shell/core/frame_pieces.h"
#include "shell/core/records.h"

// Runs the demo until it is quit; 0 then, 1 when no window could be made, -1
// when the window class cannot be registered. `pieces` (none when null) are
// drawn around the scene in every window.
int WinMain(plat::Instance* instance, plat::Instance* previousInstance, const char* commandLine,
            int showCommand, FramePieces* pieces = nullptr);
// The inner loop: messages first, then a frame while the window is visible.
// Returns when it reads WM_QUIT, with the number of frames it drew.
uint32_t RunMessageLoop(GL_Window* window, FramePieces* pieces = nullptr);
