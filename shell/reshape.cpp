// Viewport and projection for a client size: the creation-time projection,
// and the resize that keeps whatever projection is in force.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "shell/scene_target.h"
#include "shell/shell.h"

namespace {

// Relative difference below which two aspects are one: the projection's
// single-precision elements carry about 1e-7.
constexpr double kSameAspect = 1e-6;

}  // namespace

void ReshapeGL(int32_t width, int32_t height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A zero height would make the aspect ratio infinite.
    const int32_t divisor = height != 0 ? height : 1;
    gluPerspective(50.0, static_cast<double>(width) / static_cast<double>(divisor), 5.0, 2000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Size notifications arrive long after the scene set its own projection, and
// with SDL even the creation-time ones come after it. Replacing that projection
// with ReshapeGL's would cut the world off at 2000 units, so only the aspect
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
    if (g_sceneTarget) g_sceneTarget->resize(width, height);  // the scene's share of the new size
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
