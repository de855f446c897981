// The per-window hooks the loops call around the frame.
#include "shell/core/frame.h"

#include "platform/messages.h"
#include "scene/scene.h"
#include "shell/core/requests.h"
#include "shell/core/window_gl.h"

int32_t Initialize(GL_Window* window, Keys* keys)
{
    g_window = window;
    g_keys = keys;
    int32_t width = 0, height = 0;
    DrawingSize(window, &width, &height);
    return Initialize(width, height);
}

void Update(uint32_t /*milliseconds*/)
{
    // A key counts while it is held, and once for a press that came and went since the last frame.
    const auto down = [](int key) { return g_keys->pressed[key] == 1 || g_keys->struck[key] == 1; };
    if (down(plat::VK_ESCAPE)) TerminateApplication(g_window);
    if (down(plat::VK_F1)) ToggleFullscreen(g_window);
    for (int32_t& key : g_keys->struck) key = 0;
}

void Deinitialize() {}
