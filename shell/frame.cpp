// The per-window hooks the loops call around the scene: set-up for a new
// rendering context, the key handling before each frame, the frame itself, and
// the teardown hook.
#include <GL/gl.h>

#include "scene/scene.h"
#include "shell/shell.h"

int32_t Initialize(GL_Window* window, Keys* keys)
{
    g_window = window;
    g_keys = keys;
    return Initialize(window->width, window->height);
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
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    ProcessNorvex();
    glFlush();
}

void Deinitialize() {}
