// The display mode the shell asks for. A request is checked against the modes
// the display offers and kept; a full-screen window created while it stands
// runs in it (window.cpp), and SDL gives the desktop mode back when that
// window is destroyed. Or the desktop's own mode, kept as it is.
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace plat {
namespace {

constexpr int kDisplay = 0;

bool g_requested = false;
bool g_desktopRequested = false;
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
        g_desktopRequested = false;
        return true;
    }
    return false;
}

bool KeepDesktopMode(DisplayMode* desktop)
{
    SDL_DisplayMode mode;
    if (!sdl::StartVideo() || SDL_GetDesktopDisplayMode(kDisplay, &mode) != 0) return false;
    *desktop = DisplayMode{mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format))};
    g_requested = false;
    g_desktopRequested = true;
    return true;
}

void RestoreDisplayMode() { g_requested = g_desktopRequested = false; }

namespace sdl {

const SDL_DisplayMode* RequestedMode() { return g_requested ? &g_mode : nullptr; }

bool DesktopModeRequested() { return g_desktopRequested; }

}  // namespace sdl
}  // namespace plat
