// Asks the X server itself which window has the keyboard focus: SDL learns of
// it up to 200 ms late after a display-mode change, and keys typed in between
// reach it for no window.
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include "platform/sdl_internal.h"

namespace plat {

bool HoldsX11Focus(SDL_Window* window)
{
    if (window == nullptr) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    ::Window focus = None;
    int revertTo = 0;
    XGetInputFocus(info.info.x11.display, &focus, &revertTo);
    return focus == info.info.x11.window;
}

}  // namespace plat
