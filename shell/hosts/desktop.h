// The demo on the desktop: its own window on SDL, full screen or windowed.
#pragma once

#include "shell/core/frame_pieces.h"

// Runs the demo with `pieces` around the scene (none when null) once a
// display is known to be there; its exit code. Without a display: one line
// on stderr saying which could not be opened, and 1.
int RunDemo(FramePieces* pieces = nullptr);
