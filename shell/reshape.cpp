// Viewport and projection for a client size: the creation-time projection,
// and the resize that keeps whatever projection is in force.
#include <GL/gl.h>
#include <GL/glu.h>

#include "shell/shell.h"

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
// takes the horizontal one (element 0) from it.
void ResizeGL(int32_t width, int32_t height)
{
    glViewport(0, 0, width, height);
    GLfloat m[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    if (m[5] != 0.0f) {  // zero: no context current, nothing to keep
        const double aspect = static_cast<double>(width > 0 ? width : 1) / (height > 0 ? height : 1);
        m[0] = static_cast<GLfloat>(m[5] / aspect);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(m);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
