// Render-state facts shared by the scene set-up and the frame.
#pragma once

#include <GL/gl.h>

// The glow texture is the default texture object: no name is ever generated.
inline constexpr GLuint GLOW_TEXTURE = 0;
