// The keyboard focus, from the X server.
#include "platform/sdl/x11/focus.h"

namespace plat::x11 {

bool HoldsFocus(Display* display, ::Window window)
{
    if (display == nullptr || window == None) return false;
    ::Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    return focus == window;
}

}  // namespace plat::x11
