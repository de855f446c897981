// Viewport for a client size: a new window's, and the resize that keeps
// whatever projection is in force.
#include "shell/core/reshape.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Relative difference below which two aspects are one: the projection's
// single-precision elements carry about 1e-7.
constexpr double kSameAspect = 1e-6;

}  // namespace

// The scene's Initialize loads the one projection the frames are drawn
// under, right after this; a window of its own has none to set.
void ReshapeGL(int32_t width, int32_t height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Size notifications arrive long after the scene set its projection, and
// with SDL even the creation-time ones come after it. Only the aspect
// changes: a symmetric perspective keeps its vertical scale (element 5) and
// takes the horizontal one (element 0) from it. A notification of the aspect
// in force (the creation-time one) leaves the projection exactly as the scene
// set it, so that the frames are those norvex-capture draws at that size.
void ResizeGL(int32_t width, int32_t height)
{
    glViewport(0, 0, width, height);
    GLfloat m[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    const double aspect = static_cast<double>(width > 0 ? width : 1) / (height > 0 ? height : 1);
    const bool sameAspect = m[0] != 0.0f && std::fabs(m[5] / m[0] / aspect - 1.0) < kSameAspect;
    if (m[5] != 0.0f && !sameAspect) {  // m[5] zero: no context current, nothing to keep
        m[0] = static_cast<GLfloat>(m[5] / aspect);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(m);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
