// The window procedure: turns the window's messages into key state,
// visibility, viewport updates and the main loop's two requests.
#include "shell/core/window_proc.h"

#include "shell/core/requests.h"
#include "shell/core/reshape.h"

int32_t WindowProc(plat::Window* handle, uint32_t message, uint32_t first, int32_t second)
{
    // Null until WM_CREATE has stored it: messages that need it get default handling.
    GL_Window* window = reinterpret_cast<GL_Window*>(plat::GetUserData(handle));

    switch (message) {
    case plat::WM_CREATE:
        plat::SetUserData(handle, reinterpret_cast<intptr_t>(plat::CreationParameter(handle)));
        return 0;
    case plat::WM_SIZE:
        if (window && first == plat::SIZE_MINIMIZED) {
            window->visible = 0;
            return 0;
        }
        if (window && (first == plat::SIZE_RESTORED || first == plat::SIZE_MAXIMIZED)) {
            window->visible = 1;
            ResizeGL(plat::LowWord(second), plat::HighWord(second));
            return 0;
        }
        break;
    case plat::WM_CLOSE:
        if (!window) break;
        TerminateApplication(window);  // the teardown destroys the window, not this
        return 0;
    case plat::WM_KEYDOWN:
    case plat::WM_KEYUP:
        if (window && first <= 255) {
            window->keys->pressed[first] = message == plat::WM_KEYDOWN ? 1 : 0;
            if (message == plat::WM_KEYDOWN) window->keys->struck[first] = 1;
            return 0;
        }
        break;
    case plat::WM_KILLFOCUS:
        // The key-ups go elsewhere from now on: every key counts as released.
        // A press already struck still counts for the next frame.
        if (window) {
            for (int32_t& key : window->keys->pressed) key = 0;
            return 0;
        }
        break;
    case plat::WM_SYSCOMMAND:
        if (first == plat::SC_SCREENSAVE || first == plat::SC_MONITORPOWER) return 0;  // refused
        break;
    case TOGGLE_FULLSCREEN_MESSAGE:
        g_createFullScreen = g_createFullScreen == 1 ? 0 : 1;
        plat::PostMessage(handle, plat::WM_QUIT, 0, 0);
        break;
    default: break;
    }
    return plat::DefaultWindowProc(handle, message, first, second);
}
