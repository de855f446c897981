// The window procedure: turns the window's messages into key state,
// visibility, viewport updates and the main loop's two requests.
#include "shell/shell.h"

int32_t WindowProc(plat::Window* handle, uint32_t message, uint32_t first, int32_t second)
{
    GL_Window* window = reinterpret_cast<GL_Window*>(plat::GetUserData(handle));
    if (message == plat::WM_CREATE) {
        plat::SetUserData(handle, reinterpret_cast<intptr_t>(plat::CreationParameter(handle)));
        return 0;
    }
    // Nothing can be done for a window whose record is not known yet.
    if (window == nullptr) return plat::DefaultWindowProc(handle, message, first, second);

    switch (message) {
    case plat::WM_SIZE:
        if (first == plat::SIZE_MINIMIZED) {
            window->visible = 0;
            return 0;
        }
        if (first == plat::SIZE_RESTORED || first == plat::SIZE_MAXIMIZED) {
            window->visible = 1;
            ResizeGL(plat::LowWord(second), plat::HighWord(second));
            return 0;
        }
        break;
    case plat::WM_CLOSE:
        TerminateApplication(window);  // the teardown destroys the window, not this
        return 0;
    case plat::WM_KEYDOWN:
    case plat::WM_KEYUP:
        if (first <= 255) {
            window->keys->pressed[first] = message == plat::WM_KEYDOWN ? 1 : 0;
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
