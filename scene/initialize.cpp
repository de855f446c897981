// Scene set-up for each new rendering context.
#include "scene/scene.h"

int Initialize(GL_Window* window, Keys* keys)
{
    g_window = window;
    g_keys = keys;
    return 1;
}
