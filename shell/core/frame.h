// The per-window hooks the loops call around the frame: set-up for a new
// rendering context, the key handling before each frame, and the teardown
// hook. The frame itself is Draw (draw.h).
#pragma once

#include <cstdint>

#include "shell/core/records.h"

// Stores the records for Update, then sets the scene up for the window's
// drawing size.
int32_t Initialize(GL_Window* window, Keys* keys);
// Escape asks to quit, F1 to rebuild in the other screen mode.
void Update(uint32_t milliseconds);
void Deinitialize();
