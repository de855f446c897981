// The display mode the shell asks for. A request is checked against the modes
// the display offers and kept; a full-screen window created while it stands
// runs in it (window.cpp), and SDL gives the desktop mode back when that
// window is destroyed.
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace plat {
namespace {

constexpr int kDisplay = 0;

bool g_requested = false;
SDL_DisplayMode g_mode = {};

}  // namespace

bool ChangeDisplayMode(const DisplayMode& mode)
{
    if (!sdl::StartVideo()) return false;
    const int count = SDL_GetNumDisplayModes(kDisplay);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode offered;
        if (SDL_GetDisplayMode(kDisplay, i, &offered) != 0) continue;
        const DisplayMode size{offered.w, offered.h, static_cast<int>(SDL_BITSPERPIXEL(offered.format))};
        if (!ModeMatches(mode, size)) continue;
        g_mode = offered;
        g_requested = true;
        return true;
    }
    return false;
}

void RestoreDisplayMode() { g_requested = false; }

namespace sdl {

const SDL_DisplayMode* RequestedMode() { return g_requested ? &g_mode : nullptr; }

}  // namespace sdl
}  // namespace plat
