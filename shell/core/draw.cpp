// One frame: cleared to black, the scene advanced and drawn, flushed.
#include "shell/core/draw.h"

#include <GL/gl.h>

#include "scene/scene.h"

void Draw()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    ProcessNorvex();
    glFlush();
}
