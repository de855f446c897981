// The per-window hooks the loops call around the scene: set-up for a new
// rendering context, the key handling before each frame, the frame itself, and
// the teardown hook. With a scene target (--scale) the frame is drawn into it
// and shown stretched over the window.
#include <GL/gl.h>

#include "scene/scene.h"
#include "shell/scene_target.h"
#include "shell/shell.h"

int32_t Initialize(GL_Window* window, Keys* keys)
{
    g_window = window;
    g_keys = keys;
    int32_t width = 0, height = 0;
    DrawingSize(window, &width, &height);
    const int32_t ready = Initialize(width, height);
    if (g_sceneTarget) g_sceneTarget->open(width, height);  // the projection stays the window's
    return ready;
}

void Update(uint32_t /*milliseconds*/)
{
    // A key counts while it is held, and once for a press that came and went since the last frame.
    const auto down = [](int key) { return g_keys->pressed[key] == 1 || g_keys->struck[key] == 1; };
    if (down(plat::VK_ESCAPE)) TerminateApplication(g_window);
    if (down(plat::VK_F1)) ToggleFullscreen(g_window);
    for (int32_t& key : g_keys->struck) key = 0;
}

void Draw()
{
    if (g_sceneTarget) g_sceneTarget->begin();
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    ProcessNorvex();
    if (g_sceneTarget) g_sceneTarget->show();
    glFlush();
}

void Deinitialize()
{
    if (g_sceneTarget) g_sceneTarget->close();
}
