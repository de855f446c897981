// The two requests, posted to the window like any message.
#include "shell/core/requests.h"

#include "platform/platform.h"

void TerminateApplication(GL_Window* window)
{
    plat::PostMessage(window->windowHandle, plat::WM_QUIT, 0, 0);
    g_isProgramLooping = 0;
}

void ToggleFullscreen(GL_Window* window)
{
    plat::PostMessage(window->windowHandle, TOGGLE_FULLSCREEN_MESSAGE, 0, 0);
}
