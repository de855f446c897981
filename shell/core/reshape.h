// Viewport for a client size. The projection is the scene's own, loaded by
// its Initialize; a later size keeps it and changes only its aspect.
#pragma once

#include <cstdint>

// A new window's viewport, before the scene is set up for it.
void ReshapeGL(int32_t width, int32_t height);
// Viewport for a new client size; the projection in force keeps its field of
// view and depth range and takes the new aspect ratio.
void ResizeGL(int32_t width, int32_t height);
