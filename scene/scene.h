// The scene as the shell sees it: set-up for a fresh rendering context, and one frame.
#pragma once

#include "shell/records.h"

// Puts a freshly created, current rendering context into the state the frame
// relies on. Always returns 1.
int Initialize(GL_Window* window, Keys* keys);

// Advances and draws the whole scene: one frame.
void ProcessNorvex();
